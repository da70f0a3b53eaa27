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

#include "exchange.h"
#include "globals.h"
#include "prompts.h"
#include "runtime.h"
#include "workfiles.h"

namespace {

template <typename Char>
bool IsBlank(Char c)
{
    return c == ' ' || c == '\t';
}

// The word after the program's name and the argument after the word and
// one blank, from a command line of either width.
template <typename Char>
void SplitWord(const Char* line, std::basic_string<Char>& word, std::basic_string<Char>& argument)
{
    const Char* p = line;
    while (IsBlank(*p)) ++p;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (*p && !IsBlank(*p)) ++p;
    }
    while (IsBlank(*p)) ++p;
    const Char* wordEnd = p;
    while (*wordEnd && !IsBlank(*wordEnd)) ++wordEnd;
    word.assign(p, wordEnd);
    argument = *wordEnd ? std::basic_string<Char>(wordEnd + 1) : std::basic_string<Char>();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The exchange routines find LINDMORY.INI beside the module path.
    _sg_ModuleFileName = ModulePath();

    // Paths come whole in UTF-16; a reply value is the host's text, in the
    // ANSI code page.
    std::wstring word, argument;
    SplitWord(GetCommandLineW(), word, argument);
    std::string narrowWord, hostArgument;
    SplitWord(GetCommandLineA(), narrowWord, hostArgument);

    if (word == L"verify") return _pg_mssgVerifySave(argument) ? 1 : 0;
    if (word == L"reply") {
        _pi_LongFnameGED(hostArgument);
        return 0;
    }
    if (word == L"error") {
        _PG_errCODE(static_cast<unsigned short>(std::wcstoul(argument.c_str(), nullptr, 16)));
        return 0;
    }
    if (word == L"rnd") {
        if (!argument.empty()) _sg_ModuleFileName = argument;
        std::wstring path = _sg_ModuleFileName;
        size_t slash = path.rfind(L'\\');
        return _pg_getRndFNAME(path, slash == std::wstring::npos ? 0 : slash + 1);
    }
    return 2;
}
