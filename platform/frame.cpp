#include "frame.h"

namespace {
const char kFrameClass[] = "ZivaRariFrame";
}

TFrameWindow::TFrameWindow(TWindow* parent, const char* title, TWindow* client,
                           bool shrinkToClient, HINSTANCE module)
    : TWindow(parent), title_(title), client_(client), shrinkToClient_(shrinkToClient),
      module_(module ? module : GetModuleHandleA(nullptr))
{
    if (client_) client_->Parent = this;
}

TFrameWindow::~TFrameWindow()
{
    if (HWindow && IsWindow(HWindow)) DestroyWindow(HWindow);
    delete client_;
}

bool TFrameWindow::Create()
{
    WNDCLASSA wc{};
    if (!GetClassInfoA(module_, kFrameClass, &wc)) {
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = module_;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kFrameClass;
        if (!RegisterClassA(&wc)) return false;
    }
    HWND parent = Parent ? Parent->HWindow : nullptr;
    // Created without WS_VISIBLE: it appears only if the application shows it.
    return CreateWindowExA(0, kFrameClass, title_, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, module_, this) != nullptr;
}

void TFrameWindow::ShrinkToClient()
{
    if (!client_ || !client_->HWindow) return;
    RECT rc{};
    GetWindowRect(client_->HWindow, &rc);
    RECT frame{0, 0, rc.right - rc.left, rc.bottom - rc.top};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(HWindow, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(HWindow, GWL_EXSTYLE)));
    SetWindowPos(HWindow, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK TFrameWindow::FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<TFrameWindow*>(cs->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->HWindow = hwnd;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    auto* self = reinterpret_cast<TFrameWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) {
        switch (msg) {
        case WM_CREATE:
            if (self->client_ && !self->client_->Create()) return -1;
            if (self->shrinkToClient_) self->ShrinkToClient();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            self->HWindow = nullptr;
            break;
        default: {
            LRESULT result = 0;
            if (self->Find(msg, wParam, lParam, result)) return result;
        }
        }
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
