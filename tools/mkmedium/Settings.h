#pragma once
// The setup program's settings file as the medium carries it: section
// "Setup" with ProjectName, GameTitle and DiskNumber, in the medium's code
// page, and the rules that the project name and the title must follow.

#include <string>
#include <vector>

namespace mkmedium {

struct Settings {
    std::string projectName;  // UTF-8
    std::string gameTitle;    // UTF-8
    int diskNumber = 0;       // 0: one whole archive
};

// The settings file's name beside "setup.exe".
constexpr const char* kSettingsFileName = "setup.ini";

// Raises std::runtime_error when the project name cannot name the archive,
// the game's folder and its registry key: it must be a valid Windows file
// name in the code page.
void CheckProjectName(const std::string& name, unsigned codePage);

// Raises std::runtime_error when the title cannot name the Programs-menu
// shortcut; returns warnings for what it allows but may not be meant.
std::vector<std::string> CheckGameTitle(const std::string& title, unsigned codePage);

// The settings file's bytes: CRLF lines, texts in the code page.
std::string SettingsText(const Settings& settings, unsigned codePage);

// Reads the three keys back from a settings file's bytes (texts converted
// to UTF-8). Raises std::runtime_error when a key is missing.
Settings ParseSettings(const std::string& bytes, unsigned codePage);

}  // namespace mkmedium
