// The program runs its command only on Windows 3.10 or later: under an
// older reported version it quits at once, with exit code 0, leaving the
// exchange file alone and starting nothing. Wine reports the version set
// for the program's file name, so each case runs a copy under its own name.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

const DWORD kExitWaitMs = 20000;
const char kIni[] = "LINDMORY.INI";
const char kPresetIni[] =
    "[Export]\r\n"
    "LongFnameGED=C:\\Family\\tree.ged\r\n"
    "dwMajorVersion=99\r\n"
    "dwPlatformId=99\r\n";

struct GateCase {
    const char* version;  // Wine's version name
    bool runs;
};

void PrintTo(const GateCase& c, std::ostream* os) { *os << c.version; }

std::string ExeFor(const GateCase& c, const char* command)
{
    return std::string("lmvg_") + command + "_" + c.version + ".exe";
}

class VersionGate : public ::testing::TestWithParam<GateCase> {
protected:
    void SetUp() override
    {
        if (!e2e::IsWine()) GTEST_SKIP() << "the reported Windows version can only be chosen under Wine";
    }
};

TEST_P(VersionGate, CommandEightWritesOnlyFromVersion310)
{
    const GateCase& c = GetParam();
    const std::string exe = ExeFor(c, "c8");
    e2e::SetWineVersion(exe, c.version);
    e2e::TempDir base(std::string("gate8-") + c.version);
    ASSERT_TRUE(e2e::WriteFileBytes(base / kIni, kPresetIni));

    auto p = e2e::StartLindmorh(base.Path(), "8", exe);
    ASSERT_TRUE(p->Started());
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);

    if (c.runs) {
        // Windows 3.x reports major version 3 on platform 0 (Win32s).
        EXPECT_EQ(e2e::ReadIni(base / kIni, "dwMajorVersion"), "3");
        EXPECT_EQ(e2e::ReadIni(base / kIni, "dwPlatformId"), "0");
        EXPECT_EQ(e2e::ReadIni(base / kIni, "LongFnameGED"), "C:\\Family\\tree.ged");
    } else {
        EXPECT_EQ(e2e::ReadFileBytes(base / kIni), kPresetIni);
    }
}

TEST_P(VersionGate, CommandSevenStartsTheProgramOnlyFromVersion310)
{
    const GateCase& c = GetParam();
    const std::string exe = ExeFor(c, "c7");
    e2e::SetWineVersion(exe, c.version);
    e2e::TempDir base(std::string("gate7-") + c.version);
    const std::string marker = base / "marker.exe";
    ASSERT_TRUE(CopyFileA(e2e::ToolPath("marker.exe").c_str(), marker.c_str(), FALSE));
    const std::string launched = base / "launched.txt";

    // No window has this title, so a running command 7 starts it at once.
    auto p = e2e::StartLindmorh(base.Path(), "\"7_" + marker + " " + launched + "\"", exe);
    ASSERT_TRUE(p->Started());
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);

    if (c.runs) {
        // WinExec has returned, but the started program may still be writing.
        DWORD start = GetTickCount();
        while (e2e::ReadFileBytes(launched) != "launched" && GetTickCount() - start < 10000) Sleep(10);
        EXPECT_EQ(e2e::ReadFileBytes(launched), "launched");
    } else {
        // Give a launch that should not have happened the same time to show.
        Sleep(1000);
        EXPECT_FALSE(e2e::FileExists(launched)) << "started a program under " << c.version;
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionGate,
                         ::testing::Values(GateCase{"win30", false}, GateCase{"win31", true}),
                         [](const ::testing::TestParamInfo<GateCase>& caseInfo) {
                             return std::string(caseInfo.param.version);
                         });

}  // namespace
