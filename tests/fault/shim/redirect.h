// Force-included into every source of lindmorh_faults (GCC: -include,
// MSVC: /FI), never into lindmorh itself. It includes the system headers
// first and then renames the program's file, directory, profile and
// attribute calls, its common dialogs, its message boxes and its clock to
// the shims of tests/fault/shim, which count the calls, fail the one that
// the plan names and answer the dialogs and boxes as a scripted user.
//
// Why a second build from the same sources rather than patching the real
// exe's import table at run time:
// - it needs no injector: patching imports means getting a DLL into the
//   process before its first file call (a suspended start and a remote
//   thread, or a rewritten import table), which differs between 32 and 64
//   bits and between Windows and Wine, and has to be kept working itself;
// - it sees exactly the calls written in the program's sources, and only
//   those. An import hook also catches what the C runtime and the system
//   DLLs call through the exe's own table, so the counted calls would
//   depend on the compiler's runtime; here the count is the program's;
// - the same header works unchanged with MinGW and MSVC, and a source the
//   program gains is built into this target automatically (the target
//   takes its source list from the program's targets);
// - the price is a second binary: the shipped exe carries no hooks at all,
//   and fault_redirects_cover_file_calls checks that no file call of the
//   program's sources escapes the shims.
//
// Sources must not set _WIN32_WINNT, WIN32_LEAN_AND_MEAN or UNICODE before
// their own #include <windows.h>: the header is in already. Set such
// macros as compile definitions of the target instead.
#pragma once

#include "api.h"

// Function-like, so that only calls are renamed: a structure member of the
// same name (FILE_DISPOSITION_INFO's DeleteFile is DeleteFileA after
// windows.h) stays as it is.

#define CreateFileA(...) FaultShim_CreateFileA(__VA_ARGS__)
#define CreateFileW(...) FaultShim_CreateFileW(__VA_ARGS__)
#if _WIN32_WINNT >= 0x0602
#define CreateFile2(...) FaultShim_CreateFile2(__VA_ARGS__)
#endif
#define ReadFile(...) FaultShim_ReadFile(__VA_ARGS__)
#define WriteFile(...) FaultShim_WriteFile(__VA_ARGS__)
#define FlushFileBuffers(...) FaultShim_FlushFileBuffers(__VA_ARGS__)
#define SetFileInformationByHandle(...) FaultShim_SetFileInformationByHandle(__VA_ARGS__)
#define GetFileInformationByHandle(...) FaultShim_GetFileInformationByHandle(__VA_ARGS__)
#define GetFileInformationByHandleEx(...) FaultShim_GetFileInformationByHandleEx(__VA_ARGS__)
#define GetFinalPathNameByHandleA(...) FaultShim_GetFinalPathNameByHandleA(__VA_ARGS__)
#define GetFinalPathNameByHandleW(...) FaultShim_GetFinalPathNameByHandleW(__VA_ARGS__)
#define GetFileSizeEx(...) FaultShim_GetFileSizeEx(__VA_ARGS__)
#define GetFileSize(...) FaultShim_GetFileSize(__VA_ARGS__)
#define GetFileTime(...) FaultShim_GetFileTime(__VA_ARGS__)
#define SetFileTime(...) FaultShim_SetFileTime(__VA_ARGS__)
#define SetEndOfFile(...) FaultShim_SetEndOfFile(__VA_ARGS__)
#define SetFilePointerEx(...) FaultShim_SetFilePointerEx(__VA_ARGS__)
#define SetFilePointer(...) FaultShim_SetFilePointer(__VA_ARGS__)
#define CopyFileA(...) FaultShim_CopyFileA(__VA_ARGS__)
#define CopyFileW(...) FaultShim_CopyFileW(__VA_ARGS__)
#define CopyFileExA(...) FaultShim_CopyFileExA(__VA_ARGS__)
#define CopyFileExW(...) FaultShim_CopyFileExW(__VA_ARGS__)
#define MoveFileA(...) FaultShim_MoveFileA(__VA_ARGS__)
#define MoveFileW(...) FaultShim_MoveFileW(__VA_ARGS__)
#define MoveFileExA(...) FaultShim_MoveFileExA(__VA_ARGS__)
#define MoveFileExW(...) FaultShim_MoveFileExW(__VA_ARGS__)
#define MoveFileWithProgressA(...) FaultShim_MoveFileWithProgressA(__VA_ARGS__)
#define MoveFileWithProgressW(...) FaultShim_MoveFileWithProgressW(__VA_ARGS__)
#define ReplaceFileA(...) FaultShim_ReplaceFileA(__VA_ARGS__)
#define ReplaceFileW(...) FaultShim_ReplaceFileW(__VA_ARGS__)
#define DeleteFileA(...) FaultShim_DeleteFileA(__VA_ARGS__)
#define DeleteFileW(...) FaultShim_DeleteFileW(__VA_ARGS__)
#define GetFileAttributesA(...) FaultShim_GetFileAttributesA(__VA_ARGS__)
#define GetFileAttributesW(...) FaultShim_GetFileAttributesW(__VA_ARGS__)
#define GetFileAttributesExA(...) FaultShim_GetFileAttributesExA(__VA_ARGS__)
#define GetFileAttributesExW(...) FaultShim_GetFileAttributesExW(__VA_ARGS__)
#define SetFileAttributesA(...) FaultShim_SetFileAttributesA(__VA_ARGS__)
#define SetFileAttributesW(...) FaultShim_SetFileAttributesW(__VA_ARGS__)
#define CreateDirectoryA(...) FaultShim_CreateDirectoryA(__VA_ARGS__)
#define CreateDirectoryW(...) FaultShim_CreateDirectoryW(__VA_ARGS__)
#define RemoveDirectoryA(...) FaultShim_RemoveDirectoryA(__VA_ARGS__)
#define RemoveDirectoryW(...) FaultShim_RemoveDirectoryW(__VA_ARGS__)
#define SetCurrentDirectoryA(...) FaultShim_SetCurrentDirectoryA(__VA_ARGS__)
#define SetCurrentDirectoryW(...) FaultShim_SetCurrentDirectoryW(__VA_ARGS__)
#define GetShortPathNameA(...) FaultShim_GetShortPathNameA(__VA_ARGS__)
#define GetShortPathNameW(...) FaultShim_GetShortPathNameW(__VA_ARGS__)
#define GetLongPathNameA(...) FaultShim_GetLongPathNameA(__VA_ARGS__)
#define GetLongPathNameW(...) FaultShim_GetLongPathNameW(__VA_ARGS__)
#define GetTempFileNameA(...) FaultShim_GetTempFileNameA(__VA_ARGS__)
#define GetTempFileNameW(...) FaultShim_GetTempFileNameW(__VA_ARGS__)
#define FindFirstFileA(...) FaultShim_FindFirstFileA(__VA_ARGS__)
#define FindFirstFileW(...) FaultShim_FindFirstFileW(__VA_ARGS__)
#define FindFirstFileExA(...) FaultShim_FindFirstFileExA(__VA_ARGS__)
#define FindFirstFileExW(...) FaultShim_FindFirstFileExW(__VA_ARGS__)
#define FindNextFileA(...) FaultShim_FindNextFileA(__VA_ARGS__)
#define FindNextFileW(...) FaultShim_FindNextFileW(__VA_ARGS__)
#define _chdrive(...) FaultShim_chdrive(__VA_ARGS__)
#define GetPrivateProfileStringA(...) FaultShim_GetPrivateProfileStringA(__VA_ARGS__)
#define GetPrivateProfileStringW(...) FaultShim_GetPrivateProfileStringW(__VA_ARGS__)
#define GetPrivateProfileIntA(...) FaultShim_GetPrivateProfileIntA(__VA_ARGS__)
#define GetPrivateProfileIntW(...) FaultShim_GetPrivateProfileIntW(__VA_ARGS__)
#define WritePrivateProfileStringA(...) FaultShim_WritePrivateProfileStringA(__VA_ARGS__)
#define WritePrivateProfileStringW(...) FaultShim_WritePrivateProfileStringW(__VA_ARGS__)
#define CloseHandle(...) FaultShim_CloseHandle(__VA_ARGS__)
#define FindClose(...) FaultShim_FindClose(__VA_ARGS__)
#define GetOpenFileNameA(...) FaultShim_GetOpenFileNameA(__VA_ARGS__)
#define GetOpenFileNameW(...) FaultShim_GetOpenFileNameW(__VA_ARGS__)
#define GetSaveFileNameA(...) FaultShim_GetSaveFileNameA(__VA_ARGS__)
#define GetSaveFileNameW(...) FaultShim_GetSaveFileNameW(__VA_ARGS__)
#define CommDlgExtendedError(...) FaultShim_CommDlgExtendedError(__VA_ARGS__)
#define MessageBoxA(...) FaultShim_MessageBoxA(__VA_ARGS__)
#define MessageBoxW(...) FaultShim_MessageBoxW(__VA_ARGS__)
#define MessageBoxExA(...) FaultShim_MessageBoxExA(__VA_ARGS__)
#define MessageBoxExW(...) FaultShim_MessageBoxExW(__VA_ARGS__)
#define GetLocalTime(...) FaultShim_GetLocalTime(__VA_ARGS__)
