#include <gtest/gtest.h>

#include "names.h"
#include "runtime.h"

namespace {

// ---- work-file names from the time of day --------------------------------

struct TimeCase {
    unsigned hour, minute, second, hundredths;
    const char* name;
};

void PrintTo(const TimeCase& c, std::ostream* os) { *os << c.name; }

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
                         ::testing::Values(TimeCase{13, 45, 30, 99, "0d2d1e63.lmy"},
                                           TimeCase{13, 45, 31, 0, "0d2d1f00.lmy"},
                                           TimeCase{16, 5, 7, 8, "00050708.lmy"},
                                           TimeCase{0, 5, 7, 8, "00050708.lmy"},
                                           TimeCase{23, 59, 59, 99, "073b3b63.lmy"},
                                           TimeCase{15, 0, 0, 0, "0f000000.lmy"}));

// ---- forcing an extension ---------------------------------------------------

struct ForceCase {
    const char* in;
    const char* ged;
    const char* lmy;
};

void PrintTo(const ForceCase& c, std::ostream* os) { *os << '"' << c.in << '"'; }

class ForceExtensionTest : public ::testing::TestWithParam<ForceCase> {};

TEST_P(ForceExtensionTest, ReplacesFromTheLastDot)
{
    std::string ged = GetParam().in, lmy = GetParam().in;
    _pg_appendGED2str(ged);
    _pg_appendLMY2str(lmy);
    EXPECT_EQ(ged, GetParam().ged);
    EXPECT_EQ(lmy, GetParam().lmy);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ForceExtensionTest,
    ::testing::Values(ForceCase{"0d2d1e63.lmy", "0d2d1e63.GED", "0d2d1e63.LMY"},
                      ForceCase{"report", "report.GED", "report.LMY"}, ForceCase{"a.b.c", "a.b.GED", "a.b.LMY"},
                      ForceCase{"name.", "name.GED", "name.LMY"}, ForceCase{"X.ged", "X.GED", "X.LMY"},
                      ForceCase{"sub.dir\\name", "sub.GED", "sub.LMY"}, ForceCase{"", ".GED", ".LMY"},
                      ForceCase{"Smith.family.lmy", "Smith.family.GED", "Smith.family.LMY"},
                      ForceCase{"0e2a1f3c.TMP", "0e2a1f3c.GED", "0e2a1f3c.LMY"}));

// ---- the base directory --------------------------------------------------------

TEST(PlaceInBaseDir, ReplacesTheLastComponent)
{
    EXPECT_EQ(PlaceInBaseDir("C:\\Prog\\Tool.exe", "*.lmy"), "C:\\Prog\\*.lmy");
    EXPECT_EQ(PlaceInBaseDir("C:\\Tool.exe", "My Family's Genealogy.lmy"), "C:\\My Family's Genealogy.lmy");
    EXPECT_EQ(PlaceInBaseDir("\\\\srv\\share\\x.exe", "a.GED"), "\\\\srv\\share\\a.GED");
}

TEST(PlaceInBaseDir, ModulePathWithoutBackslashStaysAsItIs)
{
    EXPECT_EQ(PlaceInBaseDir("lindmorh.exe", "*.lmy"), "lindmorh.exe");
}

TEST(PlaceInBaseDir, LongBaseDirectoryIsKeptWhole)
{
    std::string dir = "C:\\" + std::string(300, 'd') + "\\";
    EXPECT_EQ(PlaceInBaseDir(dir + "lindmorh.exe", "*.ged"), dir + "*.ged");
}

TEST(BaseDirSlash, UpToAndIncludingTheLastBackslash)
{
    EXPECT_EQ(BaseDirSlash("C:\\Apps\\Gen\\lindmorh.exe"), "C:\\Apps\\Gen\\");
    EXPECT_EQ(BaseDirSlash("lindmorh.exe"), "");
}

TEST(ExchangeFilePath, BesideTheExecutable)
{
    EXPECT_EQ(ExchangeFilePath("C:\\Apps\\Gen\\lindmorh.exe"), "C:\\Apps\\Gen\\LINDMORY.INI");
    EXPECT_EQ(ExchangeFilePath("lindmorh.exe"), "LINDMORY.INI");
    // Longer than the 96 bytes an old fixed buffer held: still whole.
    std::string dir = "C:\\" + std::string(120, 'x') + "\\";
    EXPECT_EQ(ExchangeFilePath(dir + "lindmorh.exe"), dir + "LINDMORY.INI");
}

// ---- document types ------------------------------------------------------------

struct TypeCase {
    const char* path;
    DocumentType type;
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.path; }

class DocumentTypeTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(DocumentTypeTest, FromTheFilesOwnExtension) { EXPECT_EQ(DocumentTypeOf(GetParam().path), GetParam().type); }

INSTANTIATE_TEST_SUITE_P(
    Paths, DocumentTypeTest,
    ::testing::Values(TypeCase{"C:\\Docs\\Smith family.lmy", DocumentType::Native},
                      TypeCase{"C:\\Docs\\SMITH.LMY", DocumentType::Native},
                      TypeCase{"D:\\Export\\smith.ged", DocumentType::Gedcom},
                      TypeCase{"D:\\Export\\SMITH.GED", DocumentType::Gedcom},
                      TypeCase{"C:\\Docs\\Family.Lmy", DocumentType::Native},
                      TypeCase{"C:\\Docs\\Smith.gEd", DocumentType::Gedcom},
                      TypeCase{"C:\\x.lmy\\tree.ged", DocumentType::Gedcom},
                      TypeCase{"C:\\Export.ged\\Smith.lmy", DocumentType::Native},
                      TypeCase{"C:\\Old.ged\\notes.txt", DocumentType::None},
                      TypeCase{"C:\\Old.ged\\notes", DocumentType::None},
                      TypeCase{"C:\\Docs\\Smith.lmy.bak", DocumentType::None},
                      TypeCase{"C:\\Docs\\Smith.lmyx", DocumentType::None},
                      TypeCase{"C:\\Docs\\Smith.gedcom", DocumentType::None},
                      TypeCase{"C:\\Docs\\.lmy", DocumentType::Native},
                      TypeCase{"C:/Docs/smith.GED", DocumentType::Gedcom},
                      TypeCase{"Smith.lmy", DocumentType::Native},
                      TypeCase{"C:\\Docs\\notes.txt", DocumentType::None}));

TEST(IsRepresentablePath, QuestionMarksMeanALostName)
{
    EXPECT_TRUE(IsRepresentablePath("C:\\Docs\\M\xFCller.lmy"));
    EXPECT_FALSE(IsRepresentablePath("C:\\Docs\\??????.ged"));
    EXPECT_FALSE(IsRepresentablePath("C:\\Docs\\*.lmy"));
}

// ---- the reply value --------------------------------------------------------

TEST(SplitReply, AtTheFirstBar)
{
    std::string work, target;
    ASSERT_TRUE(SplitReply("C:\\Prog\\0e2a1f3c.GED|D:\\Export\\tree.ged", work, target));
    EXPECT_EQ(work, "C:\\Prog\\0e2a1f3c.GED");
    EXPECT_EQ(target, "D:\\Export\\tree.ged");
    ASSERT_TRUE(SplitReply("a|b|c", work, target));
    EXPECT_EQ(work, "a");
    EXPECT_EQ(target, "b|c");
    ASSERT_TRUE(SplitReply("a|", work, target));
    EXPECT_EQ(target, "");
    EXPECT_FALSE(SplitReply("no bar here", work, target));
    EXPECT_FALSE(SplitReply("", work, target));
}

// ---- stored numbers ------------------------------------------------------------

struct DecimalCase {
    const char* text;
    unsigned long value;
};

void PrintTo(const DecimalCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class LeadingDecimalTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(LeadingDecimalTest, ReadsLeadingDigits) { EXPECT_EQ(LeadingDecimal(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Values, LeadingDecimalTest,
                         ::testing::Values(DecimalCase{"4", 4}, DecimalCase{"10", 10}, DecimalCase{"4x", 4},
                                           DecimalCase{"abc", 0}, DecimalCase{"", 0}, DecimalCase{"-4", 0},
                                           DecimalCase{"007", 7}, DecimalCase{"4294967295", 4294967295ul},
                                           DecimalCase{"99999999999", 0xFFFFFFFFul}));

TEST(AsciiCase, OnlyAsciiLettersChange)
{
    std::string s = "c:\\Docs\\M\xFCller 0a2b.lmy";
    AsciiUpper(s);
    EXPECT_EQ(s, "C:\\DOCS\\M\xFCLLER 0A2B.LMY");
    AsciiLower(s);
    EXPECT_EQ(s, "c:\\docs\\m\xFCller 0a2b.lmy");
}

}  // namespace

// ---- work-file names taken from the exchange file -------------------------

struct BareNameCase {
    const char* name;
    bool bare;
};

class BareFileNameTest : public ::testing::TestWithParam<BareNameCase> {};

TEST_P(BareFileNameTest, OnlyPlainNamesStayInTheirFolder)
{
    EXPECT_EQ(IsBareFileName(GetParam().name), GetParam().bare) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, BareFileNameTest,
    ::testing::Values(BareNameCase{"0e2a1f3c.lmy", true}, BareNameCase{"0E2A1F3C.TMP", true},
                      BareNameCase{"Smith family.lmy", true}, BareNameCase{"M\xFCller", true},
                      BareNameCase{"CONSOLE.lmy", true}, BareNameCase{"COM10.lmy", true},
                      BareNameCase{"", false}, BareNameCase{"..\\other\\precious.lmy", false},
                      BareNameCase{"..", false}, BareNameCase{"a..b.lmy", false},
                      BareNameCase{"sub\\0e2a1f3c.lmy", false}, BareNameCase{"sub/0e2a1f3c.lmy", false},
                      BareNameCase{"C:0e2a1f3c.lmy", false}, BareNameCase{"C:\\Docs\\Smith.lmy", false},
                      BareNameCase{"\\\\server\\share\\x.lmy", false},
                      BareNameCase{"work.lmy:hidden", false}, BareNameCase{"*.lmy", false},
                      BareNameCase{"0e2a1f3?.lmy", false}, BareNameCase{"a\"b.lmy", false},
                      BareNameCase{"a<b.lmy", false}, BareNameCase{"a|b.lmy", false},
                      BareNameCase{"tab\there.lmy", false}, BareNameCase{"CON", false},
                      BareNameCase{"con.lmy", false}, BareNameCase{"NUL.txt", false},
                      BareNameCase{"Aux", false}, BareNameCase{"prn.LMY", false}, BareNameCase{"COM1", false},
                      BareNameCase{"lpt9.lmy", false}, BareNameCase{"CONIN$", false},
                      BareNameCase{"nul .lmy", false}, BareNameCase{"name.", false},
                      BareNameCase{"name ", false}));

TEST(BareFileName, LongerThanAnyFileNameIsRefused)
{
    EXPECT_TRUE(IsBareFileName(std::string(251, 'a') + ".lmy"));
    EXPECT_FALSE(IsBareFileName(std::string(252, 'a') + ".lmy"));
}

TEST(UsableName, EmptyOrLongerThanAnyPathNamesNothing)
{
    EXPECT_FALSE(IsUsableName(""));
    EXPECT_TRUE(IsUsableName("C:\\Docs\\Smith.lmy"));
    EXPECT_TRUE(IsUsableName(std::string(kLongestPath, 'a')));
    EXPECT_FALSE(IsUsableName(std::string(kLongestPath + 1, 'a')));
    EXPECT_FALSE(IsUsableName(std::string(2 * 1024 * 1024, 'a')));
}

// ---- the exchange file's lock ------------------------------------------------

TEST(ExchangeLockName, OneNamePerFileWithoutBackslashes)
{
    const std::string a = ExchangeLockName("C:\\PROGRAM\\LINDMORY.INI");
    EXPECT_EQ(a.compare(0, 15, "Local\\ZivaRari-"), 0) << a;
    EXPECT_EQ(a.size(), 15u + 16u);
    EXPECT_EQ(a.find('\\', 6), std::string::npos) << "only the namespace may hold a backslash";
    EXPECT_EQ(a, ExchangeLockName("C:\\PROGRAM\\LINDMORY.INI"));
    EXPECT_NE(a, ExchangeLockName("C:\\PROGRAM2\\LINDMORY.INI"));
    EXPECT_NE(a, ExchangeLockName("D:\\PROGRAM\\LINDMORY.INI"));
    // FNV-1a of the empty text is its offset basis.
    EXPECT_EQ(ExchangeLockName(""), "Local\\ZivaRari-cbf29ce484222325");
}
