// Start-up, the hidden frame and dialog, and the dispatch of the command.
#include <windows.h>

#include "command_string.h"
#include "runtime.h"
#include "zivarari.h"

namespace {
constexpr DWORD kFileDialogFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;  // 0x1004
}

int OwlMain(int argc, char* argv[])
{
    // The module path is taken whole and in UTF-16, wherever the program
    // lies; argv[0] would carry it in the ANSI code page only.
    _sg_ModuleFileName = ModulePath();
    if (argc != 2) return 0;
    _sg_argv = argv[1];
    TAppTaZivaRari app;
    return app.Run();
}

TAppTaZivaRari::TAppTaZivaRari() : TApplication("", nullptr, nullptr) {}

void TAppTaZivaRari::InitMainWindow()
{
    Dialog = new TtaZivaRari(nullptr, "BlankDlg");
    MainWindow = new TFrameWindow(nullptr, "ZivaRari TA", Dialog, true, nullptr);
}

TtaZivaRari::TtaZivaRari(TWindow* parent, const char* name)
    : TDialog(parent, name, nullptr),
      FileData_01(new TZivaRariDialog::TData(kFileDialogFlags,
                                              L"Lindmory Files (*.LMY)|*.lmy|Gedcom Files (*.GED)|*.ged|",
                                              nullptr, L"", L"LMY", 0, 0)),
      FileData_02(new TZivaRariDialog::TData(kFileDialogFlags, L"Gedcom Files (*.GED)|*.ged|", nullptr, L"",
                                              L"GED", 0, 0)),
      FileData_03(new TZivaRariDialog::TData(kFileDialogFlags, L"Lindmory Files (*.LMY)|*.lmy|", nullptr, L"",
                                              L"LMY", 0, 0))
{
}

bool TtaZivaRari::_po_testWindowsVer() { return IsSupportedVersion(GetVersion()); }

void TtaZivaRari::SetupWindow()
{
    TDialog::SetupWindow();
    static bool _vs_1stPass = true;
    if (!_vs_1stPass) {
        PostQuitMessage(0);
        return;
    }
    _vs_1stPass = false;

    _vg_HWNDparent = Parent ? Parent->HWindow : nullptr;
    if (Parent) Parent->ShowWindow(SW_HIDE);

    if (!_po_testWindowsVer()) {
        PostQuitMessage(0);
        return;
    }
    _sg_ChainToProgram = SplitCommandString(_sg_argv);
    Dispatch(ParseCommandCode(_sg_argv));
}

void TtaZivaRari::Dispatch(unsigned short code)
{
    using Handler = void (TtaZivaRari::*)();
    static const Handler kCommands[] = {
        &TtaZivaRari::CmFileOpen,  &TtaZivaRari::CmOpenGed,        &TtaZivaRari::CmSaveAsLmy,
        &TtaZivaRari::CmSaveAsGed, &TtaZivaRari::CmFileSave,       &TtaZivaRari::CmFileCopy,
        &TtaZivaRari::CmChainToProgram, &TtaZivaRari::CmGetVersionEx,
    };
    if (code == 0 || code > sizeof kCommands / sizeof kCommands[0]) {
        PostQuitMessage(0);
        return;
    }
    (this->*kCommands[code - 1])();
}

bool TtaZivaRari::Find(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_PAINT) {
        EvPaint();
        result = 0;
        return true;
    }
    return TDialog::Find(msg, wParam, lParam, result);
}

void TtaZivaRari::EvPaint()
{
    { TPaintDC dc(HWindow); }
    static bool _vs_1stPass = true;
    if (_vs_1stPass) {
        _vs_1stPass = false;
        ::ShowWindow(_vg_HWNDparent, SW_HIDE);
    }
}
