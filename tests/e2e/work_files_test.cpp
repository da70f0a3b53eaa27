// Creating work files: names from the time of day, never a name whose
// digits a native or GEDCOM file already has, and a clean 0 where the base
// directory takes no new file. Driven through prompt_probe.exe, which calls
// the routine the open and save-as commands use.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "harness.h"
#include "names.h"
#include "runtime.h"

namespace {

// Copies the probe into `dir` and runs "prompt_probe rnd <module>" there.
DWORD RunRnd(const std::string& dir, const std::string& module, DWORD timeoutMs, bool* ended)
{
    std::string exe = dir + "\\prompt_probe.exe";
    if (!CopyFileA(e2e::ToolPath("prompt_probe.exe").c_str(), exe.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy prompt_probe.exe";
        *ended = false;
        return 0xFFFFFFFF;
    }
    std::string line = "\"" + exe + "\" rnd";
    if (!module.empty()) line += " " + module;
    e2e::Process p(exe, line, dir);
    *ended = p.WaitExit(timeoutMs);
    return p.ExitCode();
}

bool IsWorkFileName(const std::string& name)
{
    if (name.size() != 12 || name.substr(8) != ".lmy") return false;
    return std::all_of(name.begin(), name.begin() + 8,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

std::set<std::string> FilesIn(const std::string& dir)
{
    const std::vector<std::string> files = e2e::ListFiles(dir);
    return std::set<std::string>(files.begin(), files.end());
}

std::set<std::string> NewFiles(const std::string& dir, const std::set<std::string>& before)
{
    std::set<std::string> added;
    for (const std::string& f : e2e::ListFiles(dir))
        if (!before.count(f)) added.insert(f);
    return added;
}

TEST(WorkFile, CreatedEmptyWithEightLowerCaseHexDigits)
{
    e2e::TempDir base("rnd-plain");
    e2e::WriteFileBytes(base / "prompt_probe.exe", "");
    std::set<std::string> before = FilesIn(base.Path());
    bool ended = false;
    EXPECT_EQ(RunRnd(base.Path(), "", 20000, &ended), 1u);
    ASSERT_TRUE(ended);
    std::set<std::string> added = NewFiles(base.Path(), before);
    ASSERT_EQ(added.size(), 1u);
    const std::string name = *added.begin();
    EXPECT_TRUE(IsWorkFileName(name)) << name;
    EXPECT_EQ(e2e::ReadFileBytes(base / name), "");
}

TEST(WorkFile, NeverTakesTheDigitsOfAnExistingNativeOrGedcomFile)
{
    e2e::TempDir base("rnd-taken");
    // Every name of the next four seconds is taken: even seconds by a
    // pending GEDCOM export, odd ones by a native work file.
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME ft;
    SystemTimeToFileTime(&now, &ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    std::set<std::string> takenDigits;
    for (int h = 0; h < 400; ++h) {
        ULARGE_INTEGER u = t;
        u.QuadPart += static_cast<ULONGLONG>(h) * 100000;  // hundredths in 100 ns units
        FILETIME f{u.LowPart, u.HighPart};
        SYSTEMTIME s;
        FileTimeToSystemTime(&f, &s);
        struct time tm;
        tm.ti_hour = static_cast<unsigned char>(s.wHour);
        tm.ti_min = static_cast<unsigned char>(s.wMinute);
        tm.ti_sec = static_cast<unsigned char>(s.wSecond);
        tm.ti_hund = static_cast<unsigned char>(s.wMilliseconds / 10);
        std::wstring wide = WorkFileName(tm);
        if (s.wSecond % 2 == 0) _pg_appendGED2str(wide);
        const std::string name(wide.begin(), wide.end());  // ASCII only
        if (takenDigits.insert(name.substr(0, 8)).second) e2e::WriteFileBytes(base / name, "pending " + name);
    }
    std::set<std::string> before = FilesIn(base.Path());
    bool ended = false;
    EXPECT_EQ(RunRnd(base.Path(), "", 30000, &ended), 1u);
    ASSERT_TRUE(ended);
    std::set<std::string> added = NewFiles(base.Path(), before);
    added.erase("prompt_probe.exe");
    ASSERT_EQ(added.size(), 1u);
    const std::string name = *added.begin();
    EXPECT_TRUE(IsWorkFileName(name)) << name;
    EXPECT_EQ(takenDigits.count(name.substr(0, 8)), 0u) << name << " reuses the digits of an existing file";
    // Nothing that was there has been emptied.
    before.erase("prompt_probe.exe");
    for (const std::string& f : before) EXPECT_EQ(e2e::ReadFileBytes(base / f), "pending " + f);
}

TEST(WorkFile, BaseDirectoryThatTakesNoFileGivesZeroAtOnce)
{
    e2e::TempDir base("rnd-refused");
    // The base directory of this module does not exist, so no file can be
    // created there: the routine must give up, not try names for ever.
    std::string module = base / "missing\\lindmorh.exe";
    bool ended = false;
    EXPECT_EQ(RunRnd(base.Path(), module, 10000, &ended), 0u);
    EXPECT_TRUE(ended);
}

TEST(WorkFile, ReadOnlyBaseDirectoryGivesZeroAtOnce)
{
#ifdef _WIN64
    const std::string ro = "Z:\\tmp\\zivarari-mounts\\x64\\ro";
#else
    const std::string ro = "Z:\\tmp\\zivarari-mounts\\x86\\ro";
#endif
    if (!e2e::IsWine() || GetFileAttributesA(ro.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "needs root for mounts (scripts/mounts.sh setup)";
    e2e::TempDir probeDir("rnd-ro");
    std::set<std::string> before = FilesIn(ro);
    bool ended = false;
    EXPECT_EQ(RunRnd(probeDir.Path(), ro + "\\lindmorh.exe", 10000, &ended), 0u);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(NewFiles(ro, before).empty());
}

}  // namespace
