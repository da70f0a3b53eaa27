// Commands 3 and 4 through the real Save As dialog: its preset, the
// overwrite question, the native save that follows command 3 and the work
// path that command 4 reserves for the host's GEDCOM export.
#include <gtest/gtest.h>

#include "file_commands.h"
#include "harness.h"

namespace {

const char kWork[] = "1a2b3c4d.lmy";
const char kDefaultNative[] = "My Family's Genealogy.lmy";
const char kDefaultGedcom[] = "My Family's Genealogy.GED";

// The base directory after command 3 or 4 holds nothing but the program,
// the exchange file and `extra`.
void ExpectBaseHolds(const e2e::TempDir& base, const std::vector<std::string>& extra)
{
    EXPECT_EQ(fc::FilesBesides(base.Path(), {fc::kExe, fc::kIniName}), extra);
}

// A command-4 reply: "<base>\xxxxxxxx.GED|<longPath>", the work name only
// reserved (neither it nor its native twin exists).
void ExpectGedcomReply(const e2e::TempDir& base, const std::string& longPath)
{
    std::string reply = fc::Reply(base);
    size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << reply;
    EXPECT_EQ(reply.substr(bar + 1), longPath);
    std::string workPath = reply.substr(0, bar);
    ASSERT_EQ(workPath.rfind(base.Path() + "\\", 0), 0u) << "not in the base directory: " << workPath;
    std::string name = workPath.substr(base.Path().size() + 1);
    EXPECT_TRUE(fc::IsWorkName(name, false, ".GED")) << name;
    EXPECT_FALSE(e2e::FileExists(workPath));
    EXPECT_FALSE(e2e::FileExists(base / (name.substr(0, 8) + ".lmy")));
    ExpectBaseHolds(base, {});
}

// ---- command 3 -----------------------------------------------------------------

// A name that does not exist yet, in another folder: no question, the
// name is stored and the work file moves there.
TEST(SaveAsNative, NewNameInAnotherFolderIsStoredAndReceivesWorkFile)
{
    fc::Dirs d("save3-new");
    e2e::TempDir elsewhere("save3-new-target");
    const std::string stored = d.docs / "Smith.lmy";
    const std::string chosen = elsewhere / "Smith and Jones 2024.lmy";
    const std::string work = fc::Document("work of save as");
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kWork, work));
    e2e::WriteIni(d.ini(), "LongFnameLMY", stored);
    e2e::WriteIni(d.ini(), "MyActiveFname", kWork);
    e2e::WriteIni(d.ini(), "LongFnameGED", "untouched");

    auto p = e2e::StartLindmorh(d.base.Path(), "3");
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", "save3-new-name");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(fc::FileTypes(dlg), fc::NativeTypes());
    e2e::ConfirmFileDialog(dlg, chosen);
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(e2e::ReadIni(d.ini(), "LongFnameLMY"), chosen);
    EXPECT_EQ(e2e::ReadFileBytes(chosen), work);
    EXPECT_EQ(e2e::ListFiles(elsewhere.Path()), std::vector<std::string>{"Smith and Jones 2024.lmy"});
    ExpectBaseHolds(d.base, {});
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{}) << "the old name was written";
    EXPECT_EQ(fc::Reply(d.base), "untouched");
}

// An existing name raises the dialog's own Yes/No question first.
TEST(SaveAsNative, ExistingNameReplacedAfterYes)
{
    fc::Dirs d("save3-yes");
    const std::string chosen = d.docs / "Smith.lmy";
    const std::string oldDoc = fc::Document("old");
    const std::string work = fc::Document("work");
    ASSERT_TRUE(e2e::WriteFileBytes(chosen, oldDoc));
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kWork, work));
    e2e::WriteIni(d.ini(), "MyActiveFname", kWork);

    auto p = e2e::StartLindmorh(d.base.Path(), "3");
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", "save3-existing-yes");
    ASSERT_NE(dlg, nullptr);
    e2e::ConfirmFileDialog(dlg, chosen);
    ASSERT_TRUE(fc::AnswerOverwrite(*p, IDYES, "save3-overwrite-question-yes"));
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(e2e::ReadFileBytes(chosen), work);
    EXPECT_EQ(e2e::ReadIni(d.ini(), "LongFnameLMY"), chosen);
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{"Smith.lmy"});
    ExpectBaseHolds(d.base, {});
}

// No returns to the dialog; cancelling it then changes nothing at all.
TEST(SaveAsNative, ExistingNameKeptAfterNoThenCancel)
{
    fc::Dirs d("save3-no");
    const std::string chosen = d.docs / "Smith.lmy";
    const std::string oldDoc = fc::Document("old");
    const std::string work = fc::Document("work");
    ASSERT_TRUE(e2e::WriteFileBytes(chosen, oldDoc));
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kWork, work));
    e2e::WriteIni(d.ini(), "LongFnameLMY", d.docs / "Previous.lmy");
    e2e::WriteIni(d.ini(), "MyActiveFname", kWork);
    const std::string iniBefore = e2e::ReadFileBytes(d.ini());

    auto p = e2e::StartLindmorh(d.base.Path(), "3");
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", "save3-existing-no");
    ASSERT_NE(dlg, nullptr);
    e2e::ConfirmFileDialog(dlg, chosen);
    ASSERT_TRUE(fc::AnswerOverwrite(*p, IDNO, "save3-overwrite-question-no"));
    EXPECT_TRUE(IsWindow(dlg) && IsWindowVisible(dlg)) << "the Save As dialog closed after No";
    EXPECT_EQ(fc::WaitForFileDialog(*p), dlg);
    fc::Shot(dlg, "save3-existing-no-back-in-dialog");
    ASSERT_TRUE(fc::CancelDialog(dlg));
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(e2e::ReadFileBytes(chosen), oldDoc);
    EXPECT_EQ(e2e::ReadFileBytes(d.base / kWork), work);
    EXPECT_EQ(e2e::ReadFileBytes(d.ini()), iniBefore);
}

TEST(SaveAsNative, CancelChangesNothing)
{
    fc::Dirs d("save3-cancel");
    const std::string work = fc::Document("work");
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kWork, work));
    e2e::WriteIni(d.ini(), "LongFnameLMY", d.docs / "Smith.lmy");
    e2e::WriteIni(d.ini(), "MyActiveFname", kWork);
    e2e::WriteIni(d.ini(), "LongFnameGED", "untouched");
    const std::string iniBefore = e2e::ReadFileBytes(d.ini());

    auto p = e2e::StartLindmorh(d.base.Path(), "3");
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", "save3-cancel");
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(fc::CancelDialog(dlg));
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(e2e::ReadFileBytes(d.ini()), iniBefore);
    EXPECT_EQ(e2e::ReadFileBytes(d.base / kWork), work);
    ExpectBaseHolds(d.base, {kWork});
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{});
}

// The work file chosen as its own target, spelled in other letter case:
// the copy is refused and the work file keeps its content.
TEST(SaveAsNative, WorkFileItselfAsTargetIsRefused)
{
    e2e::TempDir base("save3-self");
    const std::string work = fc::Document("work");
    ASSERT_TRUE(e2e::WriteFileBytes(base / kWork, work));
    e2e::WriteIni(fc::Ini(base), "MyActiveFname", kWork);
    const std::string chosen = base / "1A2B3C4D.LMY";

    auto p = e2e::StartLindmorh(base.Path(), "3");
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", "save3-onto-work-file");
    ASSERT_NE(dlg, nullptr);
    e2e::ConfirmFileDialog(dlg, chosen);
    ASSERT_TRUE(fc::AnswerOverwrite(*p, IDYES, "save3-onto-work-file-overwrite-question"));
    fc::AnswerBox(*p, fc::CopyErrorBox(base / "1a2b3c4d.LMY", chosen, fc::kReasonSameFile), IDOK,
                  "save3-onto-work-file-error-0046");
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(e2e::ReadFileBytes(base / kWork), work);
    EXPECT_EQ(e2e::ReadIni(fc::Ini(base), "LongFnameLMY"), "") << "the refused name stays stored";
    ExpectBaseHolds(base, {kWork});
}

// ---- a name typed without an extension -----------------------------------------

struct TypedCase {
    const char* cmd;
    const char* saved;  // the name the dialog makes of "Smith"
};

void PrintTo(const TypedCase& c, std::ostream* os) { *os << "cmd " << c.cmd << " -> " << c.saved; }

std::string TypedName(const testing::TestParamInfo<TypedCase>& i)
{
    return fc::CaseName(i.index, std::string("cmd") + i.param.cmd + "_" + i.param.saved);
}

class SaveAsTypedWithoutExtension : public testing::TestWithParam<TypedCase> {};

// The dialog adds its default extension (in the record's letter case or
// the filter's): command 3 stores that name and saves the work file there,
// command 4 replies with it.
TEST_P(SaveAsTypedWithoutExtension, GetsTheDefaultExtension)
{
    const TypedCase& c = GetParam();
    const bool native = std::string(c.cmd) == "3";
    fc::Dirs d("save-typed");
    const std::string work = fc::Document("work typed without extension");
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kWork, work));
    e2e::WriteIni(d.ini(), "MyActiveFname", kWork);

    auto p = e2e::StartLindmorh(d.base.Path(), c.cmd);
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", std::string("save-typed-cmd") + c.cmd);
    ASSERT_NE(dlg, nullptr);
    e2e::ConfirmFileDialog(dlg, d.docs / "Smith");
    fc::ExpectCleanExit(*p);

    const std::string saved = d.docs / c.saved;
    if (native) {
        const std::string stored = e2e::ReadIni(d.ini(), "LongFnameLMY");
        EXPECT_EQ(lstrcmpiA(stored.c_str(), saved.c_str()), 0) << stored;
        EXPECT_EQ(e2e::ReadFileBytes(saved), work);
        EXPECT_EQ(e2e::ListFiles(d.docs.Path()).size(), 1u);
        ExpectBaseHolds(d.base, {});
    } else {
        const std::string reply = fc::Reply(d.base);
        const size_t bar = reply.find('|');
        ASSERT_NE(bar, std::string::npos) << reply;
        EXPECT_EQ(lstrcmpiA(reply.substr(bar + 1).c_str(), saved.c_str()), 0) << reply;
        EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{});
        ExpectBaseHolds(d.base, {kWork});
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, SaveAsTypedWithoutExtension,
                         testing::Values(TypedCase{"3", "Smith.lmy"}, TypedCase{"4", "Smith.ged"}), TypedName);

// ---- presets -------------------------------------------------------------------

struct PresetCase {
    const char* name;
    bool present;
    const char* stored;    // "$DOCS" stands for the documents folder
    const char* shown;     // the name field
    bool inDocs;           // the dialog opens in the documents folder (else the base directory)
    bool noBackslashError; // error 0x44 comes before the dialog
};

std::string PresetName(const testing::TestParamInfo<PresetCase>& i) { return fc::CaseName(i.index, i.param.name); }

std::string Expand(const char* value, const fc::Dirs& d)
{
    std::string s = value;
    size_t at = s.find("$DOCS");
    if (at != std::string::npos) s.replace(at, 5, d.docs.Path());
    return s;
}

// Runs the command with the stored native name, checks the dialog's name
// field, then confirms a bare name to learn the folder the dialog is in.
// Returns the long path that the bare name became.
std::string CheckPreset(const PresetCase& c, const fc::Dirs& d, const char* cmd, const char* bare)
{
    if (c.present) e2e::WriteIni(d.ini(), "LongFnameLMY", Expand(c.stored, d));
    auto p = e2e::StartLindmorh(d.base.Path(), cmd);
    const std::string shot = std::string("preset-cmd") + cmd + "-" + c.name;
    if (c.noBackslashError) fc::AnswerBox(*p, fc::ErrorBox("0044"), IDOK, shot + "-error-0044");
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", shot);
    if (!dlg) return "";
    std::string folder = c.inDocs ? d.docs.Path() : d.base.Path();
    std::string shown = e2e::DialogFileName(dlg);
    EXPECT_TRUE(shown == c.shown || shown == folder + "\\" + c.shown) << "name field: " << shown;
    e2e::ConfirmFileDialog(dlg, bare);
    fc::ExpectCleanExit(*p);
    return folder + "\\" + bare;
}

class SaveAsNativePreset : public testing::TestWithParam<PresetCase> {};

// Command 3 shows the stored long name as it is, or the default name in
// the base directory. No work file is named, so nothing is copied.
TEST_P(SaveAsNativePreset, ShowsStoredNameOrDefault)
{
    const PresetCase& c = GetParam();
    fc::Dirs d("preset3");
    std::string expected = CheckPreset(c, d, "3", "Probe.lmy");
    EXPECT_EQ(e2e::ReadIni(d.ini(), "LongFnameLMY"), expected);
    ExpectBaseHolds(d.base, {});
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Stored, SaveAsNativePreset,
    testing::Values(PresetCase{"missing", false, "", kDefaultNative, false, false},
                    PresetCase{"empty", true, "", kDefaultNative, false, false},
                    PresetCase{"with_folder", true, "$DOCS\\Smith.lmy", "Smith.lmy", true, false},
                    PresetCase{"two_dots", true, "$DOCS\\Smith.family.lmy", "Smith.family.lmy", true, false},
                    PresetCase{"no_extension", true, "$DOCS\\Smith", "Smith", true, false}),
    PresetName);

class SaveAsGedcomPreset : public testing::TestWithParam<PresetCase> {};

// Command 4 takes only the file-name part of the stored native name, with
// the GEDCOM extension, and always opens in the base directory.
TEST_P(SaveAsGedcomPreset, ShowsStoredNameAsGedcomInBaseDir)
{
    const PresetCase& c = GetParam();
    fc::Dirs d("preset4");
    std::string expected = CheckPreset(c, d, "4", "Probe.ged");
    ExpectGedcomReply(d.base, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Stored, SaveAsGedcomPreset,
    testing::Values(PresetCase{"missing", false, "", kDefaultGedcom, false, false},
                    PresetCase{"empty", true, "", kDefaultGedcom, false, false},
                    PresetCase{"two_dots", true, "D:\\Trees\\Smith.family.lmy", "Smith.family.GED", false, false},
                    PresetCase{"no_extension", true, "D:\\Trees\\Smith", "Smith.GED", false, false},
                    PresetCase{"dot_in_folder_only", true, "D:\\Trees.old\\Smith", "Smith.GED", false, false},
                    PresetCase{"existing_folder", true, "$DOCS\\Smith.lmy", "Smith.GED", false, false},
                    PresetCase{"no_backslash", true, "Smith.lmy", "Smith.GED", false, true}),
    PresetName);

// ---- command 4 -----------------------------------------------------------------

// An existing export is not asked about: the host writes the work file
// and command 6 asks before copying.
TEST(SaveAsGedcom, ExistingNameIsTakenWithoutQuestion)
{
    fc::Dirs d("save4-existing");
    const std::string chosen = d.docs / "Smith.ged";
    const std::string oldExport = fc::Document("old export");
    ASSERT_TRUE(e2e::WriteFileBytes(chosen, oldExport));

    auto p = e2e::StartLindmorh(d.base.Path(), "4");
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", "save4-existing-name");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(fc::FileTypes(dlg), fc::GedcomTypes());
    e2e::ConfirmFileDialog(dlg, chosen);
    fc::ExpectCleanExit(*p);

    ExpectGedcomReply(d.base, chosen);
    EXPECT_EQ(e2e::ReadFileBytes(chosen), oldExport);
}

TEST(SaveAsGedcom, CancelRepliesEmpty)
{
    fc::Dirs d("save4-cancel");
    e2e::WriteIni(d.ini(), "LongFnameGED", "0A0B0C0D.GED|C:\\Trees\\Old.ged");
    e2e::WriteIni(d.ini(), "LongFnameLMY", d.docs / "Smith.lmy");

    auto p = e2e::StartLindmorh(d.base.Path(), "4");
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", "save4-cancel");
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(fc::CancelDialog(dlg));
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(fc::Reply(d.base), "");
    EXPECT_EQ(e2e::ReadIni(d.ini(), "LongFnameLMY"), d.docs / "Smith.lmy");
    ExpectBaseHolds(d.base, {});
}

}  // namespace
