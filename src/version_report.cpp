// Command 8: the system's major version and platform identifier, recorded
// in an exchange file that already exists.
#include <windows.h>

#include <cstdio>

#include "exchange.h"
#include "names.h"
#include "runtime.h"
#include "zivarari.h"

namespace {

// Rewrites the key only when its stored value reads as another number.
// False when the exchange file stayed busy (the box has said so).
bool RecordValue(const std::wstring& ini, const wchar_t* key, unsigned long systemValue)
{
    std::wstring stored;
    if (!ReadExchange(ini, key, stored)) return false;
    if (LeadingDecimal(stored) == systemValue) return true;
    char text[16];
    std::snprintf(text, sizeof text, "%lu", systemValue);
    return WriteExchange(ini, key, text) != ExchangeWrite::Busy;
}

}  // namespace

void TtaZivaRari::CmGetVersionEx()
{
    std::wstring ini = _pg_FNAMEini();
    OSVERSIONINFOA _tl_01;
    ZeroMemory(&_tl_01, sizeof _tl_01);
    _tl_01.dwOSVersionInfoSize = sizeof _tl_01;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
    GetVersionExA(&_tl_01);
    if (PathExists(ini)) {
        if (RecordValue(ini, _sg_dwMajorVersion, _tl_01.dwMajorVersion))
            RecordValue(ini, _sg_dwPlatformId, _tl_01.dwPlatformId);
    }
    PostQuitMessage(0);
}
