#include "platform/Strings.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace platform {

std::string LoadResString(UINT id, HMODULE module) {
    if (!module) module = GetModuleHandleA(nullptr);
    // An entry holds at most 4097 characters; LoadStringA truncates beyond the buffer.
    std::vector<char> buffer(4100);
    int length = LoadStringA(module, id, buffer.data(), static_cast<int>(buffer.size()));
    return length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : std::string();
}

namespace {

std::string FormatList(const char* pattern, va_list args) {
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(nullptr, 0, pattern, measure);
    va_end(measure);
    if (length <= 0) return std::string();
    std::string result(static_cast<size_t>(length), '\0');
    std::vsnprintf(result.data(), result.size() + 1, pattern, args);
    return result;
}

}  // namespace

std::string FormatText(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    std::string result = FormatList(pattern, args);
    va_end(args);
    return result;
}

std::string FormatResString(UINT id, ...) {
    std::string pattern = LoadResString(id);
    va_list args;
    va_start(args, id);
    std::string result = FormatList(pattern.c_str(), args);
    va_end(args);
    return result;
}

std::wstring WideFromAnsi(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, result.data(), length);
    return result;
}

std::optional<std::int32_t> ParseInteger(const std::string& text) {
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    bool hex = text.size() - at > 2 && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X');
    if (hex) at += 2;
    if (at == text.size()) return std::nullopt;
    std::uint64_t value = 0;
    for (; at < text.size(); ++at) {
        char c = text[at];
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (hex && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else return std::nullopt;
        value = value * (hex ? 16 : 10) + digit;
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    // Hexadecimal digits are a 32-bit pattern; decimal ones must fit the signed range.
    if (!hex && value > (negative ? 0x80000000u : 0x7FFFFFFFu)) return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

}  // namespace platform
