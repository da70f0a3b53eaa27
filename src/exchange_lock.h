// The lock that ZivaRaris running at once take around each access to one
// exchange file: a named mutex, held for as short a time as the access.
#pragma once

#include <windows.h>

#include <string>

class ExchangeLock {
public:
    explicit ExchangeLock(const std::wstring& iniPath);
    ~ExchangeLock();
    ExchangeLock(const ExchangeLock&) = delete;
    ExchangeLock& operator=(const ExchangeLock&) = delete;

    // False when another process held the lock for the whole wait.
    bool Held() const { return held_; }

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};
