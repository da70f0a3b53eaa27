// Windows as objects: the event handler with its response-table lookup and
// the window that owns a handle. The frame and the dialog build on these.
#pragma once

#include <windows.h>

// Looks up the handler for a message. A class answers the messages it
// handles and passes the rest to its base; `false` means nobody handled it.
class TEventHandler {
public:
    virtual ~TEventHandler() = default;
    virtual bool Find(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
};

class TWindow : public TEventHandler {
public:
    explicit TWindow(TWindow* parent);
    ~TWindow() override;
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND GetHandle() const { return HWindow; }
    TWindow* GetParentO() const { return Parent; }

    // Creates the window (and, through it, its children).
    virtual bool Create() = 0;

    // Called once the window handle exists, before it is first shown.
    virtual void SetupWindow() {}

    // Shows or hides the window. A window the program hid stays hidden
    // when the application would otherwise show its main window.
    bool ShowWindow(int cmdShow);
    bool HiddenByProgram() const { return hiddenByProgram_; }

    HWND HWindow = nullptr;
    TWindow* Parent;

private:
    bool hiddenByProgram_ = false;
};
