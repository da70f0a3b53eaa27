#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_string.h"

namespace {

struct CommandCase {
    const char* commandString;
    unsigned short code;
    const char* parameter;  // nullptr: no underscore
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << '"' << c.commandString << '"'; }

class CommandStringTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandStringTest, SplitsAndParses)
{
    const CommandCase& c = GetParam();
    std::vector<char> text(c.commandString, c.commandString + std::string(c.commandString).size() + 1);
    char* parameter = SplitCommandString(text.data());
    if (c.parameter) {
        ASSERT_NE(parameter, nullptr);
        EXPECT_STREQ(parameter, c.parameter);
    } else {
        EXPECT_EQ(parameter, nullptr);
    }
    EXPECT_EQ(ParseCommandCode(text.data()), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandStringTest,
    ::testing::Values(CommandCase{"1", 1, nullptr}, CommandCase{"1_", 1, ""},
                      CommandCase{"7_C:\\APPS\\RUN_IT.EXE", 7, "C:\\APPS\\RUN_IT.EXE"},
                      CommandCase{"08", 8, nullptr}, CommandCase{"0x8", 8, nullptr}, CommandCase{"0X8", 8, nullptr},
                      CommandCase{"+8", 8, nullptr}, CommandCase{"2x", 2, nullptr}, CommandCase{"A", 10, nullptr},
                      CommandCase{"0A", 10, nullptr}, CommandCase{"a", 10, nullptr}, CommandCase{"10", 16, nullptr},
                      CommandCase{"9", 9, nullptr}, CommandCase{"0", 0, nullptr}, CommandCase{"", 0, nullptr},
                      CommandCase{"_5", 0, "5"}, CommandCase{"10001", 1, nullptr},
                      CommandCase{"-FFFF", 1, nullptr}, CommandCase{"123456789", 0xFFFF, nullptr},
                      CommandCase{"FFFFFFFF", 0xFFFF, nullptr}, CommandCase{"  3", 3, nullptr},
                      CommandCase{"zz", 0, nullptr}, CommandCase{"6__x_y", 6, "_x_y"}));

struct VersionCase {
    unsigned long getVersion;
    bool supported;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << std::hex << "0x" << c.getVersion; }

class VersionGateTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionGateTest, AcceptsFromThreeTenOn)
{
    EXPECT_EQ(IsSupportedVersion(GetParam().getVersion), GetParam().supported);
}

// Low byte major, next byte minor; the high word (build, platform) is ignored.
INSTANTIATE_TEST_SUITE_P(Versions, VersionGateTest,
                         ::testing::Values(VersionCase{0x0003, false}, VersionCase{0x0903, false},
                                           VersionCase{0x0A03, true}, VersionCase{0x5F03, true},
                                           VersionCase{0x0004, true}, VersionCase{0x0A04, true},
                                           VersionCase{0x0106, true}, VersionCase{0xC0000003ul, false},
                                           VersionCase{0x0002, false}, VersionCase{0x000A, true}));

}  // namespace
