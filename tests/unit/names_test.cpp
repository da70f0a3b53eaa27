#include <gtest/gtest.h>

#include "names.h"
#include "runtime.h"

namespace {

// ---- work-file names from the time of day --------------------------------

struct TimeCase {
    unsigned hour, minute, second, hundredths;
    const wchar_t* name;
};

void PrintTo(const TimeCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::wstring(c.name)); }

class WorkFileNameTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(WorkFileNameTest, HexDigitsOfTheTime)
{
    const TimeCase& c = GetParam();
    struct time t;
    t.ti_hour = static_cast<unsigned char>(c.hour);
    t.ti_min = static_cast<unsigned char>(c.minute);
    t.ti_sec = static_cast<unsigned char>(c.second);
    t.ti_hund = static_cast<unsigned char>(c.hundredths);
    EXPECT_EQ(WorkFileName(t), c.name);
}

INSTANTIATE_TEST_SUITE_P(Times, WorkFileNameTest,
                         ::testing::Values(TimeCase{13, 45, 30, 99, L"0d2d1e63.lmy"},
                                           TimeCase{13, 45, 31, 0, L"0d2d1f00.lmy"},
                                           TimeCase{16, 5, 7, 8, L"00050708.lmy"},
                                           TimeCase{0, 5, 7, 8, L"00050708.lmy"},
                                           TimeCase{23, 59, 59, 99, L"073b3b63.lmy"},
                                           TimeCase{15, 0, 0, 0, L"0f000000.lmy"}));

// ---- forcing an extension ---------------------------------------------------

struct ForceCase {
    const wchar_t* in;
    const wchar_t* ged;
    const wchar_t* lmy;
};

void PrintTo(const ForceCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::wstring(c.in)); }

class ForceExtensionTest : public ::testing::TestWithParam<ForceCase> {};

TEST_P(ForceExtensionTest, ReplacesFromTheLastDot)
{
    std::wstring ged = GetParam().in, lmy = GetParam().in;
    _pg_appendGED2str(ged);
    _pg_appendLMY2str(lmy);
    EXPECT_EQ(ged, GetParam().ged);
    EXPECT_EQ(lmy, GetParam().lmy);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ForceExtensionTest,
    ::testing::Values(ForceCase{L"0d2d1e63.lmy", L"0d2d1e63.GED", L"0d2d1e63.LMY"},
                      ForceCase{L"report", L"report.GED", L"report.LMY"}, ForceCase{L"a.b.c", L"a.b.GED", L"a.b.LMY"},
                      ForceCase{L"name.", L"name.GED", L"name.LMY"}, ForceCase{L"X.ged", L"X.GED", L"X.LMY"},
                      ForceCase{L"sub.dir\\name", L"sub.GED", L"sub.LMY"}, ForceCase{L"", L".GED", L".LMY"},
                      ForceCase{L"Smith.family.lmy", L"Smith.family.GED", L"Smith.family.LMY"},
                      ForceCase{L"0e2a1f3c.TMP", L"0e2a1f3c.GED", L"0e2a1f3c.LMY"}));

// ---- the base directory --------------------------------------------------------

TEST(PlaceInBaseDir, ReplacesTheLastComponent)
{
    EXPECT_EQ(PlaceInBaseDir(L"C:\\Prog\\Tool.exe", L"*.lmy"), L"C:\\Prog\\*.lmy");
    EXPECT_EQ(PlaceInBaseDir(L"C:\\Tool.exe", L"My Family's Genealogy.lmy"), L"C:\\My Family's Genealogy.lmy");
    EXPECT_EQ(PlaceInBaseDir(L"\\\\srv\\share\\x.exe", L"a.GED"), L"\\\\srv\\share\\a.GED");
}

TEST(PlaceInBaseDir, ModulePathWithoutBackslashStaysAsItIs)
{
    EXPECT_EQ(PlaceInBaseDir(L"lindmorh.exe", L"*.lmy"), L"lindmorh.exe");
}

TEST(PlaceInBaseDir, LongBaseDirectoryIsKeptWhole)
{
    std::wstring dir = L"C:\\" + std::wstring(300, L'd') + L"\\";
    EXPECT_EQ(PlaceInBaseDir(dir + L"lindmorh.exe", L"*.ged"), dir + L"*.ged");
}

TEST(BaseDirSlash, UpToAndIncludingTheLastBackslash)
{
    EXPECT_EQ(BaseDirSlash(L"C:\\Apps\\Gen\\lindmorh.exe"), L"C:\\Apps\\Gen\\");
    EXPECT_EQ(BaseDirSlash(L"lindmorh.exe"), L"");
}

TEST(ExchangeFilePath, BesideTheExecutable)
{
    EXPECT_EQ(ExchangeFilePath(L"C:\\Apps\\Gen\\lindmorh.exe"), L"C:\\Apps\\Gen\\LINDMORY.INI");
    EXPECT_EQ(ExchangeFilePath(L"lindmorh.exe"), L"LINDMORY.INI");
    // Longer than the 96 bytes an old fixed buffer held: still whole.
    std::wstring dir = L"C:\\" + std::wstring(120, L'x') + L"\\";
    EXPECT_EQ(ExchangeFilePath(dir + L"lindmorh.exe"), dir + L"LINDMORY.INI");
}

// ---- document types ------------------------------------------------------------

struct TypeCase {
    const wchar_t* path;
    DocumentType type;
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::wstring(c.path)); }

class DocumentTypeTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(DocumentTypeTest, FromTheFilesOwnExtension) { EXPECT_EQ(DocumentTypeOf(GetParam().path), GetParam().type); }

INSTANTIATE_TEST_SUITE_P(
    Paths, DocumentTypeTest,
    ::testing::Values(TypeCase{L"C:\\Docs\\Smith family.lmy", DocumentType::Native},
                      TypeCase{L"C:\\Docs\\SMITH.LMY", DocumentType::Native},
                      TypeCase{L"D:\\Export\\smith.ged", DocumentType::Gedcom},
                      TypeCase{L"D:\\Export\\SMITH.GED", DocumentType::Gedcom},
                      TypeCase{L"C:\\Docs\\Family.Lmy", DocumentType::Native},
                      TypeCase{L"C:\\Docs\\Smith.gEd", DocumentType::Gedcom},
                      TypeCase{L"C:\\x.lmy\\tree.ged", DocumentType::Gedcom},
                      TypeCase{L"C:\\Export.ged\\Smith.lmy", DocumentType::Native},
                      TypeCase{L"C:\\Old.ged\\notes.txt", DocumentType::None},
                      TypeCase{L"C:\\Old.ged\\notes", DocumentType::None},
                      TypeCase{L"C:\\Docs\\Smith.lmy.bak", DocumentType::None},
                      TypeCase{L"C:\\Docs\\Smith.lmyx", DocumentType::None},
                      TypeCase{L"C:\\Docs\\Smith.gedcom", DocumentType::None},
                      TypeCase{L"C:\\Docs\\.lmy", DocumentType::Native},
                      TypeCase{L"C:/Docs/smith.GED", DocumentType::Gedcom},
                      TypeCase{L"Smith.lmy", DocumentType::Native},
                      TypeCase{L"C:\\Docs\\notes.txt", DocumentType::None}));

// ---- the reply value --------------------------------------------------------

TEST(SplitReply, AtTheFirstBar)
{
    std::wstring work, target;
    ASSERT_TRUE(SplitReply(L"C:\\Prog\\0e2a1f3c.GED|D:\\Export\\tree.ged", work, target));
    EXPECT_EQ(work, L"C:\\Prog\\0e2a1f3c.GED");
    EXPECT_EQ(target, L"D:\\Export\\tree.ged");
    ASSERT_TRUE(SplitReply(L"a|b|c", work, target));
    EXPECT_EQ(work, L"a");
    EXPECT_EQ(target, L"b|c");
    ASSERT_TRUE(SplitReply(L"a|", work, target));
    EXPECT_EQ(target, L"");
    EXPECT_FALSE(SplitReply(L"no bar here", work, target));
    EXPECT_FALSE(SplitReply(L"", work, target));
}

// ---- stored numbers ------------------------------------------------------------

struct DecimalCase {
    const wchar_t* text;
    unsigned long value;
};

void PrintTo(const DecimalCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::wstring(c.text)); }

class LeadingDecimalTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(LeadingDecimalTest, ReadsLeadingDigits) { EXPECT_EQ(LeadingDecimal(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Values, LeadingDecimalTest,
                         ::testing::Values(DecimalCase{L"4", 4}, DecimalCase{L"10", 10}, DecimalCase{L"4x", 4},
                                           DecimalCase{L"abc", 0}, DecimalCase{L"", 0}, DecimalCase{L"-4", 0},
                                           DecimalCase{L"007", 7}, DecimalCase{L"4294967295", 4294967295ul},
                                           DecimalCase{L"99999999999", 0xFFFFFFFFul}));

TEST(AsciiCase, OnlyAsciiLettersChange)
{
    std::string s = "c:\\Docs\\M\xFCller 0a2b.lmy";
    AsciiUpper(s);
    EXPECT_EQ(s, "C:\\DOCS\\M\xFCLLER 0A2B.LMY");
    AsciiLower(s);
    EXPECT_EQ(s, "c:\\docs\\m\xFCller 0a2b.lmy");
}

TEST(AsciiCase, WideTextToo)
{
    std::wstring s = L"c:\\Docs\\M\u00fcller \u0416 0a2b.lmy";
    AsciiUpper(s);
    EXPECT_EQ(s, L"C:\\DOCS\\M\u00fcLLER \u0416 0A2B.LMY");
    AsciiLower(s);
    EXPECT_EQ(s, L"c:\\docs\\m\u00fcller \u0416 0a2b.lmy");
}

}  // namespace

// ---- work-file names taken from the exchange file -------------------------

struct BareNameCase {
    const wchar_t* name;
    bool bare;
};

class BareFileNameTest : public ::testing::TestWithParam<BareNameCase> {};

TEST_P(BareFileNameTest, OnlyPlainNamesStayInTheirFolder)
{
    EXPECT_EQ(IsBareFileName(GetParam().name), GetParam().bare) << ::testing::PrintToString(std::wstring(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(
    Names, BareFileNameTest,
    ::testing::Values(BareNameCase{L"0e2a1f3c.lmy", true}, BareNameCase{L"0E2A1F3C.TMP", true},
                      BareNameCase{L"Smith family.lmy", true}, BareNameCase{L"M\xFCller", true},
                      BareNameCase{L"CONSOLE.lmy", true}, BareNameCase{L"COM10.lmy", true},
                      BareNameCase{L"", false}, BareNameCase{L"..\\other\\precious.lmy", false},
                      BareNameCase{L"..", false}, BareNameCase{L"a..b.lmy", false},
                      BareNameCase{L"sub\\0e2a1f3c.lmy", false}, BareNameCase{L"sub/0e2a1f3c.lmy", false},
                      BareNameCase{L"C:0e2a1f3c.lmy", false}, BareNameCase{L"C:\\Docs\\Smith.lmy", false},
                      BareNameCase{L"\\\\server\\share\\x.lmy", false},
                      BareNameCase{L"work.lmy:hidden", false}, BareNameCase{L"*.lmy", false},
                      BareNameCase{L"0e2a1f3?.lmy", false}, BareNameCase{L"a\"b.lmy", false},
                      BareNameCase{L"a<b.lmy", false}, BareNameCase{L"a|b.lmy", false},
                      BareNameCase{L"tab\there.lmy", false}, BareNameCase{L"CON", false},
                      BareNameCase{L"con.lmy", false}, BareNameCase{L"NUL.txt", false},
                      BareNameCase{L"Aux", false}, BareNameCase{L"prn.LMY", false}, BareNameCase{L"COM1", false},
                      BareNameCase{L"lpt9.lmy", false}, BareNameCase{L"CONIN$", false},
                      BareNameCase{L"nul .lmy", false}, BareNameCase{L"name.", false},
                      BareNameCase{L"name ", false}));

TEST(BareFileName, LongerThanAnyFileNameIsRefused)
{
    EXPECT_TRUE(IsBareFileName(std::wstring(251, L'a') + L".lmy"));
    EXPECT_FALSE(IsBareFileName(std::wstring(252, L'a') + L".lmy"));
}

TEST(UsableName, EmptyOrLongerThanAnyPathNamesNothing)
{
    EXPECT_FALSE(IsUsableName(L""));
    EXPECT_TRUE(IsUsableName(L"C:\\Docs\\Smith.lmy"));
    EXPECT_TRUE(IsUsableName(std::wstring(kLongestPath, 'a')));
    EXPECT_FALSE(IsUsableName(std::wstring(kLongestPath + 1, 'a')));
    EXPECT_FALSE(IsUsableName(std::wstring(2 * 1024 * 1024, 'a')));
}

// ---- the exchange file's lock ------------------------------------------------

TEST(ExchangeLockName, OneNamePerFileWithoutBackslashes)
{
    const std::wstring a = ExchangeLockName(L"C:\\PROGRAM\\LINDMORY.INI");
    EXPECT_EQ(a.compare(0, 15, L"Local\\ZivaRari-"), 0) << a;
    EXPECT_EQ(a.size(), 15u + 16u);
    EXPECT_EQ(a.find(L'\\', 6), std::wstring::npos) << "only the namespace may hold a backslash";
    EXPECT_EQ(a, ExchangeLockName(L"C:\\PROGRAM\\LINDMORY.INI"));
    EXPECT_NE(a, ExchangeLockName(L"C:\\PROGRAM2\\LINDMORY.INI"));
    EXPECT_NE(a, ExchangeLockName(L"D:\\PROGRAM\\LINDMORY.INI"));
    // FNV-1a of the empty text is its offset basis.
    EXPECT_EQ(ExchangeLockName(L""), L"Local\\ZivaRari-cbf29ce484222325");
}
