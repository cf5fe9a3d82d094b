#pragma once
// Paths as byte strings in the system's ANSI code page. A backslash byte that
// is the second byte of a double-byte character (possible under code page 932)
// is part of that character and never a delimiter. Every rule here walks the
// text character by character for that reason.

#include <cstddef>
#include <string>
#include <vector>

namespace pathtext {

// Index of the character after the one that starts at `index`.
std::size_t NextCharacter(const std::string& text, std::size_t index);

// Position of the last character of `text` that is one of `characters` (each a
// single byte); npos when there is none.
std::size_t LastDelimiter(const std::string& text, const char* characters);

// Position of the first `character` of its own at or after `from` (a character
// start); npos when there is none.
std::size_t FindCharacter(const std::string& text, char character, std::size_t from = 0);

// True when `character` occurs in `text` as a character of its own.
bool ContainsCharacter(const std::string& text, char character);

// True when the last character is a backslash of its own.
bool EndsWithBackslash(const std::string& path);

// The path with one backslash appended unless it already ends in one.
std::string AddTrailingDelimiter(const std::string& path);

// The path without the final backslash added by AddTrailingDelimiter.
std::string RemoveTrailingDelimiter(const std::string& path);

// Everything after the last backslash or colon.
std::string FileNamePart(const std::string& path);

// The text up to the last backslash or colon. That backslash is left off unless
// it stands first or follows a backslash or colon, so a root keeps it:
// C:\Games\Foo\x.ind gives C:\Games\Foo, C:\x.ind gives C:\. Empty when the
// path holds neither.
std::string ExtractFolderPart(const std::string& path);

// The steps between backslashes, empty ones included ("a\\b" gives a, "", b).
std::vector<std::string> SplitSteps(const std::string& path);

}  // namespace pathtext
