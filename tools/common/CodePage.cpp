#include "tools/common/CodePage.h"

#include <stdexcept>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace tools {

namespace {

[[noreturn]] void Unconvertible(const std::string& utf8, unsigned codePage) {
    throw std::runtime_error("\"" + utf8 + "\" cannot be written in code page " + std::to_string(codePage));
}

}  // namespace

#ifdef _WIN32

std::string ToCodePage(const std::string& utf8, unsigned codePage) {
    if (utf8.empty()) return {};
    int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                         nullptr, 0);
    if (wideLength <= 0) Unconvertible(utf8, codePage);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wideLength);
    BOOL usedDefault = FALSE;
    int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, nullptr,
                                     &usedDefault);
    if (length <= 0 || usedDefault) Unconvertible(utf8, codePage);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, text.data(), length, nullptr,
                        nullptr);
    return text;
}

#else

std::string ToCodePage(const std::string& utf8, unsigned codePage) {
    iconv_t converter = iconv_open(("CP" + std::to_string(codePage)).c_str(), "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("code page " + std::to_string(codePage) + " is not available");
    std::string input = utf8;
    std::vector<char> output(input.size() * 2 + 4);
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result != 0 || inLeft != 0) Unconvertible(utf8, codePage);
    return std::string(output.data(), static_cast<size_t>(out - output.data()));
}

#endif

}  // namespace tools
