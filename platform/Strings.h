#pragma once
// Texts of the string table, in the system's ANSI code page.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The string-table entry `id` of `module` (the running program when null);
// empty when there is no such entry.
std::string LoadResString(UINT id, HMODULE module = nullptr);

// printf-style formatting into a string. The pattern and every %s argument are
// byte strings in the system code page; they are copied byte for byte.
std::string FormatText(const char* pattern, ...);

// FormatText with a string-table entry as the pattern.
std::string FormatResString(UINT id, ...);

// UTF-16 from bytes in the system's ANSI code page.
std::wstring WideFromAnsi(const std::string& text);

// A signed 32-bit integer written in decimal, or in hexadecimal after 0x or
// 0X (up to eight digits, taken as the 32-bit pattern), with an optional sign.
// Empty for anything else, including values out of range and blanks.
std::optional<std::int32_t> ParseInteger(const std::string& text);

}  // namespace platform
