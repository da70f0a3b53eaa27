// Command 7 while it waits and when it launches:
// - the processor time of lindmorh.exe and of the Wine server while the
//   titled window stays open, as shares of one core (the server's share is
//   also measured once with nothing waiting, for comparison);
// - the delay from the window's end to the start of the launched program,
//   from two clock stamps: one written by the window as it is destroyed,
//   one written by the launched program (stamp.exe) as it starts.
// Prints the medians; asserts nothing.
//
// Usage: chain_bench [runs] [WINESERVER-PID]   (default 5 runs, at least 5)
// The Wine server is the Linux process WINESERVER-PID, read through Z:\proc;
// without it (or on Windows) its share is not measured.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_util.h"
#include "harness.h"

namespace {

const DWORD kSettleMs = 500;       // start-up and countdown, not part of the wait
const DWORD kWindowOpenMs = 5000;  // the wait that is measured
const DWORD kLaunchLimitMs = 10000;
const char kWindowClass[] = "ChainBenchWindow";

std::string g_closedStampFile;  // where the window writes its stamp

long long Ticks()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double TicksToMs(long long ticks)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

void WriteStamp(const std::string& path, long long ticks)
{
    e2e::WriteFileBytes(path, std::to_string(ticks));
}

long long ReadStamp(const std::string& path)
{
    std::string text = e2e::ReadFileBytes(path);
    return text.empty() ? -1 : std::atoll(text.c_str());
}

// The window command 7 waits for: as it is destroyed, the last message it
// receives writes the stamp of its end.
LRESULT CALLBACK WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCDESTROY && !g_closedStampFile.empty()) WriteStamp(g_closedStampFile, Ticks());
    return DefWindowProcA(w, msg, wp, lp);
}

// Processor time of the Linux process `pid` in ms, read from its
// schedstat file in /proc (nanoseconds on a processor) through drive Z:;
// negative when unreadable.
double LinuxCpuMs(unsigned long pid)
{
    if (!pid) return -1.0;
    std::string text = e2e::ReadFileBytes("Z:\\proc\\" + std::to_string(pid) + "\\schedstat");
    if (text.empty()) return -1.0;
    return static_cast<double>(std::strtoull(text.c_str(), nullptr, 10)) / 1e6;
}

struct RunResult {
    bool ok = false;
    double programShare = 0.0;  // % of one core
    double serverShare = -1.0;
    double launchDelayMs = 0.0;
};

RunResult RunOnce(unsigned long serverPid)
{
    RunResult result;
    e2e::TempDir base("bench-chain");
    const std::string stamp = base / "stamp.exe";
    const std::string launchedStampFile = base / "launched.txt";
    g_closedStampFile = base / "closed.txt";
    if (!CopyFileA(e2e::ToolPath("stamp.exe").c_str(), stamp.c_str(), FALSE)) {
        std::fprintf(stderr, "cannot copy %s\n", e2e::ToolPath("stamp.exe").c_str());
        return result;
    }
    // The parameter is both the title waited for and the command line.
    const std::string parameter = stamp + " " + launchedStampFile;
    HWND window = CreateWindowExA(0, kWindowClass, parameter.c_str(), WS_OVERLAPPED, 0, 0, 50, 20, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) return result;

    auto p = e2e::StartLindmorh(base.Path(), "\"7_" + parameter + "\"");
    if (!p->Started()) {
        DestroyWindow(window);
        std::fprintf(stderr, "cannot start %s\n", e2e::ProgramUnderTest().c_str());
        return result;
    }
    Sleep(kSettleMs);
    const double programStart = p->CpuMs(), serverStart = LinuxCpuMs(serverPid), wallStart = bench::NowMs();
    Sleep(kWindowOpenMs);
    const double programMs = p->CpuMs() - programStart, serverEnd = LinuxCpuMs(serverPid);
    const double wallMs = bench::NowMs() - wallStart;
    const bool waited = p->Running() && !e2e::FileExists(launchedStampFile);

    DestroyWindow(window);
    const double closedAt = bench::NowMs();
    while (!e2e::FileExists(launchedStampFile) && bench::NowMs() - closedAt < kLaunchLimitMs) Sleep(1);
    p->WaitExit(20000);
    Sleep(50);  // the stamp is written whole before the launched program ends
    const long long closed = ReadStamp(g_closedStampFile), launched = ReadStamp(launchedStampFile);
    g_closedStampFile.clear();
    if (!waited || closed < 0 || launched < 0) {
        std::fprintf(stderr, "run failed: %s\n", !waited ? "did not wait for the window" : "nothing launched");
        return result;
    }
    result.ok = true;
    result.programShare = 100.0 * programMs / wallMs;
    if (serverStart >= 0 && serverEnd >= 0) result.serverShare = 100.0 * (serverEnd - serverStart) / wallMs;
    result.launchDelayMs = TicksToMs(launched - closed);
    return result;
}

// How long the system takes to start the launched program at all: from
// just before CreateProcess to the stamp the program writes as it starts.
double DirectStartMs()
{
    e2e::TempDir base("bench-start");
    const std::string stamp = e2e::ToolPath("stamp.exe");
    const std::string stampFile = base / "started.txt";
    const std::string line = "\"" + stamp + "\" " + stampFile;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const long long before = Ticks();
    if (!CreateProcessA(stamp.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1.0;
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const long long started = ReadStamp(stampFile);
    return started < 0 ? -1.0 : TicksToMs(started - before);
}

// The Wine server's share while only the titled window is open.
double ServerShareAlone(unsigned long serverPid)
{
    HWND window = CreateWindowExA(0, kWindowClass, "nothing waits for this window", WS_OVERLAPPED, 0, 0, 50, 20,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    Sleep(kSettleMs);
    const double start = LinuxCpuMs(serverPid), wallStart = bench::NowMs();
    Sleep(kWindowOpenMs);
    const double end = LinuxCpuMs(serverPid), wallMs = bench::NowMs() - wallStart;
    if (window) DestroyWindow(window);
    return start >= 0 && end >= 0 ? 100.0 * (end - start) / wallMs : -1.0;
}

}  // namespace

int main(int argc, char* argv[])
{
    const int runs = bench::Runs(argc, argv, 5);
    const unsigned long serverPid = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc);

    const double serverAlone = ServerShareAlone(serverPid);
    std::vector<double> program, server, delay, direct;
    for (int run = 1; run <= runs; ++run) {
        const double ms = DirectStartMs();
        if (ms >= 0) direct.push_back(ms);
    }
    for (int run = 1; run <= runs; ++run) {
        RunResult r = RunOnce(serverPid);
        if (!r.ok) continue;
        program.push_back(r.programShare);
        if (r.serverShare >= 0) server.push_back(r.serverShare);
        delay.push_back(r.launchDelayMs);
    }
    if (program.empty()) {
        std::printf("command 7: no run succeeded\n");
        return 1;
    }
    char serverText[160] = "Wine server: not measured";
    if (!server.empty())
        std::snprintf(serverText, sizeof serverText, "Wine server: %.2f%% (%.2f%% with nothing waiting)",
                      bench::Median(server), serverAlone);
    std::printf("wait (cmd 7)   lindmorh.exe: %.2f%% of one core, %s  (window open %.0f s, medians of %zu runs)\n",
                bench::Median(program), serverText, kWindowOpenMs / 1000.0, program.size());
    std::printf("launch (cmd 7) %.1f ms from the window's end to the launched program's start; starting that"
                " program directly takes %.1f ms  (clock stamps, medians of %zu runs)\n",
                bench::Median(delay), bench::Median(direct), delay.size());
    return 0;
}
