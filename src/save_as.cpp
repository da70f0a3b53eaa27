// Commands 3 and 4: the user chooses a long name in the Save As dialog.
// The native document is saved there at once; a GEDCOM export receives a
// work path for the host to write.
#include <windows.h>

#include "exchange.h"
#include "names.h"
#include "prompts.h"
#include "texts.h"
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
    std::string stored;
    if (!ReadExchange(ini, _si_LongFnameLMY, stored)) {
        PostQuitMessage(0);
        return;
    }
    if (IsUsableName(stored)) FileData_03->SetFileName(stored);
    else _po_SetBaseDirFname(*FileData_03, kDefaultNative);

    // The copy that follows writes over an existing file without another
    // question, so the dialog asks before replacing one.
    FileData_03->Flags |= OFN_OVERWRITEPROMPT;
    if (ShowSaveAs(this, *FileData_03) == IDOK) {
        std::string chosen = FileData_03->GetFileName();
        if (!IsRepresentablePath(chosen)) {
            ReportError(kErrCopyFailed, UnrepresentableNameDetail(chosen));
        } else {
            ExchangeWrite written = WriteExchange(ini, _si_LongFnameLMY, chosen);
            if (written == ExchangeWrite::Failed) _PG_errCODE(kErrLongNameWrite);
            // The stored name must not point at a file that does not hold
            // the document: after a failed copy it gets back what it had.
            else if (written == ExchangeWrite::Done && _po_SaveFileA(false) == SaveOutcome::Failed &&
                     WriteExchange(ini, _si_LongFnameLMY, stored) == ExchangeWrite::Failed)
                _PG_errCODE(kErrLongNameWrite);
        }
    }
    PostQuitMessage(0);
}

void TtaZivaRari::CmSaveAsGed()
{
    std::string stored;
    if (!ReadExchange(_pg_FNAMEini(), _si_LongFnameLMY, stored)) {
        PostQuitMessage(0);
        return;
    }
    if (IsUsableName(stored)) {
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
        const std::string baseDir = _sg_ZivaRari_01;
        if (!IsRepresentablePath(chosen)) {
            ReportError(kErrCopyFailed, UnrepresentableNameDetail(chosen));
        } else if (!_sg_ZivaRari_01.empty()) {
            if (_pg_getRndFNAME(_sg_ZivaRari_01, _sg_ZivaRari_01.size())) {
                // Only the name is reserved; the host creates the file by
                // writing the export to it.
                DeleteFileA(_sg_ZivaRari_01.c_str());
                _pg_appendGED2str(_sg_ZivaRari_01);
                reply = _sg_ZivaRari_01 + "|" + chosen;
            } else {
                ReportError(kErrCopyFailed, WorkFileFailureDetail(baseDir, SystemReason(GetLastError())));
            }
        }
    }
    _pi_LongFnameGED(reply);
    PostQuitMessage(0);
}
