#include "platform/PathText.h"

#include <windows.h>

#include <cstring>

namespace pathtext {

namespace {

bool IsDelimiter(char c) { return c == '\\' || c == ':'; }

}  // namespace

std::size_t NextCharacter(const std::string& text, std::size_t index) {
    bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[index])) && index + 1 < text.size();
    return index + (lead ? 2 : 1);
}

std::size_t LastDelimiter(const std::string& text, const char* characters) {
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < text.size(); i = NextCharacter(text, i))
        if (text[i] != '\0' && std::strchr(characters, text[i])) found = i;
    return found;
}

std::size_t FindCharacter(const std::string& text, char character, std::size_t from) {
    for (std::size_t i = from; i < text.size(); i = NextCharacter(text, i))
        if (text[i] == character) return i;
    return std::string::npos;
}

bool ContainsCharacter(const std::string& text, char character) {
    return FindCharacter(text, character) != std::string::npos;
}

bool EndsWithBackslash(const std::string& path) {
    return !path.empty() && LastDelimiter(path, "\\") == path.size() - 1;
}

std::string AddTrailingDelimiter(const std::string& path) {
    return EndsWithBackslash(path) ? path : path + '\\';
}

std::string RemoveTrailingDelimiter(const std::string& path) {
    return EndsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
}

std::string FileNamePart(const std::string& path) {
    std::size_t delimiter = LastDelimiter(path, "\\:");
    return delimiter == std::string::npos ? path : path.substr(delimiter + 1);
}

std::string ExtractFolderPart(const std::string& path) {
    // A character that starts at some index and is a backslash or colon is a
    // single byte: neither can be a lead byte.
    std::size_t found = std::string::npos;
    std::size_t beforeFound = std::string::npos;
    std::size_t previous = std::string::npos;
    for (std::size_t i = 0; i < path.size(); i = NextCharacter(path, i)) {
        if (IsDelimiter(path[i])) {
            found = i;
            beforeFound = previous;
        }
        previous = i;
    }
    if (found == std::string::npos) return std::string();
    bool keepBackslash = found == 0 || IsDelimiter(path[beforeFound]);
    if (path[found] == '\\' && !keepBackslash) return path.substr(0, found);
    return path.substr(0, found + 1);
}

std::vector<std::string> SplitSteps(const std::string& path) {
    std::vector<std::string> steps;
    std::size_t start = 0;
    for (std::size_t backslash = FindCharacter(path, '\\'); backslash != std::string::npos;
         backslash = FindCharacter(path, '\\', backslash + 1)) {
        steps.push_back(path.substr(start, backslash - start));
        start = backslash + 1;
    }
    steps.push_back(path.substr(start));
    return steps;
}

}  // namespace pathtext
