// Exchange-file values that would make the program reach files it must not
// touch: a work-file name that leaves the base directory, an export "work
// file" that is some other file, values longer than any path. The program
// copies and removes nothing then; where it refuses, error 0x46 says why.
#include <gtest/gtest.h>

#include <chrono>

#include "file_commands.h"
#include "harness.h"

namespace {

// ---- "MyActiveFname" must be a plain name in the base directory ---------------

struct ActiveNameCase {
    const char* name;
    const char* value;  // "$OTHER" stands for the other folder's full path, "$NAME" for its name
    const char* cmd;    // "5" (asks first) or "3" (after the Save As dialog)
};

std::string ActiveName(const testing::TestParamInfo<ActiveNameCase>& i)
{
    return fc::CaseName(i.index, std::string("cmd") + i.param.cmd + "_" + i.param.name);
}

class HostileActiveName : public testing::TestWithParam<ActiveNameCase> {};

// The precious file lies in a folder beside the base directory; every
// value reaches it (or a device, or a stream) in its own way.
TEST_P(HostileActiveName, RefusedWithoutCopyingOrRemovingAnything)
{
    const ActiveNameCase& c = GetParam();
    fc::Dirs d("hostile-active");
    const std::string other = d.docs.Path();
    const std::string precious = other + "\\precious.lmy";
    const std::string preciousContent = fc::Document("precious");
    ASSERT_TRUE(e2e::WriteFileBytes(precious, preciousContent));
    const std::string target = other + "\\Smith.lmy";
    const std::string oldDoc = fc::Document("the document");
    ASSERT_TRUE(e2e::WriteFileBytes(target, oldDoc));
    // A work file that a cut-down name could be taken for.
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / "precious.LMY", fc::Document("bystander")));

    std::string value = c.value;
    size_t at = value.find("$OTHER");
    if (at != std::string::npos) value.replace(at, 6, other);
    at = value.find("$NAME");
    if (at != std::string::npos) value.replace(at, 5, other.substr(other.rfind('\\') + 1));
    e2e::WriteIni(d.ini(), "LongFnameLMY", target);
    e2e::WriteIni(d.ini(), "MyActiveFname", value);
    const std::string iniBefore = e2e::ReadFileBytes(d.ini());

    const std::string shot = "hostile-active-cmd" + std::string(c.cmd) + "-" + fc::CaseName(0, c.name);
    auto p = e2e::StartLindmorh(d.base.Path(), c.cmd);
    if (std::string(c.cmd) == "3") {
        HWND dlg = fc::ExpectFileDialog(*p, "Save As", shot);
        ASSERT_NE(dlg, nullptr);
        e2e::ConfirmFileDialog(dlg, target);
        ASSERT_TRUE(fc::AnswerOverwrite(*p, IDYES, shot + "-overwrite-question"));
    }
    // No question: nothing is asked that the program would not do.
    fc::AnswerBox(*p, fc::CopyErrorBox(value, target, fc::kReasonNotAWorkFile), IDOK, shot + "-error-0046");
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(e2e::ReadFileBytes(precious), preciousContent) << "the other folder's file was touched";
    EXPECT_EQ(e2e::ReadFileBytes(target), oldDoc) << "the document was overwritten";
    EXPECT_EQ(e2e::ReadFileBytes(d.base / "precious.LMY"), fc::Document("bystander"));
    EXPECT_EQ(e2e::ListFiles(other), (std::vector<std::string>{"Smith.lmy", "precious.lmy"}));
    EXPECT_EQ(e2e::ReadFileBytes(d.ini()), iniBefore)
        << "command 3 gives the stored name back; command 5 writes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Values, HostileActiveName,
    testing::Values(ActiveNameCase{"parent folder", "..\\$NAME\\precious.lmy", "5"},
                    ActiveNameCase{"parent folder", "..\\$NAME\\precious.lmy", "3"},
                    ActiveNameCase{"full path", "$OTHER\\precious.lmy", "5"},
                    ActiveNameCase{"full path", "$OTHER\\precious.lmy", "3"},
                    ActiveNameCase{"drive relative", "C:precious.lmy", "5"},
                    ActiveNameCase{"forward slash", "../$NAME/precious.lmy", "5"},
                    ActiveNameCase{"stream of a file", "precious.LMY:hidden", "5"},
                    ActiveNameCase{"wildcard", "p*.lmy", "5"},
                    ActiveNameCase{"device", "CON", "5"},
                    ActiveNameCase{"device with extension", "nul.lmy", "5"},
                    ActiveNameCase{"trailing dot", "precious.", "5"},
                    ActiveNameCase{"dots only", "..", "5"}),
    ActiveName);

// ---- command 6: the work part must be a GEDCOM work file of the base directory --

struct ExportCase {
    const char* name;
    const char* work;  // $BASE and $OTHER stand for the two folders, $NAME for the other's name
};

std::string ExportName(const testing::TestParamInfo<ExportCase>& i) { return fc::CaseName(i.index, i.param.name); }

class HostileExportWork : public testing::TestWithParam<ExportCase> {};

TEST_P(HostileExportWork, RefusedAndTheReplyStays)
{
    const ExportCase& c = GetParam();
    fc::Dirs d("hostile-export");
    ASSERT_FALSE(e2e::InstallProgram(d.base.Path()).empty());
    const std::string otherName = d.docs.Path().substr(d.docs.Path().rfind('\\') + 1);
    auto expand = [&](std::string s) {
        for (const auto& [key, dir] : {std::pair<std::string, std::string>{"$BASE", d.base.Path()},
                                       std::pair<std::string, std::string>{"$OTHER", d.docs.Path()},
                                       std::pair<std::string, std::string>{"$NAME", otherName}}) {
            size_t at = s.find(key);
            if (at != std::string::npos) s.replace(at, key.size(), dir);
        }
        return s;
    };
    const std::string work = expand(c.work);
    // Whatever the work part names holds something worth keeping (a name
    // that no file can have stays without one).
    CreateDirectoryA((d.base / "sub").c_str(), nullptr);
    if (GetFileAttributesA(work.c_str()) == INVALID_FILE_ATTRIBUTES) e2e::WriteFileBytes(work, fc::Document("precious"));
    // The native document, as the host left it, in the base directory.
    const std::string native = d.base / "Family.GED";
    ASSERT_TRUE(e2e::WriteFileBytes(native, fc::Document("native document")));
    e2e::WriteIni(d.ini(), "LongFnameLMY", native);
    const std::string longPath = d.docs / "export.ged";
    const std::string oldExport = fc::Document("old export");
    ASSERT_TRUE(e2e::WriteFileBytes(longPath, oldExport));
    const std::string reply = work + "|" + longPath;
    e2e::WriteIni(d.ini(), "LongFnameGED", reply);
    const std::string iniBefore = e2e::ReadFileBytes(d.ini());
    const std::string workBefore = e2e::ReadFileBytes(work);

    auto p = e2e::StartLindmorh(d.base.Path(), "6");
    const char* reason = work == native ? fc::kReasonIsTheDocument : fc::kReasonNotAWorkFile;
    fc::AnswerBox(*p, fc::CopyErrorBox(work, longPath, reason), IDOK, "hostile-export-" + fc::CaseName(0, c.name));
    fc::ExpectCleanExit(*p);

    EXPECT_TRUE(e2e::ReadFileBytes(work) == workBefore) << "the named file was touched: " << work;
    EXPECT_EQ(e2e::ReadFileBytes(longPath), oldExport) << "the export was overwritten";
    EXPECT_EQ(e2e::ReadFileBytes(native), fc::Document("native document"));
    EXPECT_EQ(e2e::ReadFileBytes(d.ini()), iniBefore) << "the reply must stay for the host to see";
}

INSTANTIATE_TEST_SUITE_P(
    Values, HostileExportWork,
    testing::Values(ExportCase{"other folder", "$OTHER\\0A1B2C3D.GED"},
                    ExportCase{"sub folder", "$BASE\\sub\\0A1B2C3D.GED"},
                    ExportCase{"climbs out", "$BASE\\..\\$NAME\\precious.ged"},
                    ExportCase{"not a GEDCOM file", "$BASE\\0A1B2C3D.LMY"},
                    ExportCase{"the exchange file", "$BASE\\LINDMORY.INI"},
                    ExportCase{"the program", "$BASE\\lindmorh.exe"},
                    ExportCase{"stream", "$BASE\\0A1B2C3D.GED:x"},
                    ExportCase{"the native document", "$BASE\\Family.GED"}),
    ExportName);

// ---- values longer than any path -------------------------------------------------

// A 2 MB value names no file: nothing is shown, copied or removed, and the
// program ends as quickly as with any other value.
struct LongValueCase {
    const char* cmd;
    const char* key;
};

class ValueLongerThanAnyPath : public testing::TestWithParam<LongValueCase> {};

TEST_P(ValueLongerThanAnyPath, IsNoNameAndEndsAtOnce)
{
    const LongValueCase& c = GetParam();
    fc::Dirs d("long-value");
    const std::string workName = "0E2A1F3C.GED";
    const std::string work = fc::Document("work");
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / workName, work));
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / "0E2A1F3C.LMY", work));
    const std::string huge = d.docs.Path() + "\\" + std::string(2 * 1024 * 1024, 'x') + ".ged";
    const std::string value = std::string(c.key) == "LongFnameGED" ? d.base / workName + "|" + huge : huge;
    // Written as bytes: the profile API cuts what it writes.
    const std::string iniBefore = "[Export]\r\nMyActiveFname=0E2A1F3C.LMY\r\n" + std::string(c.key) + "=" + value + "\r\n";
    ASSERT_TRUE(e2e::WriteFileBytes(d.ini(), iniBefore));

    const auto start = std::chrono::steady_clock::now();
    auto p = e2e::StartLindmorh(d.base.Path(), c.cmd);
    ASSERT_TRUE(p->WaitExit(fc::kExitMs)) << "still running";
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    // A box would have kept it running.
    EXPECT_EQ(p->ExitCode(), 0u);
    std::cout << "ended after " << ms << " ms" << std::endl;

    EXPECT_EQ(e2e::ReadFileBytes(d.base / workName), work);
    EXPECT_EQ(e2e::ReadFileBytes(d.base / "0E2A1F3C.LMY"), work);
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{});
    EXPECT_TRUE(e2e::ReadFileBytes(d.ini()) == iniBefore) << "the value stays as the host wrote it";
}

INSTANTIATE_TEST_SUITE_P(Keys, ValueLongerThanAnyPath,
                         testing::Values(LongValueCase{"5", "LongFnameLMY"}, LongValueCase{"6", "LongFnameGED"}),
                         [](const testing::TestParamInfo<LongValueCase>& i) {
                             return std::string("cmd") + i.param.cmd;
                         });

}  // namespace
