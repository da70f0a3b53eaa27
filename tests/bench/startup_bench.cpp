// Start-up: lindmorh.exe running command 8 against the floor, a minimal
// program that creates one hidden window and ends. Both lie in one base
// directory with an exchange file that already holds the version values,
// and both are started the same way, in turns; prints the medians and
// their ratio.
//
// Usage: startup_bench [runs]   (default 11, at least 5)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_util.h"
#include "harness.h"

int main(int argc, char* argv[])
{
    const int runs = bench::Runs(argc, argv, 11);
    e2e::TempDir base("bench-startup");
    const std::string program = e2e::InstallProgram(base.Path());
    const std::string floor = base / "startup_floor.exe";
    if (program.empty() || !CopyFileA(e2e::ToolPath("startup_floor.exe").c_str(), floor.c_str(), FALSE)) {
        std::printf("start-up: cannot lay out %s\n", base.Path().c_str());
        return 1;
    }
    e2e::WriteFileBytes(base / "LINDMORY.INI", "[Export]\r\n");
    // A window of the benchmark's own keeps Wine's desktop process alive
    // between the runs, so that no run pays for starting it.
    HWND keep = CreateWindowExA(0, "STATIC", "start-up benchmark", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    const std::string programLine = "\"" + program + "\" 8";
    const std::string floorLine = "\"" + floor + "\"";

    // The first runs fill the exchange file and warm the caches.
    for (int i = 0; i < 2; ++i) {
        bench::RunAndWait(program, programLine, base.Path());
        bench::RunAndWait(floor, floorLine, base.Path());
    }
    std::vector<double> programMs, floorMs;
    for (int run = 0; run < runs; ++run) {
        // In turns, so that a slow moment of the machine falls on both.
        const bool programFirst = run % 2 == 0;
        for (int half = 0; half < 2; ++half) {
            const bool isProgram = (half == 0) == programFirst;
            const double ms = isProgram ? bench::RunAndWait(program, programLine, base.Path())
                                        : bench::RunAndWait(floor, floorLine, base.Path());
            if (ms < 0) {
                std::printf("start-up: cannot start %s\n", (isProgram ? program : floor).c_str());
                return 1;
            }
            (isProgram ? programMs : floorMs).push_back(ms);
        }
    }
    if (keep) DestroyWindow(keep);
    const double p = bench::Median(programMs), f = bench::Median(floorMs);
    std::printf("start-up       lindmorh.exe 8: %.1f ms, floor (one hidden window): %.1f ms, ratio %.2f"
                "  (medians of %d runs each, in turns)\n",
                p, f, p / f, runs);
    return 0;
}
