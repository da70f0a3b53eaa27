#include "exchange.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "exchange_lock.h"
#include "globals.h"
#include "host_text.h"
#include "names.h"
#include "prompts.h"
#include "runtime.h"
#include "texts.h"

const wchar_t _sg_Export[] = L"Export";
const wchar_t _si_LongFnameGED[] = L"LongFnameGED";
const wchar_t _si_LongFnameLMY[] = L"LongFnameLMY";
const wchar_t _si_MyActiveFname[] = L"MyActiveFname";
const wchar_t _sg_dwMajorVersion[] = L"dwMajorVersion";
const wchar_t _sg_dwPlatformId[] = L"dwPlatformId";

namespace {
// Room for a reply value of two longest paths and its separator; anything
// that does not fit is no usable value, however long it really is.
constexpr size_t kLongestValue = 2 * kLongestPath + 1;
}  // namespace

std::wstring _pg_FNAMEini() { return ExchangeFilePath(_sg_ModuleFileName); }

bool ReadExchange(const std::wstring& iniPath, const wchar_t* key, std::wstring& value)
{
    ExchangeLock lock(iniPath);
    if (!lock.Held()) {
        ReportError(kErrExchangeRead, ExchangeBusyDetail(iniPath));
        return false;
    }
    // The profile API cuts a value to the buffer less one character; grow
    // the buffer until the value fits with room to spare. The host's text
    // comes back in UTF-16, read in the system's ANSI code page.
    const std::wstring path = LongPathForm(iniPath);
    std::vector<wchar_t> buf(1024);
    for (;;) {
        // The API gives 0 both for a missing key and for a file it could
        // not read; only the error it leaves tells them apart.
        SetLastError(ERROR_SUCCESS);
        DWORD n = GetPrivateProfileStringW(_sg_Export, key, L"", buf.data(), static_cast<DWORD>(buf.size()),
                                           path.c_str());
        if (n == 0) {
            DWORD error = GetLastError();
            if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
                ReportError(kErrExchangeRead, ExchangeReadFailureDetail(iniPath, SystemReason(error)));
                return false;
            }
        }
        if (n + 1 < buf.size() || buf.size() > kLongestValue) {
            value.assign(buf.data(), n);
            return true;
        }
        buf.resize(std::min<size_t>(buf.size() * 4, kLongestValue + 2));
    }
}

ExchangeWrite WriteExchange(const std::wstring& iniPath, const wchar_t* key, const std::string& hostText)
{
    ExchangeLock lock(iniPath);
    if (!lock.Held()) {
        ReportError(kErrExchangeRead, ExchangeBusyDetail(iniPath));
        return ExchangeWrite::Busy;
    }
    // Text that converts exactly goes back to the same bytes when the
    // profile API writes it in the system's ANSI code page.
    const std::wstring value = FromHost(hostText, GetACP());
    return WritePrivateProfileStringW(_sg_Export, key, value.c_str(), LongPathForm(iniPath).c_str())
               ? ExchangeWrite::Done
               : ExchangeWrite::Failed;
}

bool _pi_LongFnameGED(const std::string& hostText)
{
    ExchangeWrite result = WriteExchange(_pg_FNAMEini(), _si_LongFnameGED, hostText);
    if (result == ExchangeWrite::Failed) _PG_errCODE(kErrReplyWrite);
    return result == ExchangeWrite::Done;
}

bool CheckExchangeReadable(const std::wstring& iniPath)
{
    const std::wstring path = LongPathForm(iniPath);
    DWORD attrs = GetFileAttributesW(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
        ReportError(kErrExchangeRead, ExchangeReadFailureDetail(iniPath, SystemReason(error)));
        return false;
    }
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) {
        ReportError(kErrExchangeRead, ExchangeReadFailureDetail(iniPath, kReasonIsAFolder));
        return false;
    }
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
        ReportError(kErrExchangeRead, ExchangeReadFailureDetail(iniPath, SystemReason(error)));
        return false;
    }
    CloseHandle(h);
    return true;
}
