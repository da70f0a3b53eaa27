#include "names.h"

#include <cstdio>

#include "runtime.h"

std::string WorkFileName(const struct time& t)
{
    char name[16];
    std::snprintf(name, sizeof name, "%02x%02x%02x%02x.lmy", static_cast<unsigned>(t.ti_hour & 0x0F),
                  static_cast<unsigned>(t.ti_min), static_cast<unsigned>(t.ti_sec),
                  static_cast<unsigned>(t.ti_hund));
    return name;
}

namespace {
void ForceExtension(std::string& s, const char* ext)
{
    size_t dot = s.rfind('.');
    if (dot != std::string::npos) s.erase(dot);
    s += ext;
}
}  // namespace

void _pg_appendGED2str(std::string& s) { ForceExtension(s, ".GED"); }
void _pg_appendLMY2str(std::string& s) { ForceExtension(s, ".LMY"); }

std::string BaseDirSlash(const std::string& modulePath)
{
    size_t slash = modulePath.rfind('\\');
    return slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1);
}

std::string PlaceInBaseDir(const std::string& modulePath, const std::string& name)
{
    size_t slash = modulePath.rfind('\\');
    return slash == std::string::npos ? modulePath : modulePath.substr(0, slash + 1) + name;
}

std::string ExchangeFilePath(const std::string& modulePath)
{
    return BaseDirSlash(modulePath) + "LINDMORY.INI";
}

DocumentType DocumentTypeOf(const std::string& longPath)
{
    auto has = [&](const char* mark) { return longPath.find(mark) != std::string::npos; };
    if (has(".lmy") || has(".LMY")) return DocumentType::Native;
    if (has(".ged") || has(".GED")) return DocumentType::Gedcom;
    return DocumentType::None;
}

bool IsRepresentablePath(const std::string& path)
{
    return path.find_first_of("?*") == std::string::npos;
}

bool SplitReply(const std::string& value, std::string& workPath, std::string& longPath)
{
    size_t bar = value.find('|');
    if (bar == std::string::npos) return false;
    workPath = value.substr(0, bar);
    longPath = value.substr(bar + 1);
    return true;
}

unsigned long LeadingDecimal(const std::string& text)
{
    unsigned long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > 0xFFFFFFFFull) return 0xFFFFFFFFul;
    }
    return static_cast<unsigned long>(value);
}
