// Counted and failable file, directory, attribute and file-information
// calls. Each shim counts its call, fails it when the plan says so (the
// API's own failure value, with the planned last error), and otherwise
// makes the real call; either way the call is logged with its outcome.
#include <windows.h>

#include <direct.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "api.h"
#include "state.h"

using faultshim::Call;
using faultshim::Count;
using faultshim::Log;
using faultshim::PathOf;
using faultshim::Utf8;

namespace {

// Logs the planned failure and hands back `value` with the planned error.
template <class R>
R Failed(const Call& call, R value, const std::string& path, const std::string& path2 = "",
         const std::string& detail = "")
{
    SetLastError(call.code);
    Log(call, path, false, path2, detail);
    SetLastError(call.code);
    return value;
}

std::string Hex(DWORD v)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(v));
    return text;
}

std::string OpenDetail(DWORD access, DWORD share, DWORD disposition, DWORD flags)
{
    return "access=" + Hex(access) + " share=" + Hex(share) + " disposition=" + std::to_string(disposition) +
           " flags=" + Hex(flags);
}

std::string Utf8Counted(const WCHAR* text, DWORD bytes)
{
    return Utf8(std::wstring(text, bytes / sizeof(WCHAR)).c_str());
}

// What a file-information request sets, in words; `path2` receives the new
// name of a rename.
std::string InfoDetail(FILE_INFO_BY_HANDLE_CLASS cls, const void* info, DWORD size, std::string& path2)
{
    const int c = static_cast<int>(cls);
    const int kDispositionEx = 21, kRenameEx = 22;
    if (!info) return "class " + std::to_string(c);
    if (cls == FileDispositionInfo && size >= sizeof(FILE_DISPOSITION_INFO)) {
        return std::string("FileDispositionInfo delete=") +
               (static_cast<const FILE_DISPOSITION_INFO*>(info)->DeleteFile ? "1" : "0");
    }
    if (c == kDispositionEx && size >= sizeof(DWORD)) {
        DWORD flags = *static_cast<const DWORD*>(info);
        return std::string("FileDispositionInfoEx delete=") + ((flags & 1) ? "1" : "0") + " flags=" + Hex(flags);
    }
    if ((cls == FileRenameInfo || c == kRenameEx) && size >= sizeof(FILE_RENAME_INFO)) {
        const auto* r = static_cast<const FILE_RENAME_INFO*>(info);
        path2 = Utf8Counted(r->FileName, r->FileNameLength);
        return std::string(c == kRenameEx ? "FileRenameInfoEx flags=" : "FileRenameInfo replace=") +
               (c == kRenameEx ? Hex(*reinterpret_cast<const DWORD*>(r)) : (r->ReplaceIfExists ? "1" : "0"));
    }
    if ((cls == FileEndOfFileInfo || cls == FileAllocationInfo) && size >= sizeof(LARGE_INTEGER)) {
        return std::string(cls == FileEndOfFileInfo ? "FileEndOfFileInfo size=" : "FileAllocationInfo size=") +
               std::to_string(static_cast<const LARGE_INTEGER*>(info)->QuadPart);
    }
    if (cls == FileBasicInfo && size >= sizeof(FILE_BASIC_INFO)) {
        return "FileBasicInfo attributes=" + Hex(static_cast<const FILE_BASIC_INFO*>(info)->FileAttributes);
    }
    return "class " + std::to_string(c);
}

}  // namespace

extern "C" {

HANDLE WINAPI FaultShim_CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                                    DWORD disposition, DWORD flags, HANDLE tmpl)
{
    Call call = Count("CreateFileA");
    std::string path = Utf8(name), detail = OpenDetail(access, share, disposition, flags);
    if (call.fail) return Failed(call, INVALID_HANDLE_VALUE, path, "", detail);
    HANDLE h = CreateFileA(name, access, share, sa, disposition, flags, tmpl);
    Log(call, path, h != INVALID_HANDLE_VALUE, "", detail);
    faultshim::Remember(h, path);
    return h;
}

HANDLE WINAPI FaultShim_CreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                                    DWORD disposition, DWORD flags, HANDLE tmpl)
{
    Call call = Count("CreateFileW");
    std::string path = Utf8(name), detail = OpenDetail(access, share, disposition, flags);
    if (call.fail) return Failed(call, INVALID_HANDLE_VALUE, path, "", detail);
    HANDLE h = CreateFileW(name, access, share, sa, disposition, flags, tmpl);
    Log(call, path, h != INVALID_HANDLE_VALUE, "", detail);
    faultshim::Remember(h, path);
    return h;
}

#if _WIN32_WINNT >= 0x0602
HANDLE WINAPI FaultShim_CreateFile2(LPCWSTR name, DWORD access, DWORD share, DWORD disposition,
                                    LPCREATEFILE2_EXTENDED_PARAMETERS params)
{
    Call call = Count("CreateFile2");
    std::string path = Utf8(name), detail = OpenDetail(access, share, disposition, 0);
    if (call.fail) return Failed(call, INVALID_HANDLE_VALUE, path, "", detail);
    HANDLE h = CreateFile2(name, access, share, disposition, params);
    Log(call, path, h != INVALID_HANDLE_VALUE, "", detail);
    faultshim::Remember(h, path);
    return h;
}
#endif

BOOL WINAPI FaultShim_ReadFile(HANDLE h, LPVOID buf, DWORD size, LPDWORD done, LPOVERLAPPED ov)
{
    Call call = Count("ReadFile");
    std::string detail = "bytes=" + std::to_string(size);
    if (call.fail) {
        if (done) *done = 0;
        return Failed(call, FALSE, PathOf(h), "", detail);
    }
    BOOL ok = ReadFile(h, buf, size, done, ov);
    if (done) detail += " done=" + std::to_string(*done);
    Log(call, PathOf(h), ok != FALSE, "", detail);
    return ok;
}

BOOL WINAPI FaultShim_WriteFile(HANDLE h, LPCVOID buf, DWORD size, LPDWORD done, LPOVERLAPPED ov)
{
    Call call = Count("WriteFile");
    std::string detail = "bytes=" + std::to_string(size);
    if (call.fail) {
        if (done) *done = 0;
        return Failed(call, FALSE, PathOf(h), "", detail);
    }
    BOOL ok = WriteFile(h, buf, size, done, ov);
    if (done) detail += " done=" + std::to_string(*done);
    Log(call, PathOf(h), ok != FALSE, "", detail);
    return ok;
}

BOOL WINAPI FaultShim_FlushFileBuffers(HANDLE h)
{
    Call call = Count("FlushFileBuffers");
    if (call.fail) return Failed(call, FALSE, PathOf(h));
    BOOL ok = FlushFileBuffers(h);
    Log(call, PathOf(h), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_SetFileInformationByHandle(HANDLE h, FILE_INFO_BY_HANDLE_CLASS cls, LPVOID info, DWORD size)
{
    Call call = Count("SetFileInformationByHandle");
    std::string path2;
    std::string detail = InfoDetail(cls, info, size, path2);
    if (call.fail) return Failed(call, FALSE, PathOf(h), path2, detail);
    BOOL ok = SetFileInformationByHandle(h, cls, info, size);
    Log(call, PathOf(h), ok != FALSE, path2, detail);
    return ok;
}

BOOL WINAPI FaultShim_GetFileInformationByHandle(HANDLE h, LPBY_HANDLE_FILE_INFORMATION info)
{
    Call call = Count("GetFileInformationByHandle");
    if (call.fail) return Failed(call, FALSE, PathOf(h));
    BOOL ok = GetFileInformationByHandle(h, info);
    Log(call, PathOf(h), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_GetFileInformationByHandleEx(HANDLE h, FILE_INFO_BY_HANDLE_CLASS cls, LPVOID info, DWORD size)
{
    Call call = Count("GetFileInformationByHandleEx");
    std::string detail = "class " + std::to_string(static_cast<int>(cls));
    if (call.fail) return Failed(call, FALSE, PathOf(h), "", detail);
    BOOL ok = GetFileInformationByHandleEx(h, cls, info, size);
    Log(call, PathOf(h), ok != FALSE, "", detail);
    return ok;
}

DWORD WINAPI FaultShim_GetFinalPathNameByHandleA(HANDLE h, LPSTR buf, DWORD size, DWORD flags)
{
    Call call = Count("GetFinalPathNameByHandleA");
    if (call.fail) return Failed(call, DWORD(0), PathOf(h));
    DWORD n = GetFinalPathNameByHandleA(h, buf, size, flags);
    Log(call, PathOf(h), n != 0, n != 0 && n < size ? Utf8(buf) : "");
    return n;
}

DWORD WINAPI FaultShim_GetFinalPathNameByHandleW(HANDLE h, LPWSTR buf, DWORD size, DWORD flags)
{
    Call call = Count("GetFinalPathNameByHandleW");
    if (call.fail) return Failed(call, DWORD(0), PathOf(h));
    DWORD n = GetFinalPathNameByHandleW(h, buf, size, flags);
    Log(call, PathOf(h), n != 0, n != 0 && n < size ? Utf8(buf) : "");
    return n;
}

BOOL WINAPI FaultShim_GetFileSizeEx(HANDLE h, PLARGE_INTEGER size)
{
    Call call = Count("GetFileSizeEx");
    if (call.fail) return Failed(call, FALSE, PathOf(h));
    BOOL ok = GetFileSizeEx(h, size);
    Log(call, PathOf(h), ok != FALSE);
    return ok;
}

DWORD WINAPI FaultShim_GetFileSize(HANDLE h, LPDWORD high)
{
    Call call = Count("GetFileSize");
    if (call.fail) return Failed(call, DWORD(INVALID_FILE_SIZE), PathOf(h));
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(h, high);
    Log(call, PathOf(h), !(low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR));
    return low;
}

BOOL WINAPI FaultShim_GetFileTime(HANDLE h, LPFILETIME created, LPFILETIME accessed, LPFILETIME written)
{
    Call call = Count("GetFileTime");
    if (call.fail) return Failed(call, FALSE, PathOf(h));
    BOOL ok = GetFileTime(h, created, accessed, written);
    Log(call, PathOf(h), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_SetFileTime(HANDLE h, const FILETIME* created, const FILETIME* accessed,
                                  const FILETIME* written)
{
    Call call = Count("SetFileTime");
    if (call.fail) return Failed(call, FALSE, PathOf(h));
    BOOL ok = SetFileTime(h, created, accessed, written);
    Log(call, PathOf(h), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_SetEndOfFile(HANDLE h)
{
    Call call = Count("SetEndOfFile");
    if (call.fail) return Failed(call, FALSE, PathOf(h));
    BOOL ok = SetEndOfFile(h);
    Log(call, PathOf(h), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_SetFilePointerEx(HANDLE h, LARGE_INTEGER distance, PLARGE_INTEGER newPos, DWORD method)
{
    Call call = Count("SetFilePointerEx");
    std::string detail = "distance=" + std::to_string(distance.QuadPart) + " method=" + std::to_string(method);
    if (call.fail) return Failed(call, FALSE, PathOf(h), "", detail);
    BOOL ok = SetFilePointerEx(h, distance, newPos, method);
    Log(call, PathOf(h), ok != FALSE, "", detail);
    return ok;
}

DWORD WINAPI FaultShim_SetFilePointer(HANDLE h, LONG distance, PLONG high, DWORD method)
{
    Call call = Count("SetFilePointer");
    std::string detail = "distance=" + std::to_string(distance) + " method=" + std::to_string(method);
    if (call.fail) return Failed(call, DWORD(INVALID_SET_FILE_POINTER), PathOf(h), "", detail);
    SetLastError(NO_ERROR);
    DWORD pos = SetFilePointer(h, distance, high, method);
    Log(call, PathOf(h), !(pos == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR), "", detail);
    return pos;
}

BOOL WINAPI FaultShim_CopyFileA(LPCSTR from, LPCSTR to, BOOL failIfExists)
{
    Call call = Count("CopyFileA");
    if (call.fail) return Failed(call, FALSE, Utf8(from), Utf8(to));
    BOOL ok = CopyFileA(from, to, failIfExists);
    Log(call, Utf8(from), ok != FALSE, Utf8(to));
    return ok;
}

BOOL WINAPI FaultShim_CopyFileW(LPCWSTR from, LPCWSTR to, BOOL failIfExists)
{
    Call call = Count("CopyFileW");
    if (call.fail) return Failed(call, FALSE, Utf8(from), Utf8(to));
    BOOL ok = CopyFileW(from, to, failIfExists);
    Log(call, Utf8(from), ok != FALSE, Utf8(to));
    return ok;
}

BOOL WINAPI FaultShim_CopyFileExA(LPCSTR from, LPCSTR to, LPPROGRESS_ROUTINE progress, LPVOID data, LPBOOL cancel,
                                  DWORD flags)
{
    Call call = Count("CopyFileExA");
    if (call.fail) return Failed(call, FALSE, Utf8(from), Utf8(to));
    BOOL ok = CopyFileExA(from, to, progress, data, cancel, flags);
    Log(call, Utf8(from), ok != FALSE, Utf8(to));
    return ok;
}

BOOL WINAPI FaultShim_CopyFileExW(LPCWSTR from, LPCWSTR to, LPPROGRESS_ROUTINE progress, LPVOID data,
                                  LPBOOL cancel, DWORD flags)
{
    Call call = Count("CopyFileExW");
    if (call.fail) return Failed(call, FALSE, Utf8(from), Utf8(to));
    BOOL ok = CopyFileExW(from, to, progress, data, cancel, flags);
    Log(call, Utf8(from), ok != FALSE, Utf8(to));
    return ok;
}

BOOL WINAPI FaultShim_MoveFileA(LPCSTR from, LPCSTR to)
{
    Call call = Count("MoveFileA");
    if (call.fail) return Failed(call, FALSE, Utf8(from), Utf8(to));
    BOOL ok = MoveFileA(from, to);
    Log(call, Utf8(from), ok != FALSE, Utf8(to));
    return ok;
}

BOOL WINAPI FaultShim_MoveFileW(LPCWSTR from, LPCWSTR to)
{
    Call call = Count("MoveFileW");
    if (call.fail) return Failed(call, FALSE, Utf8(from), Utf8(to));
    BOOL ok = MoveFileW(from, to);
    Log(call, Utf8(from), ok != FALSE, Utf8(to));
    return ok;
}

BOOL WINAPI FaultShim_MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags)
{
    Call call = Count("MoveFileExA");
    std::string detail = "flags=" + Hex(flags);
    if (call.fail) return Failed(call, FALSE, Utf8(from), Utf8(to), detail);
    BOOL ok = MoveFileExA(from, to, flags);
    Log(call, Utf8(from), ok != FALSE, Utf8(to), detail);
    return ok;
}

BOOL WINAPI FaultShim_MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    Call call = Count("MoveFileExW");
    std::string detail = "flags=" + Hex(flags);
    if (call.fail) return Failed(call, FALSE, Utf8(from), Utf8(to), detail);
    BOOL ok = MoveFileExW(from, to, flags);
    Log(call, Utf8(from), ok != FALSE, Utf8(to), detail);
    return ok;
}

BOOL WINAPI FaultShim_MoveFileWithProgressA(LPCSTR from, LPCSTR to, LPPROGRESS_ROUTINE progress, LPVOID data,
                                            DWORD flags)
{
    Call call = Count("MoveFileWithProgressA");
    std::string detail = "flags=" + Hex(flags);
    if (call.fail) return Failed(call, FALSE, Utf8(from), Utf8(to), detail);
    BOOL ok = MoveFileWithProgressA(from, to, progress, data, flags);
    Log(call, Utf8(from), ok != FALSE, Utf8(to), detail);
    return ok;
}

BOOL WINAPI FaultShim_MoveFileWithProgressW(LPCWSTR from, LPCWSTR to, LPPROGRESS_ROUTINE progress, LPVOID data,
                                            DWORD flags)
{
    Call call = Count("MoveFileWithProgressW");
    std::string detail = "flags=" + Hex(flags);
    if (call.fail) return Failed(call, FALSE, Utf8(from), Utf8(to), detail);
    BOOL ok = MoveFileWithProgressW(from, to, progress, data, flags);
    Log(call, Utf8(from), ok != FALSE, Utf8(to), detail);
    return ok;
}

BOOL WINAPI FaultShim_ReplaceFileA(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID exclude,
                                   LPVOID reserved)
{
    Call call = Count("ReplaceFileA");
    std::string detail = backup ? "backup=" + Utf8(backup) : std::string();
    if (call.fail) return Failed(call, FALSE, Utf8(replacement), Utf8(replaced), detail);
    BOOL ok = ReplaceFileA(replaced, replacement, backup, flags, exclude, reserved);
    Log(call, Utf8(replacement), ok != FALSE, Utf8(replaced), detail);
    return ok;
}

BOOL WINAPI FaultShim_ReplaceFileW(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                                   LPVOID exclude, LPVOID reserved)
{
    Call call = Count("ReplaceFileW");
    std::string detail = backup ? "backup=" + Utf8(backup) : std::string();
    if (call.fail) return Failed(call, FALSE, Utf8(replacement), Utf8(replaced), detail);
    BOOL ok = ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved);
    Log(call, Utf8(replacement), ok != FALSE, Utf8(replaced), detail);
    return ok;
}

BOOL WINAPI FaultShim_DeleteFileA(LPCSTR name)
{
    Call call = Count("DeleteFileA");
    if (call.fail) return Failed(call, FALSE, Utf8(name));
    BOOL ok = DeleteFileA(name);
    Log(call, Utf8(name), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_DeleteFileW(LPCWSTR name)
{
    Call call = Count("DeleteFileW");
    if (call.fail) return Failed(call, FALSE, Utf8(name));
    BOOL ok = DeleteFileW(name);
    Log(call, Utf8(name), ok != FALSE);
    return ok;
}

DWORD WINAPI FaultShim_GetFileAttributesA(LPCSTR name)
{
    Call call = Count("GetFileAttributesA");
    if (call.fail) return Failed(call, DWORD(INVALID_FILE_ATTRIBUTES), Utf8(name));
    DWORD attrs = GetFileAttributesA(name);
    Log(call, Utf8(name), attrs != INVALID_FILE_ATTRIBUTES);
    return attrs;
}

DWORD WINAPI FaultShim_GetFileAttributesW(LPCWSTR name)
{
    Call call = Count("GetFileAttributesW");
    if (call.fail) return Failed(call, DWORD(INVALID_FILE_ATTRIBUTES), Utf8(name));
    DWORD attrs = GetFileAttributesW(name);
    Log(call, Utf8(name), attrs != INVALID_FILE_ATTRIBUTES);
    return attrs;
}

BOOL WINAPI FaultShim_GetFileAttributesExA(LPCSTR name, GET_FILEEX_INFO_LEVELS level, LPVOID info)
{
    Call call = Count("GetFileAttributesExA");
    if (call.fail) return Failed(call, FALSE, Utf8(name));
    BOOL ok = GetFileAttributesExA(name, level, info);
    Log(call, Utf8(name), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_GetFileAttributesExW(LPCWSTR name, GET_FILEEX_INFO_LEVELS level, LPVOID info)
{
    Call call = Count("GetFileAttributesExW");
    if (call.fail) return Failed(call, FALSE, Utf8(name));
    BOOL ok = GetFileAttributesExW(name, level, info);
    Log(call, Utf8(name), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_SetFileAttributesA(LPCSTR name, DWORD attrs)
{
    Call call = Count("SetFileAttributesA");
    std::string detail = "attributes=" + Hex(attrs);
    if (call.fail) return Failed(call, FALSE, Utf8(name), "", detail);
    BOOL ok = SetFileAttributesA(name, attrs);
    Log(call, Utf8(name), ok != FALSE, "", detail);
    return ok;
}

BOOL WINAPI FaultShim_SetFileAttributesW(LPCWSTR name, DWORD attrs)
{
    Call call = Count("SetFileAttributesW");
    std::string detail = "attributes=" + Hex(attrs);
    if (call.fail) return Failed(call, FALSE, Utf8(name), "", detail);
    BOOL ok = SetFileAttributesW(name, attrs);
    Log(call, Utf8(name), ok != FALSE, "", detail);
    return ok;
}

BOOL WINAPI FaultShim_CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES sa)
{
    Call call = Count("CreateDirectoryA");
    if (call.fail) return Failed(call, FALSE, Utf8(name));
    BOOL ok = CreateDirectoryA(name, sa);
    Log(call, Utf8(name), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_CreateDirectoryW(LPCWSTR name, LPSECURITY_ATTRIBUTES sa)
{
    Call call = Count("CreateDirectoryW");
    if (call.fail) return Failed(call, FALSE, Utf8(name));
    BOOL ok = CreateDirectoryW(name, sa);
    Log(call, Utf8(name), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_RemoveDirectoryA(LPCSTR name)
{
    Call call = Count("RemoveDirectoryA");
    if (call.fail) return Failed(call, FALSE, Utf8(name));
    BOOL ok = RemoveDirectoryA(name);
    Log(call, Utf8(name), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_RemoveDirectoryW(LPCWSTR name)
{
    Call call = Count("RemoveDirectoryW");
    if (call.fail) return Failed(call, FALSE, Utf8(name));
    BOOL ok = RemoveDirectoryW(name);
    Log(call, Utf8(name), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_SetCurrentDirectoryA(LPCSTR name)
{
    Call call = Count("SetCurrentDirectoryA");
    if (call.fail) return Failed(call, FALSE, Utf8(name));
    BOOL ok = SetCurrentDirectoryA(name);
    Log(call, Utf8(name), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_SetCurrentDirectoryW(LPCWSTR name)
{
    Call call = Count("SetCurrentDirectoryW");
    if (call.fail) return Failed(call, FALSE, Utf8(name));
    BOOL ok = SetCurrentDirectoryW(name);
    Log(call, Utf8(name), ok != FALSE);
    return ok;
}

DWORD WINAPI FaultShim_GetShortPathNameA(LPCSTR name, LPSTR buf, DWORD size)
{
    Call call = Count("GetShortPathNameA");
    if (call.fail) return Failed(call, DWORD(0), Utf8(name));
    DWORD n = GetShortPathNameA(name, buf, size);
    Log(call, Utf8(name), n != 0);
    return n;
}

DWORD WINAPI FaultShim_GetShortPathNameW(LPCWSTR name, LPWSTR buf, DWORD size)
{
    Call call = Count("GetShortPathNameW");
    if (call.fail) return Failed(call, DWORD(0), Utf8(name));
    DWORD n = GetShortPathNameW(name, buf, size);
    Log(call, Utf8(name), n != 0);
    return n;
}

DWORD WINAPI FaultShim_GetLongPathNameA(LPCSTR name, LPSTR buf, DWORD size)
{
    Call call = Count("GetLongPathNameA");
    if (call.fail) return Failed(call, DWORD(0), Utf8(name));
    DWORD n = GetLongPathNameA(name, buf, size);
    Log(call, Utf8(name), n != 0);
    return n;
}

DWORD WINAPI FaultShim_GetLongPathNameW(LPCWSTR name, LPWSTR buf, DWORD size)
{
    Call call = Count("GetLongPathNameW");
    if (call.fail) return Failed(call, DWORD(0), Utf8(name));
    DWORD n = GetLongPathNameW(name, buf, size);
    Log(call, Utf8(name), n != 0);
    return n;
}

UINT WINAPI FaultShim_GetTempFileNameA(LPCSTR dir, LPCSTR prefix, UINT unique, LPSTR out)
{
    Call call = Count("GetTempFileNameA");
    if (call.fail) return Failed(call, UINT(0), Utf8(dir));
    UINT n = GetTempFileNameA(dir, prefix, unique, out);
    Log(call, Utf8(dir), n != 0, n != 0 ? Utf8(out) : "");
    return n;
}

UINT WINAPI FaultShim_GetTempFileNameW(LPCWSTR dir, LPCWSTR prefix, UINT unique, LPWSTR out)
{
    Call call = Count("GetTempFileNameW");
    if (call.fail) return Failed(call, UINT(0), Utf8(dir));
    UINT n = GetTempFileNameW(dir, prefix, unique, out);
    Log(call, Utf8(dir), n != 0, n != 0 ? Utf8(out) : "");
    return n;
}

HANDLE WINAPI FaultShim_FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA found)
{
    Call call = Count("FindFirstFileA");
    if (call.fail) return Failed(call, INVALID_HANDLE_VALUE, Utf8(pattern));
    HANDLE h = FindFirstFileA(pattern, found);
    Log(call, Utf8(pattern), h != INVALID_HANDLE_VALUE);
    faultshim::Remember(h, Utf8(pattern));
    return h;
}

HANDLE WINAPI FaultShim_FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW found)
{
    Call call = Count("FindFirstFileW");
    if (call.fail) return Failed(call, INVALID_HANDLE_VALUE, Utf8(pattern));
    HANDLE h = FindFirstFileW(pattern, found);
    Log(call, Utf8(pattern), h != INVALID_HANDLE_VALUE);
    faultshim::Remember(h, Utf8(pattern));
    return h;
}

HANDLE WINAPI FaultShim_FindFirstFileExA(LPCSTR pattern, FINDEX_INFO_LEVELS level, LPVOID found,
                                         FINDEX_SEARCH_OPS op, LPVOID filter, DWORD flags)
{
    Call call = Count("FindFirstFileExA");
    if (call.fail) return Failed(call, INVALID_HANDLE_VALUE, Utf8(pattern));
    HANDLE h = FindFirstFileExA(pattern, level, found, op, filter, flags);
    Log(call, Utf8(pattern), h != INVALID_HANDLE_VALUE);
    faultshim::Remember(h, Utf8(pattern));
    return h;
}

HANDLE WINAPI FaultShim_FindFirstFileExW(LPCWSTR pattern, FINDEX_INFO_LEVELS level, LPVOID found,
                                         FINDEX_SEARCH_OPS op, LPVOID filter, DWORD flags)
{
    Call call = Count("FindFirstFileExW");
    if (call.fail) return Failed(call, INVALID_HANDLE_VALUE, Utf8(pattern));
    HANDLE h = FindFirstFileExW(pattern, level, found, op, filter, flags);
    Log(call, Utf8(pattern), h != INVALID_HANDLE_VALUE);
    faultshim::Remember(h, Utf8(pattern));
    return h;
}

BOOL WINAPI FaultShim_FindNextFileA(HANDLE h, LPWIN32_FIND_DATAA found)
{
    Call call = Count("FindNextFileA");
    if (call.fail) return Failed(call, FALSE, PathOf(h));
    BOOL ok = FindNextFileA(h, found);
    Log(call, PathOf(h), ok != FALSE);
    return ok;
}

BOOL WINAPI FaultShim_FindNextFileW(HANDLE h, LPWIN32_FIND_DATAW found)
{
    Call call = Count("FindNextFileW");
    if (call.fail) return Failed(call, FALSE, PathOf(h));
    BOOL ok = FindNextFileW(h, found);
    Log(call, PathOf(h), ok != FALSE);
    return ok;
}

int __cdecl FaultShim_chdrive(int drive)
{
    Call call = Count("_chdrive");
    std::string path = drive >= 1 && drive <= 26 ? std::string(1, static_cast<char>('A' + drive - 1)) + ":"
                                                 : "drive " + std::to_string(drive);
    if (call.fail) {
        errno = EACCES;
        return Failed(call, -1, path);
    }
    int rc = _chdrive(drive);
    Log(call, path, rc == 0);
    return rc;
}

BOOL WINAPI FaultShim_CloseHandle(HANDLE h)
{
    faultshim::Forget(h);
    return CloseHandle(h);
}

BOOL WINAPI FaultShim_FindClose(HANDLE h)
{
    faultshim::Forget(h);
    return FindClose(h);
}

}  // extern "C"
