#include "exchange_lock.h"

#include <vector>

#include "names.h"
#include "runtime.h"

namespace {

constexpr DWORD kLockWaitMs = 5000;

std::wstring FullPath(const std::wstring& path)
{
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::vector<wchar_t> buf(n + 1);
    n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
    return std::wstring(buf.data(), n);
}

std::wstring LongForm(const std::wstring& path)
{
    const std::wstring api = LongPathForm(path);
    DWORD n = GetLongPathNameW(api.c_str(), nullptr, 0);
    if (n == 0) return std::wstring();
    std::vector<wchar_t> buf(n + 1);
    n = GetLongPathNameW(api.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0 || n >= buf.size()) return std::wstring();
    std::wstring result(buf.data(), n);
    if (api.compare(0, 4, L"\\\\?\\") == 0 && result.compare(0, 4, L"\\\\?\\") == 0) result = result.substr(4);
    return result;
}

// The full path with every folder and the name in their long form, so that
// every way of spelling one file gives one lock.
std::wstring LongFullPath(const std::wstring& path)
{
    const std::wstring full = FullPath(path);
    std::wstring longForm = LongForm(full);
    if (!longForm.empty()) return longForm;
    // The file may not exist yet: take its folder's long form then.
    size_t slash = full.rfind(L'\\');
    if (slash == std::wstring::npos) return full;
    std::wstring folder = LongForm(full.substr(0, slash));
    return folder.empty() ? full : folder + full.substr(slash);
}

}  // namespace

ExchangeLock::ExchangeLock(const std::wstring& iniPath)
{
    std::wstring key = LongFullPath(iniPath);
    if (!key.empty()) CharUpperBuffW(&key[0], static_cast<DWORD>(key.size()));
    mutex_ = CreateMutexW(nullptr, FALSE, ExchangeLockName(key).c_str());
    // Without a mutex there is nobody to wait for.
    if (!mutex_) {
        held_ = true;
        return;
    }
    DWORD wait = WaitForSingleObject(mutex_, kLockWaitMs);
    // An instance killed while it held the lock leaves it abandoned; the
    // profile API wrote each value whole, so the file is usable.
    held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

ExchangeLock::~ExchangeLock()
{
    if (mutex_) {
        if (held_) ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}
