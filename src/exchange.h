// The exchange file "LINDMORY.INI": section "Export", read and written
// through the private-profile API, values taken whole.
#pragma once

#include <string>

extern const char _sg_Export[];         // "Export"
extern const char _si_LongFnameGED[];   // the reply value
extern const char _si_LongFnameLMY[];   // long path of the native document
extern const char _si_MyActiveFname[];  // the native work file, written by the host
extern const char _sg_dwMajorVersion[];
extern const char _sg_dwPlatformId[];

// The exchange file's path beside this executable.
std::string _pg_FNAMEini();

// The key's value, whole; "" when the file or the key is missing.
std::string ReadExchange(const std::string& iniPath, const char* key);

// True when the write succeeded.
bool WriteExchange(const std::string& iniPath, const char* key, const std::string& value);

// Writes the reply value; a failed write shows error 0x45.
void _pi_LongFnameGED(const std::string& value);
