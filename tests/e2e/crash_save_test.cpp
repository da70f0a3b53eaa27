// A save killed half-way: command 5, answered Yes, copies a work file of
// 208 MiB to the document, and the test kills the program at set fractions
// of that copy, watching the size of the new file that appears beside the
// document. After every kill the document is the old one (or the complete
// new one), the work file is still there and nothing else is left beside
// the document.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "file_commands.h"
#include "harness.h"

namespace {

const char kWork[] = "0E2A1F3C.LMY";
const char kDocument[] = "Smith family.lmy";
constexpr std::uint64_t kWorkSize = 208ull << 20;
constexpr DWORD kKilled = 0xC0DE;
// Kills that come too late (the copy already done) are tried again.
constexpr int kAttempts = 3;

// The work file's content at `offset`, `buf.size()` bytes: every 4 KiB page
// carries its own number, so that a copy that lost, repeated or shifted a
// part would not compare equal.
void FillChunk(std::vector<char>& buf, std::uint64_t offset)
{
    for (size_t i = 0; i < buf.size(); ++i) buf[i] = static_cast<char>((i * 131) & 0xFF);
    for (size_t page = 0; page < buf.size(); page += 4096)
        std::snprintf(&buf[page], 32, "page %012llu ", static_cast<unsigned long long>((offset + page) / 4096));
}

constexpr size_t kChunk = 4u << 20;

bool WriteBigFile(const std::string& path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    std::vector<char> buf(kChunk);
    bool ok = true;
    for (std::uint64_t done = 0; ok && done < kWorkSize; done += kChunk) {
        FillChunk(buf, done);
        DWORD written = 0;
        ok = WriteFile(f, buf.data(), kChunk, &written, nullptr) && written == kChunk;
    }
    return CloseHandle(f) && ok;
}

std::uint64_t SizeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// True when `path` holds exactly what WriteBigFile writes.
bool HoldsWorkContent(const std::string& path)
{
    if (SizeOf(path) != kWorkSize) return false;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    std::vector<char> expected(kChunk), got(kChunk);
    bool same = true;
    for (std::uint64_t done = 0; same && done < kWorkSize; done += kChunk) {
        FillChunk(expected, done);
        DWORD n = 0;
        same = ReadFile(f, got.data(), kChunk, &n, nullptr) && n == kChunk && got == expected;
    }
    CloseHandle(f);
    return same;
}

// A file in `dir` other than `known`, with its size; false when none.
bool NewFileIn(const std::string& dir, const std::string& known, std::string& name, std::uint64_t& size)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool any = false;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (lstrcmpiA(found.cFileName, known.c_str()) == 0) continue;
        name = found.cFileName;
        size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        any = true;
    } while (!any && FindNextFileA(find, &found));
    FindClose(find);
    return any;
}

struct Kill {
    bool killedByUs = false;      // the program was still running when killed
    std::string tempName;         // the new file seen beside the document
    std::uint64_t sizeAtKill = 0; // its size when the kill was sent
};

// Starts command 5, answers Yes, waits for the new file beside the
// document to reach `fraction` of the work file's size and kills the
// program there.
Kill SaveAndKill(const fc::Dirs& d, double fraction, const std::string& shot)
{
    Kill k;
    auto p = e2e::StartLindmorh(d.base.Path(), "5");
    // Answered by hand rather than with fc::AnswerBox, which waits for the
    // box to close: the copy starts at once, and so does the watch.
    HWND box = fc::WaitForBox(*p);
    if (!box) {
        ADD_FAILURE() << "no \"Verify save?\" box appeared";
        return k;
    }
    fc::Shot(box, shot);
    EXPECT_EQ(e2e::MessageBoxText(box), fc::VerifySave(d.docs / kDocument).text);
    e2e::PressButton(box, IDYES);
    const std::uint64_t threshold = static_cast<std::uint64_t>(fraction * static_cast<double>(kWorkSize));
    std::uint64_t size = 0;
    const DWORD start = GetTickCount();
    for (;;) {
        if (GetTickCount() - start > fc::kExitMs) {
            ADD_FAILURE() << "no copy beside the document reached " << fraction * 100 << "% in time";
            break;
        }
        if (NewFileIn(d.docs.Path(), kDocument, k.tempName, size)) {
            // Known by name now: its size alone is cheaper to watch.
            while (p->Running() && size < threshold && GetTickCount() - start <= fc::kExitMs) {
                std::uint64_t now = SizeOf(d.docs / k.tempName);
                if (now == 0 && !e2e::FileExists(d.docs / k.tempName)) break;
                size = now;
            }
            if (size >= threshold || !p->Running()) break;
        } else if (!p->Running()) {
            break;
        }
    }
    k.sizeAtKill = size;
    TerminateProcess(p->Handle(), kKilled);
    p->WaitExit(10000);
    k.killedByUs = p->ExitCode() == kKilled;
    return k;
}

// Waits a moment for a file to go: the system removes a file marked for
// deletion when the killed process's last handle to it closes.
bool GoneSoon(const std::string& path)
{
    for (int i = 0; i < 40 && e2e::FileExists(path); ++i) Sleep(25);
    return !e2e::FileExists(path);
}

TEST(CrashDuringSave, KilledCopyLeavesOldDocumentWorkFileAndNoTemporaryFile)
{
    fc::Dirs d("crash5");
    const std::string target = d.docs / kDocument;
    const std::string work = d.base / kWork;
    const std::string oldDoc = fc::Document("the family as last saved");
    ASSERT_TRUE(e2e::WriteFileBytes(target, oldDoc));
    ASSERT_TRUE(WriteBigFile(work)) << "cannot write the 208 MiB work file";
    e2e::WriteIni(d.ini(), "LongFnameLMY", target);
    e2e::WriteIni(d.ini(), "MyActiveFname", kWork);

    const double fractions[] = {0.10, 0.30, 0.50, 0.70, 0.85};
    for (double fraction : fractions) {
        const std::string moment = std::to_string(static_cast<int>(fraction * 100)) + "%";
        SCOPED_TRACE("killed at " + moment + " of the copy");
        Kill k;
        bool landed = false;
        for (int attempt = 1; attempt <= kAttempts && !landed; ++attempt) {
            k = SaveAndKill(d, fraction, "crash5-verify-" + moment.substr(0, moment.size() - 1));
            bool documentNew = e2e::FileExists(target) && SizeOf(target) == kWorkSize;
            // Killed while it ran, after the copy had begun and before the
            // new document was in place: during the copy.
            landed = k.killedByUs && !k.tempName.empty() && k.sizeAtKill < kWorkSize && !documentNew;
            if (!landed) {
                std::printf("attempt %d at %s missed the copy (killed: %d, new file %s at %llu bytes)\n", attempt,
                            moment.c_str(), k.killedByUs, k.tempName.c_str(),
                            static_cast<unsigned long long>(k.sizeAtKill));
                // Start again from the old document and the whole work file.
                ASSERT_TRUE(e2e::WriteFileBytes(target, oldDoc));
                if (SizeOf(work) != kWorkSize) {
                    ASSERT_TRUE(WriteBigFile(work));
                }
                for (const std::string& f : fc::FilesBesides(d.docs.Path(), {kDocument}))
                    DeleteFileA((d.docs / f).c_str());
            }
        }
        ASSERT_TRUE(landed) << "no kill at " << moment << " landed during the copy in " << kAttempts << " attempts";
        std::printf("killed at %s: %s had %llu of %llu bytes\n", moment.c_str(), k.tempName.c_str(),
                    static_cast<unsigned long long>(k.sizeAtKill), static_cast<unsigned long long>(kWorkSize));

        const bool oldOne = e2e::ReadFileBytes(target) == oldDoc;
        EXPECT_TRUE(oldOne || HoldsWorkContent(target)) << "the document is neither the old one nor the new one";
        EXPECT_EQ(SizeOf(work), kWorkSize) << "the work file is gone or cut";
        EXPECT_TRUE(GoneSoon(d.docs / k.tempName)) << "the temporary file " << k.tempName << " was left ("
                                                    << SizeOf(d.docs / k.tempName) << " bytes)";
        EXPECT_EQ(fc::FilesBesides(d.docs.Path(), {kDocument}), std::vector<std::string>{});
        EXPECT_EQ(fc::FilesBesides(d.base.Path(), {fc::kExe, fc::kIniName, kWork}), std::vector<std::string>{});
        // The next kill starts from a clean folder even after a failure here.
        for (const std::string& f : fc::FilesBesides(d.docs.Path(), {kDocument})) DeleteFileA((d.docs / f).c_str());
    }

    EXPECT_TRUE(HoldsWorkContent(work)) << "the killed saves changed the work file";

    // Left alone, the same save puts the whole work file in place.
    auto p = e2e::StartLindmorh(d.base.Path(), "5");
    ASSERT_TRUE(fc::AnswerBox(*p, fc::VerifySave(target), IDYES, "crash5-verify-complete"));
    fc::ExpectCleanExit(*p);
    EXPECT_TRUE(HoldsWorkContent(target)) << "the saved document is not the whole work file";
    EXPECT_FALSE(e2e::FileExists(work)) << "the work file stayed after a complete save";
    EXPECT_EQ(fc::FilesBesides(d.docs.Path(), {kDocument}), std::vector<std::string>{});
}

}  // namespace
