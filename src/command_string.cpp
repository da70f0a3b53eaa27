#include "command_string.h"

#include <cstdlib>
#include <cstring>

char* SplitCommandString(char* commandString)
{
    char* underscore = std::strchr(commandString, '_');
    if (!underscore) return nullptr;
    *underscore = '\0';
    return underscore + 1;
}

unsigned short ParseCommandCode(const char* code)
{
    // unsigned long is 32 bits on Windows, so an overlong number saturates
    // at 0xFFFFFFFF there; the mask keeps other platforms' builds alike.
    unsigned long value = std::strtoul(code, nullptr, 16);
    if (value > 0xFFFFFFFFul) value = 0xFFFFFFFFul;
    return static_cast<unsigned short>(value & 0xFFFFu);
}

bool IsSupportedVersion(unsigned long getVersionResult)
{
    unsigned major = getVersionResult & 0xFFu;
    unsigned minor = (getVersionResult >> 8) & 0xFFu;
    return major * 256 + minor >= 0x030A;
}
