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

// Object-like, so that a call passed by its address (a lookup function
// handed to a helper) is renamed too. DeleteFileA and DeleteFileW are
// function-like: FILE_DISPOSITION_INFO has a member DeleteFile, which
// windows.h spells DeleteFileA or DeleteFileW, and only calls are renamed.
// fault_redirects_cover_file_calls fails when a call escapes either way.

#define CreateFileA FaultShim_CreateFileA
#define CreateFileW FaultShim_CreateFileW
#if _WIN32_WINNT >= 0x0602
#define CreateFile2 FaultShim_CreateFile2
#endif
#define ReadFile FaultShim_ReadFile
#define WriteFile FaultShim_WriteFile
#define FlushFileBuffers FaultShim_FlushFileBuffers
#define SetFileInformationByHandle FaultShim_SetFileInformationByHandle
#define GetFileInformationByHandle FaultShim_GetFileInformationByHandle
#define GetFileInformationByHandleEx FaultShim_GetFileInformationByHandleEx
#define GetFinalPathNameByHandleA FaultShim_GetFinalPathNameByHandleA
#define GetFinalPathNameByHandleW FaultShim_GetFinalPathNameByHandleW
#define GetFileSizeEx FaultShim_GetFileSizeEx
#define GetFileSize FaultShim_GetFileSize
#define GetFileTime FaultShim_GetFileTime
#define SetFileTime FaultShim_SetFileTime
#define SetEndOfFile FaultShim_SetEndOfFile
#define SetFilePointerEx FaultShim_SetFilePointerEx
#define SetFilePointer FaultShim_SetFilePointer
#define CopyFileA FaultShim_CopyFileA
#define CopyFileW FaultShim_CopyFileW
#define CopyFileExA FaultShim_CopyFileExA
#define CopyFileExW FaultShim_CopyFileExW
#define MoveFileA FaultShim_MoveFileA
#define MoveFileW FaultShim_MoveFileW
#define MoveFileExA FaultShim_MoveFileExA
#define MoveFileExW FaultShim_MoveFileExW
#define MoveFileWithProgressA FaultShim_MoveFileWithProgressA
#define MoveFileWithProgressW FaultShim_MoveFileWithProgressW
#define ReplaceFileA FaultShim_ReplaceFileA
#define ReplaceFileW FaultShim_ReplaceFileW
#define DeleteFileA(...) FaultShim_DeleteFileA(__VA_ARGS__)
#define DeleteFileW(...) FaultShim_DeleteFileW(__VA_ARGS__)
#define GetFileAttributesA FaultShim_GetFileAttributesA
#define GetFileAttributesW FaultShim_GetFileAttributesW
#define GetFileAttributesExA FaultShim_GetFileAttributesExA
#define GetFileAttributesExW FaultShim_GetFileAttributesExW
#define SetFileAttributesA FaultShim_SetFileAttributesA
#define SetFileAttributesW FaultShim_SetFileAttributesW
#define CreateDirectoryA FaultShim_CreateDirectoryA
#define CreateDirectoryW FaultShim_CreateDirectoryW
#define RemoveDirectoryA FaultShim_RemoveDirectoryA
#define RemoveDirectoryW FaultShim_RemoveDirectoryW
#define SetCurrentDirectoryA FaultShim_SetCurrentDirectoryA
#define SetCurrentDirectoryW FaultShim_SetCurrentDirectoryW
#define GetShortPathNameA FaultShim_GetShortPathNameA
#define GetShortPathNameW FaultShim_GetShortPathNameW
#define GetLongPathNameA FaultShim_GetLongPathNameA
#define GetLongPathNameW FaultShim_GetLongPathNameW
#define GetTempFileNameA FaultShim_GetTempFileNameA
#define GetTempFileNameW FaultShim_GetTempFileNameW
#define FindFirstFileA FaultShim_FindFirstFileA
#define FindFirstFileW FaultShim_FindFirstFileW
#define FindFirstFileExA FaultShim_FindFirstFileExA
#define FindFirstFileExW FaultShim_FindFirstFileExW
#define FindNextFileA FaultShim_FindNextFileA
#define FindNextFileW FaultShim_FindNextFileW
#define _chdrive FaultShim_chdrive
#define GetPrivateProfileStringA FaultShim_GetPrivateProfileStringA
#define GetPrivateProfileStringW FaultShim_GetPrivateProfileStringW
#define GetPrivateProfileIntA FaultShim_GetPrivateProfileIntA
#define GetPrivateProfileIntW FaultShim_GetPrivateProfileIntW
#define WritePrivateProfileStringA FaultShim_WritePrivateProfileStringA
#define WritePrivateProfileStringW FaultShim_WritePrivateProfileStringW
#define CloseHandle FaultShim_CloseHandle
#define FindClose FaultShim_FindClose
#define GetOpenFileNameA FaultShim_GetOpenFileNameA
#define GetOpenFileNameW FaultShim_GetOpenFileNameW
#define GetSaveFileNameA FaultShim_GetSaveFileNameA
#define GetSaveFileNameW FaultShim_GetSaveFileNameW
#define CommDlgExtendedError FaultShim_CommDlgExtendedError
#define MessageBoxA FaultShim_MessageBoxA
#define MessageBoxW FaultShim_MessageBoxW
#define MessageBoxExA FaultShim_MessageBoxExA
#define MessageBoxExW FaultShim_MessageBoxExW
#define GetLocalTime FaultShim_GetLocalTime
