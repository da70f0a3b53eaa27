// Commands 5 and 6: a work file goes back to its document's long name
// after "Verify save?", and the GEDCOM road from command 4 to command 6.
#include <gtest/gtest.h>

#include "file_commands.h"
#include "harness.h"

namespace {

const char kWork[] = "0e2a1f3c.lmy";

// A long-named document folder, so that the question shows the path over
// more than one line.
const char kLongFolder[] = "Family documents kept by the Tamberlo host for the Smith and Jones trees";

// ---- command 5 ----------------------------------------------------------------

struct SaveCase {
    const char* name;
    int answer;            // IDYES or IDNO
    bool targetExists;     // an older version of the document is there
};

class SaveNative : public testing::TestWithParam<SaveCase> {};

// Run from another current directory that holds a decoy of the work file:
// only the work file in the base directory counts.
TEST_P(SaveNative, AsksThenCopiesOnYesAndAlwaysRemovesWorkFile)
{
    const SaveCase& c = GetParam();
    fc::Dirs d("save5");
    std::string folder = d.docs / kLongFolder;
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string target = folder + "\\Smith and Jones family tree.lmy";
    const std::string oldDoc = fc::Document("old version");
    const std::string work = fc::Document("edited in the host");
    const std::string decoy = fc::Document("decoy in the current directory");
    if (c.targetExists) {
        ASSERT_TRUE(e2e::WriteFileBytes(target, oldDoc));
    }
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kWork, work));
    ASSERT_TRUE(e2e::WriteFileBytes(d.docs / kWork, decoy));
    e2e::WriteIni(d.ini(), "LongFnameLMY", target);
    e2e::WriteIni(d.ini(), "MyActiveFname", kWork);
    e2e::WriteIni(d.ini(), "LongFnameGED", "untouched");
    const std::string iniBefore = e2e::ReadFileBytes(d.ini());

    auto p = e2e::StartLindmorh(d.base.Path(), "5", fc::kExe, d.docs.Path());
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(target), c.answer, std::string("save5-verify-") + c.name));
    fc::ExpectCleanExit(*p);

    if (c.answer == IDYES) {
        EXPECT_EQ(e2e::ReadFileBytes(target), work);
    } else if (c.targetExists) {
        EXPECT_EQ(e2e::ReadFileBytes(target), oldDoc);
    } else {
        EXPECT_FALSE(e2e::FileExists(target));
    }
    EXPECT_FALSE(e2e::FileExists(d.base / kWork)) << "the work file was kept";
    EXPECT_EQ(fc::FilesBesides(d.base.Path(), {fc::kExe, fc::kIniName}), std::vector<std::string>{});
    EXPECT_EQ(e2e::ReadFileBytes(d.docs / kWork), decoy) << "the decoy in the current directory was touched";
    EXPECT_EQ(e2e::ListFiles(folder),
              c.answer == IDYES || c.targetExists ? std::vector<std::string>{"Smith and Jones family tree.lmy"}
                                                  : std::vector<std::string>{})
        << "a temporary file was left beside the target";
    EXPECT_EQ(e2e::ReadFileBytes(d.ini()), iniBefore);
}

std::string SaveName(const testing::TestParamInfo<SaveCase>& i) { return fc::CaseName(i.index, i.param.name); }

INSTANTIATE_TEST_SUITE_P(Answers, SaveNative,
                         testing::Values(SaveCase{"yes_replaces", IDYES, true}, SaveCase{"yes_new", IDYES, false},
                                         SaveCase{"no_keeps_old", IDNO, true}, SaveCase{"no_new", IDNO, false}),
                         SaveName);

struct ActiveNameCase {
    const char* stored;  // MyActiveFname as the host writes it
    const char* onDisk;  // the work file that is meant
};

class SaveNativeWorkName : public testing::TestWithParam<ActiveNameCase> {};

// Whatever extension the host wrote, the native one is used.
TEST_P(SaveNativeWorkName, ExtensionIsForcedToNative)
{
    const ActiveNameCase& c = GetParam();
    fc::Dirs d("save5-name");
    const std::string target = d.docs / "Smith.lmy";
    const std::string work = fc::Document(c.stored);
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / c.onDisk, work));
    // A file under the stored name itself must not be the one taken.
    const std::string other = fc::Document("not the work file");
    if (std::string(c.stored) != c.onDisk) {
        ASSERT_TRUE(e2e::WriteFileBytes(d.base / c.stored, other));
    }
    e2e::WriteIni(d.ini(), "LongFnameLMY", target);
    e2e::WriteIni(d.ini(), "MyActiveFname", c.stored);

    auto p = e2e::StartLindmorh(d.base.Path(), "5");
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(target), IDYES, std::string("save5-worknamed-") + c.stored));
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(e2e::ReadFileBytes(target), work);
    EXPECT_FALSE(e2e::FileExists(d.base / c.onDisk));
    if (std::string(c.stored) != c.onDisk) {
        EXPECT_EQ(e2e::ReadFileBytes(d.base / c.stored), other);
    }
}

std::string ActiveName(const testing::TestParamInfo<ActiveNameCase>& i)
{
    return fc::CaseName(i.index, i.param.stored);
}

INSTANTIATE_TEST_SUITE_P(Names, SaveNativeWorkName,
                         testing::Values(ActiveNameCase{"0e2a1f3c.TMP", "0e2a1f3c.LMY"},
                                         ActiveNameCase{"0e2a1f3c", "0e2a1f3c.LMY"},
                                         ActiveNameCase{"0e2a1f3c.lmy", "0e2a1f3c.lmy"},
                                         ActiveNameCase{"0e2a1f3c.ged.bak", "0e2a1f3c.ged.LMY"}),
                         ActiveName);

struct MissingValueCase {
    const char* name;
    bool withLong;    // LongFnameLMY set (else absent or empty)
    bool withActive;  // MyActiveFname set
    bool emptyRatherThanAbsent;
};

class SaveNativeMissing : public testing::TestWithParam<MissingValueCase> {};

// Without a target or a work file there is nothing to ask, copy or remove.
TEST_P(SaveNativeMissing, DoesNothingWithoutBothNames)
{
    const MissingValueCase& c = GetParam();
    fc::Dirs d("save5-missing");
    const std::string target = d.docs / "Smith.lmy";
    const std::string oldDoc = fc::Document("old");
    const std::string work = fc::Document("work");
    ASSERT_TRUE(e2e::WriteFileBytes(target, oldDoc));
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kWork, work));
    e2e::WriteIni(d.ini(), "LongFnameGED", "untouched");
    if (c.withLong) e2e::WriteIni(d.ini(), "LongFnameLMY", target);
    else if (c.emptyRatherThanAbsent) e2e::WriteIni(d.ini(), "LongFnameLMY", "");
    if (c.withActive) e2e::WriteIni(d.ini(), "MyActiveFname", kWork);
    else if (c.emptyRatherThanAbsent) e2e::WriteIni(d.ini(), "MyActiveFname", "");
    const std::string iniBefore = e2e::ReadFileBytes(d.ini());

    auto p = e2e::StartLindmorh(d.base.Path(), "5");
    // Any question would keep the program waiting past the time-out.
    fc::ExpectCleanExit(*p, std::string("save5-missing-") + c.name);

    EXPECT_EQ(e2e::ReadFileBytes(target), oldDoc);
    EXPECT_EQ(e2e::ReadFileBytes(d.base / kWork), work);
    EXPECT_EQ(e2e::ReadFileBytes(d.ini()), iniBefore);
}

std::string MissingName(const testing::TestParamInfo<MissingValueCase>& i)
{
    return fc::CaseName(i.index, i.param.name);
}

INSTANTIATE_TEST_SUITE_P(Values, SaveNativeMissing,
                         testing::Values(MissingValueCase{"no_long_name", false, true, false},
                                         MissingValueCase{"empty_long_name", false, true, true},
                                         MissingValueCase{"no_work_name", true, false, false},
                                         MissingValueCase{"empty_work_name", true, false, true},
                                         MissingValueCase{"neither", false, false, false}),
                         MissingName);

// ---- command 5: the work file is the document itself ---------------------------

class SaveNativeOntoItself : public testing::TestWithParam<int> {};

// LongFnameLMY names the work file itself (in other letter case). No must
// not remove it, for it is the document; Yes cannot copy it onto itself.
// Either way the file keeps its content and the exchange file is as it was.
TEST_P(SaveNativeOntoItself, NoRemovesNothingYesShowsCopyError)
{
    const int answer = GetParam();
    const std::string tag = answer == IDYES ? "yes" : "no";
    e2e::TempDir base("save5-self");
    const std::string content = fc::Document("the work file is the document");
    ASSERT_TRUE(e2e::WriteFileBytes(base / kWork, content));
    const std::string target = base / "0E2A1F3C.LMY";
    e2e::WriteIni(fc::Ini(base), "LongFnameLMY", target);
    e2e::WriteIni(fc::Ini(base), "MyActiveFname", kWork);
    e2e::WriteIni(fc::Ini(base), "LongFnameGED", "untouched");
    const std::string iniBefore = e2e::ReadFileBytes(fc::Ini(base));

    auto p = e2e::StartLindmorh(base.Path(), "5");
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(target), answer, "save5-onto-itself-verify-" + tag));
    if (answer == IDYES) {
        fc::AnswerBox(*p, fc::CopyErrorBox(base / "0e2a1f3c.LMY", target, fc::kReasonSameFile), IDOK,
                      "save5-onto-itself-error-0046");
    }
    fc::ExpectCleanExit(*p, "save5-onto-itself-" + tag);

    EXPECT_EQ(e2e::ReadFileBytes(base / kWork), content) << "the document was removed or changed";
    EXPECT_EQ(fc::FilesBesides(base.Path(), {fc::kExe, fc::kIniName}), std::vector<std::string>{kWork});
    EXPECT_EQ(e2e::ReadFileBytes(fc::Ini(base)), iniBefore);
}

std::string YesNoName(const testing::TestParamInfo<int>& i) { return i.param == IDYES ? "yes" : "no"; }

INSTANTIATE_TEST_SUITE_P(Answers, SaveNativeOntoItself, testing::Values(IDYES, IDNO), YesNoName);

// ---- the native road: command 1, the host's edits, command 5 -------------------

class NativeRoad : public testing::TestWithParam<int> {};

// The reply of command 1 is what the host hands back to command 5: the
// upper-case work name as MyActiveFname and the long path as LongFnameLMY.
TEST_P(NativeRoad, OpenEditSaveFromAnotherCurrentDirectory)
{
    const int answer = GetParam();
    const std::string tag = answer == IDYES ? "yes" : "no";
    fc::Dirs d("nativeroad");
    const std::string doc = d.docs / "Smith and Jones.lmy";
    const std::string original = fc::Document("as opened");
    ASSERT_TRUE(e2e::WriteFileBytes(doc, original));

    {
        auto p = e2e::StartLindmorh(d.base.Path(), "1");
        HWND dlg = fc::ExpectFileDialog(*p, "Open", "nativeroad-open-" + tag);
        ASSERT_NE(dlg, nullptr);
        e2e::ConfirmFileDialog(dlg, doc);
        fc::ExpectCleanExit(*p);
    }
    const std::string reply = fc::Reply(d.base);
    const size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << reply;
    const std::string workName = reply.substr(0, bar);
    ASSERT_EQ(reply.substr(bar + 1), doc);
    ASSERT_EQ(e2e::ReadFileBytes(d.base / workName), original);

    // The host edits the work file and names both for the save.
    const std::string edited = fc::Document("edited in the host", 9000);
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / workName, edited));
    e2e::WriteIni(d.ini(), "MyActiveFname", workName);
    e2e::WriteIni(d.ini(), "LongFnameLMY", doc);
    const std::string iniBefore = e2e::ReadFileBytes(d.ini());

    auto p = e2e::StartLindmorh(d.base.Path(), "5", fc::kExe, d.docs.Path());
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(doc), answer, "nativeroad-verify-" + tag));
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(e2e::ReadFileBytes(doc), answer == IDYES ? edited : original);
    EXPECT_EQ(fc::FilesBesides(d.base.Path(), {fc::kExe, fc::kIniName}), std::vector<std::string>{});
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{"Smith and Jones.lmy"});
    EXPECT_EQ(e2e::ReadFileBytes(d.ini()), iniBefore);
}

std::string AnswerName(const testing::TestParamInfo<int>& i) { return i.param == IDYES ? "yes" : "no"; }

INSTANTIATE_TEST_SUITE_P(Answers, NativeRoad, testing::Values(IDYES, IDNO), AnswerName);

// ---- command 6 ----------------------------------------------------------------

struct CopyCase {
    const char* name;
    int answer;
    bool targetExists;
};

class CopyExport : public testing::TestWithParam<CopyCase> {};

// Yes copies and removes the work file; No leaves both files alone. The
// reply is cleared either way.
TEST_P(CopyExport, AsksThenCopiesOnYesAndClearsReply)
{
    const CopyCase& c = GetParam();
    fc::Dirs d("copy6");
    const std::string workPath = d.base / "0A1B2C3D.GED";
    const std::string target = d.docs / "Smith family export.ged";
    const std::string oldDoc = fc::Document("old export");
    const std::string exported = fc::Document("new export", 70000);
    ASSERT_TRUE(e2e::WriteFileBytes(workPath, exported));
    if (c.targetExists) {
        ASSERT_TRUE(e2e::WriteFileBytes(target, oldDoc));
    }
    e2e::WriteIni(d.ini(), "LongFnameGED", workPath + "|" + target);
    e2e::WriteIni(d.ini(), "LongFnameLMY", "C:\\Trees\\Kept.lmy");

    auto p = e2e::StartLindmorh(d.base.Path(), "6");
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(target), c.answer, std::string("copy6-verify-") + c.name));
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(fc::Reply(d.base), "");
    EXPECT_EQ(e2e::ReadIni(d.ini(), "LongFnameLMY"), "C:\\Trees\\Kept.lmy");
    if (c.answer == IDYES) {
        EXPECT_EQ(e2e::ReadFileBytes(target), exported);
        EXPECT_FALSE(e2e::FileExists(workPath));
    } else {
        EXPECT_EQ(e2e::ReadFileBytes(workPath), exported) << "No must keep the export";
        if (c.targetExists) {
            EXPECT_EQ(e2e::ReadFileBytes(target), oldDoc);
        } else {
            EXPECT_FALSE(e2e::FileExists(target));
        }
    }
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()),
              c.answer == IDYES || c.targetExists ? std::vector<std::string>{"Smith family export.ged"}
                                                  : std::vector<std::string>{});
}

std::string CopyName(const testing::TestParamInfo<CopyCase>& i) { return fc::CaseName(i.index, i.param.name); }

INSTANTIATE_TEST_SUITE_P(Answers, CopyExport,
                         testing::Values(CopyCase{"yes_new", IDYES, false}, CopyCase{"yes_replaces", IDYES, true},
                                         CopyCase{"no_new", IDNO, false}, CopyCase{"no_keeps_old", IDNO, true}),
                         CopyName);

struct NoBarCase {
    const char* name;
    bool present;
    const char* value;  // "$WORK" stands for the work file's path
};

class CopyExportNoBar : public testing::TestWithParam<NoBarCase> {};

// A reply without a bar names no copy: no question, the reply is cleared,
// no file is touched.
TEST_P(CopyExportNoBar, ClearsReplyWithoutAsking)
{
    const NoBarCase& c = GetParam();
    fc::Dirs d("copy6-nobar");
    const std::string workPath = d.base / "0A1B2C3D.GED";
    const std::string exported = fc::Document("export");
    ASSERT_TRUE(e2e::WriteFileBytes(workPath, exported));
    std::string value = c.value;
    if (value == "$WORK") value = workPath;
    if (c.present) e2e::WriteIni(d.ini(), "LongFnameGED", value);
    e2e::WriteIni(d.ini(), "LongFnameLMY", "C:\\Trees\\Kept.lmy");

    auto p = e2e::StartLindmorh(d.base.Path(), "6");
    fc::ExpectCleanExit(*p, std::string("copy6-nobar-") + c.name);

    EXPECT_EQ(fc::Reply(d.base), "");
    EXPECT_EQ(e2e::ReadIni(d.ini(), "LongFnameLMY"), "C:\\Trees\\Kept.lmy");
    EXPECT_EQ(e2e::ReadFileBytes(workPath), exported);
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{});
}

std::string NoBarName(const testing::TestParamInfo<NoBarCase>& i) { return fc::CaseName(i.index, i.param.name); }

INSTANTIATE_TEST_SUITE_P(Values, CopyExportNoBar,
                         testing::Values(NoBarCase{"absent", false, ""}, NoBarCase{"empty", true, ""},
                                         NoBarCase{"work_path_only", true, "$WORK"}),
                         NoBarName);

// Split at the first bar: the long path keeps the second one, which no
// file name may hold, so the copy fails and the reply stays for a retry.
TEST(CopyExportCommand, SecondBarStaysInLongPathAndCopyFails)
{
    fc::Dirs d("copy6-bars");
    const std::string workPath = d.base / "0A1B2C3D.GED";
    const std::string exported = fc::Document("export");
    ASSERT_TRUE(e2e::WriteFileBytes(workPath, exported));
    const std::string longPath = d.docs / "Smith|Jones.ged";
    const std::string reply = workPath + "|" + longPath;
    e2e::WriteIni(d.ini(), "LongFnameGED", reply);

    auto p = e2e::StartLindmorh(d.base.Path(), "6");
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(longPath), IDYES, "copy6-two-bars-verify"));
    fc::AnswerBox(*p, fc::CopyErrorBox(workPath, longPath, ERROR_INVALID_NAME), IDOK, "copy6-two-bars-error-0046");
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(fc::Reply(d.base), reply);
    EXPECT_EQ(e2e::ReadFileBytes(workPath), exported);
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{}) << "a temporary file was left";
}

// ---- command 6: half a pair, or the export onto itself -------------------------

struct HalfPairCase {
    const char* name;
    const char* value;   // "$WORK" the export's work path, "$SELF" the same in lower case, "$TARGET" a document
    bool asks;           // "Verify save?" comes, naming what follows the bar
    int answer;          // to the question
    const char* reason;  // the reason 0x46 gives after Yes or without a question; "" any, nullptr no box
};

void PrintTo(const HalfPairCase& c, std::ostream* os) { *os << c.name; }

class CopyExportRefused : public testing::TestWithParam<HalfPairCase> {};

// A value without a work part names no work file: 0x46 at once. Without a
// long part, or with the work file as its own target, the question comes
// and Yes fails with 0x46. After 0x46 nothing is copied or removed and the
// reply stays; No clears it as always.
TEST_P(CopyExportRefused, ExplainsAndKeepsEverything)
{
    const HalfPairCase& c = GetParam();
    fc::Dirs d("copy6-half");
    const std::string workPath = d.base / "0A1B2C3D.GED";
    const std::string self = d.base / "0a1b2c3d.ged";
    const std::string target = d.docs / "Smith.ged";
    const std::string exported = fc::Document("export");
    const std::string oldDoc = fc::Document("old export");
    ASSERT_TRUE(e2e::WriteFileBytes(workPath, exported));
    ASSERT_TRUE(e2e::WriteFileBytes(target, oldDoc));
    auto expand = [&](std::string v) {
        for (const auto& [token, path] : {std::pair<std::string, std::string>{"$WORK", workPath},
                                          {"$SELF", self}, {"$TARGET", target}}) {
            size_t at = v.find(token);
            if (at != std::string::npos) v.replace(at, token.size(), path);
        }
        return v;
    };
    const std::string value = expand(c.value);
    const size_t bar = value.find('|');
    const std::string workPart = value.substr(0, bar), longPart = value.substr(bar + 1);
    e2e::WriteIni(d.ini(), "LongFnameGED", value);
    e2e::WriteIni(d.ini(), "LongFnameLMY", d.docs / "Smith.lmy");

    const std::string shot = std::string("copy6-half-") + c.name;
    auto p = e2e::StartLindmorh(d.base.Path(), "6");
    if (c.asks) {
        ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(longPart), c.answer, shot + "-verify"));
    }
    const bool refused = c.reason != nullptr;
    if (refused && *c.reason) {
        fc::AnswerBox(*p, fc::CopyErrorBox(workPart, longPart, std::string(c.reason)), IDOK, shot + "-error-0046");
    } else if (refused) {
        fc::AnswerErrorWithReason(*p, "0046", fc::CopyFailed(workPart, longPart), shot + "-error-0046");
    }
    fc::ExpectCleanExit(*p, shot);

    EXPECT_EQ(fc::Reply(d.base), refused ? value : "");
    EXPECT_EQ(e2e::ReadFileBytes(workPath), exported) << "the export was removed or changed";
    EXPECT_EQ(e2e::ReadFileBytes(target), oldDoc);
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{"Smith.ged"});
    EXPECT_EQ(fc::FilesBesides(d.base.Path(), {fc::kExe, fc::kIniName}), std::vector<std::string>{"0A1B2C3D.GED"});
}

std::string HalfPairName(const testing::TestParamInfo<HalfPairCase>& i) { return fc::CaseName(i.index, i.param.name); }

INSTANTIATE_TEST_SUITE_P(
    Values, CopyExportRefused,
    testing::Values(HalfPairCase{"no_work_part", "|$TARGET", false, 0, fc::kReasonNotAWorkFile},
                    HalfPairCase{"no_long_part_yes", "$WORK|", true, IDYES, ""},
                    HalfPairCase{"no_long_part_no", "$WORK|", true, IDNO, nullptr},
                    HalfPairCase{"onto_itself_yes", "$WORK|$SELF", true, IDYES, fc::kReasonSameFile},
                    HalfPairCase{"onto_itself_no", "$WORK|$SELF", true, IDNO, nullptr}),
    HalfPairName);

// ---- the GEDCOM road: command 4, the host's export, command 6 -------------------

TEST(GedcomRoad, SaveAsThenHostExportThenCopyLandsAtChosenName)
{
    fc::Dirs d("gedroad");
    e2e::WriteIni(d.ini(), "LongFnameLMY", "D:\\Trees\\Smith.family.lmy");
    const std::string target = d.docs / "Smith for cousin Anna.ged";

    std::string reply;
    {
        auto p = e2e::StartLindmorh(d.base.Path(), "4");
        HWND dlg = fc::ExpectFileDialog(*p, "Save As", "gedroad-save-as");
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(e2e::DialogFileName(dlg), "Smith.family.GED");
        EXPECT_EQ(fc::FileTypes(dlg), fc::GedcomTypes());
        e2e::ConfirmFileDialog(dlg, target);
        fc::ExpectCleanExit(*p);
        reply = fc::Reply(d.base);
    }
    size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << reply;
    const std::string workPath = reply.substr(0, bar);
    EXPECT_EQ(reply.substr(bar + 1), target);
    ASSERT_EQ(workPath.rfind(d.base.Path() + "\\", 0), 0u) << workPath;
    const std::string workName = workPath.substr(d.base.Path().size() + 1);
    EXPECT_TRUE(fc::IsWorkName(workName, false, ".GED")) << workName;
    EXPECT_EQ(fc::FilesBesides(d.base.Path(), {fc::kExe, fc::kIniName}), std::vector<std::string>{})
        << "the work name is only reserved, not created";

    // The host writes its export to the work path.
    const std::string exported = fc::Document("0 @I1@ INDI Anna Smith", 20000);
    ASSERT_TRUE(e2e::WriteFileBytes(workPath, exported));

    auto p = e2e::StartLindmorh(d.base.Path(), "6");
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(target), IDYES, "gedroad-verify"));
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(e2e::ReadFileBytes(target), exported);
    EXPECT_FALSE(e2e::FileExists(workPath));
    EXPECT_EQ(fc::Reply(d.base), "");
    EXPECT_EQ(e2e::ReadIni(d.ini(), "LongFnameLMY"), "D:\\Trees\\Smith.family.lmy");
}

}  // namespace
