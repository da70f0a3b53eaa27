#include <gtest/gtest.h>

#include "command_line.h"

namespace {

struct SplitCase {
    const char* commandLine;
    std::vector<std::string> args;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.commandLine; }

class SplitArgumentsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitArgumentsTest, SplitsLikeTheCallersQuote)
{
    EXPECT_EQ(SplitArguments(GetParam().commandLine), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitArgumentsTest,
    ::testing::Values(SplitCase{"lindmorh.exe", {}}, SplitCase{"lindmorh.exe 8", {"8"}},
                      SplitCase{"\"C:\\Program Files\\lindmorh.exe\" 1", {"1"}},
                      SplitCase{"\"C:\\a b\\x.exe\"8", {"8"}},
                      SplitCase{"lindmorh.exe  \t 1   2", {"1", "2"}},
                      SplitCase{"lindmorh.exe \"7_C:\\My Apps\\run.exe\"", {"7_C:\\My Apps\\run.exe"}},
                      SplitCase{"lindmorh.exe 7_\"C:\\Dir\\\"", {"7_C:\\Dir\\"}},
                      SplitCase{"lindmorh.exe a\"b c\"d", {"ab cd"}},
                      SplitCase{"lindmorh.exe \"\"", {""}},
                      SplitCase{"lindmorh.exe 7_a\\\"b", {"7_a\\b"}},
                      SplitCase{"lindmorh.exe \"unclosed quote", {"unclosed quote"}}));

}  // namespace
