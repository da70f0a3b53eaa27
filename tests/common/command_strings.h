// Generated command strings and what the program must make of them.
//
// The code is read as the runtime's strtoul reads base 16: white space
// skipped, one optional sign, an optional "0x"/"0X", hexadecimal digits up
// to the first other character; no digit gives 0, a value beyond 32 bits
// becomes 0xFFFFFFFF, a minus sign negates modulo 2^32; the program then
// keeps the value modulo 65536. The model here is written from those rules
// alone, so that it can be held against the program's own parser.
//
// The generator is a fixed-seed sequence of its own (not a standard
// distribution, whose output differs between standard libraries), so every
// compiler produces the same strings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cmdgen {

inline bool IsWhiteSpace(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }

inline int HexValue(unsigned char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The command code of `codeText` (the text before the first underscore).
inline unsigned short ModelCode(const std::string& codeText)
{
    const size_t n = codeText.size();
    size_t i = 0;
    while (i < n && IsWhiteSpace(static_cast<unsigned char>(codeText[i]))) ++i;
    bool negative = false;
    if (i < n && (codeText[i] == '+' || codeText[i] == '-')) {
        negative = codeText[i] == '-';
        ++i;
    }
    // "0x" not followed by a digit reads as the single digit 0 and gives 0;
    // skipping it gives 0 as well, so the prefix needs no look-ahead.
    if (i + 1 < n && codeText[i] == '0' && (codeText[i + 1] == 'x' || codeText[i + 1] == 'X')) i += 2;
    std::uint64_t value = 0;
    for (; i < n; ++i) {
        int digit = HexValue(static_cast<unsigned char>(codeText[i]));
        if (digit < 0) break;
        value = value * 16 + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFull) value = 0x100000000ull;  // stays beyond 32 bits
    }
    std::uint32_t saturated = value > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
    if (negative) saturated = 0u - saturated;
    return static_cast<unsigned short>(saturated & 0xFFFFu);
}

// The text before the first underscore (all of it when there is none).
inline std::string CodeText(const std::string& commandString)
{
    return commandString.substr(0, commandString.find('_'));
}

inline unsigned short ModelCodeOf(const std::string& commandString) { return ModelCode(CodeText(commandString)); }

// splitmix64: small, fully specified, the same everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. bound-1
    std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }
    bool OneIn(std::uint32_t n) { return Below(n) == 0; }
    template <typename T, size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Below(static_cast<std::uint32_t>(N))];
    }

private:
    std::uint64_t state_;
};

// Which characters a generated string may hold.
struct Alphabet {
    bool highBytes;       // 0x80..0xFF as well as printable ASCII
    bool allWhiteSpace;   // \n \v \f \r in leading white space, not only blank and tab
    bool doubleQuote;     // '"' may appear
};

// An alphabet for strings passed to the program as one quoted argument:
// no '"', which the command line would take as the end of the quotes.
constexpr Alphabet kCommandLineAlphabet{false, false, false};
// Everything a C string can hold apart from NUL.
constexpr Alphabet kAnyTextAlphabet{true, true, true};

inline char RandomChar(Random& r, const Alphabet& a)
{
    for (;;) {
        unsigned c = a.highBytes && r.OneIn(4) ? 0x80 + r.Below(0x80) : 0x20 + r.Below(0x5F);
        if (c == '"' && !a.doubleQuote) continue;
        return static_cast<char>(c);
    }
}

inline std::string RandomText(Random& r, const Alphabet& a, size_t length)
{
    std::string s;
    for (size_t i = 0; i < length; ++i) s += RandomChar(r, a);
    return s;
}

inline std::string RandomHexDigits(Random& r, size_t count)
{
    static const char kDigits[] = "0123456789abcdefABCDEF";
    std::string s;
    for (size_t i = 0; i < count; ++i) s += kDigits[r.Below(sizeof kDigits - 1)];
    return s;
}

// A hexadecimal-looking code built from the parts the rules name: white
// space, signs (one is valid, two are not), prefixes, digit runs of every
// length around 8 and 9, and what may follow.
inline std::string EdgeCode(Random& r, const Alphabet& a)
{
    static const char* const kBlanks[] = {"", "", "", " ", "\t", "  \t ", "\t\t"};
    static const char* const kMoreSpace[] = {"\n", "\v", "\f", "\r", " \r\n"};
    static const char* const kSigns[] = {"", "", "", "+", "-", "--", "+-", "-+", "++"};
    static const char* const kPrefixes[] = {"", "", "0x", "0X", "x", "0", "00x", "0x0x"};
    static const char* const kDigitRuns[] = {
        "",          "0",          "1",         "7",          "8",         "9",        "a",
        "F",         "10",         "FFFF",      "ffff",       "10000",     "10001",    "10007",
        "FFFFFFFF",  "ffffffff",   "FFFFFFFE",  "FFFF0001",   "FFFF0008",  "7FFFFFFF", "80000000",
        "100000000", "123456789",  "FFFFFFFFF", "000000001",  "00000000000000000008", "fffffff9",
        "FFFFFFF8",  "1FFFFFFFF",  "FFFFFFFFFFFFFFFF", "10000000000000001"};
    static const char* const kTails[] = {"", "", "", "_", "_x", "__", "x", "g", " 1", "0x1", "+1", "-"};
    std::string s = r.Pick(kBlanks);
    if (a.allWhiteSpace && r.OneIn(4)) s += r.Pick(kMoreSpace);
    s += r.Pick(kSigns);
    s += r.Pick(kPrefixes);
    switch (r.Below(4)) {
    case 0: s += RandomHexDigits(r, r.Below(12)); break;
    case 1: s += RandomHexDigits(r, 8 + r.Below(2)); break;  // 8 and 9 digits
    default: s += r.Pick(kDigitRuns); break;
    }
    s += r.Pick(kTails);
    return s;
}

// A code that selects command 1 to 8 in one of its many spellings.
inline std::string CommandSpelling(Random& r, unsigned command)
{
    static const char* const kBlanks[] = {"", "", " ", "\t", " \t"};
    static const char* const kZeros[] = {"", "", "0", "000", "0000000", "000000000000"};
    const char digit = static_cast<char>('0' + command);
    std::string s = r.Pick(kBlanks);
    switch (r.Below(6)) {
    case 0: s += r.OneIn(2) ? "+" : ""; break;
    case 1: s += r.OneIn(2) ? "0x" : "0X"; break;
    case 2: s += r.OneIn(2) ? "+0x" : "+0X"; break;
    case 3:  // the high word is dropped: 10001, 0x20008, FFFF0003
        s += r.Pick(kZeros);
        s += "123456789ABCDEF"[r.Below(15)];
        s += "000";
        break;
    case 4: {  // a negative number whose 16-bit remainder is the command
        static const char* const kNegatives[] = {"-FFFF", "-FFFE", "-FFFD", "-FFFC",
                                                 "-FFFB", "-FFFA", "-FFF9", "-FFF8"};
        return s + kNegatives[command - 1] + (r.OneIn(2) ? "" : "z");
    }
    default: break;
    }
    s += r.Pick(kZeros);
    s += digit;
    return s;
}

// What may follow a command: nothing, an empty parameter, or one.
inline std::string RandomParameter(Random& r, const Alphabet& a)
{
    switch (r.Below(4)) {
    case 0: return "";
    case 1: return "_";
    case 2: return "_" + RandomText(r, a, r.Below(20));
    default: return "_" + RandomText(r, a, r.Below(3)) + "_" + RandomText(r, a, r.Below(6));
    }
}

enum class Kind { Printable, Long, Edge, Command };

// One generated string of the given kind.
inline std::string Generate(Random& r, Kind kind, const Alphabet& a, size_t longLength)
{
    switch (kind) {
    case Kind::Printable:
        return RandomText(r, a, r.Below(24));
    case Kind::Long: {
        // Long digit runs (leading zeros before a command, or far too many
        // digits), long parameters, long junk.
        switch (r.Below(3)) {
        case 0: return std::string(longLength, '0') + static_cast<char>('1' + r.Below(8)) + RandomParameter(r, a);
        case 1: return RandomHexDigits(r, longLength) + RandomParameter(r, a);
        default: return EdgeCode(r, a) + "_" + RandomText(r, a, longLength);
        }
    }
    case Kind::Edge:
        return EdgeCode(r, a) + (r.OneIn(3) ? RandomParameter(r, a) : "");
    case Kind::Command:
        return CommandSpelling(r, 1 + r.Below(8)) + RandomParameter(r, a);
    }
    return "";
}

// `count` strings from `seed`, cycling through the kinds so that each is
// well represented. The fixed cases the rules name come first.
inline std::vector<std::string> GenerateStrings(std::uint64_t seed, size_t count, const Alphabet& a,
                                                size_t longLength)
{
    static const char* const kFixed[] = {
        "",       "_",       "0x",        "0X",        "0x_1",      "-0",         "--1",      "+-1",
        "-+1",    "+",       "-",         " ",         "\t",        " \t-1",      "\t+8",     "0xFFFFFFFF",
        "FFFFFFFF", "-FFFFFFFF", "100000000", "-100000000", "123456789", "-123456789", "12345678",
        "-12345678", "FFFFFFFFF", "-FFFFFFFFF", "0x0x1", "x1",     "-0x1",      "+0x8",       "10001",
        "-FFFF",  "-FFF8",   "FFFF0008",  "0000000000000000000000000001", "9",     "A",        "_5"};
    std::vector<std::string> out;
    for (const char* fixed : kFixed) {
        if (out.size() == count) return out;
        out.emplace_back(fixed);
    }
    Random r(seed);
    static const Kind kCycle[] = {Kind::Printable, Kind::Edge, Kind::Command, Kind::Printable,
                                  Kind::Edge,      Kind::Long, Kind::Command, Kind::Edge};
    for (size_t i = 0; out.size() < count; ++i) out.push_back(Generate(r, kCycle[i % 8], a, longLength));
    return out;
}

}  // namespace cmdgen
