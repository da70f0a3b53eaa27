// Pictures of windows as they are on screen, for looking at after a run.
#include "harness.h"
#include "png.h"

namespace e2e {
namespace {

// The pixels of the screen rectangle `r` as RGB rows, top to bottom.
bool GrabScreen(const RECT& r, std::vector<unsigned char>& rgb)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = memory ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    bool ok = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY | CAPTUREBLT) != 0;
        GdiFlush();
        if (ok) {
            const unsigned char* bgrx = static_cast<const unsigned char*>(bits);
            std::size_t pixels = static_cast<std::size_t>(w) * h;
            rgb.resize(pixels * 3);
            for (std::size_t i = 0; i < pixels; ++i) {
                rgb[i * 3 + 0] = bgrx[i * 4 + 2];
                rgb[i * 3 + 1] = bgrx[i * 4 + 1];
                rgb[i * 3 + 2] = bgrx[i * 4 + 0];
            }
        }
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

const DWORD kPaintWaitMs = 1000;

BOOL CALLBACK FindUnpainted(HWND w, LPARAM param)
{
    if (IsWindowVisible(w) && GetUpdateRect(w, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(param) = true;
        return FALSE;
    }
    return TRUE;
}

// Gives the window's thread time to paint what it has pending (a window
// that has just appeared, a control whose text has just been set), so the
// picture shows what a user would see.
void WaitPainted(HWND w)
{
    DWORD start = GetTickCount();
    for (;;) {
        bool pending = GetUpdateRect(w, nullptr, FALSE) != 0;
        if (!pending) EnumChildWindows(w, FindUnpainted, reinterpret_cast<LPARAM>(&pending));
        if (!pending || GetTickCount() - start >= kPaintWaitMs) break;
        Sleep(10);
    }
    GdiFlush();
}

}  // namespace

std::string Screenshot(HWND w, const std::string& name)
{
    try {
        RECT r;
        if (!IsWindow(w)) return "";
        WaitPainted(w);
        if (!GetWindowRect(w, &r)) return "";
        if (r.right <= r.left || r.bottom <= r.top) return "";
        std::vector<unsigned char> rgb;
        if (!GrabScreen(r, rgb)) return "";
        std::string path = ScreenshotDir() + "\\" + SafeName(name) + ".png";
        return WritePng(path, r.right - r.left, r.bottom - r.top, rgb) ? path : "";
    } catch (...) {
        return "";
    }
}

}  // namespace e2e
