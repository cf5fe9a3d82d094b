#include "uninstaller/RemovalScope.h"

#include "platform/Handle.h"
#include "uninstaller/FolderTree.h"
#include "platform/PathText.h"
#include "uninstaller/ShellFolders.h"

#include <string_view>
#include <vector>

namespace gamedelete {

namespace {

constexpr std::string_view kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr std::string_view kShortcutExtension = ".lnk";

// The game folder may be none of these, nor hold one of them.
constexpr int kProtectedFolders[] = {
    CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROGRAMS, CSIDL_PROFILE, CSIDL_PROGRAM_FILES,
};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Byte-wise, for ASCII patterns: a byte of a double-byte character never
// matches one of them after an earlier byte matched.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// Empty, ".", "..", ". ." and the like: the system drops trailing dots and
// blanks, so none of them names a folder of its own.
bool IsDotsAndBlanks(const std::string& step) {
    return step.find_first_not_of(". ") == std::string::npos;
}

struct Identity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    bool operator==(const Identity&) const = default;
};

// Which folder `path` leads to, following links; empty when it cannot be opened.
std::optional<Identity> IdentityOf(const std::string& path) {
    platform::FileHandle folder(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!folder || !GetFileInformationByHandle(folder.Get(), &information) ||
        !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return Identity{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
}

// The root of a full path, X:\ or \\server\share\; empty for any other path
// (relative, drive-relative, device paths such as \\?\ and \\.\).
std::string RootOf(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\' && LowerAscii(path[0]) >= 'a' &&
        LowerAscii(path[0]) <= 'z')
        return path.substr(0, 3);
    std::vector<std::string> steps = pathtext::SplitSteps(path);
    if (steps.size() >= 4 && steps[0].empty() && steps[1].empty() && !IsDotsAndBlanks(steps[2]) &&
        steps[2] != "?" && !IsDotsAndBlanks(steps[3]))
        return "\\\\" + steps[2] + "\\" + steps[3] + "\\";
    return std::string();
}

}  // namespace

std::optional<std::string> UninstallKeyInScope(const std::string& name) {
    std::string_view key = name;
    if (key.starts_with('\\')) key.remove_prefix(1);
    if (!EqualIgnoringAsciiCase(key.substr(0, kUninstallKey.size()), kUninstallKey)) return std::nullopt;
    std::string tail(key.substr(kUninstallKey.size()));
    if (tail.empty() || tail == "." || tail == ".." || pathtext::ContainsCharacter(tail, '\\'))
        return std::nullopt;
    return std::string(key);
}

bool IsShortcutNameInScope(const std::string& name) {
    if (pathtext::ContainsCharacter(name, ':') || pathtext::ContainsCharacter(name, '/')) return false;
    for (const std::string& step : pathtext::SplitSteps(name))
        if (IsDotsAndBlanks(step)) return false;
    return name.size() >= kShortcutExtension.size() &&
           EqualIgnoringAsciiCase(std::string_view(name).substr(name.size() - kShortcutExtension.size()),
                                  kShortcutExtension);
}

bool IsGameFolderRemovable(const std::string& folder) {
    std::string root = RootOf(folder);
    if (root.empty() || foldertree::IsReparsePoint(folder)) return false;
    std::optional<Identity> game = IdentityOf(folder);
    std::optional<Identity> rootIdentity = IdentityOf(root);
    if (!game || !rootIdentity || *rootIdentity == *game) return false;
    for (int csidl : kProtectedFolders) {
        std::optional<std::string> protectedFolder = GetSpecialFolder(csidl);
        if (!protectedFolder) return false;
        // The folder itself and every folder above it, up to its root.
        std::string level = pathtext::RemoveTrailingDelimiter(*protectedFolder);
        while (true) {
            if (IdentityOf(level) == game) return false;
            std::string parent = pathtext::ExtractFolderPart(level);
            if (parent.empty() || parent == level) break;
            level = parent;
        }
    }
    return true;
}

}  // namespace gamedelete
