// The scripted user of ./run.sh: starts lindmorh.exe with an exact command
// line, answers each dialog and message box it shows as told, saves a
// picture of each, and prints what it saw.
//
//   demo_driver SHOTDIR ANSWER... -- PROGRAM [ARGUMENT...]
//
// The command line is "PROGRAM" followed by the arguments, each put in
// double quotes when it holds a blank (lindmorh drops the quotes again).
// The answers are used in order, one for each window the program shows:
//   open:PATH, save:PATH  type PATH into the Open / Save As dialog and confirm
//   yes, no, ok, cancel   press that button
//   none                  no answer (the command shows nothing)
//   window                before the start, show a window titled with the
//                         command parameter (the text after the first "_"
//                         of the first argument), and close it two seconds
//                         later: command 7 launches only once it has gone
// Answers left over when the program ends are reported and ignored. A
// window that comes when no answer is left is reported and closed
// (message boxes with OK or No, dialogs with Cancel).
//
// Exit status: 0 when the program ended by itself with exit code 0 and
// every window had an answer; 1 otherwise; 2 for a wrong invocation.
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "harness.h"

namespace {

const DWORD kWindowWaitMs = 20000;  // for the next window or the end
const DWORD kHoldWindowMs = 2000;   // how long the "window" answer keeps its window
const int kFileNameCombo = 1148;
const int kOldFileNameEdit = 1152;
const int kBoxText = 0xFFFF;

struct Answer {
    std::string kind;  // open, save, yes, no, ok, cancel, window
    std::string path;  // for open and save
};

bool ParseAnswer(const std::string& text, Answer& answer)
{
    for (const char* kind : {"open:", "save:"}) {
        std::string prefix = kind;
        if (text.compare(0, prefix.size(), prefix) == 0 && text.size() > prefix.size()) {
            answer.kind = prefix.substr(0, prefix.size() - 1);
            answer.path = text.substr(prefix.size());
            return true;
        }
    }
    for (const char* kind : {"yes", "no", "ok", "cancel", "window"}) {
        if (text == kind) {
            answer.kind = kind;
            return true;
        }
    }
    return false;
}

std::string QuoteIfBlank(const std::string& arg)
{
    return arg.empty() || arg.find_first_of(" \t") != std::string::npos ? "\"" + arg + "\"" : arg;
}

// A Windows path on drive Z: as the Linux path it stands for, so that the
// person can open the picture from the shell; other paths as they are.
std::string ShownPath(const std::string& path)
{
    if (path.size() < 2 || (path[0] != 'Z' && path[0] != 'z') || path[1] != ':') return path;
    std::string unixPath = path.substr(2);
    for (char& c : unixPath)
        if (c == '\\') c = '/';
    return unixPath;
}

// Multi-line text indented under its heading.
void PrintIndented(const std::string& text, const char* indent)
{
    std::string line;
    for (char c : text + "\n") {
        if (c == '\r') continue;
        if (c == '\n') {
            std::printf("%s%s\n", indent, line.c_str());
            line.clear();
        } else {
            line.push_back(c);
        }
    }
}

const char* ButtonName(int id)
{
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return "?";
    }
}

bool IsFileDialog(HWND w)
{
    return GetDlgItem(w, kFileNameCombo) != nullptr || GetDlgItem(w, kOldFileNameEdit) != nullptr;
}

struct Search {
    DWORD pid;
    const std::set<HWND>* seen;
    HWND found;
};

BOOL CALLBACK FindNew(HWND w, LPARAM param)
{
    Search& s = *reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[16];
    if (pid != s.pid || !IsWindowVisible(w) || s.seen->count(w)) return TRUE;
    if (GetClassNameA(w, cls, sizeof cls) <= 0 || lstrcmpA(cls, "#32770") != 0) return TRUE;
    s.found = w;
    return FALSE;
}

// A visible dialog or box of `pid` that has not been answered yet.
HWND NewWindowOf(DWORD pid, const std::set<HWND>& seen)
{
    Search s{pid, &seen, nullptr};
    EnumWindows(FindNew, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Handles this thread's own window messages while waiting.
void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

// A plain window standing for the host's window that command 7 waits for.
HWND ShowHostWindow(const std::string& title)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "ZivaRariDemoHostWindow";
    RegisterClassA(&wc);
    HWND w = CreateWindowA(wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 640, 160,
                           nullptr, nullptr, wc.hInstance, nullptr);
    if (w) {
        // Without a window manager no title bar is drawn, so the window
        // also shows its title inside.
        std::string text = "The host's window, titled:\n" + title + "\n\nlindmorh waits until it has closed.";
        CreateWindowA("STATIC", text.c_str(), WS_CHILD | WS_VISIBLE, 16, 16, 600, 96, w, nullptr, wc.hInstance,
                      nullptr);
        UpdateWindow(w);
    }
    return w;
}

class Run {
public:
    // `picturesTaken` numbers the pictures on from those already saved.
    Run(std::vector<Answer> answers, int picturesTaken) : answers_(std::move(answers)), count_(picturesTaken) {}

    // Answers the program's windows until it ends; false on a time-out.
    bool AnswerUntilEnd(e2e::Process& p)
    {
        DWORD lastChange = GetTickCount();
        for (;;) {
            if (HWND w = NewWindowOf(p.Id(), seen_)) {
                seen_.insert(w);
                Handle(w);
                lastChange = GetTickCount();
                continue;
            }
            if (!p.Running()) return true;
            if (GetTickCount() - lastChange >= kWindowWaitMs) return false;
            PumpFor(20);
        }
    }

    bool Unanswered() const { return unanswered_; }

    void ReportLeftOver() const
    {
        for (size_t i = next_; i < answers_.size(); ++i)
            std::printf("  not needed: answer \"%s%s%s\"\n", answers_[i].kind.c_str(),
                        answers_[i].path.empty() ? "" : ":", answers_[i].path.c_str());
    }

private:
    void Handle(HWND w)
    {
        ++count_;
        const bool fileDialog = IsFileDialog(w);
        const std::string title = e2e::WindowTitle(w);
        if (fileDialog) {
            std::printf("  dialog \"%s\", file name field: \"%s\"\n", title.c_str(), e2e::DialogFileName(w).c_str());
        } else {
            std::printf("  message box \"%s\":\n", title.c_str());
            PrintIndented(e2e::MessageBoxText(w), "      | ");
            std::printf("    buttons:");
            for (int id : e2e::ButtonIds(w)) std::printf(" %s", ButtonName(id));
            std::printf("\n");
        }
        std::string shot = e2e::Screenshot(w, std::to_string(count_) + (fileDialog ? "-dialog-" : "-box-") + title);
        std::printf("    picture: %s\n", shot.empty() ? "(could not be taken)" : ShownPath(shot).c_str());

        if (next_ >= answers_.size()) {
            unanswered_ = true;
            std::vector<int> ids = e2e::ButtonIds(w);
            auto has = [&](int id) { for (int i : ids) if (i == id) return true; return false; };
            int id = fileDialog ? IDCANCEL : has(IDOK) ? IDOK : has(IDNO) ? IDNO : IDCANCEL;
            std::printf("    no answer was given for it: pressing %s\n", ButtonName(id));
            e2e::PressButton(w, id);
            return;
        }
        const Answer& a = answers_[next_++];
        if (a.kind == "open" || a.kind == "save") {
            if (!fileDialog) std::printf("    (expected a file dialog here)\n");
            std::printf("    answer: type \"%s\" and confirm\n", a.path.c_str());
            e2e::ConfirmFileDialog(w, a.path);
            return;
        }
        int id = a.kind == "yes" ? IDYES : a.kind == "no" ? IDNO : a.kind == "ok" ? IDOK : IDCANCEL;
        std::printf("    answer: %s\n", ButtonName(id));
        e2e::PressButton(w, id);
    }

    std::vector<Answer> answers_;
    size_t next_ = 0;
    int count_;
    bool unanswered_ = false;
    std::set<HWND> seen_;
};

int Usage()
{
    std::fprintf(stderr,
                 "usage: demo_driver SHOTDIR ANSWER... -- PROGRAM [ARGUMENT...]\n"
                 "answers: open:PATH save:PATH yes no ok cancel none window\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    int dashes = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--") {
            dashes = i;
            break;
        }
    }
    if (argc < 2 || dashes < 2 || dashes + 1 >= argc) return Usage();

    SetEnvironmentVariableA("E2E_SCREENSHOT_DIR", argv[1]);
    std::vector<Answer> answers;
    bool holdWindow = false;
    for (int i = 2; i < dashes; ++i) {
        Answer a;
        if (std::string(argv[i]) == "none") continue;
        if (!ParseAnswer(argv[i], a)) {
            std::fprintf(stderr, "demo_driver: unknown answer \"%s\"\n", argv[i]);
            return Usage();
        }
        if (a.kind == "window") holdWindow = true;
        else answers.push_back(a);
    }

    const std::string program = argv[dashes + 1];
    std::string commandLine = "\"" + program + "\"";
    for (int i = dashes + 2; i < argc; ++i) commandLine += " " + QuoteIfBlank(argv[i]);
    // It runs in its own directory, as the host starts it.
    const std::string::size_type slash = program.find_last_of('\\');
    const std::string cwd = slash == std::string::npos ? std::string() : program.substr(0, slash);
    std::printf("  command line: %s\n", commandLine.c_str());
    std::fflush(stdout);

    HWND hostWindow = nullptr;
    if (holdWindow) {
        std::string first = dashes + 2 < argc ? argv[dashes + 2] : "";
        std::string::size_type underscore = first.find('_');
        std::string title = underscore == std::string::npos ? std::string() : first.substr(underscore + 1);
        hostWindow = ShowHostWindow(title);
        if (!hostWindow) {
            std::printf("  could not show the window \"%s\"\n", title.c_str());
            return 1;
        }
        std::printf("  window shown first, titled \"%s\"\n", title.c_str());
    }

    e2e::Process p(program, commandLine, cwd);
    if (!p.Started()) {
        std::printf("  could not start %s (error %lu)\n", program.c_str(), GetLastError());
        if (hostWindow) DestroyWindow(hostWindow);
        return 1;
    }

    bool ok = true;
    if (hostWindow) {
        PumpFor(kHoldWindowMs);
        std::string shot = e2e::Screenshot(hostWindow, "1-window");
        std::printf("    picture: %s\n", shot.empty() ? "(could not be taken)" : ShownPath(shot).c_str());
        std::printf("  after %lu ms with the window open, lindmorh is %s\n", kHoldWindowMs,
                    p.Running() ? "still waiting" : "no longer running (it did not wait)");
        if (!p.Running()) ok = false;
        DestroyWindow(hostWindow);
        std::printf("  window closed\n");
    }

    Run run(answers, hostWindow ? 1 : 0);
    if (!run.AnswerUntilEnd(p)) {
        std::printf("  lindmorh did not end within %lu s; stopping it\n", kWindowWaitMs / 1000);
        p.Kill();
        return 1;
    }
    run.ReportLeftOver();
    DWORD code = p.ExitCode();
    std::printf("  lindmorh ended, exit code %lu\n", code);
    return ok && code == 0 && !run.Unanswered() ? 0 : 1;
}
