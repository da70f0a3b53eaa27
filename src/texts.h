// The texts of the program's two message boxes.
#pragma once

#include <string>

extern const char _sg_mssgVerifySave_03[];  // "Verify save?"
extern const char _sg_mssgBoxVersion[];     // caption of the confirmation
extern const char kErrorCaption[];          // caption of the error box

// "Verify save?", a blank line, then the path broken after every 64th
// character; a path of any length is shown whole.
std::string VerifySaveText(const std::string& path);

// "Error, #0045 in ZIVARARI": four upper-case hexadecimal digits.
std::string ErrorText(unsigned short code);

// The error line, a blank line and what went wrong.
std::string ErrorReportText(unsigned short code, const std::string& detail);

// What went wrong, for the error box: which file could not go where, then
// why (the system's message or one of the reasons below).
std::string CopyFailureDetail(const std::string& source, const std::string& target, const std::string& reason);
std::string WorkFileFailureDetail(const std::string& baseDir, const std::string& reason);
std::string ExchangeReadFailureDetail(const std::string& iniPath, const std::string& reason);
std::string ExchangeBusyDetail(const std::string& iniPath);
std::string RemovalFailureDetail(const std::string& path, const std::string& reason);
// A chosen name that cannot reach the host, and what the user can do.
std::string UnrepresentableNameDetail(const std::string& path);

// Reasons that no system error code carries.
extern const char kReasonSameFile[];
extern const char kReasonNotAWorkFile[];
extern const char kReasonIsTheDocument[];
extern const char kReasonIsAFolder[];
