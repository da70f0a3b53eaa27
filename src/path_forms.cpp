#include "path_forms.h"

#include <windows.h>

#include <vector>

#include "runtime.h"

namespace {

// Asks `lookup` (GetShortPathNameW or GetLongPathNameW) for `path`; "" when
// it fails. The long-path prefix it may have needed is taken off again.
template <typename Lookup>
std::wstring Ask(Lookup lookup, const std::wstring& path)
{
    const std::wstring api = LongPathForm(path);
    DWORD n = lookup(api.c_str(), nullptr, 0);
    if (n == 0) return std::wstring();
    std::vector<wchar_t> buf(n + 1);
    n = lookup(api.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0 || n >= buf.size()) return std::wstring();
    std::wstring result(buf.data(), n);
    if (api.compare(0, 4, L"\\\\?\\") != 0) return result;
    if (result.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + result.substr(8);
    if (result.compare(0, 4, L"\\\\?\\") == 0) return result.substr(4);
    return result;
}

}  // namespace

std::wstring FullPath(const std::wstring& path)
{
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::vector<wchar_t> buf(n + 1);
    n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
    return n ? std::wstring(buf.data(), n) : path;
}

std::wstring ShortPathOf(const std::wstring& path)
{
    return Ask([](LPCWSTR from, LPWSTR to, DWORD size) { return GetShortPathNameW(from, to, size); }, path);
}

std::wstring LongPathOf(const std::wstring& path)
{
    auto lookup = [](LPCWSTR from, LPWSTR to, DWORD size) { return GetLongPathNameW(from, to, size); };
    std::wstring longForm = Ask(lookup, path);
    if (!longForm.empty()) return longForm;
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash == 0) return path;
    std::wstring folder = Ask(lookup, path.substr(0, slash));
    return folder.empty() ? path : folder + path.substr(slash);
}

std::wstring DisplayName(const std::wstring& path)
{
    std::wstring longForm = LongPathOf(path);
    bool sameButCase = CompareStringOrdinal(longForm.c_str(), static_cast<int>(longForm.size()), path.c_str(),
                                            static_cast<int>(path.size()), TRUE) == CSTR_EQUAL;
    return sameButCase ? path : longForm;
}

HostPath HostForm(const std::wstring& path) { return HostFormOfPath(path, GetACP(), ShortPathOf); }
