// Commands 3 and 4: the user chooses a long name in the Save As dialog.
// The native document is saved there at once; a GEDCOM export receives a
// work path for the host to write.
#include <windows.h>

#include <optional>
#include <utility>

#include "exchange.h"
#include "host_text.h"
#include "names.h"
#include "path_forms.h"
#include "prompts.h"
#include "texts.h"
#include "workfiles.h"
#include "zivarari.h"

namespace {
const wchar_t kDefaultNative[] = L"My Family's Genealogy.lmy";
const wchar_t kDefaultGedcom[] = L"My Family's Genealogy.GED";

// Shows the Save As dialog until the user cancels or chooses a name that
// can reach the host (as it is, or as its folder's short form and its own
// name). A name that cannot is explained, and the dialog comes back with
// it so that the user can choose another. Nothing when cancelled.
std::optional<std::pair<std::wstring, HostPath>> ChooseNameForHost(TWindow* owner, TZivaRariDialog::TData& record)
{
    for (;;) {
        int result;
        {
            TFileSaveDialog dialog(owner, record);
            result = dialog.Execute();
        }
        if (result != IDOK) return std::nullopt;
        std::wstring chosen = record.GetFileName();
        HostPath host = HostForm(chosen);
        if (host.problem == HostPathProblem::None) return std::make_pair(chosen, host);
        ReportNameNotForHost(chosen, host.problem);
        record.SetFileName(chosen);
    }
}
}  // namespace

void TtaZivaRari::CmSaveAsLmy()
{
    std::wstring ini = _pg_FNAMEini();
    std::wstring stored;
    if (!ReadExchange(ini, _si_LongFnameLMY, stored)) {
        PostQuitMessage(0);
        return;
    }
    // A short form that the host stored is shown by its real name.
    if (IsUsableName(stored)) FileData_03->SetFileName(DisplayName(stored));
    else _po_SetBaseDirFname(*FileData_03, kDefaultNative);

    // The copy that follows writes over an existing file without another
    // question, so the dialog asks before replacing one.
    FileData_03->Flags |= OFN_OVERWRITEPROMPT;
    if (auto chosen = ChooseNameForHost(this, *FileData_03)) {
        ExchangeWrite written = WriteExchange(ini, _si_LongFnameLMY, chosen->second.text);
        if (written == ExchangeWrite::Failed) {
            _PG_errCODE(kErrLongNameWrite);
        } else if (written == ExchangeWrite::Done && _po_SaveFileA(false) == SaveOutcome::Failed) {
            // The stored name must not point at a file that does not hold
            // the document: after a failed copy it gets back what it had.
            const std::string earlier = ToHostExact(stored, GetACP()).value_or(std::string());
            if (WriteExchange(ini, _si_LongFnameLMY, earlier) == ExchangeWrite::Failed)
                _PG_errCODE(kErrLongNameWrite);
        }
    }
    PostQuitMessage(0);
}

void TtaZivaRari::CmSaveAsGed()
{
    std::wstring stored;
    if (!ReadExchange(_pg_FNAMEini(), _si_LongFnameLMY, stored)) {
        PostQuitMessage(0);
        return;
    }
    if (IsUsableName(stored)) {
        size_t slash = stored.rfind(L'\\');
        if (slash == std::wstring::npos) _PG_errCODE(kErrNoBackslash);
        // The native document's real name, even where the host stored its
        // short form; without a backslash the whole value is the name.
        std::wstring _sl_02 = slash == std::wstring::npos ? stored : NameOf(DisplayName(stored));
        _pg_appendGED2str(_sl_02);
        _po_SetBaseDirFname(*FileData_02, _sl_02);
    } else {
        _po_SetBaseDirFname(*FileData_02, kDefaultGedcom);
    }

    std::string reply;
    if (auto chosen = ChooseNameForHost(this, *FileData_02)) {
        // The base directory with its backslash; the work name goes after it.
        std::wstring _sg_ZivaRari_01 = BaseDirSlash(_sg_ModuleFileName);
        const std::wstring baseDir = _sg_ZivaRari_01;
        if (!_sg_ZivaRari_01.empty()) {
            if (_pg_getRndFNAME(_sg_ZivaRari_01, _sg_ZivaRari_01.size())) {
                // Only the name is reserved; the host creates the file by
                // writing the export to it.
                RemoveFile(_sg_ZivaRari_01);
                _pg_appendGED2str(_sg_ZivaRari_01);
                // The host must reach the work path too: the base directory
                // goes in its short form where it needs one.
                HostPath work = HostForm(_sg_ZivaRari_01);
                if (work.problem == HostPathProblem::None) reply = work.text + "|" + chosen->second.text;
                else ReportNameNotForHost(baseDir, work.problem);
            } else {
                ReportError(kErrCopyFailed, WorkFileFailureDetail(baseDir, SystemReason(GetLastError())));
            }
        }
    }
    _pi_LongFnameGED(reply);
    PostQuitMessage(0);
}
