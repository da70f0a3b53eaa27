#include <gtest/gtest.h>

#include "texts.h"

namespace {

const std::wstring kHead = L"Verify save?\n\n";

// The lines of the path part of a confirmation text.
std::vector<size_t> LineLengths(const std::wstring& text)
{
    std::vector<size_t> lengths;
    std::wstring body = text.substr(kHead.size());
    size_t start = 0;
    for (;;) {
        size_t nl = body.find(L'\n', start);
        lengths.push_back((nl == std::wstring::npos ? body.size() : nl) - start);
        if (nl == std::wstring::npos) break;
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
    std::wstring path;
    for (size_t i = 0; i < GetParam().pathLength; ++i) path += static_cast<wchar_t>(L'a' + i % 26);
    std::wstring text = VerifySaveText(path);
    ASSERT_EQ(text.compare(0, kHead.size(), kHead), 0);
    EXPECT_EQ(LineLengths(text), GetParam().lines);
    // Nothing of the path is lost or changed.
    std::wstring joined;
    for (wchar_t c : text.substr(kHead.size()))
        if (c != L'\n') joined += c;
    EXPECT_EQ(joined, path);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, VerifySaveTextTest,
    ::testing::Values(BreakCase{0, {0}}, BreakCase{1, {1}}, BreakCase{64, {64}}, BreakCase{65, {64, 1}},
                      BreakCase{128, {64, 64}}, BreakCase{130, {64, 64, 2}},
                      BreakCase{490, {64, 64, 64, 64, 64, 64, 64, 42}},
                      BreakCase{491, {64, 64, 64, 64, 64, 64, 64, 43}},
                      BreakCase{1023, {64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 63}}));

// A character outside the basic plane is two UTF-16 units but one
// character: it counts once and is never split between lines.
TEST(VerifySaveText, NeverSplitsACharacter)
{
    const std::wstring tree = L"\U0001F333";
    std::wstring path(63, L'a');
    path += tree;   // the 64th character
    path += tree;   // the 65th: starts the second line
    path += L"b";
    EXPECT_EQ(VerifySaveText(path), L"Verify save?\n\n" + std::wstring(63, L'a') + tree + L"\n" + tree + L"b");
    std::wstring trees;
    for (int i = 0; i < 70; ++i) trees += tree;
    std::wstring text = VerifySaveText(trees);
    size_t nl = text.find(L'\n', 14);
    EXPECT_EQ(nl, 14u + 128u) << "64 characters of two units each on the first line";
    EXPECT_EQ(text.size(), 14u + 140u + 1u);
}

TEST(VerifySaveText, GreekAndCyrillicCountOneEach)
{
    std::wstring path(64, L'\u03b1');
    path += L"\u0436";
    EXPECT_EQ(VerifySaveText(path), L"Verify save?\n\n" + std::wstring(64, L'\u03b1') + L"\n\u0436");
}

TEST(VerifySaveText, EmptyPathShowsQuestionAndBlankLine) { EXPECT_EQ(VerifySaveText(L""), L"Verify save?\n\n"); }

TEST(VerifySaveText, KeepsSpacesAndCase)
{
    EXPECT_EQ(VerifySaveText(L"D:\\Export\\Smith Family.ged"), L"Verify save?\n\nD:\\Export\\Smith Family.ged");
}

struct ErrorCase {
    unsigned short code;
    const wchar_t* text;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::wstring(c.text)); }

class ErrorTextTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTextTest, FourUpperCaseHexDigits) { EXPECT_EQ(ErrorText(GetParam().code), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Codes, ErrorTextTest,
                         ::testing::Values(ErrorCase{0x43, L"Error, #0043 in ZIVARARI"},
                                           ErrorCase{0x44, L"Error, #0044 in ZIVARARI"},
                                           ErrorCase{0x45, L"Error, #0045 in ZIVARARI"},
                                           ErrorCase{0x46, L"Error, #0046 in ZIVARARI"},
                                           ErrorCase{0x47, L"Error, #0047 in ZIVARARI"},
                                           ErrorCase{0xABCD, L"Error, #ABCD in ZIVARARI"},
                                           ErrorCase{0, L"Error, #0000 in ZIVARARI"},
                                           ErrorCase{0xFFFF, L"Error, #FFFF in ZIVARARI"}));

TEST(BoxTexts, Captions)
{
    EXPECT_STREQ(_sg_mssgBoxVersion, L"Tamberlo 3.1");
    EXPECT_STREQ(kErrorCaption, L"LINDMORG.EXE");
}

}  // namespace
