#include "sweep.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "scene.h"

namespace sweep {
namespace {

struct Result {
    Setup setup;
    Outcome outcome;
};

Result RunOnce(const Road& road, const Scene& scene, unsigned failAt, DWORD error, DWORD timeoutMs)
{
    Result r;
    r.setup = Prepare(road, scene);
    std::vector<std::string> plan = r.setup.plan;
    if (failAt) plan.push_back("fail " + std::to_string(failAt) + " " + std::to_string(error));
    r.outcome = Run(scene, road.command, plan, timeoutMs);
    return r;
}

std::string Sequence(const std::vector<CallEntry>& calls)
{
    std::string s;
    for (const CallEntry& c : calls) s += c.function + " ";
    return s;
}

}  // namespace

std::string ErrorName(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL: return "ERROR_DISK_FULL";
    case ERROR_ACCESS_DENIED: return "ERROR_ACCESS_DENIED";
    case ERROR_SHARING_VIOLATION: return "ERROR_SHARING_VIOLATION";
    default: return "error " + std::to_string(error);
    }
}

namespace {

// `text` with every "<folder>\" of the given folders taken out, in any
// letter case: paths read base\... and docs\....
std::string Shorten(std::string text, const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        const std::string prefix = folder + "\\";
        for (size_t at = 0; at + prefix.size() <= text.size();) {
            if (lstrcmpiA(text.substr(at, prefix.size()).c_str(), prefix.c_str()) == 0) text.erase(at, prefix.size());
            else ++at;
        }
    }
    return text;
}

}  // namespace

std::string Describe(const RoadReport& report, const RunReport& run)
{
    std::string text = report.road + ", " + ErrorName(report.error) + ", call " + std::to_string(run.k) + " of " +
                       std::to_string(report.calls) + ", " + run.call.Name() + " (" + run.call.path;
    if (!run.call.path2.empty()) text += " -> " + run.call.path2;
    if (!run.call.detail.empty()) text += " [" + run.call.detail + "]";
    text += "):";
    for (const std::string& p : run.problems) text += "\n    - " + p;
    return Shorten(text, {report.cleanScene, run.scene});
}

RoadReport SweepRoad(const Road& road, DWORD error, const SweepOptions& options)
{
    RoadReport report;
    report.road = road.name;
    report.error = error;
    DWORD start = GetTickCount();

    // Two clean runs: the count, and the proof that it repeats.
    Outcome clean;
    {
        Scene scene(std::string(road.name) + "-clean");
        if (!scene.Ready()) {
            report.setupProblems.push_back("cannot prepare a scene (is " + FaultProgram() + " built?)");
            return report;
        }
        Result r = RunOnce(road, scene, 0, error, options.timeoutMs);
        clean = r.outcome;
        report.cleanScene = scene.Root();
        for (const std::string& p : Check(road, scene, r.setup, clean, nullptr, clean))
            report.setupProblems.push_back("clean run: " + p);
        if (!Finished(road, scene, r.setup, clean, clean))
            report.setupProblems.push_back("clean run: the command did not do its work");
        for (const BoxEntry& box : clean.log.boxes)
            if (box.caption == "LINDMORG.EXE") report.setupProblems.push_back("clean run: error box " + box.text);
        if (road.kind == Kind::Version &&
            (clean.ini.at("dwMajorVersion") == r.setup.iniBefore.at("dwMajorVersion") ||
             clean.ini.at("dwPlatformId") == r.setup.iniBefore.at("dwPlatformId")))
            report.setupProblems.push_back("clean run: the version was not recorded");
    }
    {
        Scene scene(std::string(road.name) + "-again");
        Result again = RunOnce(road, scene, 0, error, options.timeoutMs);
        if (Sequence(again.outcome.log.calls) != Sequence(clean.log.calls))
            report.setupProblems.push_back("two clean runs made different calls:\n    " +
                                           Sequence(clean.log.calls) + "\n    " +
                                           Sequence(again.outcome.log.calls));
    }
    report.cleanCalls = clean.log.calls;
    report.calls = static_cast<unsigned>(clean.log.calls.size());
    for (const CallEntry& c : clean.log.calls) ++report.perFunction[c.function];
    if (!report.setupProblems.empty()) return report;

    std::vector<RunReport> runs(report.calls);
    std::atomic<unsigned> next{1};
    auto worker = [&]() {
        for (unsigned k = next++; k <= report.calls; k = next++) {
            RunReport& run = runs[k - 1];
            run.k = k;
            run.call = clean.log.calls[k - 1];
            Scene scene(std::string(road.name) + "-" + std::to_string(k));
            run.scene = scene.Root();
            if (!scene.Ready()) {
                run.problems.push_back("cannot prepare a scene");
                continue;
            }
            Result r = RunOnce(road, scene, k, error, options.timeoutMs);
            const std::vector<CallEntry>& calls = r.outcome.log.calls;
            const CallEntry* failed = calls.size() >= k ? &calls[k - 1] : nullptr;
            if (!failed || !failed->Injected() || failed->function != run.call.function ||
                failed->occurrence != run.call.occurrence) {
                run.problems.push_back("the run did not reach " + run.call.Name() + " as call " + std::to_string(k) +
                                       " (the calls differ from the clean run's)");
                failed = nullptr;
            }
            std::vector<std::string> problems = Check(road, scene, r.setup, r.outcome, failed, clean);
            run.problems.insert(run.problems.end(), problems.begin(), problems.end());
        }
    };
    std::vector<std::thread> threads;
    for (unsigned j = 0; j < (options.jobs ? options.jobs : 1); ++j) threads.emplace_back(worker);
    for (std::thread& t : threads) t.join();

    for (RunReport& run : runs) {
        if (run.problems.empty()) ++report.held;
        else report.broken.push_back(std::move(run));
    }
    report.seconds = (GetTickCount() - start) / 1000.0;
    return report;
}

}  // namespace sweep
