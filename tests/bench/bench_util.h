// What the benchmarks share: the clock, medians, and starting a program the
// same way for every figure. Benchmarks print figures and assert nothing.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {

// Milliseconds on the system's high-resolution clock, which every process
// of the machine reads alike.
inline double NowMs()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / frequency;
}

inline double Median(std::vector<double> values)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2.0;
}

// Starts `exe` with the literal command line `line` in `cwd` and waits for
// its end; the wall time from the start request to the end, in ms, or a
// negative value when it could not be started.
inline double RunAndWait(const std::string& exe, const std::string& line, const std::string& cwd)
{
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = NowMs();
    if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &startup,
                        &process))
        return -1.0;
    WaitForSingleObject(process.hProcess, INFINITE);
    const double elapsed = NowMs() - start;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

// The number of runs from the first argument, at least 5.
inline int Runs(int argc, char* argv[], int fallback)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : fallback;
    return runs < 5 ? 5 : runs;
}

}  // namespace bench
