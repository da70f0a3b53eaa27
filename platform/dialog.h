// A modeless dialog built from a template resource, and the paint context
// that a paint handler opens on it.
#pragma once

#include "window.h"

class TDialog : public TWindow {
public:
    TDialog(TWindow* parent, const char* resourceName, HINSTANCE module = nullptr);

    // Creates the dialog window as a child of the parent's window. The
    // dialog's initialisation calls SetupWindow before this returns.
    bool Create() override;

protected:
    // Base set-up: nothing of its own yet; overrides call it first.
    void SetupWindow() override {}

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    const char* resourceName_;
    HINSTANCE module_;
};

// Begins painting on a window and ends it when destroyed.
class TPaintDC {
public:
    explicit TPaintDC(HWND hwnd);
    ~TPaintDC();
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC hdc_;
};
