// The application object: creates the main window and runs the message
// loop with an idle hook.
#pragma once

#include <windows.h>

class TFrameWindow;

class TApplication {
public:
    explicit TApplication(const char* name = "", HINSTANCE module = nullptr, void* dictionary = nullptr);
    virtual ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Creates the main window, shows it (unless the program hid it while it
    // was being created) and runs the message loop until the quit message
    // arrives; returns the quit message's code.
    int Run();

    // Owned by the application from the moment it is assigned.
    TFrameWindow* MainWindow = nullptr;

protected:
    // Must create the main window object and assign MainWindow.
    virtual void InitMainWindow() = 0;

    // Called once on every pass of the message loop, before the pass fetches
    // the waiting messages. Returning false lets the loop sleep until the
    // next message (a timer message included) arrives.
    virtual bool IdleAction(long idleCount);

private:
    int MessageLoop();
    const char* name_;
    HINSTANCE module_;
};
