#include "exchange_lock.h"

#include "names.h"
#include "path_forms.h"

namespace {

constexpr DWORD kLockWaitMs = 5000;

}  // namespace

ExchangeLock::ExchangeLock(const std::wstring& iniPath)
{
    // Every way of spelling one file gives one lock: the full path with
    // every folder and the name in their long form.
    std::wstring key = LongPathOf(FullPath(iniPath));
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
