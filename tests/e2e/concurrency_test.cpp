// Instances started together in one base directory: each stages its own
// document in a work file of its own, none empties or overwrites another's,
// and the exchange file keeps every key and section the host had put there.
// Every round starts ten instances at once; the answers to their dialogs
// are given as close together as the test can give them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "file_commands.h"
#include "harness.h"

namespace {

constexpr int kInstances = 10;
constexpr int kRounds = 10;

// The host's exchange file: its own sections around [Export], which holds
// the names of the document being worked on.
const char kHostIni[] =
    "[Lindmory]\r\n"
    "Version=5.2\r\n"
    "LastTree=C:\\Trees\\Smith and Jones.lmy\r\n"
    "Window=12,40,800,600\r\n"
    "[Export]\r\n"
    "LongFnameLMY=C:\\Trees\\Smith and Jones.lmy\r\n"
    "MyActiveFname=0e2a1f3c.lmy\r\n"
    "[Recent]\r\n"
    "File1=C:\\Trees\\Old.lmy\r\n"
    "File2=C:\\Trees\\Older.ged\r\n";

struct HostKey {
    const char* section;
    const char* key;
    const char* value;
};
const HostKey kHostKeys[] = {{"Lindmory", "Version", "5.2"},
                             {"Lindmory", "LastTree", "C:\\Trees\\Smith and Jones.lmy"},
                             {"Lindmory", "Window", "12,40,800,600"},
                             {"Export", "LongFnameLMY", "C:\\Trees\\Smith and Jones.lmy"},
                             {"Export", "MyActiveFname", "0e2a1f3c.lmy"},
                             {"Recent", "File1", "C:\\Trees\\Old.lmy"},
                             {"Recent", "File2", "C:\\Trees\\Older.ged"}};

// Every key the host wrote still holds its value.
void ExpectHostKeys(const std::string& ini)
{
    for (const HostKey& k : kHostKeys) {
        char value[256] = {};
        GetPrivateProfileStringA(k.section, k.key, fc::kMissing, value, sizeof value, ini.c_str());
        EXPECT_STREQ(value, k.value) << "[" << k.section << "] " << k.key << " was lost or changed";
    }
}

// Starts `count` instances of the installed program with `args` at once.
std::vector<std::unique_ptr<e2e::Process>> StartTogether(const std::string& exe, const std::string& baseDir,
                                                         const std::string& args, int count)
{
    std::vector<std::unique_ptr<e2e::Process>> processes;
    for (int i = 0; i < count; ++i)
        processes.push_back(std::make_unique<e2e::Process>(exe, "\"" + exe + "\" " + args, baseDir));
    return processes;
}

std::string RoundName(const testing::TestParamInfo<int>& i) { return "round" + std::to_string(i.param); }

// ---- command 1, ten instances ---------------------------------------------------

class OpenTogether : public testing::TestWithParam<int> {};

// Half of the documents are native, half GEDCOM (which also leave their
// empty native-extension placeholder); every one is a different file.
TEST_P(OpenTogether, TenDocumentsInTenWorkFilesAndTheHostsKeysKept)
{
    const int round = GetParam();
    fc::Dirs d("together-open");
    ASSERT_TRUE(e2e::WriteFileBytes(d.ini(), kHostIni));
    std::vector<std::string> docs, contents;
    for (int i = 0; i < kInstances; ++i) {
        const bool native = i % 2 == 0;
        docs.push_back(d.docs / ("Family " + std::to_string(i) + (native ? ".lmy" : ".ged")));
        contents.push_back(fc::Document("document " + std::to_string(i) + " of round " + std::to_string(round),
                                        4000 + 997 * static_cast<size_t>(i)));
        ASSERT_TRUE(e2e::WriteFileBytes(docs.back(), contents.back()));
    }
    const std::string exe = e2e::InstallProgram(d.base.Path());
    ASSERT_FALSE(exe.empty());

    auto processes = StartTogether(exe, d.base.Path(), "1", kInstances);
    std::vector<HWND> dialogs;
    for (int i = 0; i < kInstances; ++i) {
        ASSERT_TRUE(processes[i]->Started());
        HWND dlg = fc::WaitForFileDialog(*processes[i]);
        ASSERT_NE(dlg, nullptr) << "instance " << i << " showed no Open dialog";
        EXPECT_EQ(e2e::WindowTitle(dlg), "Open");
        dialogs.push_back(dlg);
    }
    if (round == 0) fc::Shot(dialogs[0], "together-open-dialog");
    for (int i = 0; i < kInstances; ++i) e2e::SetDialogFileName(dialogs[i], docs[i]);
    for (int i = 0; i < kInstances; ++i) e2e::PressButton(dialogs[i], IDOK);
    for (int i = 0; i < kInstances; ++i) fc::ExpectCleanExit(*processes[i], "together-open-" + std::to_string(i));

    // Ten work files, each a copy of its own document.
    std::vector<std::string> staged = fc::FilesBesides(d.base.Path(), {fc::kExe, fc::kIniName});
    std::map<std::string, int> documentOf;  // work file -> index of the document it holds
    std::vector<std::string> placeholders;
    for (const std::string& name : staged) {
        const std::string content = e2e::ReadFileBytes(d.base / name);
        if (content.empty() && fc::IsWorkName(name, false, ".lmy")) {
            placeholders.push_back(name);
            continue;
        }
        auto at = std::find(contents.begin(), contents.end(), content);
        if (at == contents.end()) {
            ADD_FAILURE() << name << " holds none of the documents (" << content.size() << " bytes)";
            continue;
        }
        const int index = static_cast<int>(at - contents.begin());
        const bool native = index % 2 == 0;
        EXPECT_TRUE(native ? fc::IsWorkName(name, false, ".lmy") : fc::IsWorkName(name, true, ".GED")) << name;
        documentOf[name] = index;
    }
    std::vector<int> held;
    for (const auto& [name, index] : documentOf) held.push_back(index);
    std::sort(held.begin(), held.end());
    std::vector<int> all(kInstances);
    for (int i = 0; i < kInstances; ++i) all[i] = i;
    EXPECT_EQ(held, all) << "not every document has a work file of its own";
    // Each GEDCOM work file has its empty native-extension placeholder, and
    // there is no other empty file.
    std::vector<std::string> expectedPlaceholders;
    for (const auto& [name, index] : documentOf)
        if (index % 2 == 1) expectedPlaceholders.push_back(fc::Lower(name.substr(0, 8)) + ".lmy");
    std::sort(expectedPlaceholders.begin(), expectedPlaceholders.end());
    EXPECT_EQ(placeholders, expectedPlaceholders);

    for (int i = 0; i < kInstances; ++i) EXPECT_EQ(e2e::ReadFileBytes(docs[i]), contents[i]) << docs[i];

    // The last reply names one of the work files, holding the document named.
    ExpectHostKeys(d.ini());
    const std::string reply = fc::Reply(d.base);
    const size_t bar = reply.find('|');
    ASSERT_NE(bar, std::string::npos) << "reply: " << reply;
    const std::string work = reply.substr(0, bar);
    auto it = std::find_if(documentOf.begin(), documentOf.end(),
                           [&](const auto& entry) { return lstrcmpiA(entry.first.c_str(), work.c_str()) == 0; });
    ASSERT_NE(it, documentOf.end()) << "the reply names no staged work file: " << reply;
    EXPECT_EQ(reply.substr(bar + 1), docs[it->second]);
    EXPECT_EQ(e2e::ReadFileBytes(d.base / work), contents[it->second]);
}

INSTANTIATE_TEST_SUITE_P(Rounds, OpenTogether, testing::Range(0, kRounds), RoundName);

// ---- command 8, ten instances ---------------------------------------------------

class VersionTogether : public testing::TestWithParam<int> {};

TEST_P(VersionTogether, ExchangeFileStaysValidWithBothKeys)
{
    // What one instance alone records.
    std::string major, platform;
    {
        e2e::TempDir alone("together-version-alone");
        ASSERT_TRUE(e2e::WriteFileBytes(fc::Ini(alone), kHostIni));
        auto p = e2e::StartLindmorh(alone.Path(), "8");
        fc::ExpectCleanExit(*p);
        major = e2e::ReadIni(fc::Ini(alone), "dwMajorVersion");
        platform = e2e::ReadIni(fc::Ini(alone), "dwPlatformId");
        ASSERT_NE(major, fc::kMissing);
        ASSERT_NE(platform, fc::kMissing);
    }

    e2e::TempDir base("together-version");
    ASSERT_TRUE(e2e::WriteFileBytes(fc::Ini(base), kHostIni));
    const std::string exe = e2e::InstallProgram(base.Path());
    ASSERT_FALSE(exe.empty());
    auto processes = StartTogether(exe, base.Path(), "8", kInstances);
    for (int i = 0; i < kInstances; ++i) {
        ASSERT_TRUE(processes[i]->Started());
        fc::ExpectCleanExit(*processes[i], "together-version-" + std::to_string(i));
    }

    EXPECT_EQ(e2e::ReadIni(fc::Ini(base), "dwMajorVersion"), major);
    EXPECT_EQ(e2e::ReadIni(fc::Ini(base), "dwPlatformId"), platform);
    ExpectHostKeys(fc::Ini(base));
    EXPECT_EQ(fc::Reply(base), fc::kMissing) << "command 8 wrote a reply";
    EXPECT_EQ(fc::FilesBesides(base.Path(), {fc::kExe, fc::kIniName}), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Rounds, VersionTogether, testing::Range(0, kRounds), RoundName);

}  // namespace
