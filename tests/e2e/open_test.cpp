// Commands 1 and 2 through the real Open dialog: what is staged in the
// base directory for the chosen document and what the reply says.
#include <gtest/gtest.h>

#include <algorithm>

#include "file_commands.h"
#include "harness.h"

namespace {

enum class Staged { Native, Gedcom, Nothing };

const char* KindName(Staged kind)
{
    switch (kind) {
    case Staged::Native: return "native";
    case Staged::Gedcom: return "gedcom";
    case Staged::Nothing: return "nothing";
    }
    return "?";
}

// Starts command `cmd`, screenshots its Open dialog, types `typed` and
// confirms it, and waits for the program to end without another window.
void OpenAndConfirm(const e2e::TempDir& base, const std::string& cmd, const std::string& typed,
                    const std::string& shot)
{
    auto p = e2e::StartLindmorh(base.Path(), cmd);
    HWND dlg = fc::ExpectFileDialog(*p, "Open", shot);
    ASSERT_NE(dlg, nullptr);
    e2e::ConfirmFileDialog(dlg, typed);
    fc::ExpectCleanExit(*p, shot);
}

// Checks the reply and the base directory after the user chose `longPath`
// (holding `content`): `known` are the files that were there before.
void ExpectStaged(const e2e::TempDir& base, const std::vector<std::string>& known, const std::string& longPath,
                  const std::string& content, Staged kind)
{
    std::string reply = fc::Reply(base);
    std::vector<std::string> added = fc::FilesBesides(base.Path(), known);
    EXPECT_EQ(e2e::ReadFileBytes(longPath), content) << "the chosen document was changed";
    if (kind == Staged::Nothing) {
        EXPECT_EQ(reply, "");
        EXPECT_EQ(added, std::vector<std::string>{}) << "a work file was left behind";
        return;
    }
    size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << "reply: " << reply;
    std::string work = reply.substr(0, bar);
    EXPECT_EQ(reply.substr(bar + 1), longPath);
    std::string digits = work.substr(0, 8);
    if (kind == Staged::Native) {
        EXPECT_TRUE(fc::IsWorkName(work, true, ".LMY")) << work;
        // The work file itself carries the lower-case name it was created with.
        EXPECT_EQ(added, std::vector<std::string>{fc::Lower(digits) + ".lmy"});
        EXPECT_EQ(e2e::ReadFileBytes(base / work), content);
    } else {
        EXPECT_TRUE(fc::IsWorkName(work, true, ".GED")) << work;
        std::vector<std::string> expected{digits + ".GED", fc::Lower(digits) + ".lmy"};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(added, expected);
        EXPECT_EQ(e2e::ReadFileBytes(base / work), content);
        EXPECT_TRUE(e2e::FileExists(base / (fc::Lower(digits) + ".lmy")));
        EXPECT_EQ(e2e::ReadFileBytes(base / (fc::Lower(digits) + ".lmy")), "") << "the placeholder is not empty";
    }
}

// One chosen document: where it lies (below the documents folder), which
// command opens it, and what must be staged.
struct Choice {
    const char* cmd;
    const char* relPath;  // below the documents folder; folders are created
    Staged kind;
};

void PrintTo(const Choice& c, std::ostream* os) { *os << "cmd " << c.cmd << " " << c.relPath << " -> " << KindName(c.kind); }

std::string ChoiceName(const testing::TestParamInfo<Choice>& i)
{
    return fc::CaseName(i.index, std::string("cmd") + i.param.cmd + "_" + i.param.relPath + "_" + KindName(i.param.kind));
}

// Creates the document (and its folders), opens it by its full path with
// the command and checks what was staged.
void RunChoice(const Choice& c, const std::string& shot)
{
    fc::Dirs d("open");
    std::string path = d.docs / c.relPath;
    for (size_t slash = path.find('\\', d.docs.Path().size() + 1); slash != std::string::npos;
         slash = path.find('\\', slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    std::string content = fc::Document(c.relPath);
    ASSERT_TRUE(e2e::WriteFileBytes(path, content)) << path;

    ASSERT_NO_FATAL_FAILURE(OpenAndConfirm(d.base, c.cmd, path, shot));
    ExpectStaged(d.base, {fc::kExe, fc::kIniName}, path, content, c.kind);
}

// ---- cancel ---------------------------------------------------------------

struct CancelCase {
    const char* cmd;
    bool iniExists;
};

std::string CancelName(const testing::TestParamInfo<CancelCase>& i)
{
    return fc::CaseName(i.index, std::string("cmd") + i.param.cmd + (i.param.iniExists ? "_with_ini" : "_no_ini"));
}

class OpenCancel : public testing::TestWithParam<CancelCase> {};

TEST_P(OpenCancel, RepliesEmptyAndStagesNothing)
{
    const CancelCase& c = GetParam();
    e2e::TempDir base("open-cancel");
    // Documents right where the dialog opens, so a staging would show.
    ASSERT_TRUE(e2e::WriteFileBytes(base / "Smith.lmy", fc::Document("native")));
    ASSERT_TRUE(e2e::WriteFileBytes(base / "Smith.ged", fc::Document("gedcom")));
    if (c.iniExists) {
        e2e::WriteIni(fc::Ini(base), "LongFnameGED", "0A0B0C0D.GED|C:\\Trees\\Old.ged");
        e2e::WriteIni(fc::Ini(base), "LongFnameLMY", "C:\\Trees\\Kept.lmy");
    }

    auto p = e2e::StartLindmorh(base.Path(), c.cmd);
    HWND dlg = fc::ExpectFileDialog(*p, "Open",
                                    std::string("open-cancel-cmd") + c.cmd + (c.iniExists ? "-ini" : "-no-ini"));
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(fc::CancelDialog(dlg));
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(fc::Reply(base), "") << "the reply key must be present and empty";
    if (c.iniExists) {
        EXPECT_EQ(e2e::ReadIni(fc::Ini(base), "LongFnameLMY"), "C:\\Trees\\Kept.lmy");
    }
    EXPECT_EQ(fc::FilesBesides(base.Path(), {fc::kExe, fc::kIniName, "Smith.lmy", "Smith.ged"}),
              std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Commands, OpenCancel,
                         testing::Values(CancelCase{"1", true}, CancelCase{"1", false}, CancelCase{"2", true},
                                         CancelCase{"2", false}),
                         CancelName);

// ---- the dialog as it opens --------------------------------------------------

struct PresetCase {
    const char* cmd;
    const char* pattern;
    const std::vector<std::string>* types;
    const char* bareName;  // the document in the base directory
    const char* typed;     // what the user types: the name, or the name without its extension
};

std::string PresetName(const testing::TestParamInfo<PresetCase>& i)
{
    return fc::CaseName(i.index, std::string("cmd") + i.param.cmd + "_typed_" + i.param.typed);
}

void PrintTo(const PresetCase& c, std::ostream* os) { *os << "cmd " << c.cmd << " typed " << c.typed; }

class OpenPreset : public testing::TestWithParam<PresetCase> {};

// The dialog opens in the base directory (a bare name is taken from
// there), with the command's pattern in the name field and its filters. A
// name typed without an extension gets the dialog's default one, which
// names the existing document.
TEST_P(OpenPreset, StartsInBaseDirWithPatternAndFilters)
{
    const PresetCase& c = GetParam();
    e2e::TempDir base("open-preset");
    std::string content = fc::Document(c.bareName);
    ASSERT_TRUE(e2e::WriteFileBytes(base / c.bareName, content));

    auto p = e2e::StartLindmorh(base.Path(), c.cmd);
    HWND dlg = fc::ExpectFileDialog(*p, "Open", std::string("open-preset-cmd") + c.cmd + "-typed-" + c.typed);
    ASSERT_NE(dlg, nullptr);
    std::string shown = e2e::DialogFileName(dlg);
    EXPECT_TRUE(shown == c.pattern || shown == base / c.pattern) << "name field: " << shown;
    EXPECT_EQ(fc::FileTypes(dlg), *c.types);
    e2e::ConfirmFileDialog(dlg, c.typed);
    fc::ExpectCleanExit(*p);

    std::string reply = fc::Reply(base);
    const size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << reply;
    if (std::string(c.typed) == c.bareName) {
        EXPECT_EQ(reply.substr(bar + 1), base / c.bareName) << reply;
    } else {
        // The default extension comes in the record's letter case or the
        // filter's; either names the document.
        EXPECT_EQ(lstrcmpiA(reply.substr(bar + 1).c_str(), (base / c.bareName).c_str()), 0) << reply;
    }
    EXPECT_EQ(e2e::ReadFileBytes(base / reply.substr(0, bar)), content) << "the work file does not hold the document";
}

INSTANTIATE_TEST_SUITE_P(Commands, OpenPreset,
                         testing::Values(PresetCase{"1", "*.lmy", &fc::NativeAndGedcomTypes(), "Here.lmy", "Here.lmy"},
                                         PresetCase{"2", "*.ged", &fc::GedcomTypes(), "Here.ged", "Here.ged"},
                                         PresetCase{"1", "*.lmy", &fc::NativeAndGedcomTypes(), "Smith.lmy", "Smith"},
                                         PresetCase{"2", "*.ged", &fc::GedcomTypes(), "Smith.ged", "Smith"}),
                         PresetName);

// ---- a name that does not exist ------------------------------------------------

struct MissingCase {
    const char* cmd;
    const char* typed;
};

void PrintTo(const MissingCase& c, std::ostream* os) { *os << "cmd " << c.cmd << " typed " << c.typed; }

std::string MissingName(const testing::TestParamInfo<MissingCase>& i)
{
    return fc::CaseName(i.index, std::string("cmd") + i.param.cmd + "_" + i.param.typed);
}

class OpenMissingName : public testing::TestWithParam<MissingCase> {};

// The Open dialog takes only existing files: a name that names none is
// refused with a box that names it, and the user is back in the dialog;
// cancelled then, it leaves an empty reply and no work file.
TEST_P(OpenMissingName, DialogComplainsAndStaysOpen)
{
    const MissingCase& c = GetParam();
    e2e::TempDir base("open-missing");
    ASSERT_TRUE(e2e::WriteFileBytes(base / "Smith.lmy", fc::Document("native")));
    ASSERT_TRUE(e2e::WriteFileBytes(base / "Smith.ged", fc::Document("gedcom")));
    e2e::WriteIni(fc::Ini(base), "LongFnameGED", "0A0B0C0D.GED|C:\\Trees\\Old.ged");
    const std::string shot = std::string("open-missing-cmd") + c.cmd;

    auto p = e2e::StartLindmorh(base.Path(), c.cmd);
    HWND dlg = fc::ExpectFileDialog(*p, "Open", shot);
    ASSERT_NE(dlg, nullptr);
    e2e::ConfirmFileDialog(dlg, c.typed);
    HWND complaint = fc::WaitForBox(*p);
    ASSERT_NE(complaint, nullptr) << "the dialog took a name that does not exist";
    fc::Shot(complaint, shot + "-complaint");
    EXPECT_NE(e2e::MessageBoxText(complaint).find(c.typed), std::string::npos) << e2e::MessageBoxText(complaint);
    EXPECT_EQ(e2e::ButtonIds(complaint), std::vector<int>{IDOK});
    e2e::PressButton(complaint, IDOK);
    ASSERT_TRUE(fc::WaitGone(complaint));
    // Back in the Open dialog (the same one, or shown again with the name).
    HWND again = fc::WaitForFileDialog(*p);
    ASSERT_NE(again, nullptr) << "the Open dialog did not come back";
    EXPECT_EQ(e2e::WindowTitle(again), "Open");
    fc::Shot(again, shot + "-back-in-dialog");
    ASSERT_TRUE(fc::CancelDialog(again));
    fc::ExpectCleanExit(*p, shot);

    EXPECT_EQ(fc::Reply(base), "");
    EXPECT_EQ(fc::FilesBesides(base.Path(), {fc::kExe, fc::kIniName, "Smith.lmy", "Smith.ged"}),
              std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Commands, OpenMissingName,
                         testing::Values(MissingCase{"1", "Nobody.lmy"}, MissingCase{"2", "Nobody.ged"}),
                         MissingName);

// ---- documents and their types ----------------------------------------------

class OpenDocument : public testing::TestWithParam<Choice> {};

TEST_P(OpenDocument, StagesAccordingToType)
{
    const Choice& c = GetParam();
    RunChoice(c, std::string("open-cmd") + c.cmd + "-" + c.relPath);
}

// Both commands stage either type: the command only chooses the filter.
INSTANTIATE_TEST_SUITE_P(BothCommands, OpenDocument,
                         testing::Values(Choice{"1", "Trees\\Smith.lmy", Staged::Native},
                                         Choice{"1", "Trees\\Smith.ged", Staged::Gedcom},
                                         Choice{"2", "Trees\\Smith.ged", Staged::Gedcom},
                                         Choice{"2", "Trees\\Smith.lmy", Staged::Native},
                                         Choice{"1", "SMITH.LMY", Staged::Native},
                                         Choice{"2", "SMITH.GED", Staged::Gedcom}),
                         ChoiceName);

// The extension counts in any letter case.
INSTANTIATE_TEST_SUITE_P(ExtensionInAnyLetterCase, OpenDocument,
                         testing::Values(Choice{"1", "Family.Lmy", Staged::Native},
                                         Choice{"2", "Smith.Ged", Staged::Gedcom},
                                         Choice{"1", "Smith.lMY", Staged::Native},
                                         Choice{"1", "Smith.txt", Staged::Nothing}),
                         ChoiceName);

// Only the chosen file's own extension decides: a folder's name, a mark in
// the middle of the name or a longer extension say nothing.
INSTANTIATE_TEST_SUITE_P(TypeFromOwnExtension, OpenDocument,
                         testing::Values(Choice{"1", "Old.ged\\notes.txt", Staged::Nothing},
                                         Choice{"1", "Smith.lmy.bak", Staged::Nothing},
                                         Choice{"1", "Smith.lmyx", Staged::Nothing},
                                         Choice{"2", "Smith.gedcom", Staged::Nothing},
                                         Choice{"2", "Export.ged\\Smith.lmy", Staged::Native},
                                         Choice{"1", "x.lmy\\tree.ged", Staged::Gedcom},
                                         Choice{"1", "Trees.Lmy\\Smith.Ged", Staged::Gedcom}),
                         ChoiceName);

INSTANTIATE_TEST_SUITE_P(SpacesInPath, OpenDocument,
                         testing::Values(Choice{"1", "My Family Trees\\Smith and Jones.lmy", Staged::Native},
                                         Choice{"2", "Old Exports 2019\\Smith and Jones family.ged",
                                                Staged::Gedcom}),
                         ChoiceName);

// Letters of code page 1252 pass through unchanged, in folder and name.
INSTANTIATE_TEST_SUITE_P(WesternLetters, OpenDocument,
                         testing::Values(Choice{"1", "Stammb\xE4ume\\M\xFCller.lmy", Staged::Native},
                                         Choice{"2", "Ahnentafel \xC6r\xF8\\M\xFCller.ged", Staged::Gedcom}),
                         ChoiceName);

// ---- a name the code page cannot hold ---------------------------------------

std::wstring Widen(const std::string& s)
{
    int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, &w[0], n);
    w.resize(static_cast<size_t>(n - 1));
    return w;
}

// A name the code page cannot hold reaches the host in its short form,
// never as a best-fit look-alike (the last letter would become "a").
TEST(OpenCommand, GreekNameIsStagedAndHandedOverInItsShortForm)
{
    e2e::TempDir base("open-greek");
    const std::wstring name = L"\x0391\x03b8\x03ae\x03bd\x03b1.lmy";  // Athena in Greek letters
    const std::wstring path = Widen(base.Path()) + L"\\" + name;
    const std::string content = fc::Document("greek");
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);

    auto p = e2e::StartLindmorh(base.Path(), "1");
    HWND dlg = fc::ExpectFileDialog(*p, "Open", "open-greek-name");
    ASSERT_NE(dlg, nullptr);
    // Typed as a Unicode string, the way a user with a Greek keyboard would.
    HWND combo = GetDlgItem(dlg, fc::kFileNameCombo);
    HWND inner = FindWindowExA(combo, nullptr, "ComboBox", nullptr);
    HWND edit = inner ? FindWindowExA(inner, nullptr, "Edit", nullptr) : nullptr;
    ASSERT_NE(edit, nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_ABORTIFHUNG, 5000,
                        &result);
    e2e::PressButton(dlg, IDOK);
    fc::ExpectCleanExit(*p);

    wchar_t shortForm[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(path.c_str(), shortForm, MAX_PATH), 0u);
    char narrow[MAX_PATH] = {};
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, shortForm, -1, narrow, sizeof narrow, nullptr, &lossy);
    ASSERT_FALSE(lossy) << "the short form does not convert";
    const std::string reply = fc::Reply(base);
    const size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << reply;
    EXPECT_EQ(reply.substr(bar + 1), narrow);
    EXPECT_EQ(e2e::ReadFileBytes(base / reply.substr(0, bar)), content);
    EXPECT_EQ(e2e::ReadFileBytes(narrow), content);
}

}  // namespace
