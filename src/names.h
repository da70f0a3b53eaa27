// Pure rules for the names and values the program works with: work-file
// names, extensions, the base directory, document types, the reply value.
#pragma once

#include <string>

struct time;

// "%02x%02x%02x%02x.lmy" from the hour's low four bits, the minute, the
// second and the hundredths.
std::string WorkFileName(const struct time& t);

// Replace everything from the last dot of the whole string with ".GED" /
// ".LMY", or append it when there is no dot.
void _pg_appendGED2str(std::string& s);
void _pg_appendLMY2str(std::string& s);

// The module path up to and including its last backslash; "" when it has none.
std::string BaseDirSlash(const std::string& modulePath);

// The module path with everything after its last backslash replaced by
// `name`; the module path unchanged when it has no backslash.
std::string PlaceInBaseDir(const std::string& modulePath, const std::string& name);

// The exchange file's path: "LINDMORY.INI" beside the executable, or the
// bare name when the module path has no backslash.
std::string ExchangeFilePath(const std::string& modulePath);

enum class DocumentType { None, Native, Gedcom };
// Taken from the extension of the path's last component, in any letter
// case: ".lmy" is native, ".ged" is GEDCOM, anything else is neither.
DocumentType DocumentTypeOf(const std::string& longPath);
bool HasGedcomExtension(const std::string& path);

// The longest path the system's file functions take, in characters.
constexpr size_t kLongestPath = 32767;

// A stored value that can name a file: not empty and no longer than any
// path can be.
bool IsUsableName(const std::string& value);

// A plain file name that stays in the folder it is joined to: no drive,
// folder, "..", stream (':') or wildcard, no reserved device name and no
// trailing dot or space.
bool IsBareFileName(const std::string& name);

// A path the dialogs return with '?' or '*' in it names no real file: its
// name had characters that the ANSI code page cannot hold.
bool IsRepresentablePath(const std::string& path);

// Splits a reply value at its first "|". False when there is none.
bool SplitReply(const std::string& value, std::string& workPath, std::string& longPath);

// The leading decimal digits of a stored value as a number; 0 when it does
// not begin with a digit; 0xFFFFFFFF when it does not fit in 32 bits.
unsigned long LeadingDecimal(const std::string& text);

// The name of the mutex that guards one exchange file: "Local\ZivaRari-"
// and a hash of the file's upper-cased long full path (the path itself may
// hold backslashes, which a mutex name must not).
std::string ExchangeLockName(const std::string& upperLongPath);
