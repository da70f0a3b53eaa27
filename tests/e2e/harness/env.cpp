// Where the program under test and the screenshots are, and whether Wine
// runs us.
#include "harness.h"

#ifndef LINDMORH_EXE
#define LINDMORH_EXE "lindmorh.exe"
#endif

#ifndef E2E_SCREENSHOT_DIR
#define E2E_SCREENSHOT_DIR ""
#endif

namespace e2e {
namespace {

// Build settings may come with forward slashes; Windows paths use '\\'.
std::string WindowsPath(std::string path)
{
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// Creates `dir` and any missing parents; true when it exists afterwards.
bool MakeDirs(const std::string& dir)
{
    DWORD attr = GetFileAttributesA(dir.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES) return (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::string::size_type cut = dir.find_last_of('\\');
    if (cut != std::string::npos && cut > 0 && dir[cut - 1] != ':') {
        if (!MakeDirs(dir.substr(0, cut))) return false;
    }
    return CreateDirectoryA(dir.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

std::string ProgramUnderTest()
{
    char buf[MAX_PATH * 4];
    DWORD n = GetEnvironmentVariableA("LINDMORH_EXE", buf, sizeof buf);
    return WindowsPath(n > 0 && n < sizeof buf ? std::string(buf, n) : std::string(LINDMORH_EXE));
}

std::string ScreenshotDir()
{
    // A folder named in the environment wins over the one built in, so a
    // program that drives lindmorh for a person can put its pictures where
    // that person looks.
    char env[MAX_PATH * 4];
    DWORD length = GetEnvironmentVariableA("E2E_SCREENSHOT_DIR", env, sizeof env);
    std::string dir = WindowsPath(length > 0 && length < sizeof env ? std::string(env, length)
                                                                     : std::string(E2E_SCREENSHOT_DIR));
    if (dir.empty()) {
        char temp[MAX_PATH + 1];
        DWORD n = GetTempPathA(sizeof temp, temp);
        dir = (n > 0 && n < sizeof temp) ? std::string(temp, n) : std::string(".\\");
        dir += "zr-screenshots";
    }
    while (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
    MakeDirs(dir);
    return dir;
}

bool IsWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}


#ifndef E2E_TOOLS_DIR
#define E2E_TOOLS_DIR "."
#endif

std::string ToolPath(const std::string& exeName)
{
    return WindowsPath(E2E_TOOLS_DIR) + "\\" + exeName;
}

}  // namespace e2e
