#pragma once
// What the uninstaller may remove. It runs with administrator rights while
// the install-data file that names the shortcut and the registry key lies in
// the game's folder, where any user may change it, and the folder comes from
// the command line; so each is checked before anything is removed.

#include <optional>
#include <string>

namespace gamedelete {

// The key path relative to HKEY_LOCAL_MACHINE (one leading backslash dropped)
// when `name` names exactly one key directly below
// Software\Microsoft\Windows\CurrentVersion\Uninstall\; empty otherwise.
std::optional<std::string> UninstallKeyInScope(const std::string& name);

// True when `name` is a relative path below the Programs folder: no drive or
// server part, no leading backslash, no slash, no empty step or step made of
// dots and blanks only (so no ..), ending in ".lnk".
bool IsShortcutNameInScope(const std::string& name);

// True when `folder` is a full path (drive or server and share) of an
// existing folder that is not a reparse point, is not a drive's or share's
// root, and is neither the Windows folder, the system folder, the Programs
// folder, the profile folder or the Program Files folder nor a folder that
// holds one of them. Aliases (.., short names, links above it) count as the
// folder they lead to. False also when the shell cannot name those folders.
bool IsGameFolderRemovable(const std::string& folder);

}  // namespace gamedelete
