#include "window.h"

bool TEventHandler::Find(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

TWindow::TWindow(TWindow* parent) : Parent(parent) {}

TWindow::~TWindow()
{
    if (HWindow && IsWindow(HWindow)) DestroyWindow(HWindow);
}

bool TWindow::ShowWindow(int cmdShow)
{
    hiddenByProgram_ = (cmdShow == SW_HIDE);
    return HWindow && ::ShowWindow(HWindow, cmdShow);
}
