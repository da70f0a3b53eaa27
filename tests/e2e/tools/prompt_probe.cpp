// Calls the program's prompt and exchange-file routines directly, so that a
// test can read their boxes and results without going through a command.
//
//   prompt_probe verify <path>     confirmation box; exit code 1 for Yes, 0 for No
//   prompt_probe reply <value>     stores the reply value in LINDMORY.INI beside
//                                  this executable; exit code 0
//   prompt_probe error <hexcode>   numbered error box; exit code 0 once it is closed
//   prompt_probe rnd [<module>]    creates a new work file in the base directory of
//                                  <module> (default: this executable); exit code
//                                  1 when it was created, 0 when it cannot be
//
// The argument is the rest of the command line after the word and one blank,
// taken verbatim: no quotes are interpreted, so paths and values with blanks,
// quotes or "|" need no escaping. Exit code 2 for an unknown word.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "command_line.h"
#include "exchange.h"
#include "globals.h"
#include "prompts.h"
#include "runtime.h"
#include "workfiles.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The exchange routines find LINDMORY.INI beside the module path.
    static std::string modulePath = ModulePath();
    _sg_ModuleFileName = &modulePath[0];

    const char* p = SkipProgramName(GetCommandLineA());
    while (IsBlank(*p)) ++p;
    const char* wordEnd = p;
    while (*wordEnd && !IsBlank(*wordEnd)) ++wordEnd;
    std::string word(p, wordEnd);
    std::string argument = *wordEnd ? std::string(wordEnd + 1) : std::string();

    if (word == "verify") return _pg_mssgVerifySave(argument) ? 1 : 0;
    if (word == "reply") {
        _pi_LongFnameGED(argument);
        return 0;
    }
    if (word == "error") {
        _PG_errCODE(static_cast<unsigned short>(std::strtoul(argument.c_str(), nullptr, 16)));
        return 0;
    }
    if (word == "rnd") {
        static std::string module = argument.empty() ? modulePath : argument;
        _sg_ModuleFileName = &module[0];
        std::string path = module;
        size_t slash = path.rfind('\\');
        return _pg_getRndFNAME(path, slash == std::string::npos ? 0 : slash + 1);
    }
    return 2;
}
