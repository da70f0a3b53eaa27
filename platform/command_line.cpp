#include "command_line.h"

#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

const char* SkipProgramName(const char* p)
{
    while (IsBlank(*p)) ++p;
    // A quoted name ends at its closing quote, as the system reads it.
    if (*p == '"') {
        const char* close = std::strchr(p + 1, '"');
        return close ? close + 1 : p + std::strlen(p);
    }
    while (*p && !IsBlank(*p)) ++p;
    return p;
}

std::vector<std::string> SplitArguments(const char* commandLine)
{
    std::vector<std::string> args;
    if (!commandLine) return args;
    const char* p = SkipProgramName(commandLine);
    for (;;) {
        while (IsBlank(*p)) ++p;
        if (!*p) break;
        std::string arg;
        bool quoted = false;
        for (; *p; ++p) {
            if (*p == '"') quoted = !quoted;
            else if (!quoted && IsBlank(*p)) break;
            else arg.push_back(*p);
        }
        args.push_back(arg);
    }
    return args;
}
