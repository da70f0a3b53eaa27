#include "names.h"

#include <cwchar>

#include "runtime.h"

std::wstring WorkFileName(const struct time& t)
{
    wchar_t name[16];
    std::swprintf(name, sizeof name / sizeof name[0], L"%02x%02x%02x%02x.lmy",
                  static_cast<unsigned>(t.ti_hour & 0x0F), static_cast<unsigned>(t.ti_min),
                  static_cast<unsigned>(t.ti_sec), static_cast<unsigned>(t.ti_hund));
    return name;
}

namespace {
void ForceExtension(std::wstring& s, const wchar_t* ext)
{
    size_t dot = s.rfind(L'.');
    if (dot != std::wstring::npos) s.erase(dot);
    s += ext;
}
}  // namespace

void _pg_appendGED2str(std::wstring& s) { ForceExtension(s, L".GED"); }
void _pg_appendLMY2str(std::wstring& s) { ForceExtension(s, L".LMY"); }

std::wstring BaseDirSlash(const std::wstring& modulePath)
{
    size_t slash = modulePath.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : modulePath.substr(0, slash + 1);
}

std::wstring PlaceInBaseDir(const std::wstring& modulePath, const std::wstring& name)
{
    size_t slash = modulePath.rfind(L'\\');
    return slash == std::wstring::npos ? modulePath : modulePath.substr(0, slash + 1) + name;
}

std::wstring ExchangeFilePath(const std::wstring& modulePath)
{
    return BaseDirSlash(modulePath) + L"LINDMORY.INI";
}

DocumentType DocumentTypeOf(const std::wstring& longPath)
{
    // The chosen file's own extension decides, in any letter case; a dot in
    // a folder's name says nothing about the file.
    size_t slash = longPath.find_last_of(L"\\/");
    size_t nameStart = slash == std::wstring::npos ? 0 : slash + 1;
    size_t dot = longPath.rfind(L'.');
    if (dot == std::wstring::npos || dot < nameStart) return DocumentType::None;
    std::wstring ext = longPath.substr(dot);
    AsciiLower(ext);
    if (ext == L".lmy") return DocumentType::Native;
    if (ext == L".ged") return DocumentType::Gedcom;
    return DocumentType::None;
}

bool HasGedcomExtension(const std::wstring& path) { return DocumentTypeOf(path) == DocumentType::Gedcom; }

bool IsUsableName(const std::wstring& value) { return !value.empty() && value.size() <= kLongestPath; }

bool IsBareFileName(const std::wstring& name)
{
    if (name.empty() || name.size() > 255) return false;
    if (name.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos) return false;
    if (name.find(L"..") != std::wstring::npos) return false;
    for (wchar_t c : name)
        if (c < 0x20) return false;
    wchar_t last = name.back();
    if (last == L'.' || last == L' ') return false;
    // Device names stay devices whatever extension follows them.
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    AsciiUpper(stem);
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$", L"CLOCK$"};
    for (const wchar_t* device : kDevices)
        if (stem == device) return false;
    if (stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
        stem[3] >= L'0' && stem[3] <= L'9')
        return false;
    return true;
}

std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring NameOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool SplitReply(const std::wstring& value, std::wstring& workPath, std::wstring& longPath)
{
    size_t bar = value.find(L'|');
    if (bar == std::wstring::npos) return false;
    workPath = value.substr(0, bar);
    longPath = value.substr(bar + 1);
    return true;
}

unsigned long LeadingDecimal(const std::wstring& text)
{
    unsigned long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') break;
        value = value * 10 + static_cast<unsigned>(c - L'0');
        if (value > 0xFFFFFFFFull) return 0xFFFFFFFFul;
    }
    return static_cast<unsigned long>(value);
}

std::wstring ExchangeLockName(const std::wstring& upperLongPath)
{
    // FNV-1a, 64 bits, over the UTF-16 code units, low byte first.
    unsigned long long hash = 0xcbf29ce484222325ull;
    for (wchar_t c : upperLongPath) {
        for (unsigned shift : {0u, 8u}) {
            hash ^= (static_cast<unsigned>(c) >> shift) & 0xFFu;
            hash *= 0x100000001b3ull;
        }
    }
    std::wstring name = L"Local\\ZivaRari-";
    for (int shift = 60; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(hash >> shift) & 0xFu];
    return name;
}
