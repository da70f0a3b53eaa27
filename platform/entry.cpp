// Process entry: builds the argument list and hands it to OwlMain, whose
// result is the exit code.
#include <windows.h>

#include <string>
#include <vector>

#include "command_line.h"
#include "runtime.h"

int OwlMain(int argc, char* argv[]);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // argv[0] is the program's name as the command line gives it; the
    // strings live until the process ends.
    const char* commandLine = GetCommandLineA();
    static std::string programName(commandLine, SkipProgramName(commandLine));
    static std::vector<std::string> args = SplitArguments(commandLine);
    std::vector<char*> argv;
    argv.push_back(&programName[0]);
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    return OwlMain(static_cast<int>(argv.size() - 1), argv.data());
}
