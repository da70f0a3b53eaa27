// Plan, counter, log, handle names and clock of the shims. This file is
// built without the redirecting header, so the calls here are the real ones.
#include "state.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <mutex>
#include <sstream>
#include <vector>

namespace faultshim {
namespace {

std::string Environment(const char* name)
{
    std::vector<wchar_t> buf(32768);
    std::wstring wname(name, name + std::char_traits<char>::length(name));
    DWORD n = GetEnvironmentVariableW(wname.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0 || n >= buf.size()) return std::string();
    return Utf8(std::wstring(buf.data(), n).c_str());
}

std::string ReadWhole(const std::string& path)
{
    HANDLE f = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::string();
    std::string text;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) text.append(buf, got);
    CloseHandle(f);
    return text;
}

struct State {
    bool active = false;
    unsigned long failAt = 0;
    DWORD failCode = 0;
    std::deque<std::string> dialogs;  // "\x01" stands for cancel
    std::deque<int> answers;
    SYSTEMTIME clock{};
    unsigned long calls = 0;
    std::map<std::string, unsigned long> perFunction;
    std::map<HANDLE, std::string> handles;
    HANDLE log = INVALID_HANDLE_VALUE;
    std::recursive_mutex lock;

    State()
    {
        clock.wYear = 2024;
        clock.wMonth = 5;
        clock.wDay = 6;
        clock.wDayOfWeek = 1;
        clock.wHour = 13;
        clock.wMinute = 45;
        clock.wSecond = 30;
        std::string planPath = Environment("ZIVARARI_FAULT_PLAN");
        if (planPath.empty()) return;
        active = true;
        std::istringstream plan(ReadWhole(planPath));
        std::string line;
        while (std::getline(plan, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] == '#') continue;
            size_t space = line.find(' ');
            std::string word = line.substr(0, space);
            std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
            if (word == "fail") {
                std::istringstream in(rest);
                in >> failAt >> failCode;
            } else if (word == "dialog") {
                dialogs.push_back(rest == "cancel" ? std::string("\x01") : rest);
            } else if (word == "answer") {
                answers.push_back(rest == "yes" ? IDYES : rest == "no" ? IDNO : rest == "ok" ? IDOK : IDCANCEL);
            } else if (word == "clock") {
                unsigned h = 0, m = 0, s = 0, ms = 0;
                if (std::sscanf(rest.c_str(), "%u:%u:%u.%u", &h, &m, &s, &ms) == 4) {
                    clock.wHour = static_cast<WORD>(h);
                    clock.wMinute = static_cast<WORD>(m);
                    clock.wSecond = static_cast<WORD>(s);
                    clock.wMilliseconds = static_cast<WORD>(ms);
                }
            }
        }
        std::string logPath = Environment("ZIVARARI_FAULT_LOG");
        if (!logPath.empty()) {
            log = CreateFileW(Wide(logPath).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        }
    }
};

State& S()
{
    static State state;
    return state;
}

}  // namespace

bool Active() { return S().active; }

Call Count(const char* function)
{
    State& s = S();
    Call call;
    call.function = function;
    if (!s.active) return call;
    std::lock_guard<std::recursive_mutex> hold(s.lock);
    call.number = ++s.calls;
    call.occurrence = ++s.perFunction[function];
    call.fail = call.number == s.failAt;
    call.code = s.failCode;
    return call;
}

void LogLine(const std::string& line)
{
    State& s = S();
    if (s.log == INVALID_HANDLE_VALUE) return;
    DWORD saved = GetLastError();
    std::lock_guard<std::recursive_mutex> hold(s.lock);
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(s.log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    SetLastError(saved);
}

void Log(const Call& call, const std::string& path, bool ok, const std::string& path2, const std::string& detail)
{
    if (!S().active) return;
    DWORD error = GetLastError();
    std::string line = std::string(call.function) + "\t" + std::to_string(call.occurrence) + "\t" + path;
    if (!path2.empty()) line += "\t-> " + path2;
    if (!detail.empty()) line += "\t[" + detail + "]";
    if (call.fail) line += "\tFAILED " + std::to_string(call.code);
    else if (ok) line += "\tok";
    else line += "\terror " + std::to_string(error);
    LogLine(line);
    SetLastError(error);
}

std::string Utf8(const wchar_t* text)
{
    if (!text) return "(null)";
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

std::string Utf8(const char* ansiText)
{
    if (!ansiText) return "(null)";
    int n = MultiByteToWideChar(CP_ACP, 0, ansiText, -1, nullptr, 0);
    if (n <= 1) return std::string();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansiText, -1, &wide[0], n);
    return Utf8(wide.c_str());
}

std::wstring Wide(const std::string& utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    if (n <= 1) return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &out[0], n);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

void Remember(HANDLE h, const std::string& path)
{
    if (h == INVALID_HANDLE_VALUE || !h) return;
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    S().handles[h] = path;
}

void Forget(HANDLE h)
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    S().handles.erase(h);
}

std::string PathOf(HANDLE h)
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    auto it = S().handles.find(h);
    if (it != S().handles.end()) return it->second;
    char text[32];
    std::snprintf(text, sizeof text, "<handle %p>", static_cast<void*>(h));
    return text;
}

bool NextDialog(std::string& path)
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    if (S().dialogs.empty()) return false;
    path = S().dialogs.front();
    S().dialogs.pop_front();
    return path != "\x01";
}

int NextAnswer()
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    if (S().answers.empty()) return 0;
    int answer = S().answers.front();
    S().answers.pop_front();
    return answer;
}

SYSTEMTIME NextTime()
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    SYSTEMTIME now = S().clock;
    FILETIME ft;
    SystemTimeToFileTime(&S().clock, &ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    t.QuadPart += 10 * 10000ULL;  // 10 ms in 100 ns units
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    FileTimeToSystemTime(&ft, &S().clock);
    return now;
}

}  // namespace faultshim
