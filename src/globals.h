// Set at start-up, before any command runs.
#pragma once

#include <windows.h>

#include <string>

extern std::wstring _sg_ModuleFileName;  // full path of this executable
extern char* _sg_argv;                   // the command string; after the split only the code
extern char* _sg_ChainToProgram;         // the command parameter, or null
extern HWND _vg_HWNDparent;              // the hidden frame window
