#pragma once
// The install-data file that the setup writes beside the game's runtime: an
// INI file with the section "Install Data". Its values come from a folder any
// user may write to, so they are checked before use (see RemovalScope.h).

#include <string>

namespace gamedelete {

struct InstallData {
    std::string title;             // "Title": the game's display title
    std::string uninstallKeyName;  // "UninstallKeyName": key below HKEY_LOCAL_MACHINE
    std::string shortcutName;      // "ShortcutName": below the user's Programs folder
};

// Reads the three values; a missing file, section or key reads as empty. The
// file is not held open afterwards.
InstallData ReadInstallData(const std::string& path);

}  // namespace gamedelete
