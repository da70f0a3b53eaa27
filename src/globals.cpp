// The process's arguments and the hidden frame, shared by every command.
#include "globals.h"

char* _sg_ModuleFileName = nullptr;
char* _sg_argv = nullptr;
char* _sg_ChainToProgram = nullptr;
HWND _vg_HWNDparent = nullptr;
