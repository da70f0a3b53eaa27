// The scripted user and the fixed clock. Under a plan, the common Open and
// Save As dialogs return the plan's next name (or are cancelled) without
// showing a window, message boxes are logged and answered from the plan,
// and the local time starts at a fixed moment and moves 10 ms per reading,
// so that a run makes the same calls each time. Without a plan every call
// goes to the real dialog, box or clock.
#include <windows.h>

#include <commdlg.h>

#include <string>

#include "api.h"
#include "state.h"

using faultshim::Active;
using faultshim::LogLine;
using faultshim::Utf8;
using faultshim::Wide;

namespace {

DWORD g_dialogError = 0;

// Text for one log field: backslash, newline, carriage return and tab
// written as \\, \n, \r and \t.
std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out;
}

std::wstring FromAnsi(const char* text)
{
    return text ? Wide(Utf8(text)) : std::wstring();
}

std::string ToAnsi(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

// The name the dialog hands back: the plan's name, with the dialog's
// default extension when the name has none. False when cancelled.
bool Choose(const char* kind, const std::wstring& defExt, DWORD flags, std::wstring& chosen)
{
    std::string planned;
    if (!faultshim::NextDialog(planned)) {
        LogLine(std::string("dialog\t") + kind + "\tcancel");
        return false;
    }
    chosen = Wide(planned);
    size_t slash = chosen.find_last_of(L"\\/");
    size_t dot = chosen.find_last_of(L'.');
    if (!defExt.empty() && (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)))
        chosen += L"." + defExt;
    // The real Open dialog returns only names of existing files.
    if ((flags & OFN_FILEMUSTEXIST) && GetFileAttributesW(chosen.c_str()) == INVALID_FILE_ATTRIBUTES) {
        LogLine(std::string("dialog\t") + kind + "\tcancel (no such file: " + Utf8(chosen.c_str()) + ")");
        return false;
    }
    std::string note;
    if ((flags & OFN_OVERWRITEPROMPT) && GetFileAttributesW(chosen.c_str()) != INVALID_FILE_ATTRIBUTES)
        note = "\treplace confirmed";
    LogLine(std::string("dialog\t") + kind + "\t" + Utf8(chosen.c_str()) + note);
    return true;
}

template <class Ch>
void SetOffsets(const std::basic_string<Ch>& name, WORD& fileOffset, WORD& extOffset)
{
    size_t slash = name.find_last_of(static_cast<Ch>('\\'));
    size_t start = slash == std::basic_string<Ch>::npos ? 0 : slash + 1;
    size_t dot = name.find_last_of(static_cast<Ch>('.'));
    fileOffset = static_cast<WORD>(start);
    extOffset = static_cast<WORD>(dot == std::basic_string<Ch>::npos || dot < start ? name.size() : dot + 1);
}

BOOL ScriptedA(LPOPENFILENAMEA ofn, const char* kind)
{
    g_dialogError = 0;
    std::wstring chosen;
    if (!Choose(kind, FromAnsi(ofn->lpstrDefExt), ofn->Flags, chosen)) return FALSE;
    std::string name = ToAnsi(chosen);
    if (!ofn->lpstrFile || name.size() + 1 > ofn->nMaxFile) {
        g_dialogError = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    lstrcpynA(ofn->lpstrFile, name.c_str(), static_cast<int>(ofn->nMaxFile));
    SetOffsets(name, ofn->nFileOffset, ofn->nFileExtension);
    return TRUE;
}

BOOL ScriptedW(LPOPENFILENAMEW ofn, const char* kind)
{
    g_dialogError = 0;
    std::wstring chosen;
    if (!Choose(kind, ofn->lpstrDefExt ? ofn->lpstrDefExt : L"", ofn->Flags, chosen)) return FALSE;
    if (!ofn->lpstrFile || chosen.size() + 1 > ofn->nMaxFile) {
        g_dialogError = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    lstrcpynW(ofn->lpstrFile, chosen.c_str(), static_cast<int>(ofn->nMaxFile));
    SetOffsets(chosen, ofn->nFileOffset, ofn->nFileExtension);
    return TRUE;
}

// Logs the box and gives the scripted answer: OK for a box with only an
// OK button, else the plan's next answer (No or Cancel when it has none).
int ScriptedBox(const std::string& text, const std::string& caption, UINT type)
{
    static const char* const kButtons[] = {"OK", "OK Cancel", "Abort Retry Ignore", "Yes No Cancel",
                                           "Yes No", "Retry Cancel", "Cancel Try Continue"};
    UINT buttons = type & MB_TYPEMASK;
    const char* names = buttons < sizeof kButtons / sizeof kButtons[0] ? kButtons[buttons] : "?";
    int answer = IDOK;
    std::string said;
    if (buttons != MB_OK) {
        answer = faultshim::NextAnswer();
        if (answer == 0) {
            answer = buttons == MB_YESNO ? IDNO : IDCANCEL;
            said = " (unplanned)";
        }
    }
    const char* word = answer == IDYES ? "yes" : answer == IDNO ? "no" : answer == IDOK ? "ok" : "cancel";
    LogLine("box\t" + Escape(caption) + "\t" + Escape(text) + "\t" + names + "\t" + word + said);
    return answer;
}

}  // namespace

extern "C" {

BOOL WINAPI FaultShim_GetOpenFileNameA(LPOPENFILENAMEA ofn)
{
    return Active() ? ScriptedA(ofn, "Open") : GetOpenFileNameA(ofn);
}

BOOL WINAPI FaultShim_GetOpenFileNameW(LPOPENFILENAMEW ofn)
{
    return Active() ? ScriptedW(ofn, "Open") : GetOpenFileNameW(ofn);
}

BOOL WINAPI FaultShim_GetSaveFileNameA(LPOPENFILENAMEA ofn)
{
    return Active() ? ScriptedA(ofn, "Save As") : GetSaveFileNameA(ofn);
}

BOOL WINAPI FaultShim_GetSaveFileNameW(LPOPENFILENAMEW ofn)
{
    return Active() ? ScriptedW(ofn, "Save As") : GetSaveFileNameW(ofn);
}

DWORD WINAPI FaultShim_CommDlgExtendedError(void)
{
    return Active() ? g_dialogError : CommDlgExtendedError();
}

int WINAPI FaultShim_MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    return Active() ? ScriptedBox(Utf8(text), Utf8(caption), type) : MessageBoxA(owner, text, caption, type);
}

int WINAPI FaultShim_MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    return Active() ? ScriptedBox(Utf8(text), Utf8(caption), type) : MessageBoxW(owner, text, caption, type);
}

int WINAPI FaultShim_MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD language)
{
    return Active() ? ScriptedBox(Utf8(text), Utf8(caption), type)
                    : MessageBoxExA(owner, text, caption, type, language);
}

int WINAPI FaultShim_MessageBoxExW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type, WORD language)
{
    return Active() ? ScriptedBox(Utf8(text), Utf8(caption), type)
                    : MessageBoxExW(owner, text, caption, type, language);
}

void WINAPI FaultShim_GetLocalTime(LPSYSTEMTIME now)
{
    if (Active()) *now = faultshim::NextTime();
    else GetLocalTime(now);
}

}  // extern "C"
