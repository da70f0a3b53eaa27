// Declarations of the shims, with the exact signatures of the calls they
// stand for. Included by the shims themselves and by redirect.h.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <direct.h>

#ifdef __cplusplus
extern "C" {
#endif

// ---- counted and failed: files, directories, attributes, information ----
HANDLE WINAPI FaultShim_CreateFileA(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
HANDLE WINAPI FaultShim_CreateFileW(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
#if _WIN32_WINNT >= 0x0602
HANDLE WINAPI FaultShim_CreateFile2(LPCWSTR, DWORD, DWORD, DWORD, LPCREATEFILE2_EXTENDED_PARAMETERS);
#endif
BOOL WINAPI FaultShim_ReadFile(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
BOOL WINAPI FaultShim_WriteFile(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
BOOL WINAPI FaultShim_FlushFileBuffers(HANDLE);
BOOL WINAPI FaultShim_SetFileInformationByHandle(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);
BOOL WINAPI FaultShim_GetFileInformationByHandle(HANDLE, LPBY_HANDLE_FILE_INFORMATION);
BOOL WINAPI FaultShim_GetFileInformationByHandleEx(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);
DWORD WINAPI FaultShim_GetFinalPathNameByHandleA(HANDLE, LPSTR, DWORD, DWORD);
DWORD WINAPI FaultShim_GetFinalPathNameByHandleW(HANDLE, LPWSTR, DWORD, DWORD);
BOOL WINAPI FaultShim_GetFileSizeEx(HANDLE, PLARGE_INTEGER);
DWORD WINAPI FaultShim_GetFileSize(HANDLE, LPDWORD);
BOOL WINAPI FaultShim_GetFileTime(HANDLE, LPFILETIME, LPFILETIME, LPFILETIME);
BOOL WINAPI FaultShim_SetFileTime(HANDLE, const FILETIME*, const FILETIME*, const FILETIME*);
BOOL WINAPI FaultShim_SetEndOfFile(HANDLE);
BOOL WINAPI FaultShim_SetFilePointerEx(HANDLE, LARGE_INTEGER, PLARGE_INTEGER, DWORD);
DWORD WINAPI FaultShim_SetFilePointer(HANDLE, LONG, PLONG, DWORD);
BOOL WINAPI FaultShim_CopyFileA(LPCSTR, LPCSTR, BOOL);
BOOL WINAPI FaultShim_CopyFileW(LPCWSTR, LPCWSTR, BOOL);
BOOL WINAPI FaultShim_CopyFileExA(LPCSTR, LPCSTR, LPPROGRESS_ROUTINE, LPVOID, LPBOOL, DWORD);
BOOL WINAPI FaultShim_CopyFileExW(LPCWSTR, LPCWSTR, LPPROGRESS_ROUTINE, LPVOID, LPBOOL, DWORD);
BOOL WINAPI FaultShim_MoveFileA(LPCSTR, LPCSTR);
BOOL WINAPI FaultShim_MoveFileW(LPCWSTR, LPCWSTR);
BOOL WINAPI FaultShim_MoveFileExA(LPCSTR, LPCSTR, DWORD);
BOOL WINAPI FaultShim_MoveFileExW(LPCWSTR, LPCWSTR, DWORD);
BOOL WINAPI FaultShim_MoveFileWithProgressA(LPCSTR, LPCSTR, LPPROGRESS_ROUTINE, LPVOID, DWORD);
BOOL WINAPI FaultShim_MoveFileWithProgressW(LPCWSTR, LPCWSTR, LPPROGRESS_ROUTINE, LPVOID, DWORD);
BOOL WINAPI FaultShim_ReplaceFileA(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID);
BOOL WINAPI FaultShim_ReplaceFileW(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID);
BOOL WINAPI FaultShim_DeleteFileA(LPCSTR);
BOOL WINAPI FaultShim_DeleteFileW(LPCWSTR);
DWORD WINAPI FaultShim_GetFileAttributesA(LPCSTR);
DWORD WINAPI FaultShim_GetFileAttributesW(LPCWSTR);
BOOL WINAPI FaultShim_GetFileAttributesExA(LPCSTR, GET_FILEEX_INFO_LEVELS, LPVOID);
BOOL WINAPI FaultShim_GetFileAttributesExW(LPCWSTR, GET_FILEEX_INFO_LEVELS, LPVOID);
BOOL WINAPI FaultShim_SetFileAttributesA(LPCSTR, DWORD);
BOOL WINAPI FaultShim_SetFileAttributesW(LPCWSTR, DWORD);
BOOL WINAPI FaultShim_CreateDirectoryA(LPCSTR, LPSECURITY_ATTRIBUTES);
BOOL WINAPI FaultShim_CreateDirectoryW(LPCWSTR, LPSECURITY_ATTRIBUTES);
BOOL WINAPI FaultShim_RemoveDirectoryA(LPCSTR);
BOOL WINAPI FaultShim_RemoveDirectoryW(LPCWSTR);
BOOL WINAPI FaultShim_SetCurrentDirectoryA(LPCSTR);
BOOL WINAPI FaultShim_SetCurrentDirectoryW(LPCWSTR);
DWORD WINAPI FaultShim_GetShortPathNameA(LPCSTR, LPSTR, DWORD);
DWORD WINAPI FaultShim_GetShortPathNameW(LPCWSTR, LPWSTR, DWORD);
DWORD WINAPI FaultShim_GetLongPathNameA(LPCSTR, LPSTR, DWORD);
DWORD WINAPI FaultShim_GetLongPathNameW(LPCWSTR, LPWSTR, DWORD);
UINT WINAPI FaultShim_GetTempFileNameA(LPCSTR, LPCSTR, UINT, LPSTR);
UINT WINAPI FaultShim_GetTempFileNameW(LPCWSTR, LPCWSTR, UINT, LPWSTR);
HANDLE WINAPI FaultShim_FindFirstFileA(LPCSTR, LPWIN32_FIND_DATAA);
HANDLE WINAPI FaultShim_FindFirstFileW(LPCWSTR, LPWIN32_FIND_DATAW);
HANDLE WINAPI FaultShim_FindFirstFileExA(LPCSTR, FINDEX_INFO_LEVELS, LPVOID, FINDEX_SEARCH_OPS, LPVOID, DWORD);
HANDLE WINAPI FaultShim_FindFirstFileExW(LPCWSTR, FINDEX_INFO_LEVELS, LPVOID, FINDEX_SEARCH_OPS, LPVOID, DWORD);
BOOL WINAPI FaultShim_FindNextFileA(HANDLE, LPWIN32_FIND_DATAA);
BOOL WINAPI FaultShim_FindNextFileW(HANDLE, LPWIN32_FIND_DATAW);
int __cdecl FaultShim_chdrive(int);

// ---- counted and failed: the exchange file -------------------------------
DWORD WINAPI FaultShim_GetPrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD, LPCSTR);
DWORD WINAPI FaultShim_GetPrivateProfileStringW(LPCWSTR, LPCWSTR, LPCWSTR, LPWSTR, DWORD, LPCWSTR);
UINT WINAPI FaultShim_GetPrivateProfileIntA(LPCSTR, LPCSTR, INT, LPCSTR);
UINT WINAPI FaultShim_GetPrivateProfileIntW(LPCWSTR, LPCWSTR, INT, LPCWSTR);
BOOL WINAPI FaultShim_WritePrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPCSTR);
BOOL WINAPI FaultShim_WritePrivateProfileStringW(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR);

// ---- passed through, only to know which file a handle stands for ---------
BOOL WINAPI FaultShim_CloseHandle(HANDLE);
BOOL WINAPI FaultShim_FindClose(HANDLE);

// ---- the scripted user and the fixed clock --------------------------------
BOOL WINAPI FaultShim_GetOpenFileNameA(LPOPENFILENAMEA);
BOOL WINAPI FaultShim_GetOpenFileNameW(LPOPENFILENAMEW);
BOOL WINAPI FaultShim_GetSaveFileNameA(LPOPENFILENAMEA);
BOOL WINAPI FaultShim_GetSaveFileNameW(LPOPENFILENAMEW);
DWORD WINAPI FaultShim_CommDlgExtendedError(void);
int WINAPI FaultShim_MessageBoxA(HWND, LPCSTR, LPCSTR, UINT);
int WINAPI FaultShim_MessageBoxW(HWND, LPCWSTR, LPCWSTR, UINT);
int WINAPI FaultShim_MessageBoxExA(HWND, LPCSTR, LPCSTR, UINT, WORD);
int WINAPI FaultShim_MessageBoxExW(HWND, LPCWSTR, LPCWSTR, UINT, WORD);
void WINAPI FaultShim_GetLocalTime(LPSYSTEMTIME);

#ifdef __cplusplus
}
#endif
