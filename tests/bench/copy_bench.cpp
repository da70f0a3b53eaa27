// Copy: the program's own copy routine (temporary file, flush, replace in
// one step) against the floor, a bare CopyFile of the same file followed by
// a flush of its target, on a 256 MiB file; onto a new target and over an
// existing one. The two take turns; prints the medians and their ratio.
//
// Usage: copy_bench DIR [runs] [LABEL]   (default 7 runs, at least 5)
// DIR is the folder to copy in (its file system is what is measured);
// LABEL names that file system in the output.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_util.h"
#include "workfiles.h"

namespace {

constexpr DWORD kChunk = 1u << 20;
constexpr unsigned long long kSize = 256ull << 20;

bool WriteSource(const std::string& path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    // Bytes that no file system can compress or leave sparse.
    std::vector<unsigned> chunk(kChunk / sizeof(unsigned));
    unsigned state = 0x2545F491u;
    bool ok = true;
    for (unsigned long long done = 0; ok && done < kSize; done += kChunk) {
        for (unsigned& word : chunk) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            word = state;
        }
        DWORD written = 0;
        ok = WriteFile(f, chunk.data(), kChunk, &written, nullptr) && written == kChunk;
    }
    ok = ok && FlushFileBuffers(f);
    CloseHandle(f);
    return ok;
}

unsigned long long SizeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The program's routine, which works on UTF-16 paths (these are ASCII).
bool ProgramCopy(const std::string& source, const std::string& target)
{
    const std::wstring wideSource(source.begin(), source.end()), wideTarget(target.begin(), target.end());
    return static_cast<bool>(_pg_FileCopy16or32(wideSource, wideTarget));
}

bool FloorCopy(const std::string& source, const std::string& target)
{
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) return false;
    HANDLE f = CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    bool ok = FlushFileBuffers(f) != 0;
    CloseHandle(f);
    return ok;
}

using Copy = bool (*)(const std::string&, const std::string&);

// Times one copy; a negative value when it failed or left a wrong size.
double TimeCopy(Copy copy, const std::string& source, const std::string& target, bool newTarget)
{
    if (newTarget) DeleteFileA(target.c_str());
    const double start = bench::NowMs();
    const bool ok = copy(source, target);
    const double elapsed = bench::NowMs() - start;
    return ok && SizeOf(target) == kSize ? elapsed : -1.0;
}

bool Measure(const char* what, bool newTarget, const std::string& dir, int runs, const std::string& label)
{
    const std::string source = dir + "\\source.bin";
    const std::string programTarget = dir + "\\program-target.bin";
    const std::string floorTarget = dir + "\\floor-target.bin";
    // One untimed round leaves the targets that "over an existing target"
    // replaces, and warms the source into the cache.
    if (TimeCopy(ProgramCopy, source, programTarget, true) < 0 || TimeCopy(FloorCopy, source, floorTarget, true) < 0) {
        std::printf("copy: a first copy in %s failed (error %lu)\n", dir.c_str(), GetLastError());
        return false;
    }
    std::vector<double> program, floor;
    for (int run = 0; run < runs; ++run) {
        const bool programFirst = run % 2 == 0;
        for (int half = 0; half < 2; ++half) {
            const bool isProgram = (half == 0) == programFirst;
            const double ms = isProgram ? TimeCopy(ProgramCopy, source, programTarget, newTarget)
                                        : TimeCopy(FloorCopy, source, floorTarget, newTarget);
            if (ms < 0) {
                std::printf("copy: a copy failed (error %lu)\n", GetLastError());
                return false;
            }
            (isProgram ? program : floor).push_back(ms);
        }
    }
    const double p = bench::Median(program), f = bench::Median(floor);
    std::printf("%-14s _pg_FileCopy16or32: %.0f ms, CopyFile + flush: %.0f ms, ratio %.2f"
                "  (256 MiB on %s, medians of %d runs each, in turns)\n",
                what, p, f, p / f, label.c_str(), runs);
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: copy_bench DIR [runs] [LABEL]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int runs = bench::Runs(argc - 1, argv + 1, 7);
    const std::string label = argc > 3 ? argv[3] : dir;
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string source = dir + "\\source.bin";
    if (!WriteSource(source)) {
        std::printf("copy: cannot write %s (error %lu)\n", source.c_str(), GetLastError());
        return 1;
    }
    const bool ok = Measure("copy new", true, dir, runs, label) && Measure("copy over", false, dir, runs, label);
    for (const char* name : {"\\source.bin", "\\program-target.bin", "\\floor-target.bin"})
        DeleteFileA((dir + name).c_str());
    return ok ? 0 : 1;
}
