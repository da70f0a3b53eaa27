// One run of lindmorh_faults: a fresh folder with the program's base
// directory and a documents folder, the plan handed over through the
// environment, and what the run left behind.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "harness.h"
#include "run_log.h"

namespace sweep {

constexpr char kProgram[] = "lindmorh.exe";
constexpr char kIni[] = "LINDMORY.INI";
constexpr char kMissing[] = "<missing>";

// Full Windows path of lindmorh_faults.exe: the environment variable
// LINDMORH_FAULTS_EXE, else the compile definition of that name.
std::string FaultProgram();

class Scene {
public:
    // A fresh folder under the temporary folder with base\ holding a copy of
    // the fault build as lindmorh.exe, and docs\ for the user's documents.
    explicit Scene(const std::string& tag);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    bool Ready() const { return ready_; }
    const std::string& Root() const { return root_.Path(); }
    const std::string& Base() const { return base_; }
    const std::string& Docs() const { return docs_; }
    std::string InBase(const std::string& name) const { return base_ + "\\" + name; }
    std::string InDocs(const std::string& name) const { return docs_ + "\\" + name; }
    std::string Ini() const { return InBase(kIni); }
    std::string PlanPath() const { return root_.Path() + "\\plan.txt"; }
    std::string LogPath() const { return root_.Path() + "\\log.txt"; }

private:
    e2e::TempDir root_;
    std::string base_;
    std::string docs_;
    bool ready_ = false;
};

// The files of a folder, by bare name, with their content.
using Files = std::map<std::string, std::string>;

struct Outcome {
    bool started = false;
    bool ended = false;        // within the time-out
    DWORD exitCode = 0;
    RunLog log;
    Files base;                // the program itself is left out
    Files docs;
    std::map<std::string, std::string> ini;  // key -> value, kMissing when absent
};

// Starts the program in the scene's base directory with `command` and the
// plan `planLines`, waits up to timeoutMs for its end (killing it after
// that) and reads what it left.
Outcome Run(const Scene& scene, const std::string& command, const std::vector<std::string>& planLines,
            DWORD timeoutMs);

// What a run left in the scene: its log, both folders and the exchange file.
void ReadResults(const Scene& scene, Outcome& out);

Files ReadFolder(const std::string& dir, bool skipProgram);

// The exchange-file keys the checks follow.
const std::vector<std::string>& IniKeys();

}  // namespace sweep
