// The host's side of every name. Inside, the program keeps names in UTF-16;
// the host reads and writes the exchange file in its ANSI code page. Every
// conversion between the two, and the rules for handing a path over, live
// here.
#pragma once

#include <functional>
#include <optional>
#include <string>

// `wide` in `codePage` when every character has its own exact form there
// (no best-fit look-alike, no default character); nothing otherwise. In
// UTF-8 every valid text converts.
std::optional<std::string> ToHostExact(const std::wstring& wide, unsigned codePage);

// Text the host wrote, in UTF-16.
std::wstring FromHost(const std::string& text, unsigned codePage);

// The longest path the host takes, in bytes of its code page.
constexpr size_t kHostPathLimit = 259;

// The short (8.3) form the system keeps for an existing path, "" when there
// is none to be had. Where a volume keeps no short names it may give the
// path unchanged; only what the form converts to counts.
using ShortPathLookup = std::function<std::wstring(const std::wstring&)>;

// Why a path cannot be handed over.
enum class HostPathProblem { None, Characters, Length };

struct HostPath {
    std::string text;  // the host's form, when problem is None
    HostPathProblem problem = HostPathProblem::None;
};

// `path` as the host is to get it: as it is when it converts exactly and
// fits the host's limit; otherwise its short form when that converts
// exactly and fits (for a file that does not exist yet, the short form of
// its folder followed by its own name); otherwise the reason why not.
HostPath HostFormOfPath(const std::wstring& path, unsigned codePage, const ShortPathLookup& shortOf);
