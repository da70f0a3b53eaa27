// The command line that command 7 starts: the program's whole path quoted
// where a shorter prefix could be taken for it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "launch_line.h"

namespace {

struct LaunchCase {
    const char* parameter;
    const char* commandLine;
};

// The files that exist for these cases.
bool Exists(const std::string& path)
{
    static const std::set<std::string> files{
        "C:\\Program.exe",
        "C:\\Program Files\\App\\app.exe",
        "C:\\Tools\\run it.exe",
        "C:\\Tools\\run",
        "C:\\notes.txt",
        "C:\\My Notes\\today.txt",
    };
    return files.count(path) != 0;
}

class QuoteProgramPrefixTest : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(QuoteProgramPrefixTest, LongestExistingPrefixIsQuoted)
{
    EXPECT_EQ(QuoteProgramPrefix(GetParam().parameter, Exists), GetParam().commandLine);
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, QuoteProgramPrefixTest,
    ::testing::Values(
        // The decoy C:\Program.exe exists, but the whole path is longer.
        LaunchCase{"C:\\Program Files\\App\\app.exe /x", "\"C:\\Program Files\\App\\app.exe\" /x"},
        LaunchCase{"C:\\Program Files\\App\\app.exe", "\"C:\\Program Files\\App\\app.exe\""},
        // Without ".exe" the system adds it; the quoted prefix is taken as written.
        LaunchCase{"C:\\Program Files\\App\\app /x", "\"C:\\Program Files\\App\\app\" /x"},
        // Only the decoy exists: it is what the parameter names.
        LaunchCase{"C:\\Program Files\\Gone\\x.exe", "\"C:\\Program\" Files\\Gone\\x.exe"},
        // The longest of two existing prefixes wins.
        LaunchCase{"C:\\Tools\\run it.exe now", "\"C:\\Tools\\run it.exe\" now"},
        LaunchCase{"C:\\Tools\\run fast", "\"C:\\Tools\\run\" fast"},
        LaunchCase{"C:\\notes.txt", "\"C:\\notes.txt\""},
        LaunchCase{"C:\\My Notes\\today.txt", "\"C:\\My Notes\\today.txt\""},
        // Nothing exists, or it is quoted already: unchanged.
        LaunchCase{"notepad C:\\x.txt", "notepad C:\\x.txt"},
        LaunchCase{"D:\\No Such\\tool.exe -q", "D:\\No Such\\tool.exe -q"},
        LaunchCase{"\"C:\\Program Files\\App\\app.exe\" /x", "\"C:\\Program Files\\App\\app.exe\" /x"},
        LaunchCase{"", ""}));

TEST(QuoteProgramPrefix, AsksOnlyAtSpacesAndTheEnd)
{
    std::set<std::string> asked;
    QuoteProgramPrefix("C:\\A B\\c d", [&](const std::string& p) {
        asked.insert(p);
        return false;
    });
    EXPECT_EQ(asked, (std::set<std::string>{"C:\\A", "C:\\A.exe", "C:\\A B\\c", "C:\\A B\\c.exe", "C:\\A B\\c d",
                                            "C:\\A B\\c d.exe"}));
}

}  // namespace
