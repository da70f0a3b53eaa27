// Command 8: the system's major version and platform id go into an
// exchange file that already exists. A key is rewritten only when its
// stored value, read as leading decimal digits, differs from the system's;
// a run that changes nothing leaves the file byte for byte as it was (the
// profile API rewrites the whole file on any write). Other keys stay.
// Wine reports the version set for the program's file name.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness.h"

namespace {

const DWORD kExitWaitMs = 20000;
const char kIni[] = "LINDMORY.INI";
const char kMissing[] = "<missing>";

// The Windows version a copy of the program reports, by file name.
std::string ExeFor(const std::string& version) { return "lmvr_" + version + ".exe"; }

// Exchange-file text with the other keys around the version keys; a null
// value leaves the key out.
std::string IniText(const char* major, const char* platform)
{
    std::string text = "[Export]\r\nMyActiveFname=01020304.lmy\r\n";
    if (major) text += std::string("dwMajorVersion=") + major + "\r\n";
    text += "LongFnameGED=Z:\\tmp\\0a0b0c0d.ged|C:\\My Family\\tree.ged\r\n";
    if (platform) text += std::string("dwPlatformId=") + platform + "\r\n";
    text += "LongFnameLMY=C:\\My Family\\tree.lmy\r\n"
            "[Other]\r\ndwMajorVersion=keep\r\n";
    return text;
}

std::unique_ptr<e2e::Process> RunCommandEight(const std::string& dir, const std::string& version)
{
    e2e::SetWineVersion(ExeFor(version), version);
    return e2e::StartLindmorh(dir, "8", ExeFor(version));
}

class VersionReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!e2e::IsWine()) GTEST_SKIP() << "the reported Windows version can only be chosen under Wine";
    }
};

TEST_F(VersionReport, WithoutAnExchangeFileCreatesNothing)
{
    e2e::TempDir base("report-nofile");
    auto p = RunCommandEight(base.Path(), "nt40");
    ASSERT_TRUE(p->Started());
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);
    EXPECT_EQ(e2e::ListFiles(base.Path()), (std::vector<std::string>{ExeFor("nt40")}));
}

struct ReportCase {
    const char* name;
    const char* storedMajor;     // null: key missing
    const char* storedPlatform;  // null: key missing
    const char* version;
    const char* expectedMajor;   // as read back afterwards
    const char* expectedPlatform;
    bool rewritten;
};

void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }

class VersionValues : public ::testing::TestWithParam<ReportCase> {
protected:
    void SetUp() override
    {
        if (!e2e::IsWine()) GTEST_SKIP() << "the reported Windows version can only be chosen under Wine";
    }
};

TEST_P(VersionValues, RewritesOnlyKeysWhoseNumberDiffers)
{
    const ReportCase& c = GetParam();
    e2e::TempDir base(std::string("report-") + c.name);
    const std::string ini = base / kIni;
    const std::string before = IniText(c.storedMajor, c.storedPlatform);
    ASSERT_TRUE(e2e::WriteFileBytes(ini, before));

    auto p = RunCommandEight(base.Path(), c.version);
    ASSERT_TRUE(p->Started());
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);

    const std::string after = e2e::ReadFileBytes(ini);
    if (c.rewritten)
        EXPECT_NE(after, before) << "the file was not written";
    else
        EXPECT_EQ(after, before) << "the file was written although the values were right";
    EXPECT_EQ(e2e::ReadIni(ini, "dwMajorVersion", kMissing), c.expectedMajor);
    EXPECT_EQ(e2e::ReadIni(ini, "dwPlatformId", kMissing), c.expectedPlatform);
    EXPECT_EQ(e2e::ReadIni(ini, "MyActiveFname"), "01020304.lmy");
    EXPECT_EQ(e2e::ReadIni(ini, "LongFnameGED"), "Z:\\tmp\\0a0b0c0d.ged|C:\\My Family\\tree.ged");
    EXPECT_EQ(e2e::ReadIni(ini, "LongFnameLMY"), "C:\\My Family\\tree.lmy");
    char other[32] = {};
    GetPrivateProfileStringA("Other", "dwMajorVersion", "", other, sizeof other, ini.c_str());
    EXPECT_STREQ(other, "keep") << "a key of another section was touched";
    EXPECT_EQ(e2e::ListFiles(base.Path()), (std::vector<std::string>{kIni, ExeFor(c.version)}));
}

// nt40 reports 4 / 2, win98 4 / 1, winxp64 5 / 2.
INSTANTIATE_TEST_SUITE_P(
    Stored, VersionValues,
    ::testing::Values(
        ReportCase{"both_equal_nt40", "4", "2", "nt40", "4", "2", false},
        ReportCase{"both_equal_win98", "4", "1", "win98", "4", "1", false},
        ReportCase{"both_equal_winxp64", "5", "2", "winxp64", "5", "2", false},
        ReportCase{"trailing_letters_read_as_number", "4x", "2 units", "nt40", "4x", "2 units", false},
        ReportCase{"leading_zeros_read_as_number", "004", "01", "win98", "004", "01", false},
        ReportCase{"both_missing", nullptr, nullptr, "nt40", "4", "2", true},
        ReportCase{"both_empty", "", "", "win98", "4", "1", true},
        ReportCase{"letters_read_as_zero", "abc", "2", "nt40", "4", "2", true},
        ReportCase{"major_different_platform_kept_as_stored", "3", "02", "nt40", "4", "02", true},
        ReportCase{"platform_different_major_kept_as_stored", "4x", "2", "win98", "4x", "1", true},
        ReportCase{"ten_is_not_five", "10", "2", "winxp64", "5", "2", true},
        ReportCase{"nt40_values_under_winxp64", "4", "2", "winxp64", "5", "2", true},
        ReportCase{"platform_missing_only", "5", nullptr, "winxp64", "5", "2", true},
        ReportCase{"zero_platform_stored", "4", "0", "win98", "4", "1", true}),
    [](const ::testing::TestParamInfo<ReportCase>& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
