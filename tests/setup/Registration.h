#pragma once
// What the registration tests share: the background form made as the program
// makes it, and the places the registration writes to, cleared before and
// after each test so that the Wine prefix stays as other tests expect it.

#include "setup/SetupMain.h"
#include "tests/support/WinePrefix.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace registrationtest {

constexpr char kUninstallKeys[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The uninstall key of a project below HKEY_LOCAL_MACHINE.
std::string KeyOf(const std::string& project);

std::string WindowsFolder();
std::string ProgramsFolder();
std::string UninstallerPath();
// The shortcut folder "Qelvar" below the Programs folder.
std::string ShortcutRoot();

// "게임" in the system code page.
std::string GamesFolderName();

// A REG_SZ value below HKEY_LOCAL_MACHINE; empty when the key or value is missing.
std::string ReadMachineString(const std::string& key, const std::string& name);
bool MachineKeyExists(const std::string& key);

// The file's last-write time as local time packed into the MS-DOS form.
std::uint32_t PackedLocalTime(const std::string& path);
FILETIME LastWriteTime(const std::string& path);
void SetLastWriteTime(const std::string& path, const FILETIME& time);
// `time` moved by `seconds` (negative: earlier).
FILETIME Shifted(const FILETIME& time, long long seconds);

// The running program's own file, which plays the setup program.
std::string ProgramFile();

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sets the form's project and title, and unpacks a stand-in game into
    // scratch\project\ (the install folder, returned with its backslash).
    std::string UnpackGame(const std::string& project, const std::string& title);

    TFormBackground* form = nullptr;
    std::unique_ptr<testsupport::ScratchFolder> scratch;
};

}  // namespace registrationtest
