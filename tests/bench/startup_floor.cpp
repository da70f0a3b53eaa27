// The floor of a windowed program's start-up: a minimal Win32 program that
// creates one hidden top-level window and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    HWND window = CreateWindowExA(0, "STATIC", "floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (window) DestroyWindow(window);
    return window ? 0 : 1;
}
