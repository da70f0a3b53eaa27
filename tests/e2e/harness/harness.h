// Helpers that drive the real lindmorh.exe from another Windows process:
// fresh base directories, exact command lines, the common dialogs and
// message boxes it shows, the exchange file and screenshots.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace e2e {

// ---- environment --------------------------------------------------------

// Full Windows path of the lindmorh.exe under test (compile definition
// LINDMORH_EXE, overridable with the environment variable LINDMORH_EXE).
std::string ProgramUnderTest();

// Folder where screenshots go: the environment variable E2E_SCREENSHOT_DIR,
// else the compile definition of that name.
std::string ScreenshotDir();

// Full path of a helper program built beside the tests (marker.exe,
// prompt_probe.exe), from the compile definition E2E_TOOLS_DIR.
std::string ToolPath(const std::string& exeName);

// True when running under Wine (ntdll exports wine_get_version).
bool IsWine();

// ---- files --------------------------------------------------------------

// A fresh, empty directory for one test, removed with its content when the
// object goes away. The path has no trailing backslash.
class TempDir {
public:
    explicit TempDir(const std::string& tag);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
private:
    std::string path_;
};

// `s` with every character other than an ASCII letter, digit, '-' or '_'
// replaced by '_', for use in file names; "_" for an empty string.
std::string SafeName(const std::string& s);

bool FileExists(const std::string& path);        // a file (not a directory)
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);  // "" when missing
// Bare names of the plain files in a directory, sorted, exact case on disk.
std::vector<std::string> ListFiles(const std::string& dir);

// Exchange-file helpers on section "Export" (private-profile API).
// ReadIni gives `missing` when the key is absent.
std::string ReadIni(const std::string& iniPath, const std::string& key,
                    const std::string& missing = "<missing>");
void WriteIni(const std::string& iniPath, const std::string& key, const std::string& value);

// ---- processes ----------------------------------------------------------

class Process {
public:
    // Starts `exe` with the literal command line `commandLine` (nothing is
    // re-quoted) in the working directory `cwd` ("" = this process's).
    Process(const std::string& exe, const std::string& commandLine, const std::string& cwd = "");
    ~Process();  // kills the process if it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool Running() const;
    // Waits up to timeoutMs for the end; true when it ended.
    bool WaitExit(DWORD timeoutMs);
    // Exit code; STILL_ACTIVE while running.
    DWORD ExitCode() const;
    // User + kernel CPU time used so far, in milliseconds (from the system's
    // process list where GetProcessTimes gives less, as under Wine).
    double CpuMs() const;
    void Kill();

private:
    PROCESS_INFORMATION info_{};
};

// Copies the program under test into `baseDir` as `exeName` and returns the
// full path of the copy ("" when the copy fails). Start it with a Process
// and the command line "\"<path>\" <args>" (or "\"<path>\"" for none).
std::string InstallProgram(const std::string& baseDir, const std::string& exeName = "lindmorh.exe");

// Installs lindmorh as `exeName` in `baseDir` and starts it there with the
// exact command line "\"<baseDir>\\<exeName>\" <args>" (args verbatim; no
// argument at all when args is empty), in the working directory `cwd`
// ("" = baseDir).
std::unique_ptr<Process> StartLindmorh(const std::string& baseDir, const std::string& args,
                                       const std::string& exeName = "lindmorh.exe", const std::string& cwd = "");

// Sets Wine's per-program Windows version
// (HKCU\Software\Wine\AppDefaults\<exeName>\Version), e.g. "win30",
// "win31", "win98", "nt40", "winxp64".
void SetWineVersion(const std::string& exeName, const std::string& version);

// ---- windows ------------------------------------------------------------

// Waits up to timeoutMs for a visible top-level window of class `cls`
// (e.g. "#32770") owned by process `pid`; nullptr on time-out.
HWND WaitForWindow(DWORD pid, const char* cls, DWORD timeoutMs);
// Top-level windows of `pid` (visible or not) whose title is `title`.
std::vector<HWND> FindWindowsOf(DWORD pid, const std::string& title);

std::string WindowTitle(HWND w);
// Text of a message box (its Static with id 0xFFFF).
std::string MessageBoxText(HWND box);
// Ids of the buttons in a dialog or box (e.g. {6, 7} for Yes/No).
std::vector<int> ButtonIds(HWND dlg);
// Presses a button by id (WM_COMMAND to the dialog).
void PressButton(HWND dlg, int id);

// Common Open / Save As dialogs.
std::string DialogFileName(HWND dlg);                  // WM_GETTEXT on the edit inside 1148
void SetDialogFileName(HWND dlg, const std::string& text);
// Sets the file name and presses OK.
void ConfirmFileDialog(HWND dlg, const std::string& fileName);

// Saves a PNG of the window as it is on screen to ScreenshotDir()\<name>.png.
// Returns the path written ("" if it could not be taken).
std::string Screenshot(HWND w, const std::string& name);

// Waits until `pid` has no visible window of class "#32770" left, or the
// time-out passes; true when gone.
bool WaitNoDialog(DWORD pid, DWORD timeoutMs);

}  // namespace e2e
