#include "texts.h"

#include <cstdio>

const char _sg_mssgVerifySave_03[] = "Verify save?";
const char _sg_mssgBoxVersion[] = "Tamberlo 3.1";
const char kErrorCaption[] = "LINDMORG.EXE";

std::string VerifySaveText(const std::string& path)
{
    constexpr size_t kLine = 64;
    std::string text = std::string(_sg_mssgVerifySave_03) + "\n\n";
    for (size_t pos = 0; pos < path.size(); pos += kLine) {
        if (pos) text += '\n';
        text += path.substr(pos, kLine);
    }
    return text;
}

std::string ErrorText(unsigned short code)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(code));
    return std::string("Error, #") + digits + " in ZIVARARI";
}
