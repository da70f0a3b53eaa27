#include "exchange_lock.h"

#include <vector>

#include "names.h"

namespace {

constexpr DWORD kLockWaitMs = 5000;

// The full path with every folder and the name in their long form, so that
// every way of spelling one file gives one lock.
std::string LongFullPath(const std::string& path)
{
    DWORD n = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::vector<char> full(n + 1);
    n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    std::string result(full.data(), n);
    // The file may not exist yet: take its folder's long form then.
    std::string dir = result, name;
    size_t slash = result.rfind('\\');
    if (slash != std::string::npos) {
        dir = result.substr(0, slash);
        name = result.substr(slash);
    }
    const std::string& lookup = GetFileAttributesA(result.c_str()) != INVALID_FILE_ATTRIBUTES ? result : dir;
    DWORD m = GetLongPathNameA(lookup.c_str(), nullptr, 0);
    if (m == 0) return result;
    std::vector<char> longForm(m + 1);
    m = GetLongPathNameA(lookup.c_str(), longForm.data(), static_cast<DWORD>(longForm.size()));
    if (m == 0 || m >= longForm.size()) return result;
    std::string longPath(longForm.data(), m);
    return &lookup == &result ? longPath : longPath + name;
}

}  // namespace

ExchangeLock::ExchangeLock(const std::string& iniPath)
{
    std::string key = LongFullPath(iniPath);
    if (!key.empty()) CharUpperBuffA(&key[0], static_cast<DWORD>(key.size()));
    mutex_ = CreateMutexA(nullptr, FALSE, ExchangeLockName(key).c_str());
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
