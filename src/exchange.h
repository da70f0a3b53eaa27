// The exchange file "LINDMORY.INI": section "Export", read and written
// through the private-profile API, values taken whole. The file is the
// host's, in its ANSI code page: values go in only in the host's own form
// (see host_text.h). Every access holds the exchange file's lock, so that
// ZivaRaris running at once never write back a file that another one is
// rewriting.
#pragma once

#include <string>

extern const wchar_t _sg_Export[];         // "Export"
extern const wchar_t _si_LongFnameGED[];   // the reply value
extern const wchar_t _si_LongFnameLMY[];   // long path of the native document
extern const wchar_t _si_MyActiveFname[];  // the native work file, written by the host
extern const wchar_t _sg_dwMajorVersion[];
extern const wchar_t _sg_dwPlatformId[];

// The exchange file's path beside this executable.
std::wstring _pg_FNAMEini();

// The key's value, whole ("" when the file or the key is missing); a value
// far longer than any path is cut, but stays longer than any path. False,
// after error 0x47 was shown, when the file could not be read or another
// ZivaRari kept it busy.
bool ReadExchange(const std::wstring& iniPath, const wchar_t* key, std::wstring& value);

enum class ExchangeWrite { Done, Failed, Busy };
// Writes the key as the host is to read it: `hostText` is in the host's
// code page. Busy means error 0x47 was shown already.
ExchangeWrite WriteExchange(const std::wstring& iniPath, const wchar_t* key, const std::string& hostText);

// Writes the reply value; a failed write shows error 0x45 (0x47 when the
// file stayed busy). True when it was written.
bool _pi_LongFnameGED(const std::string& hostText);

// The profile API reads a file it cannot open as an empty one. True when
// the exchange file is missing or can be opened for reading; otherwise
// shows error 0x47 with the reason and gives false.
bool CheckExchangeReadable(const std::wstring& iniPath);
