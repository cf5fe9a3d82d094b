#include "tests/setup/Registration.h"

#include "platform/Application.h"
#include "platform/Handle.h"
#include "tests/support/WindowAnswerer.h"
#include "tests/uninstaller/FileTree.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <set>

namespace registrationtest {

using namespace testsupport;

namespace {

// Projects whose uninstall keys a test may have made.
std::set<std::string> projectsUsed;

void RemoveUninstaller() {
    SetFileAttributesA(UninstallerPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(UninstallerPath().c_str());
}

void ClearWrittenPlaces() {
    RemoveUninstaller();
    RemoveTree(ShortcutRoot());
    for (const std::string& project : projectsUsed)
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, KeyOf(project).c_str());
    projectsUsed.clear();
}

}  // namespace

std::string KeyOf(const std::string& project) { return kUninstallKeys + ("Qelvar " + project); }

std::string WindowsFolder() { return SpecialFolder(CSIDL_WINDOWS); }
std::string ProgramsFolder() { return SpecialFolder(CSIDL_PROGRAMS); }
std::string UninstallerPath() { return WindowsFolder() + "gamedelete.exe"; }
std::string ShortcutRoot() { return ProgramsFolder() + "Qelvar"; }
std::string GamesFolderName() { return Narrow(L"게임"); }

std::string ReadMachineString(const std::string& key, const std::string& name) {
    platform::RegistryKey opened;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, opened.Put()) != ERROR_SUCCESS) {
        opened.Release();
        return std::string();
    }
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (RegQueryValueExA(opened.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::string();
    return buffer;
}

bool MachineKeyExists(const std::string& key) {
    platform::RegistryKey opened;
    bool exists = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, opened.Put()) == ERROR_SUCCESS;
    if (!exists) opened.Release();
    return exists;
}

FILETIME LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) << path;
    return data.ftLastWriteTime;
}

std::uint32_t PackedLocalTime(const std::string& path) {
    FILETIME universal = LastWriteTime(path), local{};
    WORD date = 0, time = 0;
    FileTimeToLocalFileTime(&universal, &local);
    FileTimeToDosDateTime(&local, &date, &time);
    return static_cast<std::uint32_t>(date) << 16 | time;
}

void SetLastWriteTime(const std::string& path, const FILETIME& time) {
    platform::FileHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file) << path;
    ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &time)) << path;
}

FILETIME Shifted(const FILETIME& time, long long seconds) {
    ULARGE_INTEGER value{};
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    value.QuadPart += seconds * 10'000'000LL;
    return FILETIME{value.LowPart, value.HighPart};
}

std::string ProgramFile() {
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return buffer;
}

void RegistrationTest::SetUp() {
    ClearWrittenPlaces();
    scratch = std::make_unique<ScratchFolder>("Registration");
    platform::Application& application = platform::Application::Instance();
    application.Initialize();  // COM for the shell-link object
    form = &application.CreateForm<TFormBackground>();
}

void RegistrationTest::TearDown() {
    platform::Application::Instance().Shutdown();
    form = nullptr;
    scratch.reset();
    ClearWrittenPlaces();
}

std::string RegistrationTest::UnpackGame(const std::string& project, const std::string& title) {
    projectsUsed.insert(project);
    form->ProjectName = project;
    form->GameTitle = title;
    const std::string folder = *scratch / project + "\\";
    MakeFile(folder + "Qelvar_RT.exe", "runtime of " + project);
    MakeFile(folder + "data\\stage1.dat", "stage");
    return folder;
}

}  // namespace registrationtest
