// Stands in for the program that command 7 launches: first thing, writes
// the high-resolution clock's count to the file named by its argument.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    // The argument: the command line after the program's name.
    const char* p = GetCommandLineA();
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    if (!*p) return 1;
    char text[32];
    int n = std::snprintf(text, sizeof text, "%lld", static_cast<long long>(now.QuadPart));
    HANDLE f = CreateFileA(p, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(f, text, static_cast<DWORD>(n), &written, nullptr);
    CloseHandle(f);
    return 0;
}
