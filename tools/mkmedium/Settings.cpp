#include "tools/mkmedium/Settings.h"

#include "tools/common/CodePage.h"
#include "tools/common/Packer.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

namespace mkmedium {

namespace {

// Windows opens these names as devices in any folder, with any extension.
bool IsDeviceName(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::toupper(c); });
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (stem == device) return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

void CheckProjectName(const std::string& name, unsigned codePage) {
    if (!tools::IsWindowsFileName(name) || IsDeviceName(name) || name.front() == ' ')
        throw std::runtime_error("project name \"" + name +
                                 "\" is not a valid file name (it names the archive and the game's folder)");
    tools::ToCodePage(name, codePage);
}

std::vector<std::string> CheckGameTitle(const std::string& title, unsigned codePage) {
    if (title.empty()) throw std::runtime_error("the game title is empty");
    for (unsigned char c : title) {
        if (c < 0x20 || std::string_view("/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
            throw std::runtime_error("game title \"" + title +
                                     "\" holds a character that a shortcut's file name cannot hold (/ : * ? \" < > | "
                                     "or a control character)");
    }
    tools::ToCodePage(title, codePage);
    std::vector<std::string> warnings;
    if (title.find('\\') != std::string::npos)
        warnings.push_back("game title \"" + title +
                           "\" holds a backslash: its Programs-menu shortcut goes into a folder of its own");
    return warnings;
}

std::string SettingsText(const Settings& settings, unsigned codePage) {
    return "[Setup]\r\nProjectName=" + tools::ToCodePage(settings.projectName, codePage) +
           "\r\nGameTitle=" + tools::ToCodePage(settings.gameTitle, codePage) +
           "\r\nDiskNumber=" + std::to_string(settings.diskNumber) + "\r\n";
}

Settings ParseSettings(const std::string& bytes, unsigned codePage) {
    std::istringstream lines(bytes);
    std::string line, section;
    bool haveName = false, haveTitle = false;
    Settings settings;
    while (std::getline(lines, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            section = Trim(line.substr(1, line.find(']') - 1));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos || section != "Setup") continue;
        std::string key = Trim(line.substr(0, equals)), value = Trim(line.substr(equals + 1));
        if (key == "ProjectName") {
            settings.projectName = tools::FromCodePage(value, codePage);
            haveName = !value.empty();
        } else if (key == "GameTitle") {
            settings.gameTitle = tools::FromCodePage(value, codePage);
            haveTitle = !value.empty();
        } else if (key == "DiskNumber") {
            settings.diskNumber = std::atoi(value.c_str());
        }
    }
    if (!haveName || !haveTitle)
        throw std::runtime_error("the settings file names no project or no title in section [Setup]");
    return settings;
}

}  // namespace mkmedium
