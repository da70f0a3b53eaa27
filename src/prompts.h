// The confirmation box and the numbered error box.
#pragma once

#include <windows.h>

#include <string>

#include "host_text.h"

// Error numbers shown as "Error, #%04X in ZIVARARI".
enum : unsigned short {
    kErrLongNameWrite = 0x43,  // the chosen native long name could not be stored
    kErrNoBackslash = 0x44,    // the stored native long name has no directory
    kErrReplyWrite = 0x45,     // the reply value could not be written
    kErrCopyFailed = 0x46,     // a document could not be copied
    kErrExchangeRead = 0x47,   // the exchange file could not be read, or stayed busy
};

// "Verify save?" with the path; true only for Yes.
bool _pg_mssgVerifySave(const std::wstring& path);

// Shows the error box; the caller goes on when it is closed.
void _PG_errCODE(unsigned short code);

// The error box with the number, a blank line and `detail` below it.
void ReportError(unsigned short code, const std::wstring& detail);

// The system's own message for an error code, on one line.
std::wstring SystemReason(DWORD error);

// Error 0x46 for a chosen name that cannot reach the host as it is, nor in
// its short form: which file, why, and what the user can do.
void ReportNameNotForHost(const std::wstring& path, HostPathProblem problem);
