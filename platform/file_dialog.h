// The common Open and Save As dialogs and the record they work on.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TWindow;

class TZivaRariDialog {
public:
    // What a common file dialog is shown with and what it hands back.
    struct TData {
        // `filter` lists description and pattern, each followed by "|".
        // `maxPath` 0 selects the default buffer size, large enough for the
        // longest path the system's file functions accept. Names are kept
        // in UTF-16, so that every name a file can have comes back whole.
        TData(DWORD flags, const wchar_t* filter, const wchar_t* customFilter, const wchar_t* initialDir,
              const wchar_t* defExt, int maxPath = 0, int filterIndex = 0);

        DWORD Flags;
        std::wstring Filter;        // "|" already turned into NUL separators
        std::wstring InitialDir;
        std::wstring DefExt;
        int FilterIndex;
        std::vector<wchar_t> FileName;  // NUL-terminated, FileName.size() characters of room

        // The file name as text, and a way to preset it (never cut: the
        // buffer grows when the text needs more room).
        std::wstring GetFileName() const { return FileName.data(); }
        void SetFileName(const std::wstring& name);
    };

    static constexpr int kDefaultMaxPath = 32768;

    TZivaRariDialog(TWindow* parent, TData& data, const char* templateName, const wchar_t* title,
                    HINSTANCE module);
    virtual ~TZivaRariDialog() = default;
    TZivaRariDialog(const TZivaRariDialog&) = delete;
    TZivaRariDialog& operator=(const TZivaRariDialog&) = delete;

    // Shows the dialog modally. IDOK when the user confirmed a name (now in
    // the record's FileName); IDCANCEL otherwise, a failure of the dialog
    // included.
    int Execute();

protected:
    virtual BOOL Show(OPENFILENAMEW& ofn) = 0;
    virtual DWORD AdjustFlags(DWORD flags) const { return flags; }
    // Looks at a confirmed name before it is handed back; false sends the
    // user back to the dialog.
    virtual bool Accept(TData&) { return true; }

private:
    TWindow* parent_;
    TData& data_;
    const wchar_t* title_;
};

class TFileOpenDialog : public TZivaRariDialog {
public:
    TFileOpenDialog(TWindow* parent, TData& data, const char* templateName = nullptr,
                    const wchar_t* title = nullptr, HINSTANCE module = nullptr)
        : TZivaRariDialog(parent, data, templateName, title, module) {}

protected:
    BOOL Show(OPENFILENAMEW& ofn) override;
    // The dialog is not left to test that the file exists: some systems
    // test the name as typed, before the default extension is added. The
    // name, or the name with the default extension, must name a file; a
    // name that names none is refused, and the dialog comes back.
    DWORD AdjustFlags(DWORD flags) const override;
    bool Accept(TData& data) override;
};

class TFileSaveDialog : public TZivaRariDialog {
public:
    TFileSaveDialog(TWindow* parent, TData& data, const char* templateName = nullptr,
                    const wchar_t* title = nullptr, HINSTANCE module = nullptr)
        : TZivaRariDialog(parent, data, templateName, title, module) {}

protected:
    BOOL Show(OPENFILENAMEW& ofn) override;
    // A Save As dialog must accept names that do not exist yet: "file must
    // exist" is not valid there, so it is replaced by "path must exist".
    DWORD AdjustFlags(DWORD flags) const override;
};

// "Lindmory Files (*.LMY)|*.lmy|" -> the NUL-separated, double-NUL-ended list.
std::wstring FilterFromBars(const wchar_t* barFilter);
