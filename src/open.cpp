// Commands 1 and 2: the user picks an existing document, which is staged
// as a new work file in the base directory; the reply names both.
#include <windows.h>

#include "exchange.h"
#include "host_text.h"
#include "names.h"
#include "path_forms.h"
#include "prompts.h"
#include "runtime.h"
#include "texts.h"
#include "workfiles.h"
#include "zivarari.h"

void TtaZivaRari::_po_SetBaseDirFname(TZivaRariDialog::TData& record, const std::wstring& name)
{
    record.SetFileName(PlaceInBaseDir(_sg_ModuleFileName, name));
}

void TtaZivaRari::CmFileOpen() { RunOpenCommand(*FileData_01, L"*.lmy"); }

void TtaZivaRari::CmOpenGed() { RunOpenCommand(*FileData_02, L"*.ged"); }

void TtaZivaRari::RunOpenCommand(TZivaRariDialog::TData& record, const wchar_t* pattern)
{
    _po_SetBaseDirFname(record, pattern);
    int result;
    {
        TFileOpenDialog dialog(this, record);
        result = dialog.Execute();
    }
    if (result == IDOK) _po_OpenFileA(record.GetFileName());
    else _pi_LongFnameGED("");
    PostQuitMessage(0);
}

void TtaZivaRari::_po_OpenFileA(const std::wstring& _sl_01)
{
    // The base directory with its backslash; the work-file name goes after it.
    std::wstring _si_iniMyActiveFname = BaseDirSlash(_sg_ModuleFileName);
    if (_si_iniMyActiveFname.empty()) {
        _pi_LongFnameGED("");
        return;
    }
    // The host learns the document's name in its own code page: as it is,
    // or in its short form. A name that reaches it in neither is not staged.
    const HostPath longPath = HostForm(_sl_01);
    if (longPath.problem != HostPathProblem::None) {
        ReportNameNotForHost(_sl_01, longPath.problem);
        _pi_LongFnameGED("");
        return;
    }
    DocumentType type = DocumentTypeOf(_sl_01);
    if (type == DocumentType::None) {
        _pi_LongFnameGED("");
        return;
    }
    const size_t _sl_04 = _si_iniMyActiveFname.size();
    const std::wstring baseDir = _si_iniMyActiveFname;
    if (!_pg_getRndFNAME(_si_iniMyActiveFname, _sl_04)) {
        ReportError(kErrCopyFailed, WorkFileFailureDetail(baseDir, SystemReason(GetLastError())));
        _pi_LongFnameGED("");
        return;
    }
    const std::wstring created = _si_iniMyActiveFname;  // the empty native-extension file
    std::wstring name = _si_iniMyActiveFname.substr(_sl_04);
    if (type == DocumentType::Gedcom) _pg_appendGED2str(name);
    AsciiUpper(name);
    std::wstring base = _si_iniMyActiveFname.substr(0, _sl_04);
    AsciiUpper(base);
    _si_iniMyActiveFname = base + name;

    CopyResult copied = _pg_FileCopy16or32(_sl_01, _si_iniMyActiveFname);
    if (!copied) {
        // An empty work file must not pass for the document. The copy left
        // the target untouched, so only the placeholder is to be removed.
        RemoveFile(created);
        ReportError(kErrCopyFailed, CopyFailureDetail(_sl_01, _si_iniMyActiveFname, DescribeCopyFailure(copied)));
        _pi_LongFnameGED("");
        return;
    }
    // The work-file name is plain ASCII; it converts in every code page.
    if (!_pi_LongFnameGED(ToHostExact(name, GetACP()).value_or(std::string()) + "|" + longPath.text)) {
        // Nobody learns the work file's name: it would only lie about.
        RemoveFile(_si_iniMyActiveFname);
        RemoveFile(created);
    }
}
