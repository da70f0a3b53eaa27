#include "run_log.h"

#include <sstream>

namespace sweep {
namespace {

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char c = text[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return out;
}

bool IsNumber(const std::string& s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::string Ordinal(unsigned n)
{
    const char* suffix = "th";
    if (n % 100 < 11 || n % 100 > 13) {
        if (n % 10 == 1) suffix = "st";
        else if (n % 10 == 2) suffix = "nd";
        else if (n % 10 == 3) suffix = "rd";
    }
    return std::to_string(n) + suffix;
}

std::string CallEntry::Name() const { return "the " + Ordinal(occurrence) + " " + function; }

RunLog ParseLog(const std::string& text)
{
    RunLog log;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::vector<std::string> f = SplitTabs(line);
        if (f[0] == "box" && f.size() >= 5) {
            log.boxes.push_back({Unescape(f[1]), Unescape(f[2]), f[3], f[4]});
        } else if (f[0] == "dialog" && f.size() >= 3) {
            log.dialogs.push_back(f[1] + "\t" + f[2]);
        } else if (f.size() >= 4 && IsNumber(f[1])) {
            CallEntry c;
            c.function = f[0];
            c.occurrence = static_cast<unsigned>(std::stoul(f[1]));
            c.path = f[2];
            for (size_t i = 3; i + 1 < f.size(); ++i) {
                if (f[i].rfind("-> ", 0) == 0) c.path2 = f[i].substr(3);
                else if (f[i].size() >= 2 && f[i].front() == '[' && f[i].back() == ']')
                    c.detail = f[i].substr(1, f[i].size() - 2);
            }
            c.result = f.back();
            log.calls.push_back(c);
        } else {
            log.unknown.push_back(line);
        }
    }
    return log;
}

}  // namespace sweep
