// The texts of the program's two message boxes, in UTF-16.
#pragma once

#include <string>

extern const wchar_t _sg_mssgVerifySave_03[];  // "Verify save?"
extern const wchar_t _sg_mssgBoxVersion[];     // caption of the confirmation
extern const wchar_t kErrorCaption[];          // caption of the error box

// "Verify save?", a blank line, then the path broken after every 64th
// character (a character outside the basic plane, two UTF-16 units, counts
// once and is never split); a path of any length is shown whole.
std::wstring VerifySaveText(const std::wstring& path);

// "Error, #0045 in ZIVARARI": four upper-case hexadecimal digits.
std::wstring ErrorText(unsigned short code);

// The error line, a blank line and what went wrong.
std::wstring ErrorReportText(unsigned short code, const std::wstring& detail);

// What went wrong, for the error box: which file could not go where, then
// why (the system's message or one of the reasons below).
std::wstring CopyFailureDetail(const std::wstring& source, const std::wstring& target, const std::wstring& reason);
std::wstring WorkFileFailureDetail(const std::wstring& baseDir, const std::wstring& reason);
std::wstring ExchangeReadFailureDetail(const std::wstring& iniPath, const std::wstring& reason);
std::wstring ExchangeBusyDetail(const std::wstring& iniPath);
std::wstring RemovalFailureDetail(const std::wstring& path, const std::wstring& reason);
// A name that cannot reach the host, and what the user can do.
std::wstring UnrepresentableNameDetail(const std::wstring& path);
std::wstring TooLongForHostDetail(const std::wstring& path);

// Reasons that no system error code carries.
extern const wchar_t kReasonSameFile[];
extern const wchar_t kReasonNotAWorkFile[];
extern const wchar_t kReasonIsTheDocument[];
extern const wchar_t kReasonIsAFolder[];
