#include "workfiles.h"

#include <windows.h>

#include <vector>

#include "names.h"
#include "runtime.h"
#include "globals.h"

namespace {

bool NameTaken(const std::string& path)
{
    std::string ged = path;
    _pg_appendGED2str(ged);
    return PathExists(path) || PathExists(ged);
}

}  // namespace

int _pg_chdir(std::string& path)
{
    AsciiLower(path);
    if (!path.empty() && path[0] >= 'a' && path[0] <= 'z') {
        _dos_setdrive(static_cast<unsigned>(path[0] - 'a' + 1), nullptr);
    }
    SetCurrentDirectoryA(path.c_str());
    return 0;
}

int _pg_SetBaseDir()
{
    std::string dir = _sg_ModuleFileName;
    size_t slash = dir.rfind('\\');
    if (slash != std::string::npos) dir.erase(slash);
    return _pg_chdir(dir);
}

int _pg_getRndFNAME(std::string& path, size_t namePos)
{
    _pg_SetBaseDir();
    for (;;) {
        struct time now;
        gettime(&now);
        path.replace(namePos, std::string::npos, WorkFileName(now));
        if (NameTaken(path)) continue;
        // Created exclusively: a file that appeared since the test is never
        // emptied; the next name is tried instead.
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return 1;
        }
        DWORD err = GetLastError();
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) {
            SetLastError(err);
            return 0;
        }
    }
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
        HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        bool ok = GetFileInformationByHandle(h, &info) != 0;
        CloseHandle(h);
        return ok;
    };
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    if (!identify(a, ia) || !identify(b, ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
           ia.nFileIndexLow == ib.nFileIndexLow;
}

std::string WorkPathInBaseDir(const std::string& name)
{
    std::string base = BaseDirSlash(_sg_ModuleFileName);
    return base.empty() ? std::string() : base + name;
}

bool IsInBaseDir(const std::string& path)
{
    auto full = [](const std::string& p) {
        DWORD n = GetFullPathNameA(p.c_str(), 0, nullptr, nullptr);
        if (n == 0) return std::string();
        std::vector<char> buf(n + 1);
        n = GetFullPathNameA(p.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
        return std::string(buf.data(), n);
    };
    std::string base = BaseDirSlash(_sg_ModuleFileName);
    std::string file = full(path);
    if (base.empty() || file.empty()) return false;
    std::string dir = full(base);
    size_t slash = file.rfind('\\');
    if (dir.empty() || slash == std::string::npos || slash + 1 == file.size()) return false;
    return lstrcmpiA(file.substr(0, slash + 1).c_str(), dir.c_str()) == 0;
}
