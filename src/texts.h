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
