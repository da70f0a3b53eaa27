#include "launch_line.h"

std::string QuoteProgramPrefix(const std::string& parameter,
                               const std::function<bool(const std::string&)>& isFile)
{
    if (parameter.empty() || parameter[0] == '"') return parameter;
    size_t best = std::string::npos;
    for (size_t end = 1; end <= parameter.size(); ++end) {
        if (end < parameter.size() && parameter[end] != ' ') continue;
        std::string prefix = parameter.substr(0, end);
        if (prefix.back() == ' ') continue;
        if (isFile(prefix) || isFile(prefix + ".exe")) best = end;
    }
    if (best == std::string::npos) return parameter;
    return "\"" + parameter.substr(0, best) + "\"" + parameter.substr(best);
}
