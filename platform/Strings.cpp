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

}  // namespace platform
