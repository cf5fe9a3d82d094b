#pragma once
// Paths as byte strings in the system's ANSI code page. A backslash byte that
// is the second byte of a double-byte character (possible under code page 932)
// is part of that character and never a delimiter.

#include <string>
#include <vector>

namespace pathtext {

// True when `character` occurs in `text` as a character of its own.
bool ContainsCharacter(const std::string& text, char character);

// The path with one backslash appended unless it already ends in one.
std::string AddTrailingDelimiter(const std::string& path);

// The path without the final backslash added by AddTrailingDelimiter.
std::string RemoveTrailingDelimiter(const std::string& path);

// The text up to the last backslash or colon. That backslash is left off unless
// it stands first or follows a backslash or colon, so a root keeps it:
// C:\Games\Foo\x.ind gives C:\Games\Foo, C:\x.ind gives C:\. Empty when the
// path holds neither.
std::string ExtractFolderPart(const std::string& path);

// The steps between backslashes, empty ones included ("a\\b" gives a, "", b).
std::vector<std::string> SplitSteps(const std::string& path);

}  // namespace pathtext
