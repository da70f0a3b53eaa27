#include "runtime.h"

#include <windows.h>

#include <direct.h>

#include <vector>

void gettime(struct time* t)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    t->ti_hour = static_cast<unsigned char>(st.wHour);
    t->ti_min = static_cast<unsigned char>(st.wMinute);
    t->ti_sec = static_cast<unsigned char>(st.wSecond);
    t->ti_hund = static_cast<unsigned char>(st.wMilliseconds / 10);
}

void _dos_setdrive(unsigned drive, unsigned* count)
{
    _chdrive(static_cast<int>(drive));
    if (count) *count = 26;
}

void AsciiLower(std::string& s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

void AsciiUpper(std::string& s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ModulePath()
{
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return std::string();
        if (n < buf.size() - 1) return std::string(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}
