#include "exchange.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "exchange_lock.h"
#include "globals.h"
#include "names.h"
#include "prompts.h"
#include "texts.h"

const char _sg_Export[] = "Export";
const char _si_LongFnameGED[] = "LongFnameGED";
const char _si_LongFnameLMY[] = "LongFnameLMY";
const char _si_MyActiveFname[] = "MyActiveFname";
const char _sg_dwMajorVersion[] = "dwMajorVersion";
const char _sg_dwPlatformId[] = "dwPlatformId";

namespace {
// Room for a reply value of two longest paths and its separator; anything
// that does not fit is no usable value, however long it really is.
constexpr size_t kLongestValue = 2 * kLongestPath + 1;
}  // namespace

std::string _pg_FNAMEini() { return ExchangeFilePath(_sg_ModuleFileName); }

bool ReadExchange(const std::string& iniPath, const char* key, std::string& value)
{
    ExchangeLock lock(iniPath);
    if (!lock.Held()) {
        ReportError(kErrExchangeRead, ExchangeBusyDetail(iniPath));
        return false;
    }
    // The profile API cuts a value to the buffer less one character; grow
    // the buffer until the value fits with room to spare.
    std::vector<char> buf(1024);
    for (;;) {
        // The API gives 0 both for a missing key and for a file it could
        // not read; only the error it leaves tells them apart.
        SetLastError(ERROR_SUCCESS);
        DWORD n = GetPrivateProfileStringA(_sg_Export, key, "", buf.data(), static_cast<DWORD>(buf.size()),
                                           iniPath.c_str());
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

ExchangeWrite WriteExchange(const std::string& iniPath, const char* key, const std::string& value)
{
    ExchangeLock lock(iniPath);
    if (!lock.Held()) {
        ReportError(kErrExchangeRead, ExchangeBusyDetail(iniPath));
        return ExchangeWrite::Busy;
    }
    return WritePrivateProfileStringA(_sg_Export, key, value.c_str(), iniPath.c_str()) ? ExchangeWrite::Done
                                                                                       : ExchangeWrite::Failed;
}

bool _pi_LongFnameGED(const std::string& value)
{
    ExchangeWrite result = WriteExchange(_pg_FNAMEini(), _si_LongFnameGED, value);
    if (result == ExchangeWrite::Failed) _PG_errCODE(kErrReplyWrite);
    return result == ExchangeWrite::Done;
}

bool CheckExchangeReadable(const std::string& iniPath)
{
    DWORD attrs = GetFileAttributesA(iniPath.c_str());
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
    HANDLE h = CreateFileA(iniPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
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
