#include "safe_copy.h"

#include <vector>

#include "path_forms.h"
#include "prompts.h"
#include "runtime.h"
#include "texts.h"
#include "workfiles.h"

namespace {

constexpr DWORD kChunk = 1u << 20;

CopyResult Failed(DWORD error) { return CopyResult{error ? error : ERROR_GEN_FAILURE, nullptr}; }

// The file that `target` finally names when it is reached through a link;
// `target` itself when it does not exist yet or names that file directly.
std::wstring FinalTarget(const std::wstring& target)
{
    HANDLE h = CreateFileW(LongPathForm(target).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return target;
    std::vector<wchar_t> buf(MAX_PATH);
    DWORD n = GetFinalPathNameByHandleW(h, buf.data(), static_cast<DWORD>(buf.size()), FILE_NAME_NORMALIZED);
    if (n >= buf.size()) {
        buf.resize(n + 1);
        n = GetFinalPathNameByHandleW(h, buf.data(), static_cast<DWORD>(buf.size()), FILE_NAME_NORMALIZED);
    }
    CloseHandle(h);
    if (n == 0 || n >= buf.size()) return target;
    std::wstring final(buf.data(), n);
    if (final.compare(0, 8, L"\\\\?\\UNC\\") == 0) final = L"\\\\" + final.substr(8);
    else if (final.compare(0, 4, L"\\\\?\\") == 0) final = final.substr(4);
    // The same file by another spelling (a short form, other letter case)
    // keeps the spelling it was given.
    if (CompareStringOrdinal(final.c_str(), -1, LongPathOf(FullPath(target)).c_str(), -1, TRUE) == CSTR_EQUAL)
        return target;
    return final;
}

bool MarkForDeletion(HANDLE h, bool mark)
{
    FILE_DISPOSITION_INFO info{};
    info.DeleteFile = mark ? TRUE : FALSE;
    return SetFileInformationByHandle(h, FileDispositionInfo, &info, sizeof info) != 0;
}

bool RenameOver(HANDLE h, const std::wstring& target)
{
    std::wstring name = LongPathForm(FullPath(target));
    std::vector<unsigned char> buf(sizeof(FILE_RENAME_INFO) + (name.size() + 1) * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buf.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::copy(name.begin(), name.end(), info->FileName);
    info->FileName[name.size()] = L'\0';
    return SetFileInformationByHandle(h, FileRenameInfo, info, static_cast<DWORD>(buf.size())) != 0;
}

// A new temporary file in `dir` (with its trailing backslash), open for
// writing and for its own deletion. Its name is plainly this program's.
HANDLE CreateTemp(const std::wstring& dir, std::wstring& path)
{
    DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (DWORD attempt = 0; attempt < 64; ++attempt) {
        wchar_t name[32];
        wsprintfW(name, L"~ZivaRari-%04X.tmp", static_cast<unsigned>((seed + attempt * 7919u) & 0xFFFF));
        path = dir + name;
        HANDLE h = CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                               nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (h != INVALID_HANDLE_VALUE) return h;
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return INVALID_HANDLE_VALUE;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

// Reads all of `from` into `to`; 0 on success, else the error.
DWORD CopyContent(HANDLE from, HANDLE to)
{
    std::vector<char> buf(kChunk);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(from, buf.data(), kChunk, &got, nullptr)) return GetLastError();
        if (got == 0) return 0;
        // A short write is tried again for the rest, so that a full disk
        // reports itself as such.
        for (DWORD done = 0; done < got;) {
            DWORD put = 0;
            if (!WriteFile(to, buf.data() + done, got - done, &put, nullptr)) return GetLastError();
            if (put == 0) return ERROR_DISK_FULL;
            done += put;
        }
    }
}

}  // namespace

CopyResult _pg_FileCopy16or32(const std::wstring& source, const std::wstring& target)
{
    if (IsSameFile(source, target)) return CopyResult{0, kReasonSameFile};

    HANDLE from = CreateFileW(LongPathForm(source).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (from == INVALID_HANDLE_VALUE) return Failed(GetLastError());

    const std::wstring real = FinalTarget(target);
    const std::wstring full = FullPath(real);
    const size_t slash = full.rfind(L'\\');
    std::wstring tmp;
    HANDLE to = CreateTemp(full.substr(0, slash == std::wstring::npos ? 0 : slash + 1), tmp);
    if (to == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        CloseHandle(from);
        return Failed(error);
    }
    // Marked, the temporary file goes with the process, however it ends.
    // Where the mark is refused it is removed by hand on every failure.
    const bool marked = MarkForDeletion(to, true);

    DWORD error = CopyContent(from, to);
    if (!error) {
        FILETIME written{};
        if (GetFileTime(from, nullptr, nullptr, &written)) SetFileTime(to, nullptr, nullptr, &written);
        if (!FlushFileBuffers(to)) error = GetLastError();
    }
    CloseHandle(from);

    if (!error && marked) {
        bool leftBehind = false;
        if (!MarkForDeletion(to, false)) error = GetLastError();
        else if (!RenameOver(to, real)) {
            error = GetLastError();
            leftBehind = !MarkForDeletion(to, true);
        }
        CloseHandle(to);
        if (leftBehind) RemoveFile(tmp);
        return error ? Failed(error) : CopyResult{};
    }
    CloseHandle(to);
    if (!error && !MoveFileExW(LongPathForm(tmp).c_str(), LongPathForm(real).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error && !marked) RemoveFile(tmp);
    return error ? Failed(error) : CopyResult{};
}

std::wstring DescribeCopyFailure(const CopyResult& result)
{
    return result.reason ? std::wstring(result.reason) : SystemReason(result.error);
}
