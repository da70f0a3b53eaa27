// Long values are used whole: a base directory far longer than the 83
// characters an old fixed path buffer held, a work-file name longer than 63
// characters, and an exchange value longer than 1023 characters with a
// path longer than the 490 characters an old confirmation box held.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "file_commands.h"
#include "harness.h"

namespace {

// Creates `root`\<segment>\<segment>... until the path has at least
// `length` characters; returns the deepest folder.
std::string DeepFolder(const std::string& root, size_t length, const std::string& segment)
{
    std::string dir = root;
    while (dir.size() < length) {
        dir += "\\" + segment;
        if (!CreateDirectoryA(dir.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create " << dir << " (error " << GetLastError() << ")";
            break;
        }
    }
    return dir;
}

TEST(LongPaths, OpenFromALongBaseDirectoryStagesAndRepliesTheWholePath)
{
    e2e::TempDir top("long-open");
    const std::string base = DeepFolder(top.Path(), 200, "Family Trees of the Smith and Jones Families");
    ASSERT_GT(base.size(), 200u);
    const std::string doc = base + "\\Smith family.lmy";
    const std::string content = fc::Document("deep");
    ASSERT_TRUE(e2e::WriteFileBytes(doc, content));

    auto p = e2e::StartLindmorh(base, "1");
    ASSERT_TRUE(p->Started());
    HWND dlg = fc::ExpectFileDialog(*p, "Open", "long-open-dialog");
    ASSERT_NE(dlg, nullptr);
    // A bare name is joined to the folder the dialog opened in: the long
    // base directory, which only a preset kept whole can give.
    e2e::ConfirmFileDialog(dlg, "Smith family.lmy");
    ASSERT_TRUE(fc::ExpectCleanExit(*p));

    const std::string reply = e2e::ReadIni(base + "\\LINDMORY.INI", "LongFnameGED");
    const size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << reply;
    EXPECT_EQ(reply.substr(bar + 1), doc);
    EXPECT_EQ(e2e::ReadFileBytes(base + "\\" + reply.substr(0, bar)), content);
}

TEST(LongPaths, GedcomExportFromALongBaseDirectoryRepliesTheWholeWorkPath)
{
    e2e::TempDir top("long-export");
    const std::string base = DeepFolder(top.Path(), 200, "Exports for the family reunion in the summer");
    auto p = e2e::StartLindmorh(base, "4");
    ASSERT_TRUE(p->Started());
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", "long-export-dialog");
    ASSERT_NE(dlg, nullptr);
    e2e::ConfirmFileDialog(dlg, "Smith export.ged");
    ASSERT_TRUE(fc::ExpectCleanExit(*p));

    const std::string reply = e2e::ReadIni(base + "\\LINDMORY.INI", "LongFnameGED");
    const size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << reply;
    const std::string workPath = reply.substr(0, bar);
    EXPECT_EQ(workPath.substr(0, base.size() + 1), base + "\\");
    EXPECT_TRUE(fc::IsWorkName(workPath.substr(base.size() + 1), false, ".GED")) << workPath;
    EXPECT_EQ(reply.substr(bar + 1), base + "\\Smith export.ged");
}

TEST(LongPaths, SaveUsesAWorkFileNameLongerThanSixtyThreeCharactersWhole)
{
    e2e::TempDir base("long-name");
    const std::string name = "Smith family work copy for the summer reunion of all branches 2026";
    ASSERT_GT(name.size() + 4, 63u);
    const std::string work = base / (name + ".LMY");
    const std::string target = base / "Smith family.lmy";
    const std::string content = fc::Document("long name");
    ASSERT_TRUE(e2e::WriteFileBytes(work, content));
    // A file named by the first 63 characters must not be the one copied.
    ASSERT_TRUE(e2e::WriteFileBytes(base / (name.substr(0, 59) + ".LMY"), "decoy"));
    e2e::WriteIni(base / "LINDMORY.INI", "MyActiveFname", name + ".tmp");
    e2e::WriteIni(base / "LINDMORY.INI", "LongFnameLMY", target);

    auto p = e2e::StartLindmorh(base.Path(), "5");
    ASSERT_TRUE(p->Started());
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(target), IDYES, "long-name-verify"));
    ASSERT_TRUE(fc::ExpectCleanExit(*p));
    EXPECT_EQ(e2e::ReadFileBytes(target), content);
    EXPECT_FALSE(e2e::FileExists(work));
}

TEST(LongPaths, CopyExportShowsALongTargetWholeFromAValueOverTheOldReadLimit)
{
    e2e::TempDir base("long-value");
    std::string target = "D:\\Exports";
    while (target.size() < 1100) target += "\\Every branch of the Smith and Jones families";
    target += "\\tree.ged";
    const std::string work = base / "0e2a1f3c.GED";
    const std::string value = work + "|" + target;
    ASSERT_GT(value.size(), 1023u);
    ASSERT_TRUE(e2e::WriteFileBytes(work, "export"));
    e2e::WriteIni(base / "LINDMORY.INI", "LongFnameGED", value);

    auto p = e2e::StartLindmorh(base.Path(), "6");
    ASSERT_TRUE(p->Started());
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(target), IDNO, "long-value-verify"));
    ASSERT_TRUE(fc::ExpectCleanExit(*p));
    EXPECT_EQ(e2e::ReadFileBytes(work), "export");
    EXPECT_EQ(e2e::ReadIni(base / "LINDMORY.INI", "LongFnameGED"), "");
}

}  // namespace
