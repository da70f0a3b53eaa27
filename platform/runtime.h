// Runtime services that the program needs and MinGW's runtime lacks, in
// the shape the program uses them.
#pragma once

#include <string>

// The local time of day with hundredths of a second.
struct time {
    unsigned char ti_min;
    unsigned char ti_hour;
    unsigned char ti_hund;  // milliseconds / 10
    unsigned char ti_sec;
};
void gettime(struct time* t);

// Makes drive `drive` (1 = A:, 2 = B:, ...) current; `count` receives the
// number of drive letters when it is not null.
void _dos_setdrive(unsigned drive, unsigned* count);

// ASCII letters only; other characters stay as they are.
void AsciiLower(std::string& s);
void AsciiUpper(std::string& s);
void AsciiLower(std::wstring& s);
void AsciiUpper(std::wstring& s);

// `path` in the form the wide file functions take at any length: a path
// longer than the classic limit is made full and given the "\\?\" prefix
// (or "\\?\UNC\" for a network path); a shorter one stays as it is.
std::wstring LongPathForm(const std::wstring& path);

// True when `path` names a file or a directory.
bool PathExists(const std::wstring& path);

// The full path of the running executable, whole at any length.
std::wstring ModulePath();
