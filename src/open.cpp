// Commands 1 and 2: the user picks an existing document, which is staged
// as a new work file in the base directory; the reply names both.
#include <windows.h>

#include "exchange.h"
#include "names.h"
#include "prompts.h"
#include "runtime.h"
#include "texts.h"
#include "workfiles.h"
#include "zivarari.h"

void TtaZivaRari::_po_SetBaseDirFname(TZivaRariDialog::TData& record, const std::string& name)
{
    record.SetFileName(PlaceInBaseDir(_sg_ModuleFileName, name));
}

void TtaZivaRari::CmFileOpen() { RunOpenCommand(*FileData_01, "*.lmy"); }

void TtaZivaRari::CmOpenGed() { RunOpenCommand(*FileData_02, "*.ged"); }

void TtaZivaRari::RunOpenCommand(TZivaRariDialog::TData& record, const char* pattern)
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

void TtaZivaRari::_po_OpenFileA(const std::string& _sl_01)
{
    // The base directory with its backslash; the work-file name goes after it.
    std::string _si_iniMyActiveFname = BaseDirSlash(_sg_ModuleFileName);
    if (_si_iniMyActiveFname.empty()) {
        _pi_LongFnameGED("");
        return;
    }
    // A name the ANSI code page cannot hold comes back with '?' in it and
    // names no file: nothing is staged.
    if (!IsRepresentablePath(_sl_01)) {
        ReportError(kErrCopyFailed, UnrepresentableNameDetail(_sl_01));
        _pi_LongFnameGED("");
        return;
    }
    DocumentType type = DocumentTypeOf(_sl_01);
    if (type == DocumentType::None) {
        _pi_LongFnameGED("");
        return;
    }
    const size_t _sl_04 = _si_iniMyActiveFname.size();
    const std::string baseDir = _si_iniMyActiveFname;
    if (!_pg_getRndFNAME(_si_iniMyActiveFname, _sl_04)) {
        ReportError(kErrCopyFailed, WorkFileFailureDetail(baseDir, SystemReason(GetLastError())));
        _pi_LongFnameGED("");
        return;
    }
    const std::string created = _si_iniMyActiveFname;  // the empty native-extension file
    std::string name = _si_iniMyActiveFname.substr(_sl_04);
    if (type == DocumentType::Gedcom) _pg_appendGED2str(name);
    AsciiUpper(name);
    std::string base = _si_iniMyActiveFname.substr(0, _sl_04);
    AsciiUpper(base);
    _si_iniMyActiveFname = base + name;

    CopyResult copied = _pg_FileCopy16or32(_sl_01, _si_iniMyActiveFname);
    if (!copied) {
        // An empty work file must not pass for the document. The copy left
        // the target untouched, so only the placeholder is to be removed.
        DeleteFileA(created.c_str());
        ReportError(kErrCopyFailed, CopyFailureDetail(_sl_01, _si_iniMyActiveFname, DescribeCopyFailure(copied)));
        _pi_LongFnameGED("");
        return;
    }
    if (!_pi_LongFnameGED(name + "|" + _sl_01)) {
        // Nobody learns the work file's name: it would only lie about.
        DeleteFileA(_si_iniMyActiveFname.c_str());
        DeleteFileA(created.c_str());
    }
}
