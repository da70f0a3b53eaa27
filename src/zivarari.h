// ZivaRari: the application, its hidden dialog and the command handlers.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "application.h"
#include "dialog.h"
#include "file_dialog.h"
#include "frame.h"
#include "globals.h"

class TtaZivaRari;

// How a native copy-back ended.
enum class SaveOutcome {
    Nothing,    // nothing to save: no long name or no work file named
    Saved,      // the work file is at the long name and removed
    Discarded,  // the user answered No; the work copy is removed
    Failed,     // nothing was saved; a box said why
};

class TAppTaZivaRari : public TApplication {
public:
    TAppTaZivaRari();
    ~TAppTaZivaRari() override = default;

protected:
    bool IdleAction(long idleCount) override;
    void InitMainWindow() override;

private:
    TtaZivaRari* Dialog = nullptr;
};

class TtaZivaRari : public TDialog {
public:
    TtaZivaRari(TWindow* parent, const char* name);
    ~TtaZivaRari() override = default;

    std::unique_ptr<TZivaRariDialog::TData> FileData_01;  // Open: native and GEDCOM
    std::unique_ptr<TZivaRariDialog::TData> FileData_02;  // Open and Save As: GEDCOM
    std::unique_ptr<TZivaRariDialog::TData> FileData_03;  // Save As: native

    // One idle tick of the deferred launch. Returns true when the next tick
    // should follow at once, false when the message loop may sleep until the
    // poll timer wakes it.
    bool _po_IdleActDialog();

protected:
    void SetupWindow() override;
    bool Find(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void EvPaint();

    void CmFileOpen();        // 1
    void CmOpenGed();         // 2
    void CmSaveAsLmy();       // 3
    void CmSaveAsGed();       // 4
    void CmFileSave();        // 5
    void CmFileCopy();        // 6
    void CmChainToProgram();  // 7
    void CmGetVersionEx();    // 8

    void _po_OpenFileA(const std::wstring& _sl_01);
    SaveOutcome _po_SaveFileA(bool _fl_01);
    SaveOutcome _po_SaveFileB(bool _fl_01, const std::wstring& _sl_02, const std::wstring& _sl_03);
    void _po_SetBaseDirFname(TZivaRariDialog::TData& record, const std::wstring& name);
    bool _po_testWindowsVer();

private:
    void RunOpenCommand(TZivaRariDialog::TData& record, const wchar_t* pattern);
    void Dispatch(unsigned short code);
    // Command 6 copies and removes only a GEDCOM work file of the base
    // directory; otherwise error 0x46 says why (or the exchange file stayed
    // busy) and the reply is to be kept.
    bool ExportWorkFileAllowed(const std::wstring& ini, const std::wstring& workPath, const std::wstring& longPath,
                               bool& keepReply);

    // Deferred launch (command 7).
    bool _fg_ChainToProgram = false;
    unsigned short _vo_IdleActDialog = 767;
    UINT_PTR pollTimer_ = 0;
};

int OwlMain(int argc, char* argv[]);
