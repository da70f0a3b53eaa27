// How names cross between the program's UTF-16 and the host's code page.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "host_text.h"

namespace {

constexpr unsigned kWestern = 1252;
constexpr unsigned kUtf8 = 65001;
constexpr unsigned kJapanese = 932;

struct ExactCase {
    const char* name;
    unsigned codePage;
    const wchar_t* wide;
    const char* host;  // nullptr: no exact form
};

void PrintTo(const ExactCase& c, std::ostream* os) { *os << c.name << " in " << c.codePage; }

class ToHostExactTest : public ::testing::TestWithParam<ExactCase> {};

TEST_P(ToHostExactTest, ExactOrNothing)
{
    const ExactCase& c = GetParam();
    std::optional<std::string> got = ToHostExact(c.wide, c.codePage);
    if (c.host) {
        ASSERT_TRUE(got.has_value());
        EXPECT_EQ(*got, c.host);
        EXPECT_EQ(FromHost(*got, c.codePage), c.wide) << "the host's form must read back as the same name";
    } else {
        EXPECT_FALSE(got.has_value()) << "converted to \"" << *got << "\"";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ToHostExactTest,
    ::testing::Values(
        ExactCase{"ascii", kWestern, L"C:\\Docs\\Smith family.lmy", "C:\\Docs\\Smith family.lmy"},
        ExactCase{"western letters", kWestern, L"C:\\Stammb\u00e4ume\\M\u00fcller.lmy",
                  "C:\\Stammb\xe4ume\\M\xfcller.lmy"},
        ExactCase{"euro sign", kWestern, L"\u20ac.ged", "\x80.ged"},
        ExactCase{"empty", kWestern, L"", ""},
        // Best fit would give "Lukasz" and name another folder.
        ExactCase{"L with stroke", kWestern, L"C:\\Users\\\u0141ukasz", nullptr},
        ExactCase{"greek", kWestern, L"\u0395\u03bb\u03ad\u03bd\u03b7.ged", nullptr},
        ExactCase{"greek alpha", kWestern, L"\u0391\u03b8\u03b7\u03bd\u03b1", nullptr},
        ExactCase{"cyrillic", kWestern, L"\u0421\u0435\u043c\u044c\u044f.ged", nullptr},
        ExactCase{"cjk", kWestern, L"\u5bb6\u65cf.lmy", nullptr},
        ExactCase{"emoji", kWestern, L"tree \U0001F333.lmy", nullptr},
        ExactCase{"fullwidth A", kWestern, L"\uff21.lmy", nullptr},
        ExactCase{"utf-8 ascii", kUtf8, L"C:\\a.lmy", "C:\\a.lmy"},
        ExactCase{"utf-8 greek", kUtf8, L"\u0395\u03bb\u03ad\u03bd\u03b7",
                  "\xce\x95\xce\xbb\xce\xad\xce\xbd\xce\xb7"},
        ExactCase{"utf-8 cyrillic", kUtf8, L"\u0421\u0435\u043c\u044c\u044f",
                  "\xd0\xa1\xd0\xb5\xd0\xbc\xd1\x8c\xd1\x8f"},
        ExactCase{"utf-8 emoji", kUtf8, L"\U0001F333", "\xf0\x9f\x8c\xb3"},
        ExactCase{"utf-8 L with stroke", kUtf8, L"\u0141", "\xc5\x81"},
        ExactCase{"utf-8 lone surrogate", kUtf8, L"a\xd83c.lmy", nullptr},
        ExactCase{"japanese cjk", kJapanese, L"\u5bb6\u65cf.lmy", "\x89\xc6\x91\xb0.lmy"},
        ExactCase{"japanese greek alpha", kJapanese, L"\u03b1", "\x83\xbf"},
        ExactCase{"japanese umlaut", kJapanese, L"M\u00fcller", nullptr},
        ExactCase{"japanese L with stroke", kJapanese, L"\u0141ukasz", nullptr},
        ExactCase{"japanese emoji", kJapanese, L"\U0001F333", nullptr}),
    [](const ::testing::TestParamInfo<ExactCase>& i) {
        std::string n = std::to_string(i.index) + "_";
        for (const char* p = i.param.name; *p; ++p) n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return n;
    });

// ---- handing a path over -------------------------------------------------------

// The short forms a volume keeps, for the lookup; anything else has none.
ShortPathLookup ShortForms(std::map<std::wstring, std::wstring> forms)
{
    return [forms](const std::wstring& path) {
        auto it = forms.find(path);
        return it == forms.end() ? std::wstring() : it->second;
    };
}

const std::wstring kGreekFolder = L"C:\\\u0395\u03bb\u03ad\u03bd\u03b7";
const std::wstring kGreekFile = kGreekFolder + L"\\tree.ged";

TEST(HostFormOfPath, ExactPathGoesAsItIs)
{
    HostPath got = HostFormOfPath(L"C:\\Docs\\M\u00fcller.lmy", kWestern, ShortForms({}));
    EXPECT_EQ(got.problem, HostPathProblem::None);
    EXPECT_EQ(got.text, "C:\\Docs\\M\xfcller.lmy");
}

TEST(HostFormOfPath, OtherLettersGoAsTheShortForm)
{
    HostPath got = HostFormOfPath(kGreekFile, kWestern, ShortForms({{kGreekFile, L"C:\\_LN~1\\tree.ged"}}));
    EXPECT_EQ(got.problem, HostPathProblem::None);
    EXPECT_EQ(got.text, "C:\\_LN~1\\tree.ged");
}

TEST(HostFormOfPath, NewFileTakesItsFoldersShortFormAndItsOwnName)
{
    HostPath got = HostFormOfPath(kGreekFolder + L"\\new tree.ged", kWestern,
                                  ShortForms({{kGreekFolder, L"C:\\_LN~1"}}));
    EXPECT_EQ(got.problem, HostPathProblem::None);
    EXPECT_EQ(got.text, "C:\\_LN~1\\new tree.ged");
}

TEST(HostFormOfPath, NewFileWhoseOwnNameDoesNotConvertCannotGo)
{
    HostPath got = HostFormOfPath(kGreekFolder + L"\\\u03b4\u03ad\u03bd\u03c4\u03c1\u03bf.ged", kWestern,
                                  ShortForms({{kGreekFolder, L"C:\\_LN~1"}}));
    EXPECT_EQ(got.problem, HostPathProblem::Characters);
}

TEST(HostFormOfPath, NoShortFormMeansItCannotGo)
{
    EXPECT_EQ(HostFormOfPath(kGreekFile, kWestern, ShortForms({})).problem, HostPathProblem::Characters);
}

TEST(HostFormOfPath, ShortFormThatDoesNotConvertCannotGo)
{
    // A volume without short names gives the long path back unchanged.
    EXPECT_EQ(HostFormOfPath(kGreekFile, kWestern, ShortForms({{kGreekFile, kGreekFile}})).problem,
              HostPathProblem::Characters);
    // A best-fit trap in the short form is no way out either.
    EXPECT_EQ(HostFormOfPath(kGreekFile, kWestern, ShortForms({{kGreekFile, L"C:\\\u0141~1\\tree.ged"}})).problem,
              HostPathProblem::Characters);
}

TEST(HostFormOfPath, LongPathGoesAsItIsWhileItFits)
{
    const std::wstring fits = L"C:\\" + std::wstring(255, L'a') + L".g";  // 260 characters, 259 would fit
    EXPECT_EQ(HostFormOfPath(fits.substr(0, 259), kWestern, ShortForms({})).text,
              std::string(fits.begin(), fits.begin() + 259));
    const std::wstring longPath = L"C:\\" + std::wstring(300, L'a') + L"\\family.lmy";
    HostPath got = HostFormOfPath(longPath, kWestern, ShortForms({{longPath, L"C:\\AAAAAA~1\\family.lmy"}}));
    EXPECT_EQ(got.problem, HostPathProblem::None);
    EXPECT_EQ(got.text, "C:\\AAAAAA~1\\family.lmy");
}

TEST(HostFormOfPath, LongPathWhoseShortFormIsStillTooLongCannotGo)
{
    const std::wstring longPath = L"C:\\" + std::wstring(300, L'a') + L"\\family.lmy";
    std::wstring stillLong = L"C:";
    for (int i = 0; i < 30; ++i) stillLong += L"\\ABCDEF~1";
    EXPECT_EQ(HostFormOfPath(longPath, kWestern, ShortForms({{longPath, stillLong}})).problem,
              HostPathProblem::Length);
    EXPECT_EQ(HostFormOfPath(longPath, kWestern, ShortForms({})).problem, HostPathProblem::Length);
}

// The limit counts the host's bytes, not characters.
TEST(HostFormOfPath, LimitCountsBytesOfTheCodePage)
{
    const std::wstring greek(130, L'\u03b1');  // 260 bytes in UTF-8
    const std::wstring path = L"C:\\" + greek;
    EXPECT_EQ(HostFormOfPath(path, kUtf8, ShortForms({})).problem, HostPathProblem::Length);
    EXPECT_EQ(HostFormOfPath(path, kUtf8, ShortForms({{path, L"C:\\AAAAAA~1"}})).text, "C:\\AAAAAA~1");
    EXPECT_EQ(HostFormOfPath(L"C:\\" + greek.substr(0, 100), kUtf8, ShortForms({})).problem,
              HostPathProblem::None);
}

TEST(HostFormOfPath, Utf8HandsEveryNameOverUnshortened)
{
    HostPath got = HostFormOfPath(kGreekFile, kUtf8, ShortForms({{kGreekFile, L"C:\\_LN~1\\tree.ged"}}));
    EXPECT_EQ(got.problem, HostPathProblem::None);
    EXPECT_EQ(got.text, "C:\\\xce\x95\xce\xbb\xce\xad\xce\xbd\xce\xb7\\tree.ged");
}

}  // namespace
