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
    // The chosen file's own extension decides, in any letter case; a dot in
    // a folder's name says nothing about the file.
    size_t slash = longPath.find_last_of("\\/");
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = longPath.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return DocumentType::None;
    std::string ext = longPath.substr(dot);
    AsciiLower(ext);
    if (ext == ".lmy") return DocumentType::Native;
    if (ext == ".ged") return DocumentType::Gedcom;
    return DocumentType::None;
}

bool HasGedcomExtension(const std::string& path) { return DocumentTypeOf(path) == DocumentType::Gedcom; }

bool IsUsableName(const std::string& value) { return !value.empty() && value.size() <= kLongestPath; }

bool IsBareFileName(const std::string& name)
{
    if (name.empty() || name.size() > 255) return false;
    if (name.find_first_of("\\/:*?\"<>|") != std::string::npos) return false;
    if (name.find("..") != std::string::npos) return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20) return false;
    char last = name.back();
    if (last == '.' || last == ' ') return false;
    // Device names stay devices whatever extension follows them.
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    AsciiUpper(stem);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* device : kDevices)
        if (stem == device) return false;
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
        stem[3] >= '0' && stem[3] <= '9')
        return false;
    return true;
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

std::string ExchangeLockName(const std::string& upperLongPath)
{
    // FNV-1a, 64 bits.
    unsigned long long hash = 0xcbf29ce484222325ull;
    for (char c : upperLongPath) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", hash);
    return std::string("Local\\ZivaRari-") + digits;
}
