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

namespace {
template <typename Text>
void LowerAscii(Text& s)
{
    for (auto& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<typename Text::value_type>(c - 'A' + 'a');
}
template <typename Text>
void UpperAscii(Text& s)
{
    for (auto& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<typename Text::value_type>(c - 'a' + 'A');
}
}  // namespace

void AsciiLower(std::string& s) { LowerAscii(s); }
void AsciiUpper(std::string& s) { UpperAscii(s); }
void AsciiLower(std::wstring& s) { LowerAscii(s); }
void AsciiUpper(std::wstring& s) { UpperAscii(s); }

std::wstring LongPathForm(const std::wstring& path)
{
    // Room for a folder's 8.3 entry below the classic limit, as the
    // directory functions want it.
    constexpr size_t kClassic = MAX_PATH - 12;
    if (path.size() < kClassic || path.compare(0, 4, L"\\\\?\\") == 0) return path;
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::vector<wchar_t> buf(n + 1);
    n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
    std::wstring full(buf.data(), n);
    if (full.compare(0, 4, L"\\\\?\\") == 0 || full.compare(0, 4, L"\\\\.\\") == 0) return full;
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool PathExists(const std::wstring& path)
{
    return GetFileAttributesW(LongPathForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ModulePath()
{
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return std::wstring();
        if (n < buf.size() - 1) return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}
