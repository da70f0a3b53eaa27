// Starting the program under test with an exact command line, and the
// per-program settings Wine reads when it starts.
#include "harness.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace e2e {

namespace {

// The processor time of process `pid` from the system's process list, or
// `best` when that is larger or the list cannot be read.
double ProcessListCpuMs(DWORD pid, double best)
{
    // The start of an entry of the process list (SystemProcessInformation).
    struct ProcessEntry {
        ULONG nextEntryOffset;
        ULONG numberOfThreads;
        LARGE_INTEGER reserved[3];
        LARGE_INTEGER createTime;
        LARGE_INTEGER userTime;
        LARGE_INTEGER kernelTime;
        struct {
            USHORT length;
            USHORT maximumLength;
            PWSTR buffer;
        } imageName;
        LONG basePriority;
        HANDLE uniqueProcessId;
    };
    using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const ULONG kSystemProcessInformation = 5;
    const LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

    auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return best;
    std::vector<LONGLONG> buf(1 << 14);  // 8-byte aligned
    LONG status;
    for (;;) {
        ULONG needed = 0;
        ULONG size = static_cast<ULONG>(buf.size() * sizeof buf[0]);
        status = query(kSystemProcessInformation, buf.data(), size, &needed);
        if (status != kInfoLengthMismatch) break;
        buf.resize(buf.size() * 2 + needed / sizeof buf[0]);
    }
    if (status < 0) return best;
    const char* at = reinterpret_cast<const char*>(buf.data());
    for (;;) {
        const auto* entry = reinterpret_cast<const ProcessEntry*>(at);
        if (reinterpret_cast<ULONG_PTR>(entry->uniqueProcessId) == pid) {
            double ms = static_cast<double>(entry->userTime.QuadPart + entry->kernelTime.QuadPart) / 10000.0;
            return ms > best ? ms : best;
        }
        if (entry->nextEntryOffset == 0) return best;
        at += entry->nextEntryOffset;
    }
}

}  // namespace

Process::Process(const std::string& exe, const std::string& commandLine, const std::string& cwd)
{
    // CreateProcessA may write into the command line, so it gets a copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // Under heavy load Wine now and then fails a start with an internal
    // error that a second try does not meet; nothing has run by then.
    BOOL started = FALSE;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 cwd.empty() ? nullptr : cwd.c_str(), &startup, &info_);
        if (!started && GetLastError() != ERROR_INTERNAL_ERROR) break;
        if (!started) Sleep(200);
    }
    if (!started) {
        std::fprintf(stderr, "Process: cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
        info_ = PROCESS_INFORMATION{};
        return;
    }
    CloseHandle(info_.hThread);
    info_.hThread = nullptr;
}

Process::~Process()
{
    if (!info_.hProcess) return;
    Kill();
    CloseHandle(info_.hProcess);
}

bool Process::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::WaitExit(DWORD timeoutMs)
{
    // A process that never started never ends either.
    return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const
{
    DWORD code = 0;
    if (!info_.hProcess || !GetExitCodeProcess(info_.hProcess, &code)) return 0xFFFFFFFFu;
    return code;
}

double Process::CpuMs() const
{
    FILETIME created, exited, kernel, user;
    if (!info_.hProcess || !GetProcessTimes(info_.hProcess, &created, &exited, &kernel, &user))
        return 0.0;
    auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    double ms = static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;  // 100 ns units
    // Wine's GetProcessTimes gives no user time for another process; the
    // process list has it under Wine and Windows alike.
    return ProcessListCpuMs(info_.dwProcessId, ms);
}

void Process::Kill()
{
    if (!Running()) return;
    TerminateProcess(info_.hProcess, 1);
    // Wait so that its files and windows are gone when we return.
    WaitForSingleObject(info_.hProcess, 5000);
}

std::string InstallProgram(const std::string& baseDir, const std::string& exeName)
{
    std::string target = baseDir + "\\" + exeName;
    // Other tests copy the same program at the same moment; a copy that
    // meets a passing sharing conflict is tried again.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (CopyFileA(ProgramUnderTest().c_str(), target.c_str(), FALSE)) return target;
        std::fprintf(stderr, "InstallProgram: copy to %s failed (error %lu)\n", target.c_str(), GetLastError());
        Sleep(100);
    }
    return "";
}

void SetWineVersion(const std::string& exeName, const std::string& version)
{
    std::string keyName = "Software\\Wine\\AppDefaults\\" + exeName;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                   static_cast<DWORD>(version.size() + 1));
    RegCloseKey(key);
}


std::unique_ptr<Process> StartLindmorh(const std::string& baseDir, const std::string& args,
                                       const std::string& exeName, const std::string& cwd)
{
    std::string exe = InstallProgram(baseDir, exeName);
    std::string commandLine = "\"" + exe + "\"";
    if (!args.empty()) commandLine += " " + args;
    return std::make_unique<Process>(exe, commandLine, cwd.empty() ? baseDir : cwd);
}

}  // namespace e2e
