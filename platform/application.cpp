#include "application.h"

#include "frame.h"

TApplication::TApplication(const char* name, HINSTANCE module, void*)
    : name_(name), module_(module ? module : GetModuleHandleA(nullptr))
{
}

TApplication::~TApplication() { delete MainWindow; }

bool TApplication::IdleAction(long) { return false; }

int TApplication::Run()
{
    InitMainWindow();
    if (!MainWindow || !MainWindow->Create()) {
        // Without a main window there is nothing to run; a pending quit
        // message still decides the result.
        MSG msg;
        if (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return static_cast<int>(msg.wParam);
        return 1;
    }
    if (!MainWindow->HiddenByProgram()) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        GetStartupInfoA(&si);
        int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT;
        ::ShowWindow(MainWindow->HWindow, show);
    }
    return MessageLoop();
}

int TApplication::MessageLoop()
{
    long idleCount = 0;
    for (;;) {
        if (!IdleAction(idleCount++)) WaitMessage();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}
