// Pure rules for the names and values the program works with: work-file
// names, extensions, the base directory, document types, the reply value.
// Names are UTF-16 text.
#pragma once

#include <string>

struct time;

// "%02x%02x%02x%02x.lmy" from the hour's low four bits, the minute, the
// second and the hundredths.
std::wstring WorkFileName(const struct time& t);

// Replace everything from the last dot of the whole string with ".GED" /
// ".LMY", or append it when there is no dot.
void _pg_appendGED2str(std::wstring& s);
void _pg_appendLMY2str(std::wstring& s);

// The module path up to and including its last backslash; "" when it has none.
std::wstring BaseDirSlash(const std::wstring& modulePath);

// The module path with everything after its last backslash replaced by
// `name`; the module path unchanged when it has no backslash.
std::wstring PlaceInBaseDir(const std::wstring& modulePath, const std::wstring& name);

// The exchange file's path: "LINDMORY.INI" beside the executable, or the
// bare name when the module path has no backslash.
std::wstring ExchangeFilePath(const std::wstring& modulePath);

enum class DocumentType { None, Native, Gedcom };
// Taken from the extension of the path's last component, in any letter
// case: ".lmy" is native, ".ged" is GEDCOM, anything else is neither.
DocumentType DocumentTypeOf(const std::wstring& longPath);
bool HasGedcomExtension(const std::wstring& path);

// The longest path the system's file functions take, in characters.
constexpr size_t kLongestPath = 32767;

// A stored value that can name a file: not empty and no longer than any
// path can be.
bool IsUsableName(const std::wstring& value);

// A plain file name that stays in the folder it is joined to: no drive,
// folder, "..", stream (':') or wildcard, no reserved device name and no
// trailing dot or space.
bool IsBareFileName(const std::wstring& name);

// The folder part of a path (up to its last backslash or slash, without
// it) and the name after it.
std::wstring FolderOf(const std::wstring& path);
std::wstring NameOf(const std::wstring& path);

// Splits a reply value at its first "|". False when there is none.
bool SplitReply(const std::wstring& value, std::wstring& workPath, std::wstring& longPath);

// The leading decimal digits of a stored value as a number; 0 when it does
// not begin with a digit; 0xFFFFFFFF when it does not fit in 32 bits.
unsigned long LeadingDecimal(const std::wstring& text);

// The name of the mutex that guards one exchange file: "Local\ZivaRari-"
// and a hash of the file's upper-cased long full path (the path itself may
// hold backslashes, which a mutex name must not).
std::wstring ExchangeLockName(const std::wstring& upperLongPath);
