// The roads the sweep walks: one command with the user's answers, the
// documents, work files and exchange file it starts from, and what every
// run of it must hold, whichever call failed.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "run_log.h"
#include "scene.h"

namespace sweep {

enum class Kind {
    Open,        // commands 1 and 2, a document chosen
    SaveAs,      // command 3, a name chosen; the work file is saved there
    Reserve,     // command 4, a name chosen; a work path is reserved
    Save,        // command 5 answered Yes
    Discard,     // command 5 answered No
    CopyExport,  // command 6 answered Yes
    Version,     // command 8
};

struct Road {
    const char* name;     // e.g. "cmd5-yes"
    const char* command;  // the command string
    Kind kind;
    const char* what;     // a line for people
};

const std::vector<Road>& Roads();

// What one run starts from, for its checks.
struct Setup {
    std::vector<std::string> plan;  // the scripted user's dialog names and answers
    std::string chosen;             // the name the dialog returns, with its default extension
    std::string document;           // bare name in docs\: the document opened or saved
    std::string work;               // bare name in base\: the work file a save reads
    std::string workContent;
    Files docsBefore;
    Files baseBefore;                          // the program left out
    std::map<std::string, std::string> iniBefore;
};

// Writes the road's documents, work file and exchange file into the scene.
Setup Prepare(const Road& road, const Scene& scene);

// Everything the run broke, in words; empty when it held. `failed` is the
// call the plan failed (null for a clean run); `clean` the outcome of the
// road's clean run, whose exchange file holds the values a complete run
// writes.
std::vector<std::string> Check(const Road& road, const Scene& scene, const Setup& setup, const Outcome& run,
                               const CallEntry* failed, const Outcome& clean);

// True when the run's own work was done (used to validate the clean run).
bool Finished(const Road& road, const Scene& scene, const Setup& setup, const Outcome& run, const Outcome& clean);

}  // namespace sweep
