#include "dialog.h"

TDialog::TDialog(TWindow* parent, const char* resourceName, HINSTANCE module)
    : TWindow(parent), resourceName_(resourceName), module_(module ? module : GetModuleHandleA(nullptr))
{
}

bool TDialog::Create()
{
    HWND owner = Parent ? Parent->HWindow : nullptr;
    return CreateDialogParamA(module_, resourceName_, owner, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK TDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<TDialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->HWindow = hwnd;
        self->SetupWindow();
        return TRUE;
    }
    auto* self = reinterpret_cast<TDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_NCDESTROY) {
        self->HWindow = nullptr;
        return FALSE;
    }
    LRESULT result = 0;
    if (!self->Find(msg, wParam, lParam, result)) return FALSE;
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

TPaintDC::TPaintDC(HWND hwnd) : hwnd_(hwnd), hdc_(BeginPaint(hwnd, &ps_)) {}

TPaintDC::~TPaintDC() { EndPaint(hwnd_, &ps_); }
