// Splits the process's command line into arguments, the way the program's
// callers quote it: blanks and tabs separate, double quotes group and are
// dropped, and there is no escape character (a backslash before a quote is
// an ordinary backslash).
#pragma once

#include <string>
#include <vector>

// The command line after the program's own name (quoted or not); the
// blanks that follow the name are not skipped.
const char* SkipProgramName(const char* commandLine);

// The arguments after the program's own name, which is skipped whether it
// is quoted or not.
std::vector<std::string> SplitArguments(const char* commandLine);
