// Start-up and dispatch: the program takes exactly one argument, the
// command string; anything else, and any code that selects no command,
// ends it with exit code 0 without showing or writing anything. Codes are
// read as hexadecimal by the runtime and reduced to 16 bits, so several
// spellings select command 8. The hidden frame "ZivaRari TA" never shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

const DWORD kExitWaitMs = 20000;
const char kFrameTitle[] = "ZivaRari TA";
const char kIni[] = "LINDMORY.INI";

// An exchange file as the host leaves it, with values that command 8 would
// replace on any system.
const char kPresetIni[] =
    "[Export]\r\n"
    "MyActiveFname=01020304.lmy\r\n"
    "LongFnameGED=C:\\Family\\tree.ged\r\n"
    "dwMajorVersion=99\r\n"
    "dwPlatformId=99\r\n";

// What was seen of the program's top-level windows while it ran.
struct WindowWatch {
    int framePolls = 0;        // polls that found the frame
    int frameVisiblePolls = 0; // polls that found it visible
    int visiblePolls = 0;      // polls that found any visible window of the process
    int polls = 0;
};

struct WatchState {
    DWORD pid;
    bool frame = false;
    bool frameVisible = false;
    bool anyVisible = false;
};

BOOL CALLBACK WatchWindow(HWND w, LPARAM param)
{
    auto* s = reinterpret_cast<WatchState*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid) return TRUE;
    bool visible = IsWindowVisible(w) != FALSE;
    if (visible) s->anyVisible = true;
    char title[64];
    int n = GetWindowTextA(w, title, sizeof title);
    if (n >= 0 && std::string(title, n) == kFrameTitle) {
        s->frame = true;
        if (visible) s->frameVisible = true;
    }
    return TRUE;
}

// One look at all top-level windows of `pid`, added to `watch`.
void PollWindows(DWORD pid, WindowWatch& watch)
{
    WatchState s{pid};
    EnumWindows(WatchWindow, reinterpret_cast<LPARAM>(&s));
    ++watch.polls;
    watch.framePolls += s.frame;
    watch.frameVisiblePolls += s.frameVisible;
    watch.visiblePolls += s.anyVisible;
}

// Polls every millisecond from now until the process ends or `limitMs`
// passes; true when it ended.
bool WatchUntilExit(e2e::Process& p, WindowWatch& watch, DWORD limitMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        PollWindows(p.Id(), watch);
        if (p.WaitExit(1)) return true;
        if (GetTickCount() - start >= limitMs) return false;
    }
}

// ---- argument count and unknown codes -----------------------------------

struct QuietCase {
    const char* name;
    const char* args;  // verbatim after the quoted program path; "" = none
};

void PrintTo(const QuietCase& c, std::ostream* os) { *os << c.name << " [" << c.args << "]"; }

class QuietExit : public ::testing::TestWithParam<QuietCase> {};

// Runs the program with `args` beside a preset exchange file and checks
// that it ended with 0, showed nothing, and left the directory as it was.
void ExpectQuietRun(const QuietCase& c, bool frameMayBeCreated)
{
    e2e::TempDir base(std::string("quiet-") + c.name);
    ASSERT_TRUE(e2e::WriteFileBytes(base / kIni, kPresetIni));
    ASSERT_FALSE(e2e::InstallProgram(base.Path()).empty());
    const std::vector<std::string> before = e2e::ListFiles(base.Path());

    auto p = e2e::StartLindmorh(base.Path(), c.args);
    ASSERT_TRUE(p->Started());
    WindowWatch watch;
    ASSERT_TRUE(WatchUntilExit(*p, watch, kExitWaitMs)) << "still running";

    EXPECT_EQ(p->ExitCode(), 0u);
    EXPECT_EQ(watch.visiblePolls, 0) << "a window was shown";
    if (!frameMayBeCreated) {
        EXPECT_EQ(watch.framePolls, 0) << "the frame was built for a bad argument count";
    }
    EXPECT_EQ(e2e::ReadFileBytes(base / kIni), kPresetIni);
    EXPECT_EQ(e2e::ListFiles(base.Path()), before);
}

TEST_P(QuietExit, EndsWithZeroAndTouchesNothing)
{
    const QuietCase& c = GetParam();
    ExpectQuietRun(c, /*frameMayBeCreated=*/true);
}

// Unknown codes: none of 1..8 after base-16 reading and the 16-bit cut.
INSTANTIATE_TEST_SUITE_P(
    UnknownCodes, QuietExit,
    ::testing::Values(QuietCase{"zero", "0"}, QuietCase{"nine", "9"}, QuietCase{"hex_A", "A"},
                      QuietCase{"hex_10_is_16", "10"}, QuietCase{"empty_quoted", "\"\""},
                      QuietCase{"underscore_only_code", "_5"}, QuietCase{"saturates_to_FFFF", "123456789"},
                      QuietCase{"not_hex", "zz"}, QuietCase{"minus_8_is_FFF8", "-8"},
                      QuietCase{"zero_with_parameter", "0_8"}),
    [](const ::testing::TestParamInfo<QuietCase>& caseInfo) { return std::string(caseInfo.param.name); });

class WrongArgumentCount : public ::testing::TestWithParam<QuietCase> {};

TEST_P(WrongArgumentCount, EndsWithZeroBeforeBuildingAnything)
{
    ExpectQuietRun(GetParam(), /*frameMayBeCreated=*/false);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, WrongArgumentCount,
    ::testing::Values(QuietCase{"none", ""}, QuietCase{"two_eights", "8 8"},
                      QuietCase{"eight_and_empty", "8 \"\""}, QuietCase{"three", "8 7_x 1"}),
    [](const ::testing::TestParamInfo<QuietCase>& caseInfo) { return std::string(caseInfo.param.name); });

// ---- spellings that select command 8 ------------------------------------

class SelectsCommandEight : public ::testing::TestWithParam<QuietCase> {};

// The version reported under Wine for this program name.
const char kEightExe[] = "lmst_eight.exe";

TEST_P(SelectsCommandEight, WritesTheVersionKeys)
{
    const QuietCase& c = GetParam();
    if (e2e::IsWine()) e2e::SetWineVersion(kEightExe, "winxp64");  // 5 / 2
    e2e::TempDir base(std::string("eight-") + c.name);
    ASSERT_TRUE(e2e::WriteFileBytes(base / kIni, kPresetIni));

    auto p = e2e::StartLindmorh(base.Path(), c.args, kEightExe);
    ASSERT_TRUE(p->Started());
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);

    std::string major = e2e::ReadIni(base / kIni, "dwMajorVersion");
    std::string platform = e2e::ReadIni(base / kIni, "dwPlatformId");
    if (e2e::IsWine()) {
        EXPECT_EQ(major, "5");
        EXPECT_EQ(platform, "2");
    } else {
        EXPECT_NE(major, "99");
        EXPECT_EQ(platform, "2");
    }
    EXPECT_EQ(e2e::ReadIni(base / kIni, "MyActiveFname"), "01020304.lmy");
    EXPECT_EQ(e2e::ReadIni(base / kIni, "LongFnameGED"), "C:\\Family\\tree.ged");
    EXPECT_EQ(e2e::ListFiles(base.Path()), (std::vector<std::string>{kIni, kEightExe}));
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, SelectsCommandEight,
    ::testing::Values(QuietCase{"plain", "8"}, QuietCase{"leading_zero", "08"}, QuietCase{"hex_prefix", "0x8"},
                      QuietCase{"plus_sign", "+8"}, QuietCase{"low_16_bits", "10008"},
                      QuietCase{"negated", "-FFF8"}, QuietCase{"upper_case_hex_prefix", "0X8"},
                      QuietCase{"with_parameter", "8_ignored"}, QuietCase{"quoted", "\"8\""}),
    [](const ::testing::TestParamInfo<QuietCase>& caseInfo) { return std::string(caseInfo.param.name); });

// ---- the hidden frame ---------------------------------------------------

TEST(HiddenFrame, NeverVisibleWhileCommandEightRuns)
{
    e2e::TempDir base("frame8");
    ASSERT_TRUE(e2e::WriteFileBytes(base / kIni, kPresetIni));
    auto p = e2e::StartLindmorh(base.Path(), "8");
    ASSERT_TRUE(p->Started());
    WindowWatch watch;
    ASSERT_TRUE(WatchUntilExit(*p, watch, kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);
    EXPECT_EQ(watch.frameVisiblePolls, 0) << "frame seen visible";
    EXPECT_EQ(watch.visiblePolls, 0) << "some window was visible";
    RecordProperty("polls", watch.polls);
    RecordProperty("frame_polls", watch.framePolls);
}

TEST(HiddenFrame, ExistsButNeverVisibleWhileCommandSevenWaits)
{
    e2e::TempDir base("frame7");
    const std::string parameter = "ZivaRari frame test window " + std::to_string(GetCurrentProcessId());
    // Command 7 waits while a window with its parameter as title exists;
    // the parameter names no program, so nothing is started afterwards.
    HWND blocker = CreateWindowExA(0, "STATIC", parameter.c_str(), WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(blocker, nullptr);

    auto p = e2e::StartLindmorh(base.Path(), "\"7_" + parameter + "\"");
    ASSERT_TRUE(p->Started());
    WindowWatch watch;
    EXPECT_FALSE(WatchUntilExit(*p, watch, 1500)) << "ended while the titled window was open";
    DestroyWindow(blocker);
    ASSERT_TRUE(WatchUntilExit(*p, watch, kExitWaitMs));

    EXPECT_EQ(p->ExitCode(), 0u);
    EXPECT_GT(watch.framePolls, 0) << "the frame " << kFrameTitle << " was never found";
    EXPECT_EQ(watch.frameVisiblePolls, 0) << "frame seen visible";
    EXPECT_EQ(watch.visiblePolls, 0) << "some window was visible";
}

}  // namespace
