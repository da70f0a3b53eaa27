// The fault sweep: every road, every counted call failed in turn with
// ERROR_DISK_FULL, ERROR_ACCESS_DENIED and ERROR_SHARING_VIOLATION. Each
// test is one road and one error; at the end the program prints the table
// road x error -> calls swept -> runs that held, and the calls per
// function of each road.
//
// Environment: ZIVARARI_SWEEP_JOBS        runs at a time (default 2)
//              ZIVARARI_SWEEP_TIMEOUT_MS  time a run may take (default 15000)
//              LINDMORH_FAULTS_EXE        the fault build to run
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>

#include "roads.h"
#include "sweep.h"

namespace {

using sweep::RoadReport;

const DWORD kErrors[] = {ERROR_DISK_FULL, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION};

unsigned EnvNumber(const char* name, unsigned fallback)
{
    char buf[32];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    if (n == 0 || n >= sizeof buf) return fallback;
    unsigned long v = std::strtoul(buf, nullptr, 10);
    return v ? static_cast<unsigned>(v) : fallback;
}

// The reports of the tests that ran in this process, for the table.
class Table : public testing::Environment {
public:
    static void Add(const RoadReport& r)
    {
        std::lock_guard<std::mutex> hold(lock_);
        reports_.push_back(r);
    }

    void TearDown() override
    {
        if (reports_.empty()) return;
        std::printf("\nFault sweep, %d-bit build: road x error -> calls swept -> runs that held\n",
                    static_cast<int>(sizeof(void*) * 8));
        std::printf("%-15s", "road");
        for (DWORD e : kErrors) std::printf("  %-26s", sweep::ErrorName(e).c_str());
        std::printf("\n");
        unsigned swept = 0, held = 0;
        double seconds = 0;
        for (const sweep::Road& road : sweep::Roads()) {
            bool any = false;
            std::string row = road.name;
            row.resize(15, ' ');
            for (DWORD e : kErrors) {
                const RoadReport* r = Find(road.name, e);
                char cell[64] = "-";
                if (r) {
                    any = true;
                    if (!r->setupProblems.empty()) std::snprintf(cell, sizeof cell, "road broken");
                    else std::snprintf(cell, sizeof cell, "%u -> %u", r->calls, r->held);
                    swept += r->calls;
                    held += r->held;
                    seconds += r->seconds;
                }
                std::string c = cell;
                c.resize(26, ' ');
                row += "  " + c;
            }
            if (any) std::printf("%s\n", row.c_str());
        }
        std::printf("total: %u runs, %u held, %u did not (%.0f s)\n", swept, held, swept - held, seconds);
        std::printf("\nCalls per function in each road's clean run:\n");
        for (const sweep::Road& road : sweep::Roads()) {
            const RoadReport* r = nullptr;
            for (DWORD e : kErrors)
                if (!r) r = Find(road.name, e);
            if (!r) continue;
            std::string line;
            for (const auto& kv : r->perFunction)
                line += (line.empty() ? "" : ", ") + kv.first + " " + std::to_string(kv.second);
            std::printf("%-15s %3u: %s\n", road.name, r->calls, line.c_str());
        }
        std::fflush(stdout);
    }

private:
    static const RoadReport* Find(const std::string& road, DWORD error)
    {
        for (const RoadReport& r : reports_)
            if (r.road == road && r.error == error) return &r;
        return nullptr;
    }

    static std::mutex lock_;
    static std::vector<RoadReport> reports_;
};

std::mutex Table::lock_;
std::vector<RoadReport> Table::reports_;

testing::Environment* const kTable = testing::AddGlobalTestEnvironment(new Table);

struct Case {
    const sweep::Road* road;
    DWORD error;
};

std::vector<Case> AllCases()
{
    std::vector<Case> cases;
    for (const sweep::Road& road : sweep::Roads())
        for (DWORD e : kErrors) cases.push_back({&road, e});
    return cases;
}

std::string CaseName(const testing::TestParamInfo<Case>& info)
{
    std::string name = std::string(info.param.road->name) + "_" + sweep::ErrorName(info.param.error).substr(6);
    for (char& c : name)
        if (c == '-') c = '_';
    return name;
}

void PrintTo(const Case& c, std::ostream* os) { *os << c.road->name << " " << sweep::ErrorName(c.error); }

class FaultSweep : public testing::TestWithParam<Case> {};

TEST_P(FaultSweep, EveryFailedCallLeavesDocumentsAndExchangeFileTrue)
{
    const Case& c = GetParam();
    sweep::SweepOptions options;
    options.jobs = EnvNumber("ZIVARARI_SWEEP_JOBS", 2);
    options.timeoutMs = EnvNumber("ZIVARARI_SWEEP_TIMEOUT_MS", 15000);
    RoadReport report = sweep::SweepRoad(*c.road, c.error, options);
    Table::Add(report);

    for (const std::string& p : report.setupProblems) ADD_FAILURE() << c.road->name << " (" << c.road->what << "): " << p;
    ASSERT_TRUE(report.setupProblems.empty());
    EXPECT_GT(report.calls, 0u) << "the road made no counted call";
    for (const sweep::RunReport& run : report.broken) ADD_FAILURE() << sweep::Describe(report, run);
    std::printf("%s, %s: %u calls swept, %u runs held (%.1f s)\n", c.road->name,
                sweep::ErrorName(c.error).c_str(), report.calls, report.held, report.seconds);
}

INSTANTIATE_TEST_SUITE_P(Roads, FaultSweep, testing::ValuesIn(AllCases()), CaseName);

}  // namespace
