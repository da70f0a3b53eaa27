#include "host_text.h"

#include <windows.h>

namespace {

constexpr unsigned kUtf8 = 65001;

std::wstring Widen(const std::string& text, unsigned codePage, DWORD flags)
{
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

}  // namespace

std::optional<std::string> ToHostExact(const std::wstring& wide, unsigned codePage)
{
    if (wide.empty()) return std::string();
    // UTF-8 refuses both the best-fit flag and the default-character report;
    // it only has invalid UTF-16 (a lone surrogate) to refuse.
    const bool utf8 = codePage == kUtf8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* reportDefault = utf8 ? nullptr : &usedDefault;
    const int size = static_cast<int>(wide.size());
    int n = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, reportDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string text(static_cast<size_t>(n), '\0');
    n = WideCharToMultiByte(codePage, flags, wide.data(), size, &text[0], n, nullptr, reportDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    text.resize(static_cast<size_t>(n));
    // Judged by what came out: it must read back as the very same name.
    if (Widen(text, codePage, utf8 ? MB_ERR_INVALID_CHARS : 0) != wide) return std::nullopt;
    return text;
}

std::wstring FromHost(const std::string& text, unsigned codePage) { return Widen(text, codePage, 0); }

HostPath HostFormOfPath(const std::wstring& path, unsigned codePage, const ShortPathLookup& shortOf)
{
    std::optional<std::string> exact = ToHostExact(path, codePage);
    if (exact && exact->size() <= kHostPathLimit) return HostPath{*exact, HostPathProblem::None};

    std::wstring shortForm = shortOf(path);
    if (shortForm.empty()) {
        // Not there yet: its folder's short form and its own name.
        size_t slash = path.find_last_of(L"\\/");
        if (slash != std::wstring::npos && slash > 0) {
            std::wstring folder = shortOf(path.substr(0, slash));
            if (!folder.empty()) shortForm = folder + path.substr(slash);
        }
    }
    std::optional<std::string> shortened;
    if (!shortForm.empty()) shortened = ToHostExact(shortForm, codePage);
    if (shortened && shortened->size() <= kHostPathLimit) return HostPath{*shortened, HostPathProblem::None};

    // Length is the reason only where the characters themselves would do.
    const bool charactersConvert = exact || shortened;
    return HostPath{std::string(), charactersConvert ? HostPathProblem::Length : HostPathProblem::Characters};
}
