// Commands 5 and 6: a work file is copied to its document's long name after
// the user confirms, and removed once its content is safely in place.
#include <windows.h>

#include "exchange.h"
#include "names.h"
#include "prompts.h"
#include "workfiles.h"
#include "zivarari.h"

void TtaZivaRari::CmFileSave()
{
    _po_SaveFileA(true);
    PostQuitMessage(0);
}

void TtaZivaRari::_po_SaveFileA(bool _fl_01)
{
    ::ShowWindow(_vg_HWNDparent, SW_HIDE);
    std::string ini = _pg_FNAMEini();
    std::string longName = ReadExchange(ini, _si_LongFnameLMY);
    if (!longName.empty()) _po_SaveFileB(_fl_01, ini, longName);
    PostQuitMessage(0);
}

void TtaZivaRari::_po_SaveFileB(bool _fl_01, const std::string& _sl_02, const std::string& _sl_03)
{
    std::string activeName = ReadExchange(_sl_02, _si_MyActiveFname);
    if (activeName.empty()) return;
    _pg_appendLMY2str(activeName);
    // The work file is named by its full path in the base directory, so the
    // current directory plays no part in what is copied or removed.
    const std::string _sg_SaveFileB1 = PlaceInBaseDir(_sg_ModuleFileName, activeName);

    if (_fl_01 && !_pg_mssgVerifySave(_sl_03)) {
        // No: the work copy is discarded unsaved.
        DeleteFileA(_sg_SaveFileB1.c_str());
        return;
    }
    if (_pg_FileCopy16or32(_sg_SaveFileB1, _sl_03)) DeleteFileA(_sg_SaveFileB1.c_str());
    else _PG_errCODE(kErrCopyFailed);
}

void TtaZivaRari::CmFileCopy()
{
    ::ShowWindow(_vg_HWNDparent, SW_HIDE);
    std::string value = ReadExchange(_pg_FNAMEini(), _si_LongFnameGED);
    std::string workPath, longPath;
    bool keepReply = false;
    if (SplitReply(value, workPath, longPath) && _pg_mssgVerifySave(longPath)) {
        if (_pg_FileCopy16or32(workPath, longPath)) {
            DeleteFileA(workPath.c_str());
        } else {
            // The export stays where it is and the reply still names it, so
            // the copy can be tried again.
            _PG_errCODE(kErrCopyFailed);
            keepReply = true;
        }
    }
    if (!keepReply) _pi_LongFnameGED("");
    PostQuitMessage(0);
}
