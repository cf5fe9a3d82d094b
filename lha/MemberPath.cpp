#include "lha/MemberPath.h"

#include "lha/Error.h"

#include <algorithm>
#include <cctype>

namespace lha {

namespace {

bool IsSeparator(uint8_t c) { return c == '\\' || c == '/' || c == kDirectorySeparator; }

[[noreturn]] void Unsafe(const Header& header, const std::string& why) {
    throw Error(ErrorKind::UnsafeName, "unsafe member name \"" + header.Path() + "\": " + why);
}

// Windows opens these names as devices in any folder, with any extension.
bool IsDeviceName(const std::string& step) {
    std::string stem = step.substr(0, step.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::toupper(c); });
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices)
        if (stem == device) return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '0' && stem[3] <= '9';
}

}  // namespace

bool NoLeadBytes(uint8_t) { return false; }

std::vector<std::string> SplitPath(const std::string& path, const LeadByteTest& isLeadByte) {
    std::vector<std::string> steps;
    std::string step;
    auto finish = [&](bool atStart) {
        if (atStart) steps.emplace_back();  // marks a leading separator
        else if (!step.empty() && step != ".") steps.push_back(step);
        step.clear();
    };
    for (size_t i = 0; i < path.size(); ++i) {
        uint8_t c = static_cast<uint8_t>(path[i]);
        if (IsSeparator(c)) {
            finish(i == 0);
        } else if (isLeadByte(c) && i + 1 < path.size()) {
            step += path[i];
            step += path[++i];
        } else {
            step += path[i];
        }
    }
    finish(false);
    return steps;
}

void CheckSafeMember(const Header& header, const std::vector<std::string>& steps) {
    // Unix archivers store a link as a directory entry named "link|target".
    if (header.IsLink() || (header.IsDirectory() && header.name.find('|') != std::string::npos))
        Unsafe(header, "a symbolic link");
    if (steps.empty()) Unsafe(header, "no name");
    if (steps.front().empty()) Unsafe(header, "an absolute path");
    for (const std::string& step : steps) {
        if (step.find(':') != std::string::npos) Unsafe(header, "a drive or stream name");
        // The system drops trailing dots and blanks, so "..", ". ." and "..."
        // all climb out or name the folder itself.
        if (step.find_first_not_of(". ") == std::string::npos) Unsafe(header, "a \"..\" step");
        if (IsDeviceName(step)) Unsafe(header, "a device name");
    }
}

std::vector<std::string> SafeMemberPath(const Header& header, const LeadByteTest& isLeadByte) {
    std::vector<std::string> steps = SplitPath(header.Path(), isLeadByte);
    CheckSafeMember(header, steps);
    return steps;
}

}  // namespace lha
