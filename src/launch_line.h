// The command line that command 7 starts.
#pragma once

#include <functional>
#include <string>

// An unquoted program path with spaces lets the system try the shorter
// prefixes first ("C:\Program Files\App\app.exe" may start C:\Program.exe).
// Where a prefix of `parameter`, ended at a space or at its end, names an
// existing file (`isFile`, asked with and without ".exe"), the longest such
// prefix is quoted; otherwise the parameter is returned as it is.
std::string QuoteProgramPrefix(const std::string& parameter,
                               const std::function<bool(const std::string&)>& isFile);
