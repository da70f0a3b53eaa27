#include "scene.h"

#include <cstdio>
#include <cstring>

#ifndef LINDMORH_FAULTS_EXE
#define LINDMORH_FAULTS_EXE "lindmorh_faults.exe"
#endif

namespace sweep {
namespace {

std::string WindowsPath(std::string path)
{
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// This process's environment with `set` added or replacing variables of
// the same name, as a block for CreateProcessA.
std::vector<char> EnvironmentWith(const std::map<std::string, std::string>& set)
{
    std::vector<char> block;
    char* strings = GetEnvironmentStringsA();
    for (const char* p = strings; p && *p; p += std::strlen(p) + 1) {
        std::string entry = p;
        size_t eq = entry.find('=', 1);  // "=C:=C:\..." entries start with '='
        std::string name = eq == std::string::npos ? entry : entry.substr(0, eq);
        bool replaced = false;
        for (const auto& kv : set) replaced = replaced || lstrcmpiA(kv.first.c_str(), name.c_str()) == 0;
        if (!replaced) block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
    }
    if (strings) FreeEnvironmentStringsA(strings);
    for (const auto& kv : set) {
        std::string entry = kv.first + "=" + kv.second;
        block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
    }
    block.push_back('\0');
    return block;
}

std::map<std::string, std::string> ReadIniKeys(const std::string& ini)
{
    std::map<std::string, std::string> values;
    for (const std::string& key : IniKeys()) values[key] = e2e::ReadIni(ini, key, kMissing);
    return values;
}

}  // namespace

std::string FaultProgram()
{
    char buf[MAX_PATH * 4];
    DWORD n = GetEnvironmentVariableA("LINDMORH_FAULTS_EXE", buf, sizeof buf);
    return WindowsPath(n > 0 && n < sizeof buf ? std::string(buf, n) : std::string(LINDMORH_FAULTS_EXE));
}

const std::vector<std::string>& IniKeys()
{
    static const std::vector<std::string> keys{"LongFnameGED", "LongFnameLMY", "MyActiveFname", "dwMajorVersion",
                                               "dwPlatformId"};
    return keys;
}

Scene::Scene(const std::string& tag) : root_("fault-" + tag)
{
    base_ = root_ / "base";
    docs_ = root_ / "docs";
    if (!CreateDirectoryA(base_.c_str(), nullptr) || !CreateDirectoryA(docs_.c_str(), nullptr)) return;
    // Other runs copy the same program at the same moment; a copy that meets
    // a passing sharing conflict is tried again.
    for (int attempt = 0; attempt < 20 && !ready_; ++attempt) {
        ready_ = CopyFileA(FaultProgram().c_str(), InBase(kProgram).c_str(), FALSE) != 0;
        if (!ready_) Sleep(50);
    }
}

Files ReadFolder(const std::string& dir, bool skipProgram)
{
    Files files;
    for (const std::string& name : e2e::ListFiles(dir)) {
        if (skipProgram && lstrcmpiA(name.c_str(), kProgram) == 0) continue;
        files[name] = e2e::ReadFileBytes(dir + "\\" + name);
    }
    return files;
}

Outcome Run(const Scene& scene, const std::string& command, const std::vector<std::string>& planLines,
            DWORD timeoutMs)
{
    Outcome out;
    std::string plan;
    for (const std::string& line : planLines) plan += line + "\n";
    if (!e2e::WriteFileBytes(scene.PlanPath(), plan)) return out;
    DeleteFileA(scene.LogPath().c_str());

    std::vector<char> env =
        EnvironmentWith({{"ZIVARARI_FAULT_PLAN", scene.PlanPath()}, {"ZIVARARI_FAULT_LOG", scene.LogPath()}});
    std::string exe = scene.InBase(kProgram);
    std::string line = "\"" + exe + "\" " + command;
    std::vector<char> lineBuf(line.begin(), line.end());
    lineBuf.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), lineBuf.data(), nullptr, nullptr, FALSE, 0, env.data(), scene.Base().c_str(),
                        &startup, &info)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
        return out;
    }
    CloseHandle(info.hThread);
    out.started = true;
    out.ended = WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0;
    if (!out.ended) {
        TerminateProcess(info.hProcess, 0xDEAD);
        WaitForSingleObject(info.hProcess, 5000);
    }
    GetExitCodeProcess(info.hProcess, &out.exitCode);
    CloseHandle(info.hProcess);

    ReadResults(scene, out);
    return out;
}

void ReadResults(const Scene& scene, Outcome& out)
{
    out.log = ParseLog(e2e::ReadFileBytes(scene.LogPath()));
    out.base = ReadFolder(scene.Base(), true);
    out.docs = ReadFolder(scene.Docs(), false);
    out.ini = ReadIniKeys(scene.Ini());
}

}  // namespace sweep
