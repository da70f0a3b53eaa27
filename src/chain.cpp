// Command 7: once the window titled with the command parameter has gone,
// start the parameter as a command line, maximised, and quit.
#include <windows.h>

#include "zivarari.h"

namespace {
// After the countdown the search runs on a timer, so the process sleeps
// between searches instead of spinning.
constexpr UINT kPollMs = 15;
}  // namespace

bool TAppTaZivaRari::IdleAction(long)
{
    return Dialog ? Dialog->_po_IdleActDialog() : true;
}

void TtaZivaRari::CmChainToProgram()
{
    // Without a title the search would match any window, and the launch
    // would never come: there is nothing to start, so quit at once.
    if (!_sg_ChainToProgram || !*_sg_ChainToProgram) {
        PostQuitMessage(0);
        return;
    }
    _fg_ChainToProgram = true;
}

bool TtaZivaRari::_po_IdleActDialog()
{
    if (!_fg_ChainToProgram) return true;
    if (_vo_IdleActDialog != 0) {
        --_vo_IdleActDialog;
        return true;
    }
    if (FindWindowA(nullptr, _sg_ChainToProgram)) {
        if (!pollTimer_) pollTimer_ = SetTimer(nullptr, 0, kPollMs, nullptr);
        // Without a timer the loop must not sleep, or it might never wake.
        return pollTimer_ == 0;
    }
    _fg_ChainToProgram = false;
    if (pollTimer_) {
        KillTimer(nullptr, pollTimer_);
        pollTimer_ = 0;
    }
    WinExec(_sg_ChainToProgram, SW_SHOWMAXIMIZED);
    PostQuitMessage(0);
    return true;
}
