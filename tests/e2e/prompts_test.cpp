// The program's two message boxes and the reply write, read from the screen
// through prompt_probe.exe, which calls the same routines the commands use:
// the save confirmation (caption, text broken into 64-character lines, Yes
// and No), the numbered error box, and the reply value written to the
// exchange file, with the error box when that write fails.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness.h"

namespace {

const DWORD kBoxWaitMs = 15000;
const DWORD kExitWaitMs = 20000;
const char kProbe[] = "prompt_probe.exe";

// Copies the probe into `dir` (the reply goes to LINDMORY.INI beside it) and
// starts it with the literal command line "<probe> <word> <argument>".
std::unique_ptr<e2e::Process> StartProbe(const std::string& dir, const std::string& word,
                                         const std::string& argument)
{
    std::string exe = dir + "\\" + kProbe;
    if (!CopyFileA(e2e::ToolPath(kProbe).c_str(), exe.c_str(), FALSE)) return nullptr;
    return std::make_unique<e2e::Process>(exe, "\"" + exe + "\" " + word + " " + argument, dir);
}

// A path-like string of exactly `length` characters whose characters differ
// from their neighbours, so that a line broken one character early or late
// shows in the text. Blanks are included: the box shows them as they are.
std::string PathOfLength(size_t length)
{
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.";
    std::string path = "C:\\";
    for (size_t i = 0; path.size() < length; ++i) path += (i % 17 == 16) ? '\\' : alphabet[i % alphabet.size()];
    return path.substr(0, length);
}

// The box text as the program shows it, built line by line.
std::string VerifyText(const std::vector<std::string>& lines)
{
    std::string text = "Verify save?\n\n";
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
    return text;
}

// Waits for a box of `p`, checks that nothing else of it is on screen, and
// takes its picture.
HWND WaitForBox(const e2e::Process& p, const std::string& shotName)
{
    HWND box = e2e::WaitForWindow(p.Id(), "#32770", kBoxWaitMs);
    if (box) e2e::Screenshot(box, shotName);
    return box;
}

// ---- the save confirmation ----------------------------------------------

struct VerifyCase {
    const char* name;
    size_t length;
    // The lines expected under "Verify save?" and the blank line; built from
    // the path by cutting it at the given offsets.
    std::vector<size_t> cuts;
    int answer;  // button pressed
    DWORD expectedExit;
};

void PrintTo(const VerifyCase& c, std::ostream* os) { *os << c.name; }

class SaveConfirmation : public ::testing::TestWithParam<VerifyCase> {};

TEST_P(SaveConfirmation, ShowsThePathIn64CharacterLinesAndReturnsTheAnswer)
{
    const VerifyCase& c = GetParam();
    std::string path = PathOfLength(c.length);
    ASSERT_EQ(path.size(), c.length);
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t cut : c.cuts) {
        lines.push_back(path.substr(from, cut - from));
        from = cut;
    }
    lines.push_back(path.substr(from));

    e2e::TempDir base("verify");
    auto p = StartProbe(base.Path(), "verify", path);
    ASSERT_TRUE(p && p->Started());
    HWND box = WaitForBox(*p, std::string("save-confirmation-") + c.name);
    ASSERT_NE(box, nullptr) << "no confirmation box";

    EXPECT_EQ(e2e::WindowTitle(box), "Tamberlo 3.1");
    EXPECT_EQ(e2e::MessageBoxText(box), VerifyText(lines));
    EXPECT_EQ(e2e::ButtonIds(box), (std::vector<int>{IDYES, IDNO}));
    EXPECT_TRUE(p->Running()) << "the caller must wait for the answer";

    e2e::PressButton(box, c.answer);
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), c.expectedExit);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, SaveConfirmation,
    ::testing::Values(VerifyCase{"len10_yes", 10, {}, IDYES, 1},
                      VerifyCase{"len64_no", 64, {}, IDNO, 0},
                      VerifyCase{"len65_yes", 65, {64}, IDYES, 1},
                      VerifyCase{"len130_no", 130, {64, 128}, IDNO, 0},
                      VerifyCase{"len600_yes", 600, {64, 128, 192, 256, 320, 384, 448, 512, 576}, IDYES, 1}),
    [](const ::testing::TestParamInfo<VerifyCase>& caseInfo) { return std::string(caseInfo.param.name); });

// The split itself, checked apart from the table above on a path a user
// would choose: the break falls inside a folder name.
TEST(SaveConfirmation, BreaksARealPathAfterThe64thCharacter)
{
    const std::string path =
        "C:\\Users\\Genealogy\\Documents\\Family trees\\Lindmory\\Branch of the Northern Valley\\tree.lmy";
    e2e::TempDir base("verifyreal");
    auto p = StartProbe(base.Path(), "verify", path);
    ASSERT_TRUE(p && p->Started());
    HWND box = WaitForBox(*p, "save-confirmation-real-path");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageBoxText(box),
              "Verify save?\n\n"
              "C:\\Users\\Genealogy\\Documents\\Family trees\\Lindmory\\Branch of the\n"
              " Northern Valley\\tree.lmy");
    e2e::PressButton(box, IDNO);
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u);
}

// ---- the error box ------------------------------------------------------

struct ErrorCase {
    const char* code;  // as given to the probe, hexadecimal
    const char* text;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.code; }

class ErrorBox : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorBox, ShowsTheNumberInFourUpperCaseHexDigitsAndTheCallerGoesOnAfterOk)
{
    const ErrorCase& c = GetParam();
    e2e::TempDir base("errorbox");
    auto p = StartProbe(base.Path(), "error", c.code);
    ASSERT_TRUE(p && p->Started());
    HWND box = WaitForBox(*p, std::string("error-box-") + c.code);
    ASSERT_NE(box, nullptr) << "no error box";

    EXPECT_EQ(e2e::WindowTitle(box), "LINDMORG.EXE");
    EXPECT_EQ(e2e::MessageBoxText(box), c.text);
    EXPECT_EQ(e2e::ButtonIds(box), (std::vector<int>{IDOK}));
    // The box is modal: the caller is still inside the call until OK.
    EXPECT_FALSE(p->WaitExit(300)) << "the caller went on while the box was open";

    e2e::PressButton(box, IDOK);
    ASSERT_TRUE(p->WaitExit(kExitWaitMs));
    EXPECT_EQ(p->ExitCode(), 0u) << "the caller did not go on normally after OK";
}

INSTANTIATE_TEST_SUITE_P(Codes, ErrorBox,
                         ::testing::Values(ErrorCase{"45", "Error, #0045 in ZIVARARI"},
                                           ErrorCase{"43", "Error, #0043 in ZIVARARI"},
                                           ErrorCase{"a", "Error, #000A in ZIVARARI"},
                                           ErrorCase{"fffe", "Error, #FFFE in ZIVARARI"}),
                         [](const ::testing::TestParamInfo<ErrorCase>& caseInfo) {
                             return e2e::SafeName(caseInfo.param.code);
                         });

// ---- the reply value ----------------------------------------------------

TEST(ReplyWrite, FailureShowsError45OnceAndTheCallerEnds)
{
    e2e::TempDir base("replyfail");
    // A directory in the exchange file's place makes the profile write fail.
    ASSERT_TRUE(CreateDirectoryA((base / "LINDMORY.INI").c_str(), nullptr));
    auto p = StartProbe(base.Path(), "reply", "Z:\\work\\a.lmy|C:\\Family\\tree.ged");
    ASSERT_TRUE(p && p->Started());
    HWND box = WaitForBox(*p, "reply-write-failed");
    ASSERT_NE(box, nullptr) << "no error box after a failed write";
    EXPECT_EQ(e2e::WindowTitle(box), "LINDMORG.EXE");
    EXPECT_EQ(e2e::MessageBoxText(box), "Error, #0045 in ZIVARARI");
    EXPECT_EQ(e2e::ButtonIds(box), (std::vector<int>{IDOK}));
    e2e::PressButton(box, IDOK);

    // Any further box would be a second report of the same failure.
    int moreBoxes = 0;
    while (!p->WaitExit(20)) {
        HWND next = e2e::WaitForWindow(p->Id(), "#32770", 0);
        if (next && next != box) {
            ++moreBoxes;
            e2e::Screenshot(next, "reply-write-failed-second-box");
            e2e::PressButton(next, IDOK);
            box = next;
        }
        ASSERT_LT(moreBoxes, 5) << "boxes keep coming";
    }
    EXPECT_EQ(moreBoxes, 0);
    EXPECT_EQ(p->ExitCode(), 0u);
    DWORD attr = GetFileAttributesA((base / "LINDMORY.INI").c_str());
    EXPECT_TRUE(attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY));
}

struct ReplyCase {
    const char* name;
    std::string value;
};

void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.name; }

class ReplyStored : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyStored, SuccessfulWriteShowsNoBoxAndStoresTheValueWhole)
{
    const ReplyCase& c = GetParam();
    e2e::TempDir base("reply");
    std::string ini = base / "LINDMORY.INI";
    e2e::WriteIni(ini, "MyActiveFname", "01020304.lmy");
    e2e::WriteIni(ini, "LongFnameGED", "old value");

    auto p = StartProbe(base.Path(), "reply", c.value);
    ASSERT_TRUE(p && p->Started());
    bool boxShown = false;
    while (!p->WaitExit(5)) {
        if (HWND box = e2e::WaitForWindow(p->Id(), "#32770", 0)) {
            boxShown = true;
            e2e::Screenshot(box, std::string("reply-unexpected-box-") + c.name);
            e2e::PressButton(box, IDOK);
        }
    }
    EXPECT_FALSE(boxShown);
    EXPECT_EQ(p->ExitCode(), 0u);
    EXPECT_EQ(e2e::ReadIni(ini, "LongFnameGED"), c.value);
    EXPECT_EQ(e2e::ReadIni(ini, "MyActiveFname"), "01020304.lmy");
}

std::string LongValue()
{
    std::string value = "Z:\\tmp\\0a1b2c3d.ged|";
    for (int i = 0; value.size() < 3000; ++i) value += "C:\\Family history " + std::to_string(i) + "\\";
    value.resize(2996);
    return value + ".ged";
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReplyStored,
    ::testing::Values(ReplyCase{"work_and_long_path", "Z:\\tmp\\0a1b2c3d.ged|C:\\My Family\\the tree (v2).ged"},
                      ReplyCase{"several_bars", "a|b|c d|"},
                      ReplyCase{"value_3000", LongValue()}),
    [](const ::testing::TestParamInfo<ReplyCase>& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
