// Generated command strings through the real program, each passed as the
// one argument of an exact command line: every run ends with exit code 0;
// a string that selects no command shows nothing and leaves the base
// directory and the exchange file byte for byte as they were; one that
// selects a command shows that command's dialog or question, which is
// answered with Cancel or No, and leaves what that answer leaves.
//
// Command 7 would start its parameter as a program, so a string that
// selects 7 is sent with its parameter cut off (alternately "7" and "7_"):
// the code is still generated, only the launch is left out.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "command_strings.h"
#include "file_commands.h"
#include "harness.h"

namespace {

constexpr size_t kChunks = 8;
constexpr size_t kPerChunk = 26;
constexpr std::uint64_t kSeed = 0x7E57C0DE5EEDull;
constexpr size_t kLongLength = 6000;
constexpr DWORD kRunMs = 15000;

const char kWork[] = "0e2a1f3c.lmy";
const char kExport[] = "0A1B2C3D.GED";

bool NeedsQuotes(const std::string& s) { return s.empty() || s.find_first_of(" \t") != std::string::npos; }

// The strings as they are sent.
const std::vector<std::string>& Strings()
{
    static const std::vector<std::string> strings = [] {
        std::vector<std::string> out =
            cmdgen::GenerateStrings(kSeed, kChunks * kPerChunk, cmdgen::kCommandLineAlphabet, kLongLength);
        bool cutWithUnderscore = false;
        for (std::string& s : out) {
            if (cmdgen::ModelCodeOf(s) == 7) {
                s = cmdgen::CodeText(s) + (cutWithUnderscore ? "_" : "");
                cutWithUnderscore = !cutWithUnderscore;
            }
            // Within quotes a final backslash would escape the closing one
            // for some runtimes; a letter after it changes no code.
            if (NeedsQuotes(s) && !s.empty() && s.back() == '\\') s += 'z';
        }
        return out;
    }();
    return strings;
}

// One argument on the command line. Quotes group blanks; the generated
// strings hold no quote, and one that must be quoted does not end in a
// backslash (which some runtimes read as escaping the closing quote).
std::string Quoted(const std::string& s) { return NeedsQuotes(s) ? "\"" + s + "\"" : s; }

std::string Printable(const std::string& s)
{
    std::string out;
    for (char c : s.substr(0, 60)) out += c == '\t' ? std::string("\\t") : std::string(1, c);
    return "\"" + out + (s.size() > 60 ? "...\" (" + std::to_string(s.size()) + " characters)" : "\"");
}

// The host's files: a native work file and an export pending, the old
// documents, and an exchange file with a section of the host's own.
struct Fixture {
    explicit Fixture(size_t chunk) : d("cmdstr" + std::to_string(chunk)) {}

    fc::Dirs d;
    std::string iniText;
    std::map<std::string, std::string> baseFiles, docsFiles;  // bare name -> content

    std::string NativeDoc() const { return d.docs / "Smith.lmy"; }
    std::string GedcomDoc() const { return d.docs / "Smith.ged"; }

    bool Prepare()
    {
        iniText = "[Lindmory]\r\nHostKey=kept by the host\r\n[Export]\r\nLongFnameLMY=" + NativeDoc() +
                  "\r\nMyActiveFname=" + kWork + "\r\nLongFnameGED=" + (d.base / kExport) + "|" + GedcomDoc() +
                  "\r\n";
        baseFiles = {{kWork, fc::Document("native work")}, {kExport, fc::Document("pending export")}};
        docsFiles = {{"Smith.lmy", fc::Document("old native")}, {"Smith.ged", fc::Document("old export")}};
        return Restore();
    }

    // Puts every file back as prepared and removes any other.
    bool Restore()
    {
        bool ok = e2e::WriteFileBytes(d.ini(), iniText);
        for (const auto& [name, content] : baseFiles)
            if (e2e::ReadFileBytes(d.base / name) != content || !e2e::FileExists(d.base / name))
                ok &= e2e::WriteFileBytes(d.base / name, content);
        for (const auto& [name, content] : docsFiles)
            if (e2e::ReadFileBytes(d.docs / name) != content) ok &= e2e::WriteFileBytes(d.docs / name, content);
        for (const std::string& f : fc::FilesBesides(d.base.Path(), {fc::kExe, fc::kIniName, kWork, kExport}))
            DeleteFileA((d.base / f).c_str());
        for (const std::string& f : fc::FilesBesides(d.docs.Path(), {"Smith.lmy", "Smith.ged"}))
            DeleteFileA((d.docs / f).c_str());
        return ok;
    }
};

// What the program showed, one entry per window: a file dialog's title, or
// a box's caption and text.
std::vector<std::string> RunAndAnswer(e2e::Process& p, const std::string& shotPrefix,
                                      std::set<std::string>& photographed, bool& ended)
{
    std::vector<std::string> seen;
    std::set<HWND> answered;
    DWORD start = GetTickCount();
    ended = false;
    while (!(ended = p.WaitExit(5))) {
        if (GetTickCount() - start >= kRunMs) return seen;
        HWND w = e2e::WaitForWindow(p.Id(), "#32770", 0);
        if (!w || answered.count(w)) continue;
        answered.insert(w);
        std::string what;
        int answer = IDCANCEL;
        if (fc::IsFileDialog(w)) {
            what = e2e::WindowTitle(w);
        } else {
            what = e2e::WindowTitle(w) + ": " + e2e::MessageBoxText(w);
            std::vector<int> buttons = e2e::ButtonIds(w);
            answer = std::find(buttons.begin(), buttons.end(), IDNO) != buttons.end() ? IDNO : IDOK;
        }
        seen.push_back(what);
        const std::string kind = fc::IsFileDialog(w) ? what : "box-" + e2e::WindowTitle(w);
        if (photographed.insert(kind).second) fc::Shot(w, shotPrefix + kind);
        e2e::PressButton(w, answer);
        fc::WaitGone(w);
    }
    return seen;
}

// The exchange file's keys other than the version keys, read back.
std::map<std::string, std::string> HostKeys(const std::string& ini)
{
    std::map<std::string, std::string> keys;
    for (const char* key : {"LongFnameLMY", "MyActiveFname", "LongFnameGED"}) keys[key] = e2e::ReadIni(ini, key);
    char host[128] = {};
    GetPrivateProfileStringA("Lindmory", "HostKey", "<missing>", host, sizeof host, ini.c_str());
    keys["[Lindmory] HostKey"] = host;
    return keys;
}

bool IsDecimal(const std::string& s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

class CommandStrings : public testing::TestWithParam<size_t> {};

TEST_P(CommandStrings, EndWithZeroAndTouchOnlyWhatTheirCommandMay)
{
    const size_t chunk = GetParam();
    Fixture f(chunk);
    ASSERT_TRUE(f.Prepare());
    const std::string exe = e2e::InstallProgram(f.d.base.Path());
    ASSERT_FALSE(exe.empty());
    const std::string ini = f.d.ini();
    const std::map<std::string, std::string> keysBefore = HostKeys(ini);
    const std::vector<std::string> baseBefore = e2e::ListFiles(f.d.base.Path());
    const std::vector<std::string> docsBefore = e2e::ListFiles(f.d.docs.Path());
    std::set<std::string> photographed;

    for (size_t i = chunk * kPerChunk; i < (chunk + 1) * kPerChunk; ++i) {
        const std::string& s = Strings()[i];
        const unsigned code = cmdgen::ModelCodeOf(s);
        SCOPED_TRACE("string #" + std::to_string(i) + " " + Printable(s) + ", code " + std::to_string(code));

        e2e::Process p(exe, "\"" + exe + "\" " + Quoted(s), f.d.base.Path());
        ASSERT_TRUE(p.Started());
        bool ended = false;
        const std::vector<std::string> seen =
            RunAndAnswer(p, "cmdstr-" + std::to_string(chunk) + "-code" + std::to_string(code) + "-", photographed,
                         ended);
        EXPECT_TRUE(ended) << "still running after " << kRunMs << " ms";
        if (!ended) p.Kill();
        EXPECT_EQ(p.ExitCode(), 0u);

        std::vector<std::string> expected;
        switch (code) {
        case 1: case 2: expected = {"Open"}; break;
        case 3: case 4: expected = {"Save As"}; break;
        case 5: expected = {"Tamberlo 3.1: " + fc::VerifyText(f.NativeDoc())}; break;
        case 6: expected = {"Tamberlo 3.1: " + fc::VerifyText(f.GedcomDoc())}; break;
        default: break;
        }
        EXPECT_EQ(seen, expected);

        // What each answer leaves: Cancel leaves an empty reply (1, 2, 4)
        // or nothing (3); No discards the native work file (5) and clears
        // the reply without copying (6); 8 may add the version keys.
        std::map<std::string, std::string> keys = keysBefore;
        std::vector<std::string> baseAfter = baseBefore;
        if (code == 1 || code == 2 || code == 4 || code == 6) keys["LongFnameGED"] = "";
        if (code == 5) baseAfter.erase(std::find(baseAfter.begin(), baseAfter.end(), kWork));
        if (code == 1 || code == 2 || code == 4 || code == 6 || code == 8) {
            EXPECT_EQ(HostKeys(ini), keys);
        } else {
            EXPECT_EQ(e2e::ReadFileBytes(ini), f.iniText) << "the exchange file changed";
        }
        if (code == 8) {
            EXPECT_TRUE(IsDecimal(e2e::ReadIni(ini, "dwMajorVersion"))) << e2e::ReadIni(ini, "dwMajorVersion");
            EXPECT_TRUE(IsDecimal(e2e::ReadIni(ini, "dwPlatformId"))) << e2e::ReadIni(ini, "dwPlatformId");
        }
        EXPECT_EQ(e2e::ListFiles(f.d.base.Path()), baseAfter);
        EXPECT_EQ(e2e::ListFiles(f.d.docs.Path()), docsBefore);
        for (const auto& [name, content] : f.baseFiles) {
            if (std::find(baseAfter.begin(), baseAfter.end(), name) != baseAfter.end()) {
                EXPECT_EQ(e2e::ReadFileBytes(f.d.base / name), content) << name << " changed";
            }
        }
        for (const auto& [name, content] : f.docsFiles) {
            EXPECT_EQ(e2e::ReadFileBytes(f.d.docs / name), content) << name << " changed";
        }

        ASSERT_TRUE(f.Restore());
        if (HasFatalFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Chunks, CommandStrings, testing::Range<size_t>(0, kChunks),
                         [](const testing::TestParamInfo<size_t>& i) { return "chunk" + std::to_string(i.param); });

// The strings themselves reach every command and plenty of non-commands,
// so that the runs above cover what they claim.
TEST(CommandStringsGenerated, CoverEveryCommandAndNonCommands)
{
    std::map<unsigned, size_t> perCode;
    size_t nonCommands = 0, quoted = 0, longOnes = 0;
    for (const std::string& s : Strings()) {
        unsigned code = cmdgen::ModelCodeOf(s);
        if (code >= 1 && code <= 8) ++perCode[code];
        else ++nonCommands;
        if (NeedsQuotes(s)) ++quoted;
        if (s.size() >= kLongLength) ++longOnes;
        EXPECT_EQ(s.find('"'), std::string::npos) << Printable(s);
        if (NeedsQuotes(s) && !s.empty()) {
            EXPECT_NE(s.back(), '\\') << Printable(s);
        }
    }
    for (unsigned code = 1; code <= 8; ++code) EXPECT_GE(perCode[code], 3u) << "command " << code;
    EXPECT_GE(nonCommands, 100u);
    EXPECT_GE(quoted, 10u);
    EXPECT_GE(longOnes, 5u);
}

}  // namespace
