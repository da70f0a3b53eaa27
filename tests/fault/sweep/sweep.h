// Sweeping one road for one error: a clean run counts the calls (N), a
// second clean run proves that the road makes the same calls each time,
// then every call k from 1 to N is failed in a run of its own.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "roads.h"
#include "run_log.h"

namespace sweep {

struct RunReport {
    unsigned k = 0;
    CallEntry call;                     // the k-th call as the clean run made it
    std::vector<std::string> problems;  // empty when the run held
    std::string scene;                  // the run's folder, left out of paths shown
};

struct RoadReport {
    std::string road;
    DWORD error = 0;
    unsigned calls = 0;   // N
    unsigned held = 0;    // runs of k = 1..N that held every invariant
    std::vector<std::string> setupProblems;       // the clean runs themselves
    std::vector<RunReport> broken;                // runs that did not hold
    std::map<std::string, unsigned> perFunction;  // calls of the clean run
    std::vector<CallEntry> cleanCalls;
    std::string cleanScene;  // the clean run's folder, left out of paths shown
    double seconds = 0;
};

struct SweepOptions {
    unsigned jobs = 2;        // runs at a time
    DWORD timeoutMs = 15000;  // per run; a run that takes longer hangs
};

RoadReport SweepRoad(const Road& road, DWORD error, const SweepOptions& options);

// "ERROR_DISK_FULL" etc.
std::string ErrorName(DWORD error);

// One line per broken run: "call 7 of 13, the 3rd CreateFileA (PATH): ...".
std::string Describe(const RoadReport& report, const RunReport& run);

}  // namespace sweep
