#include <gtest/gtest.h>

#include "texts.h"

namespace {

const std::string kHead = "Verify save?\n\n";

// The lines of the path part of a confirmation text.
std::vector<size_t> LineLengths(const std::string& text)
{
    std::vector<size_t> lengths;
    std::string body = text.substr(kHead.size());
    size_t start = 0;
    for (;;) {
        size_t nl = body.find('\n', start);
        lengths.push_back((nl == std::string::npos ? body.size() : nl) - start);
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return lengths;
}

struct BreakCase {
    size_t pathLength;
    std::vector<size_t> lines;
};

void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.pathLength << " characters"; }

class VerifySaveTextTest : public ::testing::TestWithParam<BreakCase> {};

TEST_P(VerifySaveTextTest, BreaksAfterEvery64thCharacter)
{
    std::string path;
    for (size_t i = 0; i < GetParam().pathLength; ++i) path += static_cast<char>('a' + i % 26);
    std::string text = VerifySaveText(path);
    ASSERT_EQ(text.compare(0, kHead.size(), kHead), 0);
    EXPECT_EQ(LineLengths(text), GetParam().lines);
    // Nothing of the path is lost or changed.
    std::string joined;
    for (char c : text.substr(kHead.size()))
        if (c != '\n') joined += c;
    EXPECT_EQ(joined, path);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, VerifySaveTextTest,
    ::testing::Values(BreakCase{0, {0}}, BreakCase{1, {1}}, BreakCase{64, {64}}, BreakCase{65, {64, 1}},
                      BreakCase{128, {64, 64}}, BreakCase{130, {64, 64, 2}},
                      BreakCase{490, {64, 64, 64, 64, 64, 64, 64, 42}},
                      BreakCase{491, {64, 64, 64, 64, 64, 64, 64, 43}},
                      BreakCase{1023, {64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 63}}));

TEST(VerifySaveText, EmptyPathShowsQuestionAndBlankLine) { EXPECT_EQ(VerifySaveText(""), "Verify save?\n\n"); }

TEST(VerifySaveText, KeepsSpacesAndCase)
{
    EXPECT_EQ(VerifySaveText("D:\\Export\\Smith Family.ged"), "Verify save?\n\nD:\\Export\\Smith Family.ged");
}

struct ErrorCase {
    unsigned short code;
    const char* text;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.text; }

class ErrorTextTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTextTest, FourUpperCaseHexDigits) { EXPECT_EQ(ErrorText(GetParam().code), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Codes, ErrorTextTest,
                         ::testing::Values(ErrorCase{0x43, "Error, #0043 in ZIVARARI"},
                                           ErrorCase{0x44, "Error, #0044 in ZIVARARI"},
                                           ErrorCase{0x45, "Error, #0045 in ZIVARARI"},
                                           ErrorCase{0x46, "Error, #0046 in ZIVARARI"},
                                           ErrorCase{0x47, "Error, #0047 in ZIVARARI"},
                                           ErrorCase{0xABCD, "Error, #ABCD in ZIVARARI"},
                                           ErrorCase{0, "Error, #0000 in ZIVARARI"},
                                           ErrorCase{0xFFFF, "Error, #FFFF in ZIVARARI"}));

TEST(BoxTexts, Captions)
{
    EXPECT_STREQ(_sg_mssgBoxVersion, "Tamberlo 3.1");
    EXPECT_STREQ(kErrorCaption, "LINDMORG.EXE");
}

}  // namespace
