#include "workfiles.h"

#include <windows.h>

#include "globals.h"
#include "names.h"
#include "path_forms.h"
#include "runtime.h"

namespace {

bool NameTaken(const std::wstring& path)
{
    std::wstring ged = path;
    _pg_appendGED2str(ged);
    return PathExists(path) || PathExists(ged);
}

}  // namespace

int _pg_chdir(std::wstring& path)
{
    AsciiLower(path);
    if (!path.empty() && path[0] >= L'a' && path[0] <= L'z') {
        _dos_setdrive(static_cast<unsigned>(path[0] - L'a' + 1), nullptr);
    }
    SetCurrentDirectoryW(path.c_str());
    return 0;
}

int _pg_SetBaseDir()
{
    std::wstring dir = _sg_ModuleFileName;
    size_t slash = dir.rfind(L'\\');
    if (slash != std::wstring::npos) dir.erase(slash);
    return _pg_chdir(dir);
}

int _pg_getRndFNAME(std::wstring& path, size_t namePos)
{
    _pg_SetBaseDir();
    for (;;) {
        struct time now;
        gettime(&now);
        path.replace(namePos, std::wstring::npos, WorkFileName(now));
        if (NameTaken(path)) continue;
        // Created exclusively: a file that appeared since the test is never
        // emptied; the next name is tried instead.
        HANDLE h = CreateFileW(LongPathForm(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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

bool IsSameFile(const std::wstring& a, const std::wstring& b)
{
    auto identify = [](const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
        HANDLE h = CreateFileW(LongPathForm(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
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

std::wstring WorkPathInBaseDir(const std::wstring& name)
{
    std::wstring base = BaseDirSlash(_sg_ModuleFileName);
    return base.empty() ? std::wstring() : base + name;
}

bool IsInBaseDir(const std::wstring& path)
{
    std::wstring base = BaseDirSlash(_sg_ModuleFileName);
    if (base.empty() || path.empty()) return false;
    std::wstring file = FullPath(path);
    size_t slash = file.rfind(L'\\');
    if (slash == std::wstring::npos || slash + 1 == file.size()) return false;
    // Either folder may be spelled in its short form (the host gets the
    // base directory so where it must): compare the long forms.
    std::wstring folder = LongPathOf(file.substr(0, slash));
    std::wstring baseDir = FullPath(base);
    baseDir = LongPathOf(baseDir.substr(0, baseDir.size() - 1));
    return CompareStringOrdinal(folder.c_str(), static_cast<int>(folder.size()), baseDir.c_str(),
                                static_cast<int>(baseDir.size()), TRUE) == CSTR_EQUAL;
}

bool RemoveFile(const std::wstring& path) { return DeleteFileW(LongPathForm(path).c_str()) != 0; }
