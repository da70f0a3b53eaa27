#include "workfiles.h"

#include <windows.h>

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

// A new, empty, uniquely named file beside `target`; "" when the directory
// takes no new file.
std::string CreateTempBeside(const std::string& target)
{
    size_t slash = target.find_last_of("\\/");
    std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < 64; ++attempt) {
        char name[32];
        wsprintfA(name, "~lmy%04x.tmp", static_cast<unsigned>((seed + static_cast<DWORD>(attempt)) & 0xFFFF));
        std::string tmp = dir + name;
        HANDLE h = CreateFileA(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return tmp;
        }
        DWORD err = GetLastError();
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) break;
    }
    return std::string();
}

bool FlushFile(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = FlushFileBuffers(h) != 0;
    CloseHandle(h);
    return ok;
}

bool ClearReadOnly(const std::string& path)
{
    DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return false;
    if (!(attrs & FILE_ATTRIBUTE_READONLY)) return true;
    return SetFileAttributesA(path.c_str(), attrs & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)) != 0;
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
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) return 0;
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

bool _pg_FileCopy16or32(const std::string& source, const std::string& target)
{
    if (IsSameFile(source, target)) return false;
    std::string tmp = CreateTempBeside(target);
    if (tmp.empty()) return false;
    // The copy takes the source's attributes; a read-only source must not
    // leave a copy that cannot be flushed or later saved over.
    bool ok = CopyFileA(source.c_str(), tmp.c_str(), FALSE) && ClearReadOnly(tmp) && FlushFile(tmp) &&
              MoveFileExA(tmp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(tmp.c_str());
    return ok;
}
