// Stands in for a program that lindmorh starts: writes "launched" to the
// file named by its argument (or marker.txt) and exits at once.
//
// The argument is the command line as given after the program name, blanks
// at either end removed; quotes are not interpreted, so a name with spaces
// needs none.
#include <windows.h>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The command line after the program name, trimmed (cut in place).
const char* ArgumentOf(char* line)
{
    char* p = line;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && !IsBlank(*p)) ++p;
    }
    while (IsBlank(*p)) ++p;
    char* e = p + lstrlenA(p);
    while (e > p && IsBlank(e[-1])) --e;
    *e = '\0';
    return p;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    static char line[32768];
    lstrcpynA(line, GetCommandLineA(), sizeof line);
    const char* arg = ArgumentOf(line);
    const char* fileName = *arg ? arg : "marker.txt";

    HANDLE f = CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    const char text[] = "launched";
    DWORD written = 0;
    WriteFile(f, text, sizeof text - 1, &written, nullptr);
    CloseHandle(f);
    return 0;
}
