// Command 7: the parameter is both the title of a window to wait for and
// the command line to start once that window has gone. While the window
// exists the program waits without using the processor; afterwards it
// starts the command line and ends with exit code 0. Without a parameter,
// or when the program cannot be started, it ends with 0 all the same.
//
// The started program is marker.exe, copied into the base directory so the
// command line has no blanks in its program path; it writes "launched"
// into the file named by its argument.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness.h"

namespace {

const DWORD kExitWaitMs = 20000;
const DWORD kLaunchWaitMs = 5000;

// A hidden top-level window with the given title, made by this test; the
// program under test finds it by title alone.
class TitledWindow {
public:
    explicit TitledWindow(const std::string& title)
        : hwnd_(CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPED, 0, 0, 50, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~TitledWindow() { Close(); }
    TitledWindow(const TitledWindow&) = delete;
    TitledWindow& operator=(const TitledWindow&) = delete;
    bool Open() const { return hwnd_ != nullptr; }
    void Close()
    {
        if (hwnd_) DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }

private:
    HWND hwnd_;
};

// Polls for `path` every `pollMs`; the milliseconds it took, or -1 when it
// did not appear within `timeoutMs`.
long WaitForFile(const std::string& path, DWORD timeoutMs, DWORD pollMs = 5)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (e2e::ReadFileBytes(path) == "launched") return static_cast<long>(GetTickCount() - start);
        if (GetTickCount() - start >= timeoutMs) return -1;
        Sleep(pollMs);
    }
}

class Chain : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CopyFileA(e2e::ToolPath("marker.exe").c_str(), marker_.c_str(), FALSE));
    }

    // Starts command 7 with `parameter` as one quoted argument.
    std::unique_ptr<e2e::Process> StartChain(const std::string& parameter)
    {
        return e2e::StartLindmorh(base_.Path(), "\"7_" + parameter + "\"");
    }

    e2e::TempDir base_{"chain"};
    const std::string marker_ = base_ / "marker.exe";
    const std::string launched_ = base_ / "launched.txt";
    // The command line that starts the marker, and the title waited for.
    const std::string parameter_ = marker_ + " " + launched_;
};

TEST_F(Chain, WaitsWhileTheTitledWindowIsOpenThenStartsTheProgram)
{
    TitledWindow window(parameter_);
    ASSERT_TRUE(window.Open());
    auto p = StartChain(parameter_);
    ASSERT_TRUE(p->Started());

    EXPECT_FALSE(p->WaitExit(1500)) << "ended while the titled window was open";
    EXPECT_FALSE(e2e::FileExists(launched_)) << "started the program while the titled window was open";

    window.Close();
    EXPECT_GE(WaitForFile(launched_, kLaunchWaitMs), 0) << "the program was not started after the window closed";
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);
}

TEST_F(Chain, StartsTheProgramAtOnceWhenNoWindowHasTheTitle)
{
    auto p = StartChain(parameter_);
    ASSERT_TRUE(p->Started());
    EXPECT_GE(WaitForFile(launched_, kLaunchWaitMs), 0) << "the program was not started";
    ASSERT_TRUE(p->WaitExit(kLaunchWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);
}

TEST_F(Chain, OnlyTheExactTitleHoldsTheLaunch)
{
    // Titles that merely contain the parameter, or are contained in it,
    // belong to other windows.
    TitledWindow longer(parameter_ + " - Notepad");
    TitledWindow shorter(marker_);
    ASSERT_TRUE(longer.Open() && shorter.Open());
    auto p = StartChain(parameter_);
    ASSERT_TRUE(p->Started());
    EXPECT_GE(WaitForFile(launched_, kLaunchWaitMs), 0) << "held back by a window with another title";
    ASSERT_TRUE(p->WaitExit(kLaunchWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);
}

struct NothingToStartCase {
    const char* name;
    const char* args;
};

void PrintTo(const NothingToStartCase& c, std::ostream* os) { *os << c.name << " [" << c.args << "]"; }

class ChainWithoutParameter : public ::testing::TestWithParam<NothingToStartCase> {};

TEST_P(ChainWithoutParameter, EndsAtOnceWithZeroAndStartsNothing)
{
    const NothingToStartCase& c = GetParam();
    e2e::TempDir base(std::string("chain-") + c.name);
    // Windows with an empty title exist on any desktop; they must not hold
    // the program either.
    TitledWindow untitled("");
    ASSERT_TRUE(untitled.Open());
    auto p = e2e::StartLindmorh(base.Path(), c.args);
    ASSERT_TRUE(p->Started());
    ASSERT_TRUE(p->WaitExit(kLaunchWaitMs)) << "still running without a parameter";
    EXPECT_EQ(p->ExitCode(), 0u);
    EXPECT_EQ(e2e::ListFiles(base.Path()), (std::vector<std::string>{"lindmorh.exe"}));
}

INSTANTIATE_TEST_SUITE_P(Forms, ChainWithoutParameter,
                         ::testing::Values(NothingToStartCase{"no_underscore", "7"},
                                           NothingToStartCase{"empty_parameter", "7_"},
                                           NothingToStartCase{"leading_zero_empty_parameter", "07_"}),
                         [](const ::testing::TestParamInfo<NothingToStartCase>& caseInfo) {
                             return std::string(caseInfo.param.name);
                         });

TEST_F(Chain, ProgramThatCannotBeStartedStillEndsWithZero)
{
    auto p = StartChain("Z:\\nonexistent\\nothing.exe");
    ASSERT_TRUE(p->Started());
    // A box about the failure would keep it running.
    ASSERT_TRUE(p->WaitExit(kExitWaitMs)) << "still running";
    EXPECT_EQ(p->ExitCode(), 0u);
    EXPECT_EQ(e2e::WaitForWindow(p->Id(), "#32770", 0), nullptr);
}

// Coarse bounds, far from the measured figures, so that a busy machine
// cannot make them fail: the wait sleeps between looks (well under 10% of
// one core) and still notices the window's end quickly (under 500 ms).
TEST_F(Chain, WaitsWithoutBusyLoopingWhileTheWindowIsOpen)
{
    TitledWindow window(parameter_);
    ASSERT_TRUE(window.Open());
    auto p = StartChain(parameter_);
    ASSERT_TRUE(p->Started());

    Sleep(500);  // start-up costs are not part of the wait
    ASSERT_TRUE(p->Running());
    const double cpuBefore = p->CpuMs();
    const DWORD wallStart = GetTickCount();
    Sleep(2000);
    const double cpuMs = p->CpuMs() - cpuBefore;
    const DWORD wallMs = GetTickCount() - wallStart;
    ASSERT_TRUE(p->Running()) << "ended while the titled window was open";
    EXPECT_LT(cpuMs, 0.10 * wallMs) << "used " << cpuMs << " ms of processor time in " << wallMs << " ms";
    RecordProperty("cpu_ms_while_waiting", std::to_string(cpuMs));

    window.Close();
    EXPECT_GE(WaitForFile(launched_, kLaunchWaitMs), 0) << "the program was not started";
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);
}

TEST_F(Chain, StartsTheProgramSoonAfterTheWindowCloses)
{
    // Several runs, so that a slow look-up cycle cannot pass by luck: the
    // window closes at points a third of a second apart, so at least one
    // run falls late in any cycle of up to a second.
    const int kRuns = 3;
    long slowest = 0;
    for (int run = 0; run < kRuns; ++run) {
        DeleteFileA(launched_.c_str());
        TitledWindow window(parameter_);
        ASSERT_TRUE(window.Open());
        auto p = StartChain(parameter_);
        ASSERT_TRUE(p->Started());
        Sleep(400 + 333 * run);
        ASSERT_TRUE(p->Running()) << "ended while the titled window was open";
        ASSERT_FALSE(e2e::FileExists(launched_));

        window.Close();
        const long delayMs = WaitForFile(launched_, kLaunchWaitMs, 5);
        ASSERT_GE(delayMs, 0) << "the program was not started";
        if (delayMs > slowest) slowest = delayMs;
        ASSERT_TRUE(p->WaitExit(kExitWaitMs));
        EXPECT_EQ(p->ExitCode(), 0u);
    }
    EXPECT_LT(slowest, 500) << "started " << slowest << " ms after the window closed";
    RecordProperty("slowest_launch_delay_ms", std::to_string(slowest));
}

// An unquoted path with a space lets the system try its shorter prefixes
// first: beside "Program Files" a "Program.exe" would be started instead,
// with "Files\..." as its argument. The program it names is started.
TEST_F(Chain, DecoyOfAShorterPrefixIsNeverStarted)
{
    const std::string folder = base_ / "Program Files";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(marker_.c_str(), (folder + "\\app.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(marker_.c_str(), (base_ / "Program.exe").c_str(), FALSE));
    // Where the decoy, started in the base directory, would leave its mark.
    const std::string decoyMarks = base_ / "Files";
    ASSERT_TRUE(CreateDirectoryA(decoyMarks.c_str(), nullptr));

    auto p = StartChain(folder + "\\app.exe launched.txt");
    ASSERT_TRUE(p->Started());
    EXPECT_GE(WaitForFile(launched_, kLaunchWaitMs), 0) << "the program named was not started";
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);
    EXPECT_EQ(e2e::ListFiles(decoyMarks), std::vector<std::string>{}) << "the decoy Program.exe was started";
}

// The program's own hidden frame is titled "ZivaRari TA". Waiting for that
// title must not wait for itself: the program "ZivaRari" is started with
// the argument "TA" as soon as the countdown has run.
TEST_F(Chain, OwnWindowsDoNotHoldTheLaunch)
{
    ASSERT_TRUE(CopyFileA(marker_.c_str(), (base_ / "ZivaRari.exe").c_str(), FALSE));
    auto p = StartChain("ZivaRari TA");
    ASSERT_TRUE(p->Started());
    EXPECT_GE(WaitForFile(base_ / "TA", kLaunchWaitMs), 0) << "held back by its own window";
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);
}

}  // namespace
