// Work files in the base directory, the current directory, and copies.
#pragma once

#include <string>

#include "safe_copy.h"

// Makes the base directory current, then creates a new empty work file
// named from the time of day. `path` holds a copy of the module path and
// `namePos` points just after its last backslash; the name is written
// there. A name counts as taken while a file of its eight digits exists
// with the native or the GEDCOM extension. Returns 1 when the file was
// created, 0 when it cannot be (the system's reason is then the last
// error).
int _pg_getRndFNAME(std::wstring& path, size_t namePos);

// Makes the base directory (and its drive) current. Always 0.
int _pg_SetBaseDir();

// Lower-cases `path`, makes the drive of its first letter current and
// changes to it. Always 0.
int _pg_chdir(std::wstring& path);

// True when both paths name one existing file, however they are spelled.
bool IsSameFile(const std::wstring& a, const std::wstring& b);

// The full path of the bare file `name` in the base directory; "" when the
// module path names no directory.
std::wstring WorkPathInBaseDir(const std::wstring& name);

// True when `path`, made full, lies directly in the base directory.
bool IsInBaseDir(const std::wstring& path);

// Removes a file, whatever the length of its path; false when it could not.
bool RemoveFile(const std::wstring& path);
