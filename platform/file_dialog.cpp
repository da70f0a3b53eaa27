#include "file_dialog.h"

#include <commdlg.h>

#include <algorithm>

#include "window.h"

std::wstring FilterFromBars(const wchar_t* barFilter)
{
    std::wstring out = barFilter ? barFilter : L"";
    for (wchar_t& c : out)
        if (c == L'|') c = L'\0';
    out.push_back(L'\0');  // the list ends with an empty entry
    return out;
}

TZivaRariDialog::TData::TData(DWORD flags, const wchar_t* filter, const wchar_t*, const wchar_t* initialDir,
                              const wchar_t* defExt, int maxPath, int filterIndex)
    : Flags(flags | OFN_LONGNAMES), Filter(FilterFromBars(filter)), InitialDir(initialDir ? initialDir : L""),
      DefExt(defExt ? defExt : L""), FilterIndex(filterIndex),
      FileName(static_cast<size_t>(maxPath > 0 ? maxPath : kDefaultMaxPath), L'\0')
{
    // The Explorer-style dialog exists from major version 4 on.
    if (LOBYTE(LOWORD(GetVersion())) >= 4) Flags |= OFN_EXPLORER;
}

void TZivaRariDialog::TData::SetFileName(const std::wstring& name)
{
    if (name.size() + 1 > FileName.size()) FileName.resize(name.size() + 1);
    std::fill(FileName.begin(), FileName.end(), L'\0');
    std::copy(name.begin(), name.end(), FileName.begin());
}

TZivaRariDialog::TZivaRariDialog(TWindow* parent, TData& data, const char*, const wchar_t* title, HINSTANCE)
    : parent_(parent), data_(data), title_(title)
{
}

int TZivaRariDialog::Execute()
{
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = parent_ ? parent_->HWindow : nullptr;
    ofn.lpstrFilter = data_.Filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(data_.FilterIndex);
    ofn.lpstrFile = data_.FileName.data();
    ofn.nMaxFile = static_cast<DWORD>(data_.FileName.size());
    ofn.lpstrInitialDir = data_.InitialDir.empty() ? nullptr : data_.InitialDir.c_str();
    ofn.lpstrTitle = title_;
    ofn.Flags = AdjustFlags(data_.Flags);
    ofn.lpstrDefExt = data_.DefExt.empty() ? nullptr : data_.DefExt.c_str();
    for (;;) {
        ofn.lpstrFile = data_.FileName.data();
        ofn.nMaxFile = static_cast<DWORD>(data_.FileName.size());
        if (!Show(ofn)) return IDCANCEL;
        if (Accept(data_)) return IDOK;
    }
}

BOOL TFileOpenDialog::Show(OPENFILENAMEW& ofn) { return GetOpenFileNameW(&ofn); }

DWORD TFileOpenDialog::AdjustFlags(DWORD flags) const
{
    if (flags & OFN_FILEMUSTEXIST) flags = (flags & ~static_cast<DWORD>(OFN_FILEMUSTEXIST)) | OFN_PATHMUSTEXIST;
    return flags;
}

bool TFileOpenDialog::Accept(TData& data)
{
    if (!(data.Flags & OFN_FILEMUSTEXIST)) return true;
    auto isFile = [](const std::wstring& path) {
        DWORD attrs = GetFileAttributesW(path.c_str());
        return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
    };
    const std::wstring chosen = data.GetFileName();
    if (isFile(chosen)) return true;
    const size_t slash = chosen.find_last_of(L"\\/");
    const size_t dot = chosen.rfind(L'.');
    const bool hasExtension = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
    if (!hasExtension && !data.DefExt.empty() && isFile(chosen + L"." + data.DefExt)) {
        data.SetFileName(chosen + L"." + data.DefExt);
        return true;
    }
    const std::wstring text = chosen + L"\nFile not found.\nCheck the file name and try again.";
    MessageBoxW(GetActiveWindow(), text.c_str(), L"Open", MB_OK | MB_ICONWARNING);
    return false;
}

BOOL TFileSaveDialog::Show(OPENFILENAMEW& ofn) { return GetSaveFileNameW(&ofn); }

DWORD TFileSaveDialog::AdjustFlags(DWORD flags) const
{
    if (flags & OFN_FILEMUSTEXIST) flags = (flags & ~static_cast<DWORD>(OFN_FILEMUSTEXIST)) | OFN_PATHMUSTEXIST;
    return flags;
}
