#include "tools/common/CodePage.h"

#include <stdexcept>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace tools {

namespace {

[[noreturn]] void Unconvertible(const std::string& utf8, unsigned codePage) {
    throw std::runtime_error("\"" + utf8 + "\" cannot be written in code page " + std::to_string(codePage));
}

[[noreturn]] void NotText(unsigned codePage) {
    throw std::runtime_error("a text is not valid in code page " + std::to_string(codePage));
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

std::string FromCodePage(const std::string& bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    int wideLength =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (wideLength <= 0) NotText(codePage);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), wideLength);
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, text.data(), length, nullptr, nullptr);
    return text;
}

#else

namespace {

// Converts with iconv; false when the input is no text in `from` or has a
// character that `to` lacks.
bool Convert(const std::string& input, const std::string& from, const std::string& to, std::string& output) {
    iconv_t converter = iconv_open(to.c_str(), from.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no conversion from " + from + " to " + to);
    std::string in = input;
    std::vector<char> buffer(input.size() * 4 + 4);
    char* inPointer = in.data();
    size_t inLeft = in.size();
    char* outPointer = buffer.data();
    size_t outLeft = buffer.size();
    size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    output.assign(buffer.data(), static_cast<size_t>(outPointer - buffer.data()));
    return result == 0 && inLeft == 0;
}

}  // namespace

std::string ToCodePage(const std::string& utf8, unsigned codePage) {
    std::string text;
    if (!Convert(utf8, "UTF-8", "CP" + std::to_string(codePage), text)) Unconvertible(utf8, codePage);
    return text;
}

std::string FromCodePage(const std::string& bytes, unsigned codePage) {
    std::string text;
    if (!Convert(bytes, "CP" + std::to_string(codePage), "UTF-8", text)) NotText(codePage);
    return text;
}

#endif

}  // namespace tools
