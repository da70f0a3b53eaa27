// A top-level frame window around one client window.
#pragma once

#include "window.h"

class TFrameWindow : public TWindow {
public:
    TFrameWindow(TWindow* parent, const char* title, TWindow* client,
                 bool shrinkToClient = false, HINSTANCE module = nullptr);
    ~TFrameWindow() override;

    // Creates the frame, hidden; its creation creates the client.
    bool Create() override;
    TWindow* GetClientWindow() const { return client_; }

private:
    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void ShrinkToClient();

    const char* title_;
    TWindow* client_;
    bool shrinkToClient_;
    HINSTANCE module_;
};
