#include "exchange.h"

#include <windows.h>

#include <vector>

#include "names.h"
#include "prompts.h"
#include "globals.h"

const char _sg_Export[] = "Export";
const char _si_LongFnameGED[] = "LongFnameGED";
const char _si_LongFnameLMY[] = "LongFnameLMY";
const char _si_MyActiveFname[] = "MyActiveFname";
const char _sg_dwMajorVersion[] = "dwMajorVersion";
const char _sg_dwPlatformId[] = "dwPlatformId";

std::string _pg_FNAMEini() { return ExchangeFilePath(_sg_ModuleFileName); }

std::string ReadExchange(const std::string& iniPath, const char* key)
{
    // The profile API cuts a value to the buffer less one character; grow
    // the buffer until the value fits with room to spare.
    std::vector<char> buf(1024);
    for (;;) {
        DWORD n = GetPrivateProfileStringA(_sg_Export, key, "", buf.data(), static_cast<DWORD>(buf.size()),
                                           iniPath.c_str());
        if (n + 1 < buf.size() || buf.size() >= (1u << 24)) return std::string(buf.data(), n);
        buf.resize(buf.size() * 4);
    }
}

bool WriteExchange(const std::string& iniPath, const char* key, const std::string& value)
{
    return WritePrivateProfileStringA(_sg_Export, key, value.c_str(), iniPath.c_str()) != 0;
}

void _pi_LongFnameGED(const std::string& value)
{
    if (!WriteExchange(_pg_FNAMEini(), _si_LongFnameGED, value)) _PG_errCODE(kErrReplyWrite);
}
