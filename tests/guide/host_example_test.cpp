// The host-integration guide's C example (host_example.exe, built from the
// guide's own text) run against the real lindmorh.exe: the test plays the
// user of the dialogs that the example's lindmorh.exe shows, and checks what
// the example prints and what it leaves on disk.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <memory>
#include <string>
#include <vector>

#include "harness.h"
#include "texts.h"

namespace {

const DWORD kWindowMs = 15000;
const DWORD kExitMs = 30000;
const char kExport[] = "0 HEAD\r\n1 CHAR ANSI\r\n0 TRLR\r\n";

// host_example.exe started with "FOLDER COMMAND", its output captured.
class Example {
public:
    Example(const std::string& baseDir, const std::string& command)
    {
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        HANDLE write = nullptr;
        if (!CreatePipe(&read_, &write, &inherit, 0)) return;
        SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
        const std::string exe = e2e::ToolPath("host_example.exe");
        std::string line = "\"" + exe + "\" \"" + baseDir + "\" " + command;
        std::vector<char> buffer(line.begin(), line.end());
        buffer.push_back('\0');
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = write;
        startup.hStdError = write;
        if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                            &info_)) {
            ADD_FAILURE() << "cannot start " << exe << " (error " << GetLastError() << ")";
            info_ = PROCESS_INFORMATION{};
        }
        // Only the example holds the pipe's writing end now: its end is the
        // end of the output.
        CloseHandle(write);
    }
    ~Example()
    {
        if (info_.hProcess) {
            if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
            CloseHandle(info_.hProcess);
            CloseHandle(info_.hThread);
        }
        if (read_) CloseHandle(read_);
    }
    Example(const Example&) = delete;
    Example& operator=(const Example&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }

    // The lindmorh.exe that the example started, other than `notThis`.
    DWORD WaitForProgram(DWORD notThis = 0) const
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < kWindowMs) {
            HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
            PROCESSENTRY32 entry{};
            entry.dwSize = sizeof entry;
            DWORD found = 0;
            for (BOOL more = Process32First(snapshot, &entry); more && !found;
                 more = Process32Next(snapshot, &entry)) {
                if (entry.th32ParentProcessID == info_.dwProcessId && entry.th32ProcessID != notThis &&
                    lstrcmpiA(entry.szExeFile, "lindmorh.exe") == 0)
                    found = entry.th32ProcessID;
            }
            CloseHandle(snapshot);
            if (found) return found;
            Sleep(10);
        }
        return 0;
    }

    // Waits for the end; the exit code, or ~0 when it did not end.
    DWORD Finish()
    {
        if (!info_.hProcess || WaitForSingleObject(info_.hProcess, kExitMs) != WAIT_OBJECT_0) return ~0u;
        DWORD code = ~0u;
        GetExitCodeProcess(info_.hProcess, &code);
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(read_, chunk, sizeof chunk, &got, nullptr) && got) output_.append(chunk, got);
        return code;
    }
    const std::string& Output() const { return output_; }

private:
    PROCESS_INFORMATION info_{};
    HANDLE read_ = nullptr;
    std::string output_;
};

// The value the example printed for `key` after `command` ("<none>" when
// it printed none). Its lines read "  KEY=VALUE" below "after command N:".
std::string Printed(const std::string& output, const std::string& command, const std::string& key)
{
    size_t block = output.find("after command " + command + ":");
    if (block == std::string::npos) return "<none>";
    size_t at = output.find("  " + key + "=", block);
    if (at == std::string::npos) return "<none>";
    at += key.size() + 3;
    size_t end = output.find_first_of("\r\n", at);
    return output.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// Eight hexadecimal digits (in `digits`) followed by `extension`.
bool IsWorkName(const std::string& name, const char* digits, const std::string& extension)
{
    return name.size() == 8 + extension.size() && name.find_first_not_of(digits) == 8 &&
           name.compare(8, std::string::npos, extension) == 0;
}

class HostExample : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(e2e::InstallProgram(base_.Path()).empty());
        document_ = docs_ / "Smith family.lmy";
        ASSERT_TRUE(e2e::WriteFileBytes(document_, "LMY\x1a Smith family, 3 generations\r\n"));
    }

    HWND WaitForDialog(DWORD pid) { return e2e::WaitForWindow(pid, "#32770", kWindowMs); }

    e2e::TempDir base_{"guide-base"};
    e2e::TempDir docs_{"guide-docs"};
    std::string document_;
};

TEST_F(HostExample, Command8ReportsTheVersion)
{
    Example example(base_.Path(), "8");
    ASSERT_TRUE(example.Started());
    ASSERT_EQ(example.Finish(), 0u) << example.Output();
    const std::string major = Printed(example.Output(), "8", "dwMajorVersion");
    EXPECT_TRUE(!major.empty() && major[0] != '0' && major.find_first_not_of("0123456789") == std::string::npos)
        << example.Output();
    EXPECT_EQ(Printed(example.Output(), "8", "dwPlatformId"), "2") << example.Output();
    EXPECT_EQ(Printed(example.Output(), "8", "LongFnameGED"), "") << example.Output();
    EXPECT_EQ(e2e::ReadIni(base_ / "LINDMORY.INI", "dwPlatformId"), "2");
}

TEST_F(HostExample, Command1StagesTheChosenDocumentAndRepliesWithItsWorkFile)
{
    // An old reply must not survive into the new one.
    e2e::WriteIni(base_ / "LINDMORY.INI", "LongFnameGED", "0A0B0C0D.LMY|C:\\old.lmy");
    Example example(base_.Path(), "1");
    ASSERT_TRUE(example.Started());
    const DWORD program = example.WaitForProgram();
    ASSERT_NE(program, 0u) << "the example started no lindmorh.exe";
    HWND open = WaitForDialog(program);
    ASSERT_NE(open, nullptr) << "no Open dialog";
    e2e::Screenshot(open, "guide_example_open");
    e2e::ConfirmFileDialog(open, document_);
    ASSERT_EQ(example.Finish(), 0u) << example.Output();

    const std::string reply = Printed(example.Output(), "1", "LongFnameGED");
    const size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << example.Output();
    const std::string workName = reply.substr(0, bar);
    EXPECT_TRUE(IsWorkName(workName, "0123456789ABCDEF", ".LMY")) << example.Output();
    EXPECT_EQ(reply.substr(bar + 1), document_);
    EXPECT_EQ(e2e::ReadFileBytes(base_ / workName), e2e::ReadFileBytes(document_))
        << "the work file named in the reply is not a copy of the document";
}

TEST_F(HostExample, Command4And6ExportToTheChosenNameOnYes)
{
    const std::string target = docs_ / "Smith export.ged";
    Example example(base_.Path(), "4");
    ASSERT_TRUE(example.Started());
    const DWORD saveAs = example.WaitForProgram();
    ASSERT_NE(saveAs, 0u);
    HWND dialog = WaitForDialog(saveAs);
    ASSERT_NE(dialog, nullptr) << "no Save As dialog";
    e2e::ConfirmFileDialog(dialog, target);

    const DWORD copy = example.WaitForProgram(saveAs);
    ASSERT_NE(copy, 0u) << "the example did not run command 6";
    HWND box = WaitForDialog(copy);
    ASSERT_NE(box, nullptr) << "no \"Verify save?\"";
    const std::wstring expected = VerifySaveText(std::wstring(target.begin(), target.end()));
    EXPECT_EQ(e2e::MessageBoxText(box), std::string(expected.begin(), expected.end()));
    e2e::Screenshot(box, "guide_example_verify_save");
    e2e::PressButton(box, IDYES);
    ASSERT_EQ(example.Finish(), 0u) << example.Output();

    const std::string writing = "writing the export to " + base_.Path() + "\\";
    const size_t at = example.Output().find(writing);
    ASSERT_NE(at, std::string::npos) << example.Output();
    EXPECT_TRUE(IsWorkName(example.Output().substr(at + writing.size(), 12), "0123456789abcdef", ".GED"))
        << example.Output();
    EXPECT_EQ(example.Output().compare(at + writing.size() + 12, 5 + target.size(), " for " + target), 0)
        << example.Output();
    EXPECT_EQ(Printed(example.Output(), "6", "LongFnameGED"), "") << example.Output();
    EXPECT_EQ(e2e::ReadFileBytes(target), kExport);
    EXPECT_EQ(e2e::ListFiles(base_.Path()), (std::vector<std::string>{"LINDMORY.INI", "lindmorh.exe"}))
        << "the export's work file was left behind";
}

TEST_F(HostExample, Command6AnsweredNoLeavesTheWorkFileForTheHostToRemove)
{
    const std::string target = docs_ / "Smith export.ged";
    Example example(base_.Path(), "4");
    ASSERT_TRUE(example.Started());
    const DWORD saveAs = example.WaitForProgram();
    ASSERT_NE(saveAs, 0u);
    HWND dialog = WaitForDialog(saveAs);
    ASSERT_NE(dialog, nullptr) << "no Save As dialog";
    e2e::ConfirmFileDialog(dialog, target);
    const DWORD copy = example.WaitForProgram(saveAs);
    ASSERT_NE(copy, 0u) << "the example did not run command 6";
    HWND box = WaitForDialog(copy);
    ASSERT_NE(box, nullptr) << "no \"Verify save?\"";
    e2e::PressButton(box, IDNO);
    ASSERT_EQ(example.Finish(), 0u) << example.Output();

    EXPECT_FALSE(e2e::FileExists(target));
    EXPECT_EQ(Printed(example.Output(), "6", "LongFnameGED"), "") << example.Output();
    EXPECT_NE(example.Output().find("the export was not saved: removed "), std::string::npos) << example.Output();
    EXPECT_EQ(e2e::ListFiles(base_.Path()), (std::vector<std::string>{"LINDMORY.INI", "lindmorh.exe"}));
}

}  // namespace
