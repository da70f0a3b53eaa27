// Commands 3 and 4: the user chooses a long name in the Save As dialog.
// The native document is saved there at once; a GEDCOM export receives a
// work path for the host to write.
#include <windows.h>

#include "exchange.h"
#include "names.h"
#include "prompts.h"
#include "workfiles.h"
#include "zivarari.h"

namespace {
const char kDefaultNative[] = "My Family's Genealogy.lmy";
const char kDefaultGedcom[] = "My Family's Genealogy.GED";

int ShowSaveAs(TWindow* owner, TZivaRariDialog::TData& record)
{
    TFileSaveDialog dialog(owner, record);
    return dialog.Execute();
}
}  // namespace

void TtaZivaRari::CmSaveAsLmy()
{
    std::string ini = _pg_FNAMEini();
    std::string stored = ReadExchange(ini, _si_LongFnameLMY);
    if (!stored.empty()) FileData_03->SetFileName(stored);
    else _po_SetBaseDirFname(*FileData_03, kDefaultNative);

    // The copy that follows writes over an existing file without another
    // question, so the dialog asks before replacing one.
    FileData_03->Flags |= OFN_OVERWRITEPROMPT;
    if (ShowSaveAs(this, *FileData_03) == IDOK) {
        std::string chosen = FileData_03->GetFileName();
        if (!IsRepresentablePath(chosen)) _PG_errCODE(kErrCopyFailed);
        else if (!WriteExchange(ini, _si_LongFnameLMY, chosen)) _PG_errCODE(kErrLongNameWrite);
        else _po_SaveFileA(false);
    }
    PostQuitMessage(0);
}

void TtaZivaRari::CmSaveAsGed()
{
    std::string stored = ReadExchange(_pg_FNAMEini(), _si_LongFnameLMY);
    if (!stored.empty()) {
        size_t slash = stored.rfind('\\');
        if (slash == std::string::npos) _PG_errCODE(kErrNoBackslash);
        // Without a backslash the whole value is the file-name part.
        std::string _sl_02 = slash == std::string::npos ? stored : stored.substr(slash + 1);
        _pg_appendGED2str(_sl_02);
        _po_SetBaseDirFname(*FileData_02, _sl_02);
    } else {
        _po_SetBaseDirFname(*FileData_02, kDefaultGedcom);
    }

    std::string reply;
    if (ShowSaveAs(this, *FileData_02) == IDOK) {
        std::string chosen = FileData_02->GetFileName();
        // The base directory with its backslash; the work name goes after it.
        std::string _sg_ZivaRari_01 = BaseDirSlash(_sg_ModuleFileName);
        if (!IsRepresentablePath(chosen)) {
            _PG_errCODE(kErrCopyFailed);
        } else if (!_sg_ZivaRari_01.empty() && _pg_getRndFNAME(_sg_ZivaRari_01, _sg_ZivaRari_01.size())) {
            // Only the name is reserved; the host creates the file by
            // writing the export to it.
            DeleteFileA(_sg_ZivaRari_01.c_str());
            _pg_appendGED2str(_sg_ZivaRari_01);
            reply = _sg_ZivaRari_01 + "|" + chosen;
        }
    }
    _pi_LongFnameGED(reply);
    PostQuitMessage(0);
}
