// Shared steps of the file-command tests (commands 1-6): waiting for the
// program's file dialog or message box, checking and answering it, the
// names of work files, the exchange file and file locks held by the test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "harness.h"

namespace fc {

constexpr DWORD kWindowMs = 15000;
constexpr DWORD kExitMs = 20000;

constexpr int kFileNameCombo = 1148;
constexpr int kFileTypeCombo = 1136;
constexpr int kBoxText = 0xFFFF;

const char kIniName[] = "LINDMORY.INI";
const char kExe[] = "lindmorh.exe";
const char kMissing[] = "<missing>";

inline std::string Ini(const e2e::TempDir& base) { return base / kIniName; }
inline std::string Reply(const e2e::TempDir& base) { return e2e::ReadIni(Ini(base), "LongFnameGED", kMissing); }

// ---- windows of the program under test ----------------------------------

inline bool IsFileDialog(HWND w) { return GetDlgItem(w, kFileNameCombo) != nullptr; }
inline bool IsMessageBox(HWND w) { return !IsFileDialog(w) && GetDlgItem(w, kBoxText) != nullptr; }

namespace detail {
struct Search {
    DWORD pid;
    bool (*accept)(HWND);
    HWND found;
};

inline BOOL CALLBACK Visit(HWND w, LPARAM param)
{
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid == s->pid && IsWindowVisible(w) && lstrcmpA(cls, "#32770") == 0 && s->accept(w)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

inline HWND WaitFor(DWORD pid, bool (*accept)(HWND), DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        Search s{pid, accept, nullptr};
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(10);
    }
}
}  // namespace detail

// The program's Open / Save As dialog, or its message box (a box shown
// over the dialog is found while the dialog is still up).
inline HWND WaitForFileDialog(const e2e::Process& p, DWORD timeoutMs = kWindowMs)
{
    return detail::WaitFor(p.Id(), IsFileDialog, timeoutMs);
}
inline HWND WaitForBox(const e2e::Process& p, DWORD timeoutMs = kWindowMs)
{
    return detail::WaitFor(p.Id(), IsMessageBox, timeoutMs);
}

// Waits until `w` is closed or hidden; true when it is.
inline bool WaitGone(HWND w, DWORD timeoutMs = kWindowMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(w) && IsWindowVisible(w)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

// Screenshots `w` once its thread has finished what it was doing: a sent
// message is handled only between other messages, so a paint that was
// under way when the window was found is complete when it returns.
inline std::string Shot(HWND w, const std::string& name)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    return e2e::Screenshot(w, name);
}

// Entries of the dialog's file-type list, in order. The list is asked in
// Unicode: the dialog's controls are Unicode windows, and an ANSI request
// from another process would come back in UTF-16 anyway.
inline std::vector<std::string> FileTypes(HWND dlg)
{
    std::vector<std::string> types;
    HWND combo = GetDlgItem(dlg, kFileTypeCombo);
    DWORD_PTR count = 0;
    if (!combo || !SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return types;
    for (WPARAM i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
        std::vector<wchar_t> wide(length + 64, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG, 5000,
                            &copied);
        char narrow[512] = {};
        WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, narrow, sizeof narrow - 1, nullptr, nullptr);
        types.emplace_back(narrow);
    }
    return types;
}

inline const std::vector<std::string>& NativeAndGedcomTypes()
{
    static const std::vector<std::string> types{"Lindmory Files (*.LMY)", "Gedcom Files (*.GED)"};
    return types;
}
inline const std::vector<std::string>& NativeTypes()
{
    static const std::vector<std::string> types{"Lindmory Files (*.LMY)"};
    return types;
}
inline const std::vector<std::string>& GedcomTypes()
{
    static const std::vector<std::string> types{"Gedcom Files (*.GED)"};
    return types;
}

// Waits for the file dialog with the given title and screenshots it;
// nullptr (and a failure) when none appears.
inline HWND ExpectFileDialog(const e2e::Process& p, const std::string& title, const std::string& shot)
{
    HWND dlg = WaitForFileDialog(p);
    if (!dlg) {
        ADD_FAILURE() << "no \"" << title << "\" dialog appeared";
        return nullptr;
    }
    EXPECT_EQ(e2e::WindowTitle(dlg), title);
    Shot(dlg, shot);
    return dlg;
}

// Presses Cancel and waits for the dialog to close.
inline bool CancelDialog(HWND dlg)
{
    e2e::PressButton(dlg, IDCANCEL);
    return WaitGone(dlg);
}

// What a message box must show.
struct Box {
    std::string caption;
    std::string text;
    std::vector<int> buttons;
};

// "Verify save?", a blank line, then the path in lines of 64 characters.
inline std::string VerifyText(const std::string& path)
{
    std::string text = "Verify save?\n\n";
    for (size_t pos = 0; pos < path.size(); pos += 64) text += (pos ? "\n" : "") + path.substr(pos, 64);
    return text;
}

inline Box VerifySave(const std::string& path) { return {"Tamberlo 3.1", VerifyText(path), {IDYES, IDNO}}; }
// `number` as printed in the box, e.g. "0046".
// `number` as printed in the box, e.g. "0046", then whatever follows the
// first line.
inline Box ErrorBox(const std::string& number, const std::string& below = "")
{
    return {"LINDMORG.EXE", "Error, #" + number + " in ZIVARARI" + below, {IDOK}};
}

// The system's message for an error code on one line, as the program
// quotes it below an error number.
inline std::string SystemReason(DWORD error)
{
    char* buffer = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = n && buffer ? std::string(buffer, n) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text.empty() ? "System error " + std::to_string(error) + "." : text;
}

// 0x46 saying which file could not be copied where, and why.
inline Box CopyErrorBox(const std::string& source, const std::string& target, const std::string& reason)
{
    return ErrorBox("0046", "\n\n" + source + "\ncould not be copied to\n" + target + "\n\n" + reason);
}
inline Box CopyErrorBox(const std::string& source, const std::string& target, DWORD error)
{
    return CopyErrorBox(source, target, SystemReason(error));
}
// 0x46 when no work file could be created in the base directory.
inline Box WorkFileErrorBox(const std::string& baseDir, DWORD error)
{
    return ErrorBox("0046", "\n\nNo work file could be created in\n" + baseDir + "\n\n" + SystemReason(error));
}

// The program's own reasons.
const char kReasonSameFile[] = "Both names lead to the same file.";
const char kReasonNotAWorkFile[] =
    "The exchange file does not name a work file in ZivaRari's own folder, so nothing was copied or removed.";
const char kReasonIsTheDocument[] =
    "The exchange file names the document itself as the work file, so nothing was copied or removed.";

// Waits for the program's message box, checks it against `expected`,
// screenshots it and presses `answer`. False (with a failure) when no box
// appeared.
inline bool AnswerBox(const e2e::Process& p, const Box& expected, int answer, const std::string& shot)
{
    HWND box = WaitForBox(p);
    if (!box) {
        ADD_FAILURE() << "no box \"" << expected.text << "\" appeared";
        return false;
    }
    Shot(box, shot);
    EXPECT_EQ(e2e::WindowTitle(box), expected.caption);
    EXPECT_EQ(e2e::MessageBoxText(box), expected.text);
    EXPECT_EQ(e2e::ButtonIds(box), expected.buttons);
    e2e::PressButton(box, answer);
    EXPECT_TRUE(WaitGone(box)) << "the box stayed after its button was pressed";
    return true;
}

// The lines of a box's text.
inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(text.substr(start, nl - start));
    lines.push_back(text.substr(start));
    return lines;
}

// Waits for the numbered error box that says what failed and why (0x46,
// 0x47) where the reason may differ between systems: "Error, #<number> in
// ZIVARARI", a blank line, the lines `what`, a blank line and a reason (any
// non-empty line). Screenshots it and presses OK. Returns the reason (""
// with a failure when no such box appeared).
inline std::string AnswerErrorWithReason(const e2e::Process& p, const std::string& number,
                                         const std::vector<std::string>& what, const std::string& shot)
{
    HWND box = WaitForBox(p);
    if (!box) {
        ADD_FAILURE() << "no box \"Error, #" << number << " in ZIVARARI\" appeared";
        return "";
    }
    Shot(box, shot);
    const std::string text = e2e::MessageBoxText(box);
    EXPECT_EQ(e2e::WindowTitle(box), "LINDMORG.EXE");
    EXPECT_EQ(e2e::ButtonIds(box), std::vector<int>{IDOK});
    const std::vector<std::string> lines = Lines(text);
    std::string reason;
    EXPECT_EQ(lines.size(), what.size() + 4) << text;
    if (lines.size() == what.size() + 4) {
        EXPECT_EQ(lines[0], "Error, #" + number + " in ZIVARARI") << text;
        EXPECT_EQ(lines[1], "") << text;
        for (size_t i = 0; i < what.size(); ++i)
            EXPECT_EQ(lines[2 + i], what[i]) << text;
        EXPECT_EQ(lines[2 + what.size()], "") << text;
        reason = lines.back();
        EXPECT_NE(reason.find_first_not_of(" \t"), std::string::npos) << "no reason given: " << text;
    }
    e2e::PressButton(box, IDOK);
    EXPECT_TRUE(WaitGone(box)) << "the box stayed after its button was pressed";
    return reason;
}

// The middle part of 0x46 for a copy, and of 0x47 for an exchange file
// that cannot be read.
inline std::vector<std::string> CopyFailed(const std::string& source, const std::string& target)
{
    return {source, "could not be copied to", target};
}
inline std::vector<std::string> ExchangeUnreadable(const std::string& iniPath)
{
    return {"The exchange file", iniPath, "could not be read."};
}

// Answers the Save As dialog's own question before it replaces an existing
// file (Yes/No, "... already exists ..."). False when none appeared.
inline bool AnswerOverwrite(const e2e::Process& p, int answer, const std::string& shot)
{
    HWND box = WaitForBox(p);
    if (!box) {
        ADD_FAILURE() << "no question before replacing an existing file";
        return false;
    }
    Shot(box, shot);
    EXPECT_EQ(e2e::ButtonIds(box), (std::vector<int>{IDYES, IDNO}));
    EXPECT_NE(e2e::MessageBoxText(box).find("already exists"), std::string::npos) << e2e::MessageBoxText(box);
    e2e::PressButton(box, answer);
    EXPECT_TRUE(WaitGone(box)) << "the question stayed after its button was pressed";
    return true;
}

// Waits for the end of the program and expects exit code 0. When it does
// not end, whatever window it still shows is described and it is killed.
inline bool ExpectCleanExit(e2e::Process& p, const std::string& shot = "left-open")
{
    if (!p.WaitExit(kExitMs)) {
        HWND w = e2e::WaitForWindow(p.Id(), "#32770", 10);
        std::string what = w ? e2e::WindowTitle(w) + ": " + e2e::MessageBoxText(w) + e2e::DialogFileName(w)
                             : "no dialog";
        if (w) Shot(w, "unexpected-" + shot);
        ADD_FAILURE() << "the program did not end; it shows " << what;
        p.Kill();
        return false;
    }
    EXPECT_EQ(p.ExitCode(), 0u);
    return true;
}

// ---- files ---------------------------------------------------------------

// Document content that a partial, text-mode or truncated copy would not
// reproduce: NULs, CR LF, Ctrl-Z, bytes above 0x7F, and `tag` to tell
// documents apart; `size` bytes long.
inline std::string Document(const std::string& tag, size_t size = 3000)
{
    std::string head = "0 HEAD\r\n" + tag + "\n\x1a";
    head += std::string("\0\x01\xfe\xff\x80\r\r\n", 8);
    std::string bytes = head;
    for (size_t i = 0; bytes.size() < size; ++i) bytes += static_cast<char>((i * 131 + tag.size()) & 0xFF);
    bytes.resize(std::max(size, head.size()));
    return bytes;
}

// The bare file names in `dir` minus `known` (compared without regard to case).
inline std::vector<std::string> FilesBesides(const std::string& dir, const std::vector<std::string>& known)
{
    std::vector<std::string> out;
    for (const std::string& f : e2e::ListFiles(dir)) {
        bool isKnown = std::any_of(known.begin(), known.end(),
                                   [&](const std::string& k) { return lstrcmpiA(k.c_str(), f.c_str()) == 0; });
        if (!isKnown) out.push_back(f);
    }
    return out;
}

// Eight hexadecimal digits (of the given case) followed by `ext` exactly.
inline bool IsWorkName(const std::string& name, bool upperDigits, const std::string& ext)
{
    if (name.size() != 8 + ext.size() || name.compare(8, std::string::npos, ext) != 0) return false;
    return std::all_of(name.begin(), name.begin() + 8, [&](char c) {
        return (c >= '0' && c <= '9') || (upperDigits ? (c >= 'A' && c <= 'F') : (c >= 'a' && c <= 'f'));
    });
}

// A test-name suffix: letters and digits kept, everything else '_',
// prefixed with the case's index so that names stay unique.
inline std::string CaseName(size_t index, const std::string& text)
{
    std::string out = std::to_string(index) + "_";
    for (char c : text) out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return out;
}

inline std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Holds a file open without sharing, as another program busy with it
// would: nobody else can read, write, replace or delete it meanwhile. An
// empty path holds nothing.
class Lock {
public:
    explicit Lock(const std::string& path)
        : h_(path.empty() ? INVALID_HANDLE_VALUE
                          : CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                        nullptr))
    {
    }
    ~Lock()
    {
        if (Held()) CloseHandle(h_);
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool Held() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

// A test with its own base directory (the program and its exchange file)
// and a second directory standing for the user's documents elsewhere.
struct Dirs {
    explicit Dirs(const std::string& tag) : base(tag), docs(tag + "-docs") {}
    e2e::TempDir base;
    e2e::TempDir docs;
    std::string ini() const { return Ini(base); }
};

}  // namespace fc
