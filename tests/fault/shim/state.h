// The shims' shared state: the plan that a test hands over in the file
// named by ZIVARARI_FAULT_PLAN, the count of calls, the log written to the
// file named by ZIVARARI_FAULT_LOG, the files behind open handles and the
// fixed clock. Without ZIVARARI_FAULT_PLAN every shim passes its call
// through untouched and nothing is logged.
//
// Plan file, one directive a line (UTF-8; blank lines and "#" ignored):
//   fail K CODE       fail the K-th counted call (1-based) with error CODE
//   dialog PATH       the next Open / Save As dialog returns PATH
//   dialog cancel     the next Open / Save As dialog is cancelled
//   answer yes|no|ok|cancel
//                     the next message box with more than one button gets
//                     this answer; boxes with only OK are answered OK
//   clock HH:MM:SS.mmm  the fixed clock's first reading (default
//                     13:45:30.000); every reading advances it by 10 ms
//
// Log, one event a line, fields separated by tabs:
//   FUNCTION  OCCURRENCE  PATH  [-> PATH2]  [DETAIL]  RESULT
//       one counted call; OCCURRENCE is its number among the calls of that
//       function; RESULT is "ok", "error N" (the system's own failure) or
//       "FAILED N" (the failure the plan asked for)
//   box  CAPTION  TEXT  BUTTONS  ANSWER      (newlines in TEXT as "\n")
//   dialog  KIND  ANSWER                     (KIND is "Open" or "Save As")
#pragma once

#include <windows.h>

#include <string>

namespace faultshim {

// True when a plan is in force (the environment names one).
bool Active();

// One counted call. Returns true when the plan fails this very call; the
// caller then returns its API's failure value after SetLastError(Code()).
// Nothing is logged yet: Log() follows with the outcome.
struct Call {
    const char* function = "";
    unsigned long number = 0;      // position among all counted calls
    unsigned long occurrence = 0;  // position among the calls of `function`
    bool fail = false;
    DWORD code = 0;
};
Call Count(const char* function);

// Logs a counted call with its outcome. `ok` is the result as the caller
// saw it; on failure the last error is read (and kept as it was).
void Log(const Call& call, const std::string& path, bool ok, const std::string& path2 = "",
         const std::string& detail = "");

// Text forms for the log (UTF-8).
std::string Utf8(const wchar_t* text);
std::string Utf8(const char* ansiText);
std::wstring Wide(const std::string& utf8);

// Files behind handles that the shims opened, for the log.
void Remember(HANDLE h, const std::string& path);
void Forget(HANDLE h);
std::string PathOf(HANDLE h);

// Scripted user. NextDialog: true with the UTF-8 path to return, or false
// to cancel. NextAnswer: the answer to a question box, 0 when the plan has
// none left.
bool NextDialog(std::string& path);
int NextAnswer();
void LogLine(const std::string& line);

// The fixed clock: each reading is 10 ms after the one before.
SYSTEMTIME NextTime();

}  // namespace faultshim
