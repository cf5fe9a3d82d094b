#pragma once
// The background form TFormBackground: full screen, painted with a blue to
// white gradient; at the first idle moment of the message loop it runs the
// installation once and then closes, which ends the program.

#include "controls/FileOperation.h"
#include "controls/OpaquePaint.h"
#include "platform/Form.h"

#include <cstdint>
#include <exception>
#include <string>

// The settings file's section.
inline constexpr char kSettingsSection[] = "Setup";

// The settings file: the running program's path with the extension ".ini".
std::string SettingsFilePath();

// Removes the folder (given with or without its final backslash) and
// everything below it, read-only files too. Folders whose names begin with "."
// stay, and a link to a folder is never followed. Reports nothing; a missing
// folder is no error.
void RemoveFolderTree(const std::string& folder);

// The archiver library's one entry.
using UnlhaFunction = int(WINAPI*)(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize);

class TFormBackground : public platform::Form {
public:
    explicit TFormBackground(platform::Component* owner);
    std::string ClassName() const override { return "TFormBackground"; }

    TOpaquePaintBox* OpaquePaintBox1;
    controls::TFileOperation* FileOperation;

    std::string ProjectName;
    std::string GameTitle;
    std::int32_t DiskNumber = 0;
    HMODULE UnlhaLibrary = nullptr;
    UnlhaFunction Unlha = nullptr;

    void FormCreate(platform::Component& sender);
    void OpaquePaintBox1Paint(platform::Component& sender);
    void ApplicationIdle();
    void ApplicationException(const std::exception& error);
    void Install();

    // The game's shortcut relative to the Programs folder:
    // "Qelvar\게임\" + GameTitle + ".lnk".
    std::string GetShortcutName() const;
    // Saves a shortcut to `target` under the current user's Programs folder,
    // creating its folders first. A failing shell call raises its OLE error.
    void CreateShortcut(const std::string& target);

    // Writes the uninstaller, the install-data file and the uninstall entry
    // under HKEY_LOCAL_MACHINE. Each failure raises its error at once; what was
    // written before stays.
    void RegisterUninstall(const std::string& installDataPath, const std::string& runtimePath);
    // Writes the program's own uninstaller into the Windows folder unless one
    // at least as new as this program is there already.
    void WriteUninstaller();
};

extern TFormBackground* FormBackground;
