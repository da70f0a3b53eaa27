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
// Taken from the whole path, directories included: ".lmy"/".LMY" anywhere
// makes it native, otherwise ".ged"/".GED" makes it GEDCOM; other letter
// cases are not recognised.
DocumentType DocumentTypeOf(const std::string& longPath);

// A path the dialogs return with '?' or '*' in it names no real file: its
// name had characters that the ANSI code page cannot hold.
bool IsRepresentablePath(const std::string& path);

// Splits a reply value at its first "|". False when there is none.
bool SplitReply(const std::string& value, std::string& workPath, std::string& longPath);

// The leading decimal digits of a stored value as a number; 0 when it does
// not begin with a digit; 0xFFFFFFFF when it does not fit in 32 bits.
unsigned long LeadingDecimal(const std::string& text);
