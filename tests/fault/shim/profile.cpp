// Counted and failable exchange-file (private-profile) calls. A failed
// read returns 0 with the default copied, as the profile service does when
// it finds nothing; a failed write returns FALSE.
#include <windows.h>

#include <string>

#include "api.h"
#include "state.h"

using faultshim::Call;
using faultshim::Count;
using faultshim::Log;
using faultshim::Utf8;

namespace {

template <class Ch>
size_t Length(const Ch* s)
{
    size_t n = 0;
    while (s && s[n]) ++n;
    return n;
}

// Copies the default into the caller's buffer, cut to fit.
template <class Ch>
void CopyDefault(Ch* buf, DWORD size, const Ch* deflt)
{
    if (!buf || size == 0) return;
    size_t n = deflt ? Length(deflt) : 0;
    if (n > size - 1) n = size - 1;
    for (size_t i = 0; i < n; ++i) buf[i] = deflt[i];
    buf[n] = 0;
}

template <class Ch>
std::string KeyDetail(const Ch* section, const Ch* key)
{
    return "[" + Utf8(section) + "] " + Utf8(key);
}

}  // namespace

extern "C" {

DWORD WINAPI FaultShim_GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR deflt, LPSTR buf, DWORD size,
                                                LPCSTR file)
{
    Call call = Count("GetPrivateProfileStringA");
    if (call.fail) {
        CopyDefault(buf, size, deflt);
        SetLastError(call.code);
        Log(call, Utf8(file), false, "", KeyDetail(section, key));
        SetLastError(call.code);
        return 0;
    }
    DWORD n = GetPrivateProfileStringA(section, key, deflt, buf, size, file);
    Log(call, Utf8(file), true, "", KeyDetail(section, key) + " length=" + std::to_string(n));
    return n;
}

DWORD WINAPI FaultShim_GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR deflt, LPWSTR buf, DWORD size,
                                                LPCWSTR file)
{
    Call call = Count("GetPrivateProfileStringW");
    if (call.fail) {
        CopyDefault(buf, size, deflt);
        SetLastError(call.code);
        Log(call, Utf8(file), false, "", KeyDetail(section, key));
        SetLastError(call.code);
        return 0;
    }
    DWORD n = GetPrivateProfileStringW(section, key, deflt, buf, size, file);
    Log(call, Utf8(file), true, "", KeyDetail(section, key) + " length=" + std::to_string(n));
    return n;
}

UINT WINAPI FaultShim_GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT deflt, LPCSTR file)
{
    Call call = Count("GetPrivateProfileIntA");
    if (call.fail) {
        SetLastError(call.code);
        Log(call, Utf8(file), false, "", KeyDetail(section, key));
        SetLastError(call.code);
        return static_cast<UINT>(deflt);
    }
    UINT v = GetPrivateProfileIntA(section, key, deflt, file);
    Log(call, Utf8(file), true, "", KeyDetail(section, key));
    return v;
}

UINT WINAPI FaultShim_GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT deflt, LPCWSTR file)
{
    Call call = Count("GetPrivateProfileIntW");
    if (call.fail) {
        SetLastError(call.code);
        Log(call, Utf8(file), false, "", KeyDetail(section, key));
        SetLastError(call.code);
        return static_cast<UINT>(deflt);
    }
    UINT v = GetPrivateProfileIntW(section, key, deflt, file);
    Log(call, Utf8(file), true, "", KeyDetail(section, key));
    return v;
}

BOOL WINAPI FaultShim_WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file)
{
    Call call = Count("WritePrivateProfileStringA");
    std::string detail = KeyDetail(section, key) + "=" + Utf8(value);
    if (call.fail) {
        SetLastError(call.code);
        Log(call, Utf8(file), false, "", detail);
        SetLastError(call.code);
        return FALSE;
    }
    BOOL ok = WritePrivateProfileStringA(section, key, value, file);
    Log(call, Utf8(file), ok != FALSE, "", detail);
    return ok;
}

BOOL WINAPI FaultShim_WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR file)
{
    Call call = Count("WritePrivateProfileStringW");
    std::string detail = KeyDetail(section, key) + "=" + Utf8(value);
    if (call.fail) {
        SetLastError(call.code);
        Log(call, Utf8(file), false, "", detail);
        SetLastError(call.code);
        return FALSE;
    }
    BOOL ok = WritePrivateProfileStringW(section, key, value, file);
    Log(call, Utf8(file), ok != FALSE, "", detail);
    return ok;
}

}  // extern "C"
