// Commands 5 and 6: a work file is copied to its document's long name after
// the user confirms, and removed once its content is safely in place.
#include <windows.h>

#include "exchange.h"
#include "names.h"
#include "path_forms.h"
#include "prompts.h"
#include "texts.h"
#include "workfiles.h"
#include "zivarari.h"

void TtaZivaRari::CmFileSave()
{
    _po_SaveFileA(true);
    PostQuitMessage(0);
}

SaveOutcome TtaZivaRari::_po_SaveFileA(bool _fl_01)
{
    ::ShowWindow(_vg_HWNDparent, SW_HIDE);
    std::wstring ini = _pg_FNAMEini();
    SaveOutcome outcome = SaveOutcome::Failed;
    std::wstring longName;
    if (CheckExchangeReadable(ini) && ReadExchange(ini, _si_LongFnameLMY, longName)) {
        // A value longer than any path names nothing.
        outcome = IsUsableName(longName) ? _po_SaveFileB(_fl_01, ini, longName) : SaveOutcome::Nothing;
    }
    PostQuitMessage(0);
    return outcome;
}

SaveOutcome TtaZivaRari::_po_SaveFileB(bool _fl_01, const std::wstring& _sl_02, const std::wstring& _sl_03)
{
    std::wstring activeName;
    if (!ReadExchange(_sl_02, _si_MyActiveFname, activeName)) return SaveOutcome::Failed;
    if (activeName.empty()) return SaveOutcome::Nothing;
    // Only a plain name of a file in the base directory is a work file;
    // anything else could make the copy or the removal reach other files.
    const std::wstring asStored = activeName;
    _pg_appendLMY2str(activeName);
    const std::wstring _sg_SaveFileB1 = WorkPathInBaseDir(activeName);
    if (!IsBareFileName(asStored) || _sg_SaveFileB1.empty() || !IsInBaseDir(_sg_SaveFileB1)) {
        ReportError(kErrCopyFailed, CopyFailureDetail(asStored, _sl_03, kReasonNotAWorkFile));
        return SaveOutcome::Failed;
    }
    // The work file named by its full path: the current directory plays no
    // part in what is copied or removed.
    const bool sameFile = IsSameFile(_sg_SaveFileB1, _sl_03);

    // The user sees the document's real name, even where the host stored
    // its short form.
    if (_fl_01 && !_pg_mssgVerifySave(DisplayName(_sl_03))) {
        // No: the work copy is discarded unsaved, unless it is the document.
        if (sameFile) return SaveOutcome::Nothing;
        if (!RemoveFile(_sg_SaveFileB1) && GetLastError() != ERROR_FILE_NOT_FOUND) {
            ReportError(kErrCopyFailed, RemovalFailureDetail(_sg_SaveFileB1, SystemReason(GetLastError())));
            return SaveOutcome::Failed;
        }
        return SaveOutcome::Discarded;
    }
    CopyResult copied = _pg_FileCopy16or32(_sg_SaveFileB1, _sl_03);
    if (!copied) {
        ReportError(kErrCopyFailed, CopyFailureDetail(_sg_SaveFileB1, _sl_03, DescribeCopyFailure(copied)));
        return SaveOutcome::Failed;
    }
    RemoveFile(_sg_SaveFileB1);
    return SaveOutcome::Saved;
}

void TtaZivaRari::CmFileCopy()
{
    ::ShowWindow(_vg_HWNDparent, SW_HIDE);
    const std::wstring ini = _pg_FNAMEini();
    std::wstring value;
    if (!CheckExchangeReadable(ini) || !ReadExchange(ini, _si_LongFnameGED, value)) {
        PostQuitMessage(0);
        return;
    }
    std::wstring workPath, longPath;
    bool keepReply = false;
    if (SplitReply(value, workPath, longPath)) {
        if (workPath.size() > kLongestPath || longPath.size() > kLongestPath) {
            // Longer than any path: no names at all. The value stays for the
            // host to see.
            keepReply = true;
        } else if (!ExportWorkFileAllowed(ini, workPath, longPath, keepReply)) {
            // Explained, or the exchange file stayed busy.
        } else if (_pg_mssgVerifySave(DisplayName(longPath))) {
            CopyResult copied = _pg_FileCopy16or32(workPath, longPath);
            if (copied) {
                // The export is at its name. The reply goes first: should it
                // fail, it still names a work file that is there.
                if (_pi_LongFnameGED("")) RemoveFile(workPath);
                PostQuitMessage(0);
                return;
            } else {
                // The export stays where it is and the reply still names it,
                // so the copy can be tried again.
                ReportError(kErrCopyFailed, CopyFailureDetail(workPath, longPath, DescribeCopyFailure(copied)));
                keepReply = true;
            }
        }
    }
    if (!keepReply) _pi_LongFnameGED("");
    PostQuitMessage(0);
}

bool TtaZivaRari::ExportWorkFileAllowed(const std::wstring& ini, const std::wstring& workPath,
                                        const std::wstring& longPath, bool& keepReply)
{
    // The export's work file is a GEDCOM file of the base directory, never
    // the native document: the copy overwrites the long name with it and
    // then removes it.
    std::wstring name = NameOf(workPath);
    if (!IsBareFileName(name) || !HasGedcomExtension(name) || !IsInBaseDir(workPath)) {
        ReportError(kErrCopyFailed, CopyFailureDetail(workPath, longPath, kReasonNotAWorkFile));
        keepReply = true;
        return false;
    }
    std::wstring nativeDocument;
    if (!ReadExchange(ini, _si_LongFnameLMY, nativeDocument)) {
        keepReply = true;
        return false;
    }
    if (IsUsableName(nativeDocument) && IsSameFile(workPath, nativeDocument)) {
        ReportError(kErrCopyFailed, CopyFailureDetail(workPath, longPath, kReasonIsTheDocument));
        keepReply = true;
        return false;
    }
    return true;
}
