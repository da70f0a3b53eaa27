// Names outside the ANSI code page. Inside, the program works in UTF-16;
// the host still reads and writes LINDMORY.INI in its code page. A path
// that converts exactly reaches the host as it is; any other reaches it in
// its short (8.3) form, which Wine keeps for every long name. Every file
// the exchange file names must open through the ANSI API, with the right
// content, and the user sees real names.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "file_commands.h"
#include "harness.h"

namespace {

// ---- wide helpers -----------------------------------------------------------

std::wstring Wide(const std::string& s)
{
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    if (n) MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

// The ANSI form of `w`, or "" when it does not convert exactly.
std::string Exact(const std::wstring& w)
{
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, &lossy);
    std::string s(static_cast<size_t>(n), '\0');
    if (n) WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr,
                               &lossy);
    return lossy ? std::string() : s;
}

std::wstring Api(const std::wstring& path) { return path.size() < 240 ? path : L"\\\\?\\" + path; }

bool WriteW(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(Api(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(h);
    return ok;
}

std::string ReadW(const std::wstring& path)
{
    HANDLE h = CreateFileW(Api(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) bytes.append(buf, got);
    CloseHandle(h);
    return bytes;
}

bool ExistsW(const std::wstring& path) { return GetFileAttributesW(Api(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ShortW(const std::wstring& path)
{
    wchar_t buf[32768];
    DWORD n = GetShortPathNameW(path.c_str(), buf, 32768);
    return n && n < 32768 ? std::wstring(buf, n) : std::wstring();
}

// The short form the host is to get, in ANSI; must exist and convert.
std::string HostShort(const std::wstring& path)
{
    std::string s = Exact(ShortW(path));
    EXPECT_FALSE(s.empty()) << "no short form that converts";
    return s;
}

std::wstring MessageTextW(HWND box)
{
    HWND text = GetDlgItem(box, fc::kBoxText);
    wchar_t buf[4096] = {};
    if (text) GetWindowTextW(text, buf, 4096);
    return buf;
}

void TypeAndConfirm(HWND dlg, const std::wstring& name)
{
    HWND combo = GetDlgItem(dlg, fc::kFileNameCombo);
    HWND inner = combo ? FindWindowExA(combo, nullptr, "ComboBox", nullptr) : nullptr;
    HWND edit = inner ? FindWindowExA(inner, nullptr, "Edit", nullptr) : nullptr;
    ASSERT_NE(edit, nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_ABORTIFHUNG, 5000, &result);
    e2e::PressButton(dlg, IDOK);
}

// The program started from a folder of any name, as the host does with
// CreateProcess; windows are found by its process id.
class Program {
public:
    Program(const std::wstring& baseDir, const std::wstring& args)
    {
        const std::wstring exe = baseDir + L"\\lindmorh.exe";
        if (!ExistsW(exe)) CopyFileW(Wide(e2e::ProgramUnderTest()).c_str(), exe.c_str(), FALSE);
        std::wstring line = L"\"" + exe + L"\" " + args;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, baseDir.c_str(), &si, &info_);
    }
    ~Program()
    {
        if (info_.hProcess) {
            if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
            CloseHandle(info_.hProcess);
            CloseHandle(info_.hThread);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    DWORD Id() const { return info_.dwProcessId; }
    HWND Dialog() const { return fc::detail::WaitFor(Id(), fc::IsFileDialog, fc::kWindowMs); }
    HWND Box() const { return fc::detail::WaitFor(Id(), fc::IsMessageBox, fc::kWindowMs); }
    bool EndedWithZero() const
    {
        if (!info_.hProcess || WaitForSingleObject(info_.hProcess, fc::kExitMs) != WAIT_OBJECT_0) return false;
        DWORD code = 1;
        GetExitCodeProcess(info_.hProcess, &code);
        return code == 0;
    }

private:
    PROCESS_INFORMATION info_{};
};

// A folder for one test, named outside the code page, removed afterwards
// with everything in it.
class WideDir {
public:
    explicit WideDir(const std::wstring& name)
    {
        const std::wstring top = Wide(parent_.Path());
        path_ = top + L"\\" + name;
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    e2e::TempDir parent_{"wide"};
    std::wstring path_;
};

const std::wstring kGreek = L"\u0395\u03bb\u03ad\u03bd\u03b7";                         // Eleni
const std::wstring kCyrillic = L"\u0421\u0435\u043c\u044c\u044f \u0418\u0432\u0430\u043d\u043e\u0432\u0430";  // the Ivanov family
const std::wstring kCjk = L"\u5bb6\u65cf";                                                // family
const std::wstring kTree = L"\U0001F333";                                               // a tree

// ---- commands 1 and 2 ------------------------------------------------------------

struct OpenCase {
    const char* name;
    const char* cmd;
    std::wstring folder;
    std::wstring file;
    const char* ext;  // of the work file
};

class OpenWide : public testing::TestWithParam<OpenCase> {};

TEST_P(OpenWide, StagesAndRepliesWithTheShortForm)
{
    const OpenCase& c = GetParam();
    e2e::TempDir base("open-wide");
    WideDir docs(c.folder);
    const std::wstring doc = docs / c.file;
    const std::string content = fc::Document(c.name);
    ASSERT_TRUE(WriteW(doc, content));

    auto p = e2e::StartLindmorh(base.Path(), c.cmd);
    HWND dlg = fc::ExpectFileDialog(*p, "Open", std::string("open-wide-") + c.name);
    ASSERT_NE(dlg, nullptr);
    TypeAndConfirm(dlg, doc);
    fc::ExpectCleanExit(*p, std::string("open-wide-") + c.name);

    const std::string reply = fc::Reply(base);
    const size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << reply;
    const std::string work = reply.substr(0, bar);
    EXPECT_TRUE(fc::IsWorkName(work, true, c.ext)) << work;
    EXPECT_EQ(reply.substr(bar + 1), HostShort(doc));
    // The exchange file's bytes: exactly the host's form.
    EXPECT_NE(e2e::ReadFileBytes(fc::Ini(base)).find("LongFnameGED=" + work + "|" + HostShort(doc) + "\r\n"),
              std::string::npos);
    // Both names open through the ANSI API, to the document.
    EXPECT_TRUE(e2e::ReadFileBytes(base / work) == content);
    EXPECT_TRUE(e2e::ReadFileBytes(reply.substr(bar + 1)) == content);
}

INSTANTIATE_TEST_SUITE_P(
    Names, OpenWide,
    testing::Values(OpenCase{"greek_folder", "1", kGreek, L"tree.lmy", ".LMY"},
                    OpenCase{"cyrillic_folder_and_name", "2", kCyrillic, kCyrillic + L".ged", ".GED"},
                    OpenCase{"cjk_folder", "1", kCjk, L"family.ged", ".GED"},
                    OpenCase{"emoji_in_name", "1", L"trees", L"oak " + kTree + L".lmy", ".LMY"}),
    [](const testing::TestParamInfo<OpenCase>& i) { return std::string(i.param.name); });

// ---- command 3 ------------------------------------------------------------------

// A new file in a Cyrillic folder: the folder goes in its short form, the
// file's own name as it is; the document is there under its real name.
TEST(SaveAsWide, NewNameInCyrillicFolderStoresFolderShortForm)
{
    e2e::TempDir base("save-wide");
    WideDir docs(kCyrillic);
    const std::string work = fc::Document("work");
    ASSERT_TRUE(e2e::WriteFileBytes(base / "0e2a1f3c.lmy", work));
    e2e::WriteIni(fc::Ini(base), "MyActiveFname", "0e2a1f3c.lmy");
    const std::wstring target = docs / L"Smith family.lmy";

    auto p = e2e::StartLindmorh(base.Path(), "3");
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", "save-wide-cyrillic");
    ASSERT_NE(dlg, nullptr);
    TypeAndConfirm(dlg, target);
    fc::ExpectCleanExit(*p, "save-wide-cyrillic");

    EXPECT_TRUE(ReadW(target) == work);
    const std::string stored = e2e::ReadIni(fc::Ini(base), "LongFnameLMY");
    EXPECT_EQ(stored, HostShort(docs.Path()) + "\\Smith family.lmy");
    EXPECT_EQ(e2e::ReadFileBytes(stored), work) << "the stored name does not open through the ANSI API";
    EXPECT_FALSE(e2e::FileExists(base / "0e2a1f3c.lmy"));
}

// A new file whose own name has Greek letters has no short form to hand
// over: the box says so and the dialog comes back with the name.
TEST(SaveAsWide, NewNameThatCannotBePassedOnBringsTheDialogBack)
{
    e2e::TempDir base("save-wide-greek");
    WideDir docs(L"docs");
    ASSERT_TRUE(e2e::WriteFileBytes(base / "0e2a1f3c.lmy", fc::Document("work")));
    e2e::WriteIni(fc::Ini(base), "MyActiveFname", "0e2a1f3c.lmy");
    e2e::WriteIni(fc::Ini(base), "LongFnameLMY", "C:\\Trees\\Earlier.lmy");
    const std::string iniBefore = e2e::ReadFileBytes(fc::Ini(base));
    const std::wstring target = docs / (kGreek + L".lmy");

    auto p = e2e::StartLindmorh(base.Path(), "3");
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", "save-wide-greek");
    ASSERT_NE(dlg, nullptr);
    TypeAndConfirm(dlg, target);
    HWND box = fc::WaitForBox(*p);
    ASSERT_NE(box, nullptr);
    fc::Shot(box, "save-wide-greek-cannot-pass");
    EXPECT_EQ(MessageTextW(box),
              L"Error, #0046 in ZIVARARI\n\n" + target +
                  L"\ncannot be passed on: its name holds characters that the system's code page cannot hold.\n\n"
                  L"Rename the file, or move it to a folder whose name uses other characters.");
    e2e::PressButton(box, IDOK);
    HWND again = fc::WaitForFileDialog(*p);
    ASSERT_NE(again, nullptr) << "the dialog did not come back";
    ASSERT_TRUE(fc::CancelDialog(again));
    fc::ExpectCleanExit(*p, "save-wide-greek");

    EXPECT_FALSE(ExistsW(target));
    EXPECT_EQ(e2e::ReadFileBytes(fc::Ini(base)), iniBefore);
    EXPECT_TRUE(e2e::FileExists(base / "0e2a1f3c.lmy"));
}

// ---- command 4 ------------------------------------------------------------------

TEST(SaveAsGedcomWide, ExportInGreekFolderRepliesWithFolderShortForm)
{
    e2e::TempDir base("export-wide");
    WideDir docs(kGreek);
    const std::wstring target = docs / L"export.ged";

    auto p = e2e::StartLindmorh(base.Path(), "4");
    HWND dlg = fc::ExpectFileDialog(*p, "Save As", "export-wide-greek");
    ASSERT_NE(dlg, nullptr);
    TypeAndConfirm(dlg, target);
    fc::ExpectCleanExit(*p, "export-wide-greek");

    const std::string reply = fc::Reply(base);
    const size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << reply;
    EXPECT_EQ(reply.substr(bar + 1), HostShort(docs.Path()) + "\\export.ged");
    EXPECT_EQ(reply.compare(0, base.Path().size() + 1, base.Path() + "\\"), 0) << reply;
    // The host writes the export there and command 6 takes it on.
    ASSERT_TRUE(e2e::WriteFileBytes(reply.substr(0, bar), fc::Document("export")));
    auto p6 = e2e::StartLindmorh(base.Path(), "6");
    HWND box = fc::WaitForBox(*p6);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageTextW(box).substr(0, 14), L"Verify save?\n\n");
    e2e::PressButton(box, IDYES);
    fc::ExpectCleanExit(*p6, "export-wide-greek-copy");
    EXPECT_TRUE(ReadW(target) == fc::Document("export"));
    EXPECT_EQ(fc::Reply(base), "");
}

// ---- commands 5 and 6 take what the host stored ---------------------------------------

// The host stored the short form; the question shows the real name, in the
// user's letters, and the copy lands there.
struct CopyBackCase {
    const char* cmd;
};

class CopyBackWide : public testing::TestWithParam<CopyBackCase> {};

TEST_P(CopyBackWide, ShortFormFromTheHostAsksWithTheRealName)
{
    const bool native = std::string(GetParam().cmd) == "5";
    e2e::TempDir base("copy-wide");
    WideDir docs(kCyrillic);
    const std::wstring target = docs / (kTree + L" " + kCjk + (native ? L".lmy" : L".ged"));
    ASSERT_TRUE(WriteW(target, fc::Document("old")));
    const std::string shortTarget = HostShort(target);
    const std::string work = fc::Document("new");
    const std::string workName = native ? "0e2a1f3c.lmy" : "0A1B2C3D.GED";
    ASSERT_TRUE(e2e::WriteFileBytes(base / workName, work));
    if (native) {
        e2e::WriteIni(fc::Ini(base), "LongFnameLMY", shortTarget);
        e2e::WriteIni(fc::Ini(base), "MyActiveFname", workName);
    } else {
        e2e::WriteIni(fc::Ini(base), "LongFnameGED", base / workName + "|" + shortTarget);
    }

    auto p = e2e::StartLindmorh(base.Path(), GetParam().cmd);
    HWND box = fc::WaitForBox(*p);
    ASSERT_NE(box, nullptr);
    fc::Shot(box, std::string("copy-wide-verify-cmd") + GetParam().cmd);
    std::wstring expected = L"Verify save?\n\n";
    // The long name, 64 characters a line (the tree counts once).
    std::wstring longName = target;
    size_t onLine = 0;
    for (size_t i = 0; i < longName.size(); ++i) {
        bool low = longName[i] >= 0xDC00 && longName[i] <= 0xDFFF;
        if (!low) {
            if (onLine == 64) {
                expected += L'\n';
                onLine = 0;
            }
            ++onLine;
        }
        expected += longName[i];
    }
    EXPECT_EQ(MessageTextW(box), expected);
    e2e::PressButton(box, IDYES);
    fc::ExpectCleanExit(*p, std::string("copy-wide-cmd") + GetParam().cmd);

    EXPECT_TRUE(ReadW(target) == work);
    EXPECT_TRUE(e2e::ReadFileBytes(shortTarget) == work);
    EXPECT_FALSE(e2e::FileExists(base / workName));
}

INSTANTIATE_TEST_SUITE_P(Commands, CopyBackWide, testing::Values(CopyBackCase{"5"}, CopyBackCase{"6"}),
                         [](const testing::TestParamInfo<CopyBackCase>& i) { return std::string("cmd") + i.param.cmd; });

// ---- a base directory under a Cyrillic folder ------------------------------------------

// The program itself lies in a folder outside the code page: it finds its
// exchange file, makes its work files there, and hands the host the base
// directory's short form where it must.
TEST(BaseDirWide, CommandsWorkFromACyrillicFolder)
{
    WideDir base(kCyrillic);
    const std::wstring ini = base / L"LINDMORY.INI";
    WideDir docs(L"docs");
    const std::wstring doc = docs / L"Smith.lmy";
    ASSERT_TRUE(WriteW(doc, fc::Document("document")));
    ASSERT_TRUE(WriteW(ini, "[Export]\r\n"));
    const std::string baseShort = HostShort(base.Path());

    // 8: the version keys.
    {
        Program p(base.Path(), L"8");
        ASSERT_TRUE(p.EndedWithZero());
    }
    EXPECT_NE(ReadW(ini).find("dwMajorVersion="), std::string::npos) << ReadW(ini);

    // 1: staged beside the program; the reply names it by its bare name.
    std::string workName;
    {
        Program p(base.Path(), L"1");
        HWND dlg = p.Dialog();
        ASSERT_NE(dlg, nullptr);
        TypeAndConfirm(dlg, doc);
        ASSERT_TRUE(p.EndedWithZero());
        std::string text = ReadW(ini);
        size_t at = text.find("LongFnameGED=");
        ASSERT_NE(at, std::string::npos) << text;
        std::string reply = text.substr(at + 13, text.find("\r\n", at) - at - 13);
        ASSERT_EQ(reply.substr(reply.find('|') + 1), Exact(doc));
        workName = reply.substr(0, reply.find('|'));
        EXPECT_TRUE(ReadW(base / Wide(workName)) == fc::Document("document"));
        EXPECT_TRUE(e2e::ReadFileBytes(baseShort + "\\" + workName) == fc::Document("document"));
    }

    // 5: the host saved its edits there; Yes copies them back.
    ASSERT_TRUE(WriteW(base / Wide(workName), fc::Document("edited")));
    ASSERT_TRUE(WriteW(ini, "[Export]\r\nLongFnameLMY=" + Exact(doc) + "\r\nMyActiveFname=" + workName + "\r\n"));
    {
        Program p(base.Path(), L"5");
        HWND box = p.Box();
        ASSERT_NE(box, nullptr);
        e2e::PressButton(box, IDYES);
        ASSERT_TRUE(p.EndedWithZero());
    }
    EXPECT_TRUE(ReadW(doc) == fc::Document("edited"));
    EXPECT_FALSE(ExistsW(base / Wide(workName)));

    // 4: the work path in the reply goes in the base directory's short form.
    std::string reply;
    {
        Program p(base.Path(), L"4");
        HWND dlg = p.Dialog();
        ASSERT_NE(dlg, nullptr);
        TypeAndConfirm(dlg, docs / L"export.ged");
        ASSERT_TRUE(p.EndedWithZero());
        std::string text = ReadW(ini);
        size_t at = text.find("LongFnameGED=");
        ASSERT_NE(at, std::string::npos) << text;
        reply = text.substr(at + 13, text.find("\r\n", at) - at - 13);
    }
    const std::string workPath = reply.substr(0, reply.find('|'));
    EXPECT_EQ(workPath.compare(0, baseShort.size() + 1, baseShort + "\\"), 0) << reply;
    EXPECT_EQ(reply.substr(reply.find('|') + 1), Exact(docs / L"export.ged"));

    // 6: the host wrote the export to the work path it was given.
    ASSERT_TRUE(e2e::WriteFileBytes(workPath, fc::Document("export")));
    {
        Program p(base.Path(), L"6");
        HWND box = p.Box();
        ASSERT_NE(box, nullptr);
        e2e::PressButton(box, IDYES);
        ASSERT_TRUE(p.EndedWithZero());
    }
    EXPECT_TRUE(ReadW(docs / L"export.ged") == fc::Document("export"));
    EXPECT_FALSE(e2e::FileExists(workPath));
    EXPECT_NE(ReadW(ini).find("LongFnameGED=\r\n"), std::string::npos) << ReadW(ini);
}

// ---- a document path of 300 characters ---------------------------------------------

// Longer than MAX_PATH: the host stored it whole; the question shows it and
// the copy reaches it through the long-path form.
class LongDocumentPath : public testing::TestWithParam<CopyBackCase> {};

TEST_P(LongDocumentPath, CopiedThroughTheLongPathForm)
{
    const bool native = std::string(GetParam().cmd) == "5";
    e2e::TempDir base("long-doc");
    e2e::TempDir docs("long-doc-docs");
    std::wstring folder = Wide(docs.Path());
    while (folder.size() < 300 - 20) {
        folder += L"\\" + std::wstring(40, L'f');
        ASSERT_TRUE(CreateDirectoryW(Api(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    const std::wstring target = folder + (native ? L"\\family tree.lmy" : L"\\family tree.ged");
    ASSERT_GE(target.size(), 300u);
    ASSERT_TRUE(WriteW(target, fc::Document("old")));
    const std::string work = fc::Document("new");
    const std::string workName = native ? "0e2a1f3c.lmy" : "0A1B2C3D.GED";
    ASSERT_TRUE(e2e::WriteFileBytes(base / workName, work));
    const std::string stored = Exact(target);
    // Written as bytes: the host's profile API may not take such a value.
    const std::string iniText =
        native ? "[Export]\r\nLongFnameLMY=" + stored + "\r\nMyActiveFname=" + workName + "\r\n"
               : "[Export]\r\nLongFnameGED=" + base / workName + "|" + stored + "\r\n";
    ASSERT_TRUE(e2e::WriteFileBytes(fc::Ini(base), iniText));

    auto p = e2e::StartLindmorh(base.Path(), GetParam().cmd);
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(stored), IDYES, std::string("long-doc-cmd") + GetParam().cmd));
    fc::ExpectCleanExit(*p, std::string("long-doc-cmd") + GetParam().cmd);

    EXPECT_TRUE(ReadW(target) == work);
    EXPECT_FALSE(e2e::FileExists(base / workName));
    // Nothing left beside the document.
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((L"\\\\?\\" + folder + L"\\*").c_str(), &found);
    int files = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    EXPECT_EQ(files, 1);
    // The temporary folder goes with the test; the long one is removed here.
    DeleteFileW(Api(target).c_str());
    while (folder.size() > Wide(docs.Path()).size()) {
        RemoveDirectoryW(Api(folder).c_str());
        folder.erase(folder.rfind(L'\\'));
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, LongDocumentPath, testing::Values(CopyBackCase{"5"}, CopyBackCase{"6"}),
                         [](const testing::TestParamInfo<CopyBackCase>& i) { return std::string("cmd") + i.param.cmd; });

}  // namespace
