// Damaged exchange files for the commands that read one (3, 4, 5, 6, 8):
// binary garbage, lines ended by LF alone, a value of 200 KB, no [Export]
// section, a UTF-16 file with a byte-order mark, a folder in its place and
// a file that another program holds open without sharing. Whatever the
// damage, the program ends with exit code 0, shows an error box where a
// write or a read it needs failed, touches no document it was not told to
// save, and leaves no file behind. Each cell of the table states what the
// command must make of that file.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "command_strings.h"
#include "file_commands.h"
#include "harness.h"

namespace {

const char kWork[] = "0e2a1f3c.lmy";
const char kExport[] = "0A1B2C3D.GED";
const char kDefaultNative[] = "My Family's Genealogy.lmy";
const char kDefaultGedcom[] = "My Family's Genealogy.GED";
const size_t kHuge = 200 * 1024;

enum class Damage { Garbage, LfOnly, HugeValue, NoExport, Utf16, Directory, Locked };

const char* DamageName(Damage d)
{
    switch (d) {
    case Damage::Garbage: return "garbage";
    case Damage::LfOnly: return "lf_only";
    case Damage::HugeValue: return "value_of_200_kb";
    case Damage::NoExport: return "no_export_section";
    case Damage::Utf16: return "utf16_with_bom";
    case Damage::Directory: return "a_directory";
    case Damage::Locked: return "locked";
    }
    return "?";
}

// The dialog's name field before the user types (commands 3 and 4).
enum class Preset { None, Stored, Default };

// What the command leaves.
enum class Result {
    Nothing,     // nothing copied, removed or reserved; the exchange file as it was
    Saved,       // the work file is at the document's long name and removed (3, 5, 6)
    NameStored,  // command 3 stored the chosen name; no work file was named, nothing copied
    Reserved,    // command 4 replied with a work path and the chosen name
    Cleared,     // command 6 found no pair and wrote the empty reply
    Versions,    // command 8 wrote both version keys
};

const char* ResultName(Result r)
{
    switch (r) {
    case Result::Nothing: return "nothing";
    case Result::Saved: return "saved";
    case Result::NameStored: return "name_stored";
    case Result::Reserved: return "reserved";
    case Result::Cleared: return "cleared";
    case Result::Versions: return "versions";
    }
    return "?";
}

struct BadIniCase {
    Damage damage;
    int cmd;
    Preset preset;
    const char* error;  // the error box shown, e.g. "0043"; nullptr for none
    Result result;
};

void PrintTo(const BadIniCase& c, std::ostream* os)
{
    *os << DamageName(c.damage) << " cmd " << c.cmd << " -> " << (c.error ? c.error : "no box") << ", "
        << ResultName(c.result);
}

std::string BadIniName(const testing::TestParamInfo<BadIniCase>& i)
{
    return fc::CaseName(i.index, std::string(DamageName(i.param.damage)) + "_cmd" + std::to_string(i.param.cmd) +
                                     "_" + ResultName(i.param.result));
}

// A value of any length from any section.
std::string IniValue(const std::string& ini, const char* section, const char* key)
{
    std::vector<char> buf(1024);
    for (;;) {
        DWORD n = GetPrivateProfileStringA(section, key, fc::kMissing, buf.data(), static_cast<DWORD>(buf.size()),
                                           ini.c_str());
        if (n + 1 < buf.size() || buf.size() >= (1u << 24)) return std::string(buf.data(), n);
        buf.resize(buf.size() * 4);
    }
}

struct Key {
    const char* section;
    const char* key;
};
const Key kKeys[] = {{"Export", "LongFnameLMY"},   {"Export", "MyActiveFname"}, {"Export", "LongFnameGED"},
                     {"Export", "dwMajorVersion"}, {"Export", "dwPlatformId"},  {"Lindmory", "Host"},
                     {"Lindmory", "LongFnameLMY"}, {"Lindmory", "MyActiveFname"}};

std::map<std::string, std::string> ReadKeys(const std::string& ini)
{
    std::map<std::string, std::string> values;
    for (const Key& k : kKeys) values[std::string(k.section) + "/" + k.key] = IniValue(ini, k.section, k.key);
    return values;
}

// The keys a command writes; every other key must keep its value.
std::vector<std::string> WrittenKeys(int cmd)
{
    switch (cmd) {
    case 3: return {"Export/LongFnameLMY"};
    case 4: case 6: return {"Export/LongFnameGED"};
    case 8: return {"Export/dwMajorVersion", "Export/dwPlatformId"};
    default: return {};
    }
}

class BadExchangeFile : public testing::TestWithParam<BadIniCase> {
protected:
    fc::Dirs d{"badini"};
    const std::string nativeDoc = d.docs / "Smith.lmy";
    const std::string gedcomDoc = d.docs / "Smith.ged";
    const std::string oldNative = fc::Document("old native document");
    const std::string oldGedcom = fc::Document("old GEDCOM export");
    const std::string work = fc::Document("native work file", 20000);
    const std::string exported = fc::Document("pending export", 20000);

    // The exchange file as a sound host writes it, lines ended by `eol`;
    // for the 200 KB case the value the command reads is that long.
    std::string SoundText(const std::string& eol, bool huge, int cmd) const
    {
        std::string longName = nativeDoc;
        std::string reply = (d.base / kExport) + "|" + gedcomDoc;
        std::string major;
        if (huge && (cmd == 3 || cmd == 4 || cmd == 5)) longName = d.docs / (std::string(kHuge, 'S') + ".lmy");
        if (huge && cmd == 6) reply = (d.base / kExport) + "|" + (d.docs / (std::string(kHuge, 'T') + ".ged"));
        if (huge && cmd == 8) major = std::string(kHuge, '4');
        std::string text = "[Lindmory]" + eol + "Host=kept by the host" + eol + "[Export]" + eol +
                           "LongFnameLMY=" + longName + eol + "MyActiveFname=" + kWork + eol +
                           "LongFnameGED=" + reply + eol;
        if (!major.empty()) text += "dwMajorVersion=" + major + eol;
        return text;
    }

    std::string DamagedText(const BadIniCase& c) const
    {
        switch (c.damage) {
        case Damage::Garbage: {
            cmdgen::Random r(0xBADF11E5u + static_cast<unsigned>(c.cmd));
            std::string bytes;
            for (int i = 0; i < 4096; ++i) bytes += static_cast<char>(r.Below(256));
            return bytes;
        }
        case Damage::LfOnly: return SoundText("\n", false, c.cmd);
        case Damage::HugeValue: return SoundText("\r\n", true, c.cmd);
        case Damage::NoExport:
            return "[Lindmory]\r\nHost=kept by the host\r\nLongFnameLMY=" + nativeDoc + "\r\nMyActiveFname=" + kWork +
                   "\r\nLongFnameGED=" + (d.base / kExport) + "|" + gedcomDoc + "\r\n";
        case Damage::Utf16: {
            std::string narrow = SoundText("\r\n", false, c.cmd);
            std::string bytes = "\xFF\xFE";
            for (char ch : narrow) {
                bytes += ch;
                bytes += '\0';
            }
            return bytes;
        }
        case Damage::Directory: return "";
        case Damage::Locked: return SoundText("\r\n", false, c.cmd);
        }
        return "";
    }
};

// Sets up the host's files and the damaged exchange file, runs the command
// as the user would (confirming a new name in the Save As dialog, answering
// Yes to "Verify save?"), and checks what the cell says.
TEST_P(BadExchangeFile, NoCrashNoSilentFailureNoDocumentTouched)
{
    const BadIniCase& c = GetParam();
    const std::string shot = "badini-" + std::string(DamageName(c.damage)) + "-cmd" + std::to_string(c.cmd);
    ASSERT_TRUE(e2e::WriteFileBytes(nativeDoc, oldNative));
    ASSERT_TRUE(e2e::WriteFileBytes(gedcomDoc, oldGedcom));
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kWork, work));
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kExport, exported));
    const std::string ini = d.ini();
    if (c.damage == Damage::Directory) {
        ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));
    } else {
        ASSERT_TRUE(e2e::WriteFileBytes(ini, DamagedText(c)));
    }
    const std::string iniBefore = e2e::ReadFileBytes(ini);
    const std::map<std::string, std::string> keysBefore = ReadKeys(ini);
    const std::string chosen = d.docs / (c.cmd == 3 ? "Chosen.lmy" : "Chosen.ged");

    {
        fc::Lock lock(c.damage == Damage::Locked ? ini : std::string());
        ASSERT_EQ(lock.Held(), c.damage == Damage::Locked);
        auto p = e2e::StartLindmorh(d.base.Path(), std::to_string(c.cmd));
        // Commands 3 and 4 show no dialog when they cannot read what to
        // propose in it.
        if ((c.cmd == 3 || c.cmd == 4) && c.preset != Preset::None) {
            HWND dlg = fc::ExpectFileDialog(*p, "Save As", shot + "-save-as");
            ASSERT_NE(dlg, nullptr);
            const std::string shown = e2e::DialogFileName(dlg);
            if (c.preset == Preset::Stored) {
                const std::string stored = c.cmd == 3 ? "Smith.lmy" : "Smith.GED";
                const std::string folder = c.cmd == 3 ? d.docs.Path() : d.base.Path();
                EXPECT_TRUE(shown == stored || shown == folder + "\\" + stored) << "name field: " << shown;
            } else {
                const std::string def = c.cmd == 3 ? kDefaultNative : kDefaultGedcom;
                EXPECT_TRUE(shown == def || shown == d.base / def) << "name field: " << shown.substr(0, 300);
            }
            e2e::ConfirmFileDialog(dlg, chosen);
        }
        if ((c.cmd == 5 || c.cmd == 6) && c.result == Result::Saved) {
            ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(c.cmd == 5 ? nativeDoc : gedcomDoc), IDYES, shot + "-verify"));
        }
        if (c.error && std::string(c.error) == "0047" && c.damage == Damage::Locked) {
            fc::AnswerBox(*p,
                          fc::ErrorBox("0047", "\n\nThe exchange file\n" + ini + "\ncould not be read.\n\n" +
                                                   fc::SystemReason(ERROR_SHARING_VIOLATION)),
                          IDOK, shot + "-error-0047");
        } else if (c.error && std::string(c.error) == "0047") {
            fc::AnswerErrorWithReason(*p, c.error, fc::ExchangeUnreadable(ini), shot + "-error-0047");
        } else if (c.error) {
            fc::AnswerBox(*p, fc::ErrorBox(c.error), IDOK, shot + "-error-" + c.error);
        }
        fc::ExpectCleanExit(*p, shot);
    }

    // Documents: only a save changes one, and only the one it names.
    const bool saved = c.result == Result::Saved;
    EXPECT_EQ(e2e::ReadFileBytes(nativeDoc), saved && c.cmd == 5 ? work : oldNative);
    EXPECT_EQ(e2e::ReadFileBytes(gedcomDoc), saved && c.cmd == 6 ? exported : oldGedcom);
    std::vector<std::string> docs{"Smith.ged", "Smith.lmy"};
    if (saved && c.cmd == 3) {
        EXPECT_EQ(e2e::ReadFileBytes(chosen), work);
        docs.insert(docs.begin(), "Chosen.lmy");
    }
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), docs) << "a file appeared beside the documents";

    // Work files: removed only once safely saved; nothing else left behind.
    const bool workSaved = saved && (c.cmd == 3 || c.cmd == 5);
    const bool exportSaved = saved && c.cmd == 6;
    std::vector<std::string> known{fc::kExe, fc::kIniName};
    if (workSaved) {
        EXPECT_FALSE(e2e::FileExists(d.base / kWork)) << "the saved work file was kept";
    } else {
        EXPECT_EQ(e2e::ReadFileBytes(d.base / kWork), work);
        known.push_back(kWork);
    }
    if (exportSaved) {
        EXPECT_FALSE(e2e::FileExists(d.base / kExport)) << "the copied export was kept";
    } else {
        EXPECT_EQ(e2e::ReadFileBytes(d.base / kExport), exported);
        known.push_back(kExport);
    }
    EXPECT_EQ(fc::FilesBesides(d.base.Path(), known), std::vector<std::string>{});

    // The exchange file.
    if (c.damage == Damage::Directory) {
        DWORD attr = GetFileAttributesA(ini.c_str());
        EXPECT_TRUE(attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY));
        return;
    }
    if (c.result == Result::Nothing || (c.result == Result::Saved && c.cmd == 5)) {
        EXPECT_TRUE(e2e::ReadFileBytes(ini) == iniBefore) << "the exchange file was changed";
        return;
    }
    std::map<std::string, std::string> keysAfter = ReadKeys(ini);
    const std::string reply = keysAfter["Export/LongFnameGED"];
    switch (c.result) {
    case Result::Saved:
        EXPECT_EQ(c.cmd == 3 ? keysAfter["Export/LongFnameLMY"] : reply, c.cmd == 3 ? chosen : "");
        break;
    case Result::NameStored: EXPECT_EQ(keysAfter["Export/LongFnameLMY"], chosen); break;
    case Result::Cleared: EXPECT_EQ(reply, ""); break;
    case Result::Reserved: {
        const size_t bar = reply.find('|');
        ASSERT_NE(bar, std::string::npos) << reply.substr(0, 300);
        EXPECT_EQ(reply.substr(bar + 1), chosen);
        const std::string workPath = reply.substr(0, bar);
        EXPECT_EQ(workPath.rfind(d.base.Path() + "\\", 0), 0u) << workPath;
        EXPECT_TRUE(fc::IsWorkName(workPath.substr(d.base.Path().size() + 1), false, ".GED")) << workPath;
        break;
    }
    case Result::Versions: {
        const std::string major = keysAfter["Export/dwMajorVersion"], platform = keysAfter["Export/dwPlatformId"];
        EXPECT_TRUE(!major.empty() && major.size() < 12 && major.find_first_not_of("0123456789") == std::string::npos)
            << major.substr(0, 100);
        EXPECT_TRUE(!platform.empty() && platform.find_first_not_of("0123456789") == std::string::npos) << platform;
        break;
    }
    case Result::Nothing: break;
    }
    // Every key the command does not write keeps its value, the host's
    // section and the 200 KB value included.
    std::map<std::string, std::string> expected = keysBefore;
    for (const std::string& k : WrittenKeys(c.cmd)) expected.erase(k);
    for (const auto& [k, v] : expected) {
        EXPECT_TRUE(keysAfter[k] == v) << k << " changed: \"" << keysAfter[k].substr(0, 100) << "\" instead of \""
                                       << v.substr(0, 100) << "\"";
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cells, BadExchangeFile, testing::Values(
    // Garbage holds no [Export] section: every value reads as missing.
    BadIniCase{Damage::Garbage, 3, Preset::Default, nullptr, Result::NameStored},
    BadIniCase{Damage::Garbage, 4, Preset::Default, nullptr, Result::Reserved},
    BadIniCase{Damage::Garbage, 5, Preset::None, nullptr, Result::Nothing},
    BadIniCase{Damage::Garbage, 6, Preset::None, nullptr, Result::Cleared},
    BadIniCase{Damage::Garbage, 8, Preset::None, nullptr, Result::Versions},
    // Lines ended by LF alone are lines all the same.
    BadIniCase{Damage::LfOnly, 3, Preset::Stored, nullptr, Result::Saved},
    BadIniCase{Damage::LfOnly, 4, Preset::Stored, nullptr, Result::Reserved},
    BadIniCase{Damage::LfOnly, 5, Preset::None, nullptr, Result::Saved},
    BadIniCase{Damage::LfOnly, 6, Preset::None, nullptr, Result::Saved},
    BadIniCase{Damage::LfOnly, 8, Preset::None, nullptr, Result::Versions},
    // A value longer than any path is no name: the dialogs propose their
    // default, commands 5 and 6 do nothing and say nothing, command 6 keeps
    // the value; a 200 KB version number is replaced.
    BadIniCase{Damage::HugeValue, 3, Preset::Default, nullptr, Result::Saved},
    BadIniCase{Damage::HugeValue, 4, Preset::Default, nullptr, Result::Reserved},
    BadIniCase{Damage::HugeValue, 5, Preset::None, nullptr, Result::Nothing},
    BadIniCase{Damage::HugeValue, 6, Preset::None, nullptr, Result::Nothing},
    BadIniCase{Damage::HugeValue, 8, Preset::None, nullptr, Result::Versions},
    // The keys in another section are not the program's: all missing.
    BadIniCase{Damage::NoExport, 3, Preset::Default, nullptr, Result::NameStored},
    BadIniCase{Damage::NoExport, 4, Preset::Default, nullptr, Result::Reserved},
    BadIniCase{Damage::NoExport, 5, Preset::None, nullptr, Result::Nothing},
    BadIniCase{Damage::NoExport, 6, Preset::None, nullptr, Result::Cleared},
    BadIniCase{Damage::NoExport, 8, Preset::None, nullptr, Result::Versions},
    // The profile service reads and writes a UTF-16 file with its mark.
    BadIniCase{Damage::Utf16, 3, Preset::Stored, nullptr, Result::Saved},
    BadIniCase{Damage::Utf16, 4, Preset::Stored, nullptr, Result::Reserved},
    BadIniCase{Damage::Utf16, 5, Preset::None, nullptr, Result::Saved},
    BadIniCase{Damage::Utf16, 6, Preset::None, nullptr, Result::Saved},
    BadIniCase{Damage::Utf16, 8, Preset::None, nullptr, Result::Versions},
    // A folder cannot be read or written: the write of 3 and 4 fails
    // (0x43, 0x45), 5 and 6 cannot read what to save (0x47); 8 reports
    // nothing, as it never does.
    BadIniCase{Damage::Directory, 3, Preset::None, "0047", Result::Nothing},
    BadIniCase{Damage::Directory, 4, Preset::None, "0047", Result::Nothing},
    BadIniCase{Damage::Directory, 5, Preset::None, "0047", Result::Nothing},
    BadIniCase{Damage::Directory, 6, Preset::None, "0047", Result::Nothing},
    BadIniCase{Damage::Directory, 8, Preset::None, "0047", Result::Nothing},
    // Held open without sharing by another program: the same.
    BadIniCase{Damage::Locked, 3, Preset::None, "0047", Result::Nothing},
    BadIniCase{Damage::Locked, 4, Preset::None, "0047", Result::Nothing},
    BadIniCase{Damage::Locked, 5, Preset::None, "0047", Result::Nothing},
    BadIniCase{Damage::Locked, 6, Preset::None, "0047", Result::Nothing},
    BadIniCase{Damage::Locked, 8, Preset::None, "0047", Result::Nothing}),
    BadIniName);
// clang-format on

}  // namespace
