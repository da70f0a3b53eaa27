// The process's arguments and the hidden frame, shared by every command.
#include "globals.h"

std::wstring _sg_ModuleFileName;
char* _sg_argv = nullptr;
char* _sg_ChainToProgram = nullptr;
HWND _vg_HWNDparent = nullptr;
