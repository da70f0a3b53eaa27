// Finding, reading and answering the windows of another process: message
// boxes and the common Open / Save As dialogs.
#include "harness.h"

#include <algorithm>
#include <functional>

namespace e2e {
namespace {

const int kFileNameCombo = 1148;  // ComboBoxEx32 > ComboBox > Edit
const int kOldFileNameEdit = 1152;  // the plain edit of old-style dialogs
const int kBoxText = 0xFFFF;
const UINT kSendTimeoutMs = 5000;
const DWORD kPollMs = 10;

std::string ClassOf(HWND w)
{
    char buf[256];
    int n = GetClassNameA(w, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

bool SameClass(HWND w, const char* cls)
{
    return lstrcmpiA(ClassOf(w).c_str(), cls) == 0;
}

DWORD OwnerPid(HWND w)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid;
}

BOOL CALLBACK VisitTopLevel(HWND w, LPARAM param)
{
    return (*reinterpret_cast<const std::function<bool(HWND)>*>(param))(w) ? TRUE : FALSE;
}

// Calls `visit` for each top-level window until it returns false.
void ForEachTopLevel(const std::function<bool(HWND)>& visit)
{
    EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&visit));
}

BOOL CALLBACK CollectChild(HWND w, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(w);
    return TRUE;
}

// All descendants of `parent`, in the order Windows lists them.
std::vector<HWND> Descendants(HWND parent)
{
    std::vector<HWND> found;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FirstDescendantOfClass(HWND parent, const char* cls)
{
    for (HWND w : Descendants(parent))
        if (SameClass(w, cls)) return w;
    return nullptr;
}

HWND FindVisibleTopLevel(DWORD pid, const char* cls)
{
    HWND result = nullptr;
    ForEachTopLevel([&](HWND w) {
        if (IsWindowVisible(w) && OwnerPid(w) == pid && SameClass(w, cls)) result = w;
        return result == nullptr;
    });
    return result;
}

// The edit control that holds the file name in an Open / Save As dialog.
HWND FileNameEdit(HWND dlg)
{
    HWND combo = GetDlgItem(dlg, kFileNameCombo);
    if (!combo) {
        HWND edit = GetDlgItem(dlg, kOldFileNameEdit);
        return (edit && SameClass(edit, "Edit")) ? edit : FirstDescendantOfClass(dlg, "Edit");
    }
    HWND inner = FindWindowExA(combo, nullptr, "ComboBox", nullptr);
    HWND edit = inner ? FindWindowExA(inner, nullptr, "Edit", nullptr) : nullptr;
    return edit ? edit : FirstDescendantOfClass(combo, "Edit");
}

// WM_GETTEXT through SendMessageTimeout, which copies the text across
// processes (GetWindowText would only read the stored caption).
std::string SentText(HWND w)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return "";
    std::vector<char> buf(length * 2 + 256);  // room for a length given in other units
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
        return "";
    return std::string(buf.data(), std::min<std::size_t>(copied, buf.size() - 1));
}

}  // namespace

HWND WaitForWindow(DWORD pid, const char* cls, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND w = FindVisibleTopLevel(pid, cls)) return w;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(kPollMs);
    }
}

bool WaitNoDialog(DWORD pid, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (!FindVisibleTopLevel(pid, "#32770")) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
}

std::vector<HWND> FindWindowsOf(DWORD pid, const std::string& title)
{
    std::vector<HWND> found;
    ForEachTopLevel([&](HWND w) {
        if (OwnerPid(w) == pid && WindowTitle(w) == title) found.push_back(w);
        return true;
    });
    return found;
}

std::string WindowTitle(HWND w)
{
    int length = GetWindowTextLengthA(w);
    if (length <= 0) return "";
    std::vector<char> buf(length + 1);
    int n = GetWindowTextA(w, buf.data(), length + 1);
    return std::string(buf.data(), n > 0 ? n : 0);
}

std::string MessageBoxText(HWND box)
{
    HWND text = GetDlgItem(box, kBoxText);
    return text ? WindowTitle(text) : "";
}

std::vector<int> ButtonIds(HWND dlg)
{
    // Boxes may keep unused buttons hidden; only the shown ones count.
    std::vector<int> ids;
    for (HWND w : Descendants(dlg)) {
        bool shown = (GetWindowLongA(w, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown && GetParent(w) == dlg && SameClass(w, "Button")) ids.push_back(GetDlgCtrlID(w));
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

void PressButton(HWND dlg, int id)
{
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

std::string DialogFileName(HWND dlg)
{
    HWND edit = FileNameEdit(dlg);
    return edit ? SentText(edit) : "";
}

void SetDialogFileName(HWND dlg, const std::string& text)
{
    HWND edit = FileNameEdit(dlg);
    if (!edit) return;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
}

void ConfirmFileDialog(HWND dlg, const std::string& fileName)
{
    SetDialogFileName(dlg, fileName);
    PressButton(dlg, IDOK);
}

}  // namespace e2e
