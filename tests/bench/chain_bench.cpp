// Measures command 7 while it waits and when it launches: the processor
// time it uses while the titled window stays open for 5 s, and the delay
// between the window's end and the start of the program it launches.
// Prints the figures of each run and their medians; asserts nothing.
//
// Usage: chain_bench [runs]   (default 5). The program under test comes
// from the LINDMORH_EXE environment variable or the build's default.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness.h"

namespace {

const DWORD kSettleMs = 500;      // start-up, not part of the wait
const DWORD kWindowOpenMs = 5000; // the wait that is measured
const DWORD kLaunchLimitMs = 10000;

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2.0;
}

struct RunResult {
    bool ok = false;
    double cpuPercent = 0.0;  // of one core, while waiting
    double launchDelayMs = 0.0;
};

RunResult RunOnce()
{
    RunResult result;
    e2e::TempDir base("bench-chain");
    const std::string marker = base / "marker.exe";
    const std::string launched = base / "launched.txt";
    if (!CopyFileA(e2e::ToolPath("marker.exe").c_str(), marker.c_str(), FALSE)) {
        std::fprintf(stderr, "cannot copy %s\n", e2e::ToolPath("marker.exe").c_str());
        return result;
    }
    const std::string parameter = marker + " " + launched;
    HWND window = CreateWindowExA(0, "STATIC", parameter.c_str(), WS_OVERLAPPED, 0, 0, 50, 20, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window) return result;

    auto p = e2e::StartLindmorh(base.Path(), "\"7_" + parameter + "\"");
    if (!p->Started()) {
        DestroyWindow(window);
        std::fprintf(stderr, "cannot start %s\n", e2e::ProgramUnderTest().c_str());
        return result;
    }
    Sleep(kSettleMs);
    const double cpuStart = p->CpuMs();
    const double wallStart = NowMs();
    Sleep(kWindowOpenMs);
    const double cpuMs = p->CpuMs() - cpuStart;
    const double wallMs = NowMs() - wallStart;
    const bool waited = p->Running() && !e2e::FileExists(launched);

    const double closedAt = NowMs();
    DestroyWindow(window);
    double delay = -1.0;
    while (NowMs() - closedAt < kLaunchLimitMs) {
        if (e2e::ReadFileBytes(launched) == "launched") {
            delay = NowMs() - closedAt;
            break;
        }
        Sleep(1);
    }
    p->WaitExit(20000);
    if (!waited || delay < 0) {
        std::fprintf(stderr, "run failed: %s\n", !waited ? "did not wait for the window" : "nothing launched");
        return result;
    }
    result.ok = true;
    result.cpuPercent = 100.0 * cpuMs / wallMs;
    result.launchDelayMs = delay;
    return result;
}

}  // namespace

int main(int argc, char* argv[])
{
    int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    if (runs < 1) runs = 1;
    std::printf("chain: %s, %d runs, titled window open %lu ms after %lu ms of start-up\n",
                e2e::ProgramUnderTest().c_str(), runs, static_cast<unsigned long>(kWindowOpenMs),
                static_cast<unsigned long>(kSettleMs));
    std::vector<double> cpu, delay;
    for (int run = 1; run <= runs; ++run) {
        RunResult r = RunOnce();
        if (!r.ok) continue;
        std::printf("  run %d: cpu %.2f%%, launch delay %.1f ms\n", run, r.cpuPercent, r.launchDelayMs);
        std::fflush(stdout);
        cpu.push_back(r.cpuPercent);
        delay.push_back(r.launchDelayMs);
    }
    if (cpu.empty()) {
        std::printf("chain: no run succeeded\n");
        return 1;
    }
    std::printf("chain: cpu while waiting = %.2f%% of one core\n", Median(cpu));
    std::printf("chain: launch delay after the window closed = %.1f ms\n", Median(delay));
    return 0;
}
