// The forms the system keeps for one path: full, long and short (8.3), and
// the form in which a path is handed to the host.
#pragma once

#include <string>

#include "host_text.h"

// `path` made full against the current directory.
std::wstring FullPath(const std::wstring& path);

// The short form of an existing path; "" when there is none to be had.
std::wstring ShortPathOf(const std::wstring& path);

// The long form of an existing path (every short component spelled out);
// for a file that does not exist yet, its folder's long form and its own
// name; the path as it is when neither can be had.
std::wstring LongPathOf(const std::wstring& path);

// The name to show the user for a stored path: its long form where that
// spells out a short form, the path as stored where it differs only in
// letter case.
std::wstring DisplayName(const std::wstring& path);

// `path` as the host is to get it, in the system's ANSI code page (see
// HostFormOfPath).
HostPath HostForm(const std::wstring& path);
