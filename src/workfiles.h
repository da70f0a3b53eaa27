// Work files in the base directory, the current directory, and copies.
#pragma once

#include <string>

// Makes the base directory current, then creates a new empty work file
// named from the time of day. `path` holds a copy of the module path and
// `namePos` points just after its last backslash; the name is written
// there. A name counts as taken while a file of its eight digits exists
// with the native or the GEDCOM extension. Returns 1 when the file was
// created, 0 when it cannot be.
int _pg_getRndFNAME(std::string& path, size_t namePos);

// Makes the base directory (and its drive) current. Always 0.
int _pg_SetBaseDir();

// Lower-cases `path`, makes the drive of its first letter current and
// changes to it. Always 0.
int _pg_chdir(std::string& path);

// True when both paths name one existing file, however they are spelled.
bool IsSameFile(const std::string& a, const std::string& b);

// Copies `source` over `target` so that the target is either the old file
// or a complete, flushed copy: the copy is written to a temporary file in
// the target's directory and then moved into place in one step. Never
// copies a file onto itself. True when the copy is in place.
bool _pg_FileCopy16or32(const std::string& source, const std::string& target);
