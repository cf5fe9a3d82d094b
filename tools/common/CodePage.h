#pragma once
// Converts UTF-8 text (names and texts as the publisher's system gives them)
// into the bytes of a Windows ANSI code page, as the setup program reads them.

#include <string>

namespace tools {

constexpr unsigned kKoreanCodePage = 949;

// Raises std::runtime_error naming the text when it is not valid UTF-8 or
// holds a character that the code page lacks.
std::string ToCodePage(const std::string& utf8, unsigned codePage);

// The reverse: code-page bytes as UTF-8. Raises std::runtime_error for bytes
// that are no text in the code page.
std::string FromCodePage(const std::string& bytes, unsigned codePage);

}  // namespace tools
