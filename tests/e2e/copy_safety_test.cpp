// What other programs may do while a document is saved: a scanner or an
// indexer that opens every new file it sees must not make the save fail,
// and a document reached through a symbolic link stays linked, with the
// new content in the file the link leads to.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "file_commands.h"
#include "harness.h"

namespace {

const char kWork[] = "0e2a1f3c.lmy";

// Opens every file that appears in `dir` for reading, sharing everything,
// and keeps it open for a while, as virus scanners and indexers do.
class Scanner {
public:
    explicit Scanner(const std::string& dir) : dir_(dir), thread_([this] { Run(); }) {}
    ~Scanner()
    {
        stop_ = true;
        thread_.join();
    }
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;
    // How many new files it managed to hold open.
    int Held() const { return held_; }

private:
    void Run()
    {
        std::set<std::string> seen(known_.begin(), known_.end());
        while (!stop_) {
            for (const std::string& name : e2e::ListFiles(dir_)) {
                if (seen.count(name)) continue;
                HANDLE h = CreateFileA((dir_ + "\\" + name).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
                if (h == INVALID_HANDLE_VALUE) continue;  // tried again on the next look
                seen.insert(name);
                ++held_;
                Sleep(30);
                CloseHandle(h);
            }
            Sleep(1);
        }
    }
    std::string dir_;
    std::vector<std::string> known_ = e2e::ListFiles(dir_);
    std::atomic<bool> stop_{false};
    std::atomic<int> held_{0};
    std::thread thread_;
};

TEST(CopySafety, ScannerOpeningTheNewCopyDoesNotFailTheSave)
{
    fc::Dirs d("scanned");
    const std::string target = d.docs / "Smith.lmy";
    const std::string oldDoc = fc::Document("old");
    // Big enough that the copy takes a while under the scanner's eyes.
    const std::string work = fc::Document("edited", 48 * 1024 * 1024);
    ASSERT_TRUE(e2e::WriteFileBytes(target, oldDoc));
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kWork, work));
    e2e::WriteIni(d.ini(), "LongFnameLMY", target);
    e2e::WriteIni(d.ini(), "MyActiveFname", kWork);
    {
        Scanner scanner(d.docs.Path());
        auto p = e2e::StartLindmorh(d.base.Path(), "5");
        ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(target), IDYES, "scanned-verify"));
        // A failure would show 0x46 and keep the program open.
        fc::ExpectCleanExit(*p, "scanned");
        std::cout << "the scanner held " << scanner.Held() << " new file(s) open" << std::endl;
    }
    EXPECT_TRUE(e2e::ReadFileBytes(target) == work) << "the document does not hold the saved work";
    EXPECT_FALSE(e2e::FileExists(d.base / kWork)) << "the work file was kept";
    EXPECT_EQ(e2e::ListFiles(d.docs.Path()), std::vector<std::string>{"Smith.lmy"});
}

// ---- a document reached through a symbolic link --------------------------------

// The file `path` finally names, as the system resolves it; "" when it
// cannot be opened.
std::string FinalPath(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "";
    char buf[MAX_PATH * 4] = {};
    DWORD n = GetFinalPathNameByHandleA(h, buf, sizeof buf, FILE_NAME_NORMALIZED);
    CloseHandle(h);
    std::string final(buf, n < sizeof buf ? n : 0);
    if (final.compare(0, 4, "\\\\?\\") == 0) final = final.substr(4);
    return final;
}

// A link and the file it leads to. On Windows the test makes its own (when
// the account may); under Wine scripts/mounts.sh has made one, because a
// link made through Wine is no link for the file system.
struct LinkedDocument {
    std::string link;
    std::string real;
};

bool MakeLink(const e2e::TempDir& dir, LinkedDocument& out)
{
    out.real = dir / "real.lmy";
    out.link = dir / "link.lmy";
    if (!e2e::WriteFileBytes(out.real, "x")) return false;
    if (CreateSymbolicLinkA(out.link.c_str(), out.real.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
        lstrcmpiA(FinalPath(out.link).c_str(), FinalPath(out.real).c_str()) == 0 &&
        lstrcmpiA(FinalPath(out.link).c_str(), out.link.c_str()) != 0)
        return true;
    DeleteFileA(out.link.c_str());
    std::string fixture = std::string("Z:\\tmp\\zivarari-mounts\\") + (sizeof(void*) == 8 ? "x64" : "x86") + "\\links";
    out.link = fixture + "\\doc.lmy";
    out.real = fixture + "\\real\\doc.lmy";
    return e2e::IsWine() && lstrcmpiA(FinalPath(out.link).c_str(), out.real.c_str()) == 0;
}

TEST(CopySafety, DocumentReachedThroughALinkStaysLinked)
{
    fc::Dirs d("linked");
    LinkedDocument doc;
    if (!MakeLink(d.docs, doc)) GTEST_SKIP() << "no symbolic link to test with (run scripts/mounts.sh setup)";
    const std::string realDir = doc.real.substr(0, doc.real.rfind('\\'));
    const std::string linkDir = doc.link.substr(0, doc.link.rfind('\\'));
    ASSERT_TRUE(e2e::WriteFileBytes(doc.real, fc::Document("old")));
    const std::vector<std::string> realDirBefore = e2e::ListFiles(realDir);
    const std::vector<std::string> linkDirBefore = e2e::ListFiles(linkDir);
    const std::string work = fc::Document("edited through the link");
    ASSERT_TRUE(e2e::WriteFileBytes(d.base / kWork, work));
    e2e::WriteIni(d.ini(), "LongFnameLMY", doc.link);
    e2e::WriteIni(d.ini(), "MyActiveFname", kWork);

    auto p = e2e::StartLindmorh(d.base.Path(), "5");
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(doc.link), IDYES, "linked-verify"));
    fc::ExpectCleanExit(*p, "linked");

    EXPECT_EQ(e2e::ReadFileBytes(doc.real), work) << "the file the link leads to keeps the old content";
    EXPECT_EQ(lstrcmpiA(FinalPath(doc.link).c_str(), doc.real.c_str()), 0)
        << "the link was replaced by a plain file: " << FinalPath(doc.link);
    EXPECT_EQ(e2e::ReadFileBytes(doc.link), work);
    EXPECT_EQ(e2e::ListFiles(realDir), realDirBefore) << "a temporary file was left beside the real file";
    EXPECT_EQ(e2e::ListFiles(linkDir), linkDirBefore) << "a temporary file was left beside the link";
    EXPECT_FALSE(e2e::FileExists(d.base / kWork));
}

}  // namespace
