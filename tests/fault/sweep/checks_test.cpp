// The sweep's checks catch what they are there to catch: each case lays
// out a road's scene, does by hand what a faulty program might leave
// behind, and expects the problem it must be reported as (or none). The
// program itself is not run.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "harness.h"
#include "roads.h"
#include "run_log.h"
#include "scene.h"

namespace {

using sweep::CallEntry;
using sweep::Outcome;
using sweep::Scene;
using sweep::Setup;

const sweep::Road& RoadNamed(const std::string& name)
{
    for (const sweep::Road& road : sweep::Roads())
        if (name == road.name) return road;
    throw std::runtime_error("no road " + name);
}

// What a case may change: files and values in the scene, the outcome's
// exit, boxes and the failed call.
struct Act {
    const Scene& scene;
    const Setup& setup;
    Outcome& run;
    CallEntry& failed;
    bool& hasFailed;

    std::string Work() const { return scene.InBase(setup.work); }
    std::string Target() const { return scene.InDocs(setup.document); }
    std::string WorkContent() const { return setup.workContent; }
    void Write(const std::string& path, const std::string& bytes) const { e2e::WriteFileBytes(path, bytes); }
    void Remove(const std::string& path) const { DeleteFileA(path.c_str()); }
    void Ini(const std::string& key, const std::string& value) const { e2e::WriteIni(scene.Ini(), key, value); }
    void ErrorBox() const { run.log.boxes.push_back({"LINDMORG.EXE", "Error, #0046 in ZIVARARI", "OK", "ok"}); }
    void Saved() const
    {
        Write(Target(), WorkContent());
        Remove(Work());
    }
    void Fail(const std::string& function, const std::string& path) const
    {
        failed = CallEntry{function, 1, path, "", "", "FAILED 5"};
        hasFailed = true;
    }
};

struct Case {
    const char* road;
    const char* name;
    std::function<void(const Act&)> act;
    const char* expected;  // a part of the problem reported; "" when the run holds
};

const Case kCases[] = {
    {"cmd5-yes", "complete_save_holds", [](const Act& a) { a.Saved(); }, ""},
    {"cmd5-yes", "half_written_document",
     [](const Act& a) {
         a.Write(a.Target(), a.WorkContent().substr(0, a.WorkContent().size() / 2));
         a.ErrorBox();
     },
     "neither the old one"},
    {"cmd5-yes", "work_file_removed_without_save",
     [](const Act& a) {
         a.Remove(a.Work());
         a.ErrorBox();
     },
     "its content is not at the long name"},
    {"cmd5-yes", "work_file_changed",
     [](const Act& a) {
         a.Write(a.Work(), "x");
         a.ErrorBox();
     },
     "was changed"},
    {"cmd5-yes", "temporary_file_left",
     [](const Act& a) {
         a.Saved();
         a.Write(a.scene.InDocs("~ZivaRari-00AB.tmp"), "partial");
     },
     "~ZivaRari-00AB.tmp (7 bytes) was left beside the documents"},
    {"cmd5-yes", "temporary_file_whose_removal_failed",
     [](const Act& a) {
         a.Saved();
         a.Write(a.scene.InDocs("~ZivaRari-00AB.tmp"), "partial");
         a.Fail("DeleteFileA", a.scene.InDocs("~ZIVARARI-00AB.TMP"));
     },
     ""},
    {"cmd5-yes", "temporary_file_whose_mark_failed",
     [](const Act& a) {
         a.Saved();
         a.Write(a.scene.InDocs("~ZivaRari-00AB.tmp"), "partial");
         a.failed = CallEntry{"SetFileInformationByHandle", 1, a.scene.InDocs("~ZivaRari-00AB.tmp"), "",
                              "FileDispositionInfo delete=1", "FAILED 5"};
         a.hasFailed = true;
     },
     ""},
    {"cmd5-yes", "temporary_file_beside_a_failed_rename",
     [](const Act& a) {
         a.Write(a.scene.InDocs("~ZivaRari-00AB.tmp"), "partial");
         a.ErrorBox();
         a.failed = CallEntry{"SetFileInformationByHandle", 1, a.scene.InDocs("~ZivaRari-00AB.tmp"),
                              a.Target(), "FileRenameInfo replace=1", "FAILED 5"};
         a.hasFailed = true;
     },
     "was left beside the documents"},
    {"cmd5-yes", "nothing_done_and_no_box", [](const Act&) {}, "no error box"},
    {"cmd5-yes", "nothing_done_with_a_box", [](const Act& a) { a.ErrorBox(); }, ""},
    {"cmd5-yes", "hang",
     [](const Act& a) {
         a.Saved();
         a.run.ended = false;
     },
     "did not end in time"},
    {"cmd5-yes", "crash",
     [](const Act& a) {
         a.Saved();
         a.run.exitCode = 0xC0000005;
     },
     "exit code 0xC0000005"},
    {"cmd5-yes", "unplanned_question",
     [](const Act& a) {
         a.Saved();
         a.run.log.boxes.push_back({"Tamberlo 3.1", "Really?", "Yes No", "no (unplanned)"});
     },
     "an unexpected question"},
    {"cmd5-yes", "exchange_file_changed",
     [](const Act& a) {
         a.Saved();
         a.Ini("MyActiveFname", "");
     },
     "MyActiveFname changed"},
    {"cmd5-no", "work_file_kept_silently", [](const Act&) {}, "no error box"},
    {"cmd5-no", "document_written_on_no",
     [](const Act& a) {
         a.Saved();
     },
     "changed although the answer was No"},
    {"cmd6-yes", "reply_cleared_after_failed_copy",
     [](const Act& a) {
         a.Ini("LongFnameGED", "");
         a.ErrorBox();
     },
     "was not kept after the failed copy"},
    {"cmd6-yes", "reply_kept_naming_a_removed_work_file",
     [](const Act& a) {
         a.Saved();
         a.ErrorBox();
     },
     "which is gone"},
    {"cmd6-yes", "reply_cleared_after_save",
     [](const Act& a) {
         a.Saved();
         a.Ini("LongFnameGED", "");
     },
     ""},
    {"cmd1-open", "reply_names_an_empty_work_file",
     [](const Act& a) {
         a.Write(a.scene.InBase("0D2D1E00.LMY"), "");
         a.Ini("LongFnameGED", "0D2D1E00.LMY|" + a.setup.chosen);
     },
     "which does not hold the document"},
    {"cmd1-open", "staged_work_file_left_behind_an_empty_reply",
     [](const Act& a) {
         a.Write(a.scene.InBase("0d2d1e00.lmy"), e2e::ReadFileBytes(a.setup.chosen));
         a.ErrorBox();
     },
     "0d2d1e00.lmy (3000 bytes) was left in the base directory"},
    {"cmd1-open", "document_staged",
     [](const Act& a) {
         a.Write(a.scene.InBase("0D2D1E00.LMY"), e2e::ReadFileBytes(a.setup.chosen));
         a.Ini("LongFnameGED", "0D2D1E00.LMY|" + a.setup.chosen);
     },
     ""},
    {"cmd2-open", "gedcom_staged_beside_its_empty_placeholder",
     [](const Act& a) {
         a.Write(a.scene.InBase("0d2d1e00.lmy"), "");
         a.Write(a.scene.InBase("0D2D1E00.GED"), e2e::ReadFileBytes(a.setup.chosen));
         a.Ini("LongFnameGED", "0D2D1E00.GED|" + a.setup.chosen);
     },
     ""},
    {"cmd3-new", "stored_name_without_the_document",
     [](const Act& a) {
         a.Ini("LongFnameLMY", a.setup.chosen);
         a.ErrorBox();
     },
     "which does not hold the document"},
    {"cmd3-existing", "saved_over_the_existing_document",
     [](const Act& a) {
         a.Saved();
         a.Ini("LongFnameLMY", a.setup.chosen);
     },
     ""},
    {"cmd4-export", "reserved_name_already_taken",
     [](const Act& a) {
         a.Write(a.scene.InBase("0d2d1e00.GED"), "");
         a.Ini("LongFnameGED", a.scene.InBase("0d2d1e00.GED") + "|" + a.setup.chosen);
     },
     "already exists"},
    {"cmd4-export", "export_target_created",
     [](const Act& a) {
         a.Write(a.setup.chosen, "");
         a.ErrorBox();
     },
     "Smith export.ged (0 bytes) was left beside the documents"},
    {"cmd8-version", "value_neither_old_nor_the_systems",
     [](const Act& a) {
         a.Ini("dwMajorVersion", "7");
         a.ErrorBox();
     },
     "neither its previous value"},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.road << " " << c.name; }

class SweepChecks : public testing::TestWithParam<Case> {};

TEST_P(SweepChecks, ReportWhatTheRunBroke)
{
    const Case& c = GetParam();
    const sweep::Road& road = RoadNamed(c.road);
    Scene scene(std::string("checks-") + c.name);
    sweep::Setup setup = sweep::Prepare(road, scene);

    Outcome run;
    run.started = true;
    run.ended = true;
    CallEntry failed;
    bool hasFailed = false;
    c.act(Act{scene, setup, run, failed, hasFailed});
    // The folders and the exchange file as the case left them; the boxes as
    // the case logged them.
    Outcome left;
    sweep::ReadResults(scene, left);
    run.base = left.base;
    run.docs = left.docs;
    run.ini = left.ini;

    // The values a complete command 8 writes.
    Outcome clean = run;
    clean.ini["dwMajorVersion"] = "6";
    clean.ini["dwPlatformId"] = "2";

    std::vector<std::string> problems = sweep::Check(road, scene, setup, run, hasFailed ? &failed : nullptr, clean);
    std::string all;
    for (const std::string& p : problems) all += "\n  " + p;
    if (std::string(c.expected).empty()) {
        EXPECT_TRUE(problems.empty()) << "reported:" << all;
    } else {
        EXPECT_TRUE(std::any_of(problems.begin(), problems.end(),
                                [&](const std::string& p) { return p.find(c.expected) != std::string::npos; }))
            << "expected \"" << c.expected << "\"; reported:" << all;
    }
}

std::string CaseName(const testing::TestParamInfo<Case>& info)
{
    std::string name = std::string(info.param.road) + "_" + info.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Damage, SweepChecks, testing::ValuesIn(kCases), CaseName);

// The log as the shims write it: calls with their details and results,
// boxes with escaped text, dialogs.
TEST(SweepLog, ReadsCallsBoxesAndDialogs)
{
    const std::string text =
        "CreateFileA\t3\tC:\\b\\x.tmp\t[access=0x40000000]\tFAILED 112\r\n"
        "MoveFileExA\t1\tC:\\b\\x.tmp\t-> C:\\d\\doc.lmy\t[flags=0x9]\tok\n"
        "box\tLINDMORG.EXE\tError, #0046 in ZIVARARI\\n\\nC:\\\\new\tOK\tok\n"
        "dialog\tSave As\tC:\\d\\doc.LMY\n"
        "something else\n";
    sweep::RunLog log = sweep::ParseLog(text);
    ASSERT_EQ(log.calls.size(), 2u);
    EXPECT_EQ(log.calls[0].function, "CreateFileA");
    EXPECT_EQ(log.calls[0].occurrence, 3u);
    EXPECT_EQ(log.calls[0].path, "C:\\b\\x.tmp");
    EXPECT_EQ(log.calls[0].detail, "access=0x40000000");
    EXPECT_TRUE(log.calls[0].Injected());
    EXPECT_EQ(log.calls[0].Name(), "the 3rd CreateFileA");
    EXPECT_EQ(log.calls[1].path2, "C:\\d\\doc.lmy");
    EXPECT_FALSE(log.calls[1].Injected());
    ASSERT_EQ(log.boxes.size(), 1u);
    EXPECT_EQ(log.boxes[0].text, "Error, #0046 in ZIVARARI\n\nC:\\new");
    EXPECT_EQ(log.dialogs, std::vector<std::string>{"Save As\tC:\\d\\doc.LMY"});
    EXPECT_EQ(log.unknown, std::vector<std::string>{"something else"});
    EXPECT_EQ(sweep::Ordinal(11), "11th");
    EXPECT_EQ(sweep::Ordinal(22), "22nd");
}

}  // namespace
