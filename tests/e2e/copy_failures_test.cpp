// Copies that cannot be made: a source nobody may read, a target held by
// another program, a disk that refuses writes or is full, an exchange file
// that cannot be written. Each shows its error box, leaves the old document
// as it was, keeps the work file where a retry needs it and reports no
// success.
//
// The read-only and the full disk are tmpfs mounts that scripts/mounts.sh
// prepares (as root) before the tests run; without them those cases skip.
#include <gtest/gtest.h>

#include "file_commands.h"
#include "harness.h"

namespace {

const char kNativeWork[] = "0e2a1f3c.lmy";

// The folder scripts/mounts.sh prepares for this build's word size.
std::string MountDir(const char* kind)
{
    return std::string("Z:\\tmp\\zivarari-mounts\\") + (sizeof(void*) == 8 ? "x64" : "x86") + "\\" + kind;
}

// The content scripts/mounts.sh gives target.lmy on both mounts. Known in
// advance, so that a target damaged by an earlier run is noticed instead of
// being taken as the old document.
std::string MountTargetContent()
{
    std::string text = "ZivaRari test target: this old document must survive a failed save.\r\n";
    for (int i = 0; i < 40; ++i) {
        char line[64];
        wsprintfA(line, "line %02d of the old document\r\n", i);
        text += line;
    }
    return text;
}

bool DirectoryExists(const std::string& path)
{
    DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

// True when a new file can be created in `dir` (the probe is removed).
bool TakesNewFile(const std::string& dir)
{
    std::string probe = dir + "\\probe.tmp";
    HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    DeleteFileA(probe.c_str());
    return true;
}

// The system's error for creating a new file in `dir`; 0 when it can.
DWORD NewFileError(const std::string& dir)
{
    std::string probe = dir + "\\probe.tmp";
    HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(h);
    DeleteFileA(probe.c_str());
    return 0;
}

// The system's error for replacing `target` with a new file beside it, as
// things stand (the caller holds whatever lock it wants to try).
DWORD ReplaceError(const std::string& target)
{
    std::string probe = target + ".probe";
    if (!e2e::WriteFileBytes(probe, "probe")) return GetLastError();
    DWORD error = MoveFileExA(probe.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : GetLastError();
    DeleteFileA(probe.c_str());
    return error;
}

ULONGLONG FreeBytes(const std::string& dir)
{
    ULARGE_INTEGER avail{};
    if (!GetDiskFreeSpaceExA((dir + "\\").c_str(), &avail, nullptr, nullptr)) return ~0ull;
    return avail.QuadPart;
}

// ---- commands 5 and 6: the copy back fails ------------------------------------

enum class Fault { SourceLocked, SourceMissing, TargetLocked, ReadOnlyDisk, FullDisk };

const char* FaultName(Fault f)
{
    switch (f) {
    case Fault::SourceLocked: return "source_unreadable";
    case Fault::SourceMissing: return "source_missing";
    case Fault::TargetLocked: return "target_locked";
    case Fault::ReadOnlyDisk: return "target_on_read_only_disk";
    case Fault::FullDisk: return "target_on_full_disk";
    }
    return "?";
}

struct CopyBackCase {
    const char* cmd;  // "5" or "6"
    Fault fault;
};

std::string CopyBackName(const testing::TestParamInfo<CopyBackCase>& i)
{
    return fc::CaseName(i.index, std::string("cmd") + i.param.cmd + "_" + FaultName(i.param.fault));
}

class CopyBackFails : public testing::TestWithParam<CopyBackCase> {};

// After Yes the copy fails: error 0x46, the old target byte for byte, the
// work file kept (command 5 must not lose the only copy of the edits;
// command 6 keeps it for a retry), the exchange file untouched (command 6
// keeps the reply), and no temporary file beside the target.
TEST_P(CopyBackFails, ShowsErrorAndKeepsTargetWorkFileAndExchangeFile)
{
    const CopyBackCase& c = GetParam();
    fc::Dirs d("copyfail");
    const bool native = std::string(c.cmd) == "5";
    const std::string workName = native ? kNativeWork : "0A1B2C3D.GED";
    const std::string workPath = d.base / workName;
    // Larger than the space left on the full disk.
    const std::string work = fc::Document("edited work file", 64 * 1024);

    std::string targetDir = d.docs.Path();
    if (c.fault == Fault::ReadOnlyDisk || c.fault == Fault::FullDisk) {
        targetDir = MountDir(c.fault == Fault::ReadOnlyDisk ? "ro" : "full");
        if (!DirectoryExists(targetDir)) {
            GTEST_SKIP() << "needs root for mounts (run scripts/mounts.sh setup)";
        }
        ASSERT_EQ(e2e::ReadFileBytes(targetDir + "\\target.lmy"), MountTargetContent())
            << "target.lmy on the mount is not as prepared; run scripts/mounts.sh setup again";
        if (c.fault == Fault::ReadOnlyDisk) {
            ASSERT_FALSE(TakesNewFile(targetDir)) << targetDir << " is not read-only";
        } else {
            ASSERT_LT(FreeBytes(targetDir), work.size()) << targetDir << " is not full";
        }
    } else {
        ASSERT_TRUE(e2e::WriteFileBytes(targetDir + "\\target.lmy", fc::Document("old document")));
    }
    const std::string target = targetDir + "\\target.lmy";
    const std::string oldDoc = e2e::ReadFileBytes(target);
    ASSERT_FALSE(oldDoc.empty());
    const std::vector<std::string> targetDirBefore = e2e::ListFiles(targetDir);

    if (c.fault != Fault::SourceMissing) {
        ASSERT_TRUE(e2e::WriteFileBytes(workPath, work));
    }
    if (native) {
        e2e::WriteIni(d.ini(), "LongFnameLMY", target);
        e2e::WriteIni(d.ini(), "MyActiveFname", workName);
        e2e::WriteIni(d.ini(), "LongFnameGED", "untouched");
    } else {
        e2e::WriteIni(d.ini(), "LongFnameGED", workPath + "|" + target);
    }
    const std::string iniBefore = e2e::ReadFileBytes(d.ini());

    const std::string shot = std::string("copyfail-cmd") + c.cmd + "-" + FaultName(c.fault);
    {
        const std::string locked = c.fault == Fault::SourceLocked   ? workPath
                                   : c.fault == Fault::TargetLocked ? target
                                                                    : std::string();
        fc::Lock lock(locked);
        ASSERT_EQ(lock.Held(), !locked.empty());

        // The reason the box must give: the system's own for this fault.
        DWORD error = ERROR_SUCCESS;
        switch (c.fault) {
        case Fault::SourceLocked: error = ERROR_SHARING_VIOLATION; break;
        case Fault::SourceMissing: error = ERROR_FILE_NOT_FOUND; break;
        case Fault::TargetLocked: error = ReplaceError(target); break;
        case Fault::ReadOnlyDisk: error = NewFileError(targetDir); break;
        case Fault::FullDisk: error = ERROR_DISK_FULL; break;
        }
        ASSERT_NE(error, static_cast<DWORD>(ERROR_SUCCESS));
        const std::string source = native ? d.base / "0e2a1f3c.LMY" : workPath;

        auto p = e2e::StartLindmorh(d.base.Path(), c.cmd);
        ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(target), IDYES, shot + "-verify"));
        fc::AnswerBox(*p, fc::CopyErrorBox(source, target, error), IDOK, shot + "-error-0046");
        fc::ExpectCleanExit(*p);
    }

    EXPECT_EQ(e2e::ReadFileBytes(target), oldDoc) << "the old document was changed";
    EXPECT_EQ(e2e::ListFiles(targetDir), targetDirBefore) << "files appeared or vanished beside the target";
    if (c.fault == Fault::SourceMissing) {
        EXPECT_FALSE(e2e::FileExists(workPath));
    } else {
        EXPECT_EQ(e2e::ReadFileBytes(workPath), work) << "the work file was not kept";
    }
    EXPECT_EQ(e2e::ReadFileBytes(d.ini()), iniBefore) << "the exchange file changed";
    EXPECT_EQ(fc::FilesBesides(d.base.Path(), {fc::kExe, fc::kIniName, workName}), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CopyBackFails,
    testing::Values(CopyBackCase{"5", Fault::SourceLocked}, CopyBackCase{"6", Fault::SourceLocked},
                    CopyBackCase{"5", Fault::SourceMissing}, CopyBackCase{"6", Fault::SourceMissing},
                    CopyBackCase{"5", Fault::TargetLocked}, CopyBackCase{"6", Fault::TargetLocked},
                    CopyBackCase{"5", Fault::ReadOnlyDisk}, CopyBackCase{"6", Fault::ReadOnlyDisk},
                    CopyBackCase{"5", Fault::FullDisk}, CopyBackCase{"6", Fault::FullDisk}),
    CopyBackName);

// ---- commands 1 and 2: the chosen document cannot be read ----------------------

struct OpenCase {
    const char* cmd;
    const char* name;
};

std::string OpenName(const testing::TestParamInfo<OpenCase>& i)
{
    return fc::CaseName(i.index, std::string("cmd") + i.param.cmd + "_" + i.param.name);
}

class OpenUnreadable : public testing::TestWithParam<OpenCase> {};

// Every work file the command created is removed again: the empty
// placeholder must not pass for the document.
TEST_P(OpenUnreadable, ShowsErrorAndLeavesNoWorkFile)
{
    const OpenCase& c = GetParam();
    fc::Dirs d("openfail");
    const std::string doc = d.docs / c.name;
    const std::string content = fc::Document(c.name);
    ASSERT_TRUE(e2e::WriteFileBytes(doc, content));
    e2e::WriteIni(d.ini(), "LongFnameGED", "0A0B0C0D.GED|C:\\Trees\\Old.ged");

    const std::string shot = std::string("openfail-cmd") + c.cmd + "-" + c.name;
    {
        fc::Lock lock(doc);
        ASSERT_TRUE(lock.Held());
        auto p = e2e::StartLindmorh(d.base.Path(), c.cmd);
        HWND dlg = fc::ExpectFileDialog(*p, "Open", shot);
        ASSERT_NE(dlg, nullptr);
        e2e::ConfirmFileDialog(dlg, doc);
        // The work file it could not fill: its path upper-cased, as the
        // staging spells it, with a name of eight digits.
        HWND box = fc::WaitForBox(*p);
        ASSERT_NE(box, nullptr);
        const std::string text = e2e::MessageBoxText(box);
        std::string baseDir = d.base.Path() + "\\";
        CharUpperBuffA(&baseDir[0], static_cast<DWORD>(baseDir.size()));
        const std::string head = "Error, #0046 in ZIVARARI\n\n" + doc + "\ncould not be copied to\n" + baseDir;
        ASSERT_EQ(text.compare(0, head.size(), head), 0) << text;
        const std::string work = text.substr(head.size(), text.find('\n', head.size()) - head.size());
        EXPECT_TRUE(fc::IsWorkName(work, true, std::string(".") + (std::string(c.cmd) == "1" ? "LMY" : "GED")))
            << work;
        fc::AnswerBox(*p, fc::CopyErrorBox(doc, baseDir + work, ERROR_SHARING_VIOLATION), IDOK,
                      shot + "-error-0046");
        fc::ExpectCleanExit(*p);
    }

    EXPECT_EQ(fc::Reply(d.base), "");
    EXPECT_EQ(fc::FilesBesides(d.base.Path(), {fc::kExe, fc::kIniName}), std::vector<std::string>{});
    EXPECT_EQ(e2e::ReadFileBytes(doc), content);
}

INSTANTIATE_TEST_SUITE_P(Types, OpenUnreadable,
                         testing::Values(OpenCase{"1", "Smith.lmy"}, OpenCase{"2", "Smith.ged"}), OpenName);

// ---- commands 1, 2 and 4: the base directory takes no new file ------------------
// The program runs from a read-only folder (scripts/mounts.sh) whose
// lindmorh.exe and LINDMORY.INI are links into a writable one: no work
// file can be created, yet the reply can be written.

struct NoWorkFileCase {
    const char* cmd;
    const char* chosen;  // in the documents folder
};

void PrintTo(const NoWorkFileCase& c, std::ostream* os) { *os << "cmd " << c.cmd << " " << c.chosen; }

std::string NoWorkFileName(const testing::TestParamInfo<NoWorkFileCase>& i)
{
    return fc::CaseName(i.index, std::string("cmd") + i.param.cmd + "_" + i.param.chosen);
}

class NoWorkFile : public testing::TestWithParam<NoWorkFileCase> {};

// 0x46 says where no work file could be created and why; the reply is
// empty, so the host is told no pair; nothing is left anywhere.
TEST_P(NoWorkFile, ShowsErrorRepliesEmptyAndLeavesNothing)
{
    const NoWorkFileCase& c = GetParam();
    const std::string base = MountDir("robase");
    const std::string files = MountDir("robase-files");
    if (!DirectoryExists(base) || !DirectoryExists(files)) {
        GTEST_SKIP() << "needs root for mounts (run scripts/mounts.sh setup)";
    }
    // The cases share the one folder: one at a time.
    HANDLE turn =
        CreateMutexA(nullptr, FALSE, sizeof(void*) == 8 ? "zivarari-test-robase-x64" : "zivarari-test-robase-x86");
    ASSERT_NE(turn, nullptr);
    ASSERT_NE(WaitForSingleObject(turn, 120000), static_cast<DWORD>(WAIT_TIMEOUT));
    struct Release {
        HANDLE h;
        std::string files;
        ~Release()
        {
            DeleteFileA((files + "\\" + fc::kIniName).c_str());
            ReleaseMutex(h);
            CloseHandle(h);
        }
    } release{turn, files};

    const std::string ini = base + "\\" + fc::kIniName;
    ASSERT_FALSE(e2e::InstallProgram(files).empty());
    const std::string earlier = "0A0B0C0D.GED|C:\\Trees\\Old.ged";
    ASSERT_TRUE(e2e::WriteFileBytes(files + "\\" + fc::kIniName,
                                    "[Lindmory]\r\nHost=kept\r\n[Export]\r\nLongFnameLMY=C:\\Trees\\Smith.lmy\r\n"
                                    "MyActiveFname=01020304.lmy\r\nLongFnameGED=" + earlier + "\r\n"));
    ASSERT_EQ(e2e::ReadIni(ini, "LongFnameGED"), earlier) << "the exchange file is not reached through " << base;
    const DWORD error = NewFileError(base);
    ASSERT_NE(error, static_cast<DWORD>(ERROR_SUCCESS)) << base << " takes new files";
    const std::vector<std::string> baseBefore = e2e::ListFiles(base);
    const std::vector<std::string> filesBefore = e2e::ListFiles(files);

    e2e::TempDir docs("noworkfile-docs");
    const std::string chosen = docs / c.chosen;
    const std::string content = fc::Document(c.chosen);
    const bool open = std::string(c.cmd) != "4";
    if (open) {
        ASSERT_TRUE(e2e::WriteFileBytes(chosen, content));
    }

    const std::string shot = std::string("noworkfile-cmd") + c.cmd;
    const std::string exe = base + "\\" + fc::kExe;
    e2e::Process p(exe, "\"" + exe + "\" " + c.cmd, base);
    ASSERT_TRUE(p.Started());
    HWND dlg = fc::ExpectFileDialog(p, open ? "Open" : "Save As", shot);
    ASSERT_NE(dlg, nullptr);
    e2e::ConfirmFileDialog(dlg, chosen);
    fc::AnswerBox(p, fc::WorkFileErrorBox(base + "\\", error), IDOK, shot + "-error-0046");
    fc::ExpectCleanExit(p, shot);

    EXPECT_EQ(e2e::ReadIni(ini, "LongFnameGED"), "") << "a pair was written, or the earlier one kept";
    EXPECT_EQ(e2e::ReadIni(ini, "LongFnameLMY"), "C:\\Trees\\Smith.lmy");
    EXPECT_EQ(e2e::ReadIni(ini, "MyActiveFname"), "01020304.lmy");
    char host[32] = {};
    GetPrivateProfileStringA("Lindmory", "Host", "", host, sizeof host, ini.c_str());
    EXPECT_STREQ(host, "kept");
    EXPECT_EQ(e2e::ListFiles(base), baseBefore);
    EXPECT_EQ(e2e::ListFiles(files), filesBefore) << "a work file went to the folder behind the links";
    if (open) {
        EXPECT_EQ(e2e::ReadFileBytes(chosen), content);
        EXPECT_EQ(e2e::ListFiles(docs.Path()), std::vector<std::string>{c.chosen});
    } else {
        EXPECT_EQ(e2e::ListFiles(docs.Path()), std::vector<std::string>{});
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, NoWorkFile,
                         testing::Values(NoWorkFileCase{"1", "Smith.lmy"}, NoWorkFileCase{"2", "Smith.ged"},
                                         NoWorkFileCase{"4", "Export.ged"}),
                         NoWorkFileName);

// ---- command 3: the chosen target is held by another program -------------------

// The chosen name is stored before the copy; once the copy has failed the
// stored name gets back what it had, so that it never names a file that
// does not hold the document ("" where it had nothing).
class SaveAsFails : public testing::TestWithParam<const char*> {};

TEST_P(SaveAsFails, LockedTargetShowsErrorKeepsBothFilesAndRestoresTheName)
{
    const std::string earlier = GetParam();
    fc::Dirs d("saveasfail");
    const std::string target = d.docs / "Smith.lmy";
    const std::string oldDoc = fc::Document("old");
    const std::string work = fc::Document("work");
    ASSERT_TRUE(e2e::WriteFileBytes(target, oldDoc));
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kNativeWork, work));
    e2e::WriteIni(d.ini(), "MyActiveFname", kNativeWork);
    if (!earlier.empty()) e2e::WriteIni(d.ini(), "LongFnameLMY", earlier);
    const std::string shot = "saveasfail-locked-target" + std::string(earlier.empty() ? "" : "-earlier-name");
    {
        fc::Lock lock(target);
        ASSERT_TRUE(lock.Held());
        const DWORD error = ReplaceError(target);
        ASSERT_NE(error, static_cast<DWORD>(ERROR_SUCCESS));
        auto p = e2e::StartLindmorh(d.base.Path(), "3");
        HWND dlg = fc::ExpectFileDialog(*p, "Save As", shot);
        ASSERT_NE(dlg, nullptr);
        e2e::ConfirmFileDialog(dlg, target);
        ASSERT_TRUE(fc::AnswerOverwrite(*p, IDYES, shot + "-overwrite-question"));
        fc::AnswerBox(*p, fc::CopyErrorBox(d.base / "0e2a1f3c.LMY", target, error), IDOK, shot + "-error-0046");
        fc::ExpectCleanExit(*p);
    }
    EXPECT_EQ(e2e::ReadFileBytes(target), oldDoc);
    EXPECT_EQ(e2e::ReadFileBytes(d.base / kNativeWork), work);
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{"Smith.lmy"});
    EXPECT_EQ(e2e::ReadIni(d.ini(), "LongFnameLMY"), earlier) << "the stored name must not name the failed target";
}

INSTANTIATE_TEST_SUITE_P(EarlierName, SaveAsFails, testing::Values("", "D:\\Trees\\Earlier.lmy"),
                         [](const testing::TestParamInfo<const char*>& i) {
                             return std::string(*i.param ? "earlier_name" : "no_earlier_name");
                         });

// ---- the exchange file cannot be written ---------------------------------------
// A folder named LINDMORY.INI: every write to it fails and every read
// gives "", like a file on a disk that refuses writes.

class UnwritableExchange : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CreateDirectoryA(d.ini().c_str(), nullptr)); }
    fc::Dirs d{"iniblocked"};
};

// The document is staged before the reply is written; the failed reply
// then shows 0x45, and the staged work file goes again: nobody learns its
// name, so it would only lie about.
TEST_F(UnwritableExchange, OpenStagesThenShowsReplyErrorAndRemovesTheWorkFile)
{
    const std::string doc = d.docs / "Smith.lmy";
    const std::string content = fc::Document("native");
    ASSERT_TRUE(e2e::WriteFileBytes(doc, content));

    auto p = e2e::StartLindmorh(d.base.Path(), "1");
    HWND dlg = fc::ExpectFileDialog(*p, "Open", "iniblocked-open");
    ASSERT_NE(dlg, nullptr);
    e2e::ConfirmFileDialog(dlg, doc);
    fc::AnswerBox(*p, fc::ErrorBox("0045"), IDOK, "iniblocked-open-error-0045");
    fc::ExpectCleanExit(*p);

    EXPECT_EQ(fc::FilesBesides(d.base.Path(), {fc::kExe}), std::vector<std::string>{});
    EXPECT_EQ(e2e::ReadFileBytes(doc), content);
}

// Commands 3 and 4 read the stored name before their dialog. A folder in
// the exchange file's place cannot be read: 0x47 says so, before any
// dialog, and nothing is chosen, copied or reserved.
class UnreadableBeforeTheDialog : public UnwritableExchange, public testing::WithParamInterface<const char*> {};

TEST_P(UnreadableBeforeTheDialog, ShowsReadErrorAndDoesNothing)
{
    const std::string cmd = GetParam();
    auto p = e2e::StartLindmorh(d.base.Path(), cmd);
    fc::AnswerErrorWithReason(*p, "0047", fc::ExchangeUnreadable(d.ini()), "iniblocked-cmd" + cmd + "-error-0047");
    fc::ExpectCleanExit(*p, "iniblocked-cmd" + cmd);

    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{});
    EXPECT_EQ(fc::FilesBesides(d.base.Path(), {fc::kExe}), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(SaveAs, UnreadableBeforeTheDialog, testing::Values("3", "4"),
                         [](const testing::TestParamInfo<const char*>& i) { return std::string("cmd") + i.param; });

}  // namespace
