// Copying a document so that no failure and no crash can damage it.
#pragma once

#include <windows.h>

#include <string>

// How a copy ended: success, a code the system gave, or a reason of the
// program's own.
struct CopyResult {
    DWORD error = 0;
    const wchar_t* reason = nullptr;
    explicit operator bool() const { return error == 0 && reason == nullptr; }
};

// Copies `source` over `target` so that the target is either the old file
// or the complete, flushed copy. The copy is written through one handle to
// a temporary file beside the file that `target` finally names (a link
// stays a link), which the system deletes should the process die; it is
// then renamed over that file in one step. A file is never copied onto
// itself.
CopyResult _pg_FileCopy16or32(const std::wstring& source, const std::wstring& target);

// The failure in words, for the error box.
std::wstring DescribeCopyFailure(const CopyResult& result);
