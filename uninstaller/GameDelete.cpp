// gamedelete.exe: started from the system's list of installed programs with
// the path of a game's install-data file, it asks once and then removes the
// game's folder, its Programs-menu shortcut with the shortcut folders that
// become empty, and its uninstall entry. It reports nothing after the question.

#include "uninstaller/CommandLine.h"
#include "uninstaller/FolderTree.h"
#include "uninstaller/InstallData.h"
#include "platform/PathText.h"
#include "uninstaller/Question.h"
#include "uninstaller/RegistryTree.h"
#include "uninstaller/RemovalScope.h"
#include "uninstaller/ShellFolders.h"

#include <windows.h>
#include <shlobj.h>

namespace gamedelete {

namespace {

// Deletes the shortcut file and then the folders of its name that are empty,
// innermost first and at most two of them: Qelvar\게임\Title.lnk tries
// Qelvar\게임 and Qelvar. The Programs folder itself is never tried.
void RemoveShortcut(const std::string& shortcutName) {
    std::optional<std::string> programs = GetSpecialFolder(CSIDL_PROGRAMS);
    if (!programs) return;
    DeleteFileA((*programs + shortcutName).c_str());
    std::string folder = pathtext::ExtractFolderPart(shortcutName);
    for (int level = 0; level < 2 && !folder.empty(); ++level) {
        std::string path = *programs + folder;
        if (!foldertree::IsReparsePoint(path)) RemoveDirectoryA(path.c_str());
        folder = pathtext::ExtractFolderPart(folder);
    }
}

void RunUninstall(const std::string& installDataPath) {
    InstallData data = ReadInstallData(installDataPath);
    std::string gameFolder = pathtext::ExtractFolderPart(installDataPath);
    if (data.title.empty()) return;
    // No removal at all for a folder that cannot be a game's own.
    if (!IsGameFolderRemovable(gameFolder)) return;
    if (!AskToUninstall(data.title)) return;

    foldertree::DeleteFolderTree(gameFolder, foldertree::FileAttributes::Keep);
    if (IsShortcutNameInScope(data.shortcutName)) RemoveShortcut(data.shortcutName);
    if (std::optional<std::string> key = UninstallKeyInScope(data.uninstallKeyName))
        DeleteKeyTree(HKEY_LOCAL_MACHINE, *key);
}

}  // namespace

}  // namespace gamedelete

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (std::optional<std::string> argument = gamedelete::CommandLineArgument(GetCommandLineA(), 1))
        gamedelete::RunUninstall(*argument);
    return 0;
}
