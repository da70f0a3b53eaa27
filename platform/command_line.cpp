#include "command_line.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipProgramName(const char* p)
{
    while (IsBlank(*p)) ++p;
    bool quoted = false;
    for (; *p; ++p) {
        if (*p == '"') quoted = !quoted;
        else if (!quoted && IsBlank(*p)) break;
    }
    return p;
}

}  // namespace

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
