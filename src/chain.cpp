// Command 7: once the window titled with the command parameter has gone,
// start the parameter as a command line, maximised, and quit.
#include <windows.h>

#include "launch_line.h"
#include "zivarari.h"

namespace {
// After the countdown the search runs on a timer, so the process sleeps
// between searches instead of spinning.
constexpr UINT kPollMs = 15;

// A top-level window titled `title` that belongs to another process. The
// program's own hidden windows must not keep it waiting.
bool OtherWindowTitled(const char* title)
{
    const DWORD self = GetCurrentProcessId();
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, nullptr, title)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != self) return true;
    }
    return false;
}

bool IsFile(const std::string& path)
{
    DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}
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
    if (OtherWindowTitled(_sg_ChainToProgram)) {
        if (!pollTimer_) pollTimer_ = SetTimer(nullptr, 0, kPollMs, nullptr);
        // Without a timer the loop must not sleep, or it might never wake.
        return pollTimer_ == 0;
    }
    _fg_ChainToProgram = false;
    if (pollTimer_) {
        KillTimer(nullptr, pollTimer_);
        pollTimer_ = 0;
    }
    // The window was searched by the parameter as it is; the program it
    // names is started by its whole path, never by a shorter prefix.
    std::string commandLine = QuoteProgramPrefix(_sg_ChainToProgram, IsFile);
    WinExec(commandLine.c_str(), SW_SHOWMAXIMIZED);
    PostQuitMessage(0);
    return true;
}
