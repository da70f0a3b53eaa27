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

// ASCII letters only; other bytes stay as they are.
void AsciiLower(std::string& s);
void AsciiUpper(std::string& s);

// True when `path` names a file or a directory.
bool PathExists(const std::string& path);

// The full path of the running executable, whole at any length.
std::string ModulePath();
