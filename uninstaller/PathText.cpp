#include "uninstaller/PathText.h"

#include <windows.h>

namespace pathtext {

namespace {

// Index of the character after the one that starts at `index`.
std::size_t NextCharacter(const std::string& text, std::size_t index) {
    bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[index])) && index + 1 < text.size();
    return index + (lead ? 2 : 1);
}

// True when the last character is a backslash of its own.
bool EndsWithBackslash(const std::string& text) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < text.size(); i = NextCharacter(text, i)) last = i;
    return last != std::string::npos && text[last] == '\\';
}

bool IsDelimiter(char c) { return c == '\\' || c == ':'; }

}  // namespace

bool ContainsCharacter(const std::string& text, char character) {
    for (std::size_t i = 0; i < text.size(); i = NextCharacter(text, i))
        if (text[i] == character) return true;
    return false;
}

std::string AddTrailingDelimiter(const std::string& path) {
    return EndsWithBackslash(path) ? path : path + '\\';
}

std::string RemoveTrailingDelimiter(const std::string& path) {
    return EndsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
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
    for (std::size_t i = 0; i < path.size(); i = NextCharacter(path, i)) {
        if (path[i] == '\\') {
            steps.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    steps.push_back(path.substr(start));
    return steps;
}

}  // namespace pathtext
