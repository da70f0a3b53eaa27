// The command-string parser against many generated strings: random bytes,
// long strings, hexadecimal edge cases and signs. Each result is held
// against a model written from the parsing rules alone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "command_string.h"
#include "command_strings.h"

namespace {

struct Batch {
    const char* name;
    std::uint64_t seed;
    size_t count;
    size_t longLength;
};

void PrintTo(const Batch& b, std::ostream* os) { *os << b.name; }

std::string BatchName(const ::testing::TestParamInfo<Batch>& i) { return i.param.name; }

class GeneratedCommandStrings : public ::testing::TestWithParam<Batch> {};

// Splitting ends the code at the first underscore and returns the text
// after it, inside the same buffer; null exactly when there is none. The
// code is the model's, from 0 to 0xFFFF.
TEST_P(GeneratedCommandStrings, SplitAndCodeFollowTheRules)
{
    const Batch& b = GetParam();
    const std::vector<std::string> strings = cmdgen::GenerateStrings(b.seed, b.count, cmdgen::kAnyTextAlphabet,
                                                                     b.longLength);
    ASSERT_EQ(strings.size(), b.count);
    size_t failures = 0;
    for (size_t i = 0; i < strings.size() && failures < 20; ++i) {
        const std::string& s = strings[i];
        ASSERT_EQ(std::strlen(s.c_str()), s.size()) << "the generator produced a NUL";
        std::vector<char> buffer(s.begin(), s.end());
        buffer.push_back('\0');
        char* const begin = buffer.data();
        char* const end = begin + s.size();  // the terminating NUL

        char* parameter = SplitCommandString(begin);
        const size_t underscore = s.find('_');
        bool ok = true;
        if (underscore == std::string::npos) {
            ok &= parameter == nullptr;
            EXPECT_EQ(parameter, nullptr) << "#" << i << " \"" << s << "\" has no underscore";
            ok &= std::string(begin) == s;
            EXPECT_EQ(std::string(begin), s) << "#" << i << " the code text changed";
        } else {
            ok &= parameter == begin + underscore + 1;
            EXPECT_EQ(parameter, begin + underscore + 1) << "#" << i << " \"" << s << "\"";
            ok &= parameter >= begin && parameter <= end;
            EXPECT_TRUE(parameter >= begin && parameter <= end) << "#" << i << " parameter outside the string";
            if (parameter >= begin && parameter <= end) {
                ok &= std::string(parameter) == s.substr(underscore + 1);
                EXPECT_EQ(std::string(parameter), s.substr(underscore + 1)) << "#" << i;
            }
            ok &= std::string(begin) == s.substr(0, underscore);
            EXPECT_EQ(std::string(begin), s.substr(0, underscore)) << "#" << i << " the code does not end there";
        }

        const unsigned code = ParseCommandCode(begin);
        const unsigned expected = cmdgen::ModelCodeOf(s);
        ok &= code <= 0xFFFFu && code == expected;
        EXPECT_LE(code, 0xFFFFu) << "#" << i;
        EXPECT_EQ(code, expected) << "#" << i << " code text \"" << cmdgen::CodeText(s).substr(0, 80) << "\"";
        if (!ok) ++failures;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedCommandStrings,
                         ::testing::Values(Batch{"short_a", 0x5A17A11Cu, 4000, 300},
                                           Batch{"short_b", 20240611u, 4000, 300},
                                           Batch{"long", 0xC0DE0008u, 2500, 40000}),
                         BatchName);

// The model itself on the cases the rules spell out, so that a fault in
// the model cannot hide one in the parser. One program run for the table:
// each case is quick, and a run under Wine is not.
struct ModelCase {
    const char* codeText;
    unsigned short code;
};

TEST(CodeModel, ReadsAsTheRulesSay)
{
    static const ModelCase kCases[] = {
        {"", 0}, {"0x", 0}, {"0X", 0}, {"-0", 0}, {"--1", 0}, {"+-1", 0}, {"+", 0}, {"x1", 0},
        {" \t\n\v\f\r8", 8}, {"\t-1", 0xFFFF}, {"-1", 0xFFFF}, {"-FFFF", 1}, {"-FFF8", 8}, {"0x0x1", 0},
        {"0xG", 0}, {"FFFFFFFF", 0xFFFF}, {"0xFFFFFFFF", 0xFFFF}, {"FFFF0008", 8}, {"12345678", 0x5678},
        {"-12345678", 0xA988},
        // nine digits saturate before the sign is applied: -(0xFFFFFFFF) is 1
        {"123456789", 0xFFFF}, {"100000000", 0xFFFF}, {"-100000000", 1}, {"-123456789", 1}, {"-FFFFFFFF", 1},
        {"00000000000000000000000000000008", 8}, {"8 1", 8}, {"+0x8z", 8}, {"\xA0" "8", 0}, {"\xB2", 0}};
    for (const ModelCase& c : kCases) {
        SCOPED_TRACE(std::string("\"") + c.codeText + "\"");
        EXPECT_EQ(cmdgen::ModelCode(c.codeText), c.code);
        EXPECT_EQ(ParseCommandCode(c.codeText), c.code);
    }
}

}  // namespace
