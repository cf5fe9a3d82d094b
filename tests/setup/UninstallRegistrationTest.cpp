// The uninstall registration of the background form, run in this process
// (which plays the setup program: its own file's time and its resource
// GAMEDELETE are the ones compared and written) against the Wine prefix's
// Windows folder and HKEY_LOCAL_MACHINE.

#include "platform/Error.h"
#include "platform/Handle.h"
#include "platform/Resource.h"
#include "tests/setup/Registration.h"
#include "tests/support/WindowAnswerer.h"
#include "tests/uninstaller/FileTree.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

namespace registrationtest {
namespace {

using namespace testsupport;

constexpr char kMarker[] = "an uninstaller that must stay";

std::string GameDeleteProgram() { return std::string(platform::ProgramResource("GAMEDELETE", RT_RCDATA)); }

TEST_F(RegistrationTest, TheFirstRegistrationWritesTheUninstallerTheInstallDataAndTheEntry) {
    const std::string folder = UnpackGame("Foo", "Foo Quest");
    const std::string installData = folder + "Qelvar_RT.ind";
    form->RegisterUninstall(installData, folder + "Qelvar_RT.exe");

    // The uninstaller as the build made it, with this program's time.
    EXPECT_EQ(ReadFileBytes(UninstallerPath()), ReadFileBytes(BuiltFile(QELVAR_GAMEDELETE_EXE)));
    EXPECT_EQ(PackedLocalTime(UninstallerPath()), PackedLocalTime(ProgramFile()));

    // Code page 949: 게임 is B0 D4 C0 D3.
    EXPECT_EQ(ReadFileBytes(installData),
              "[Install Data]\r\n"
              "Title=Foo Quest\r\n"
              "UninstallKeyName=Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Qelvar Foo\r\n"
              "ShortcutName=Qelvar\\\xB0\xD4\xC0\xD3\\Foo Quest.lnk\r\n");

    const std::string key = KeyOf("Foo");
    EXPECT_EQ(ReadMachineString(key, "DisplayName"), "Qelvar - Foo Quest");
    EXPECT_EQ(ReadMachineString(key, "DisplayIcon"), folder + "Qelvar_RT.exe");
    EXPECT_EQ(ReadMachineString(key, "UninstallString"), UninstallerPath() + " \"" + installData + "\"");

    // The shortcut's name is recorded although no shortcut was made.
    EXPECT_FALSE(Exists(ShortcutRoot()));
}

std::string ProfileString(const std::string& path, const char* section, const char* key) {
    char buffer[512] = {};
    GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, path.c_str());
    return buffer;
}

TEST_F(RegistrationTest, ARepeatedRegistrationLeavesTheUninstallerAndWritesTheRestAgain) {
    const std::string folder = UnpackGame("Foo", "Foo Quest");
    const std::string installData = folder + "Qelvar_RT.ind";
    form->RegisterUninstall(installData, folder + "Qelvar_RT.exe");

    // Same time, other bytes: rewriting it would show.
    const FILETIME written = LastWriteTime(UninstallerPath());
    WriteFileBytes(UninstallerPath(), kMarker);
    SetLastWriteTime(UninstallerPath(), written);
    WriteFileBytes(installData,
                   "[Install Data]\r\nTitle=Changed\r\nUninstallKeyName=Changed\r\nShortcutName=Changed\r\n"
                   "[Other]\r\nKept=1\r\n");
    SHDeleteValueA(HKEY_LOCAL_MACHINE, KeyOf("Foo").c_str(), "DisplayIcon");

    form->RegisterUninstall(installData, folder + "Qelvar_RT.exe");

    EXPECT_EQ(ReadFileBytes(UninstallerPath()), kMarker);
    EXPECT_EQ(ProfileString(installData, "Install Data", "Title"), "Foo Quest");
    EXPECT_EQ(ProfileString(installData, "Install Data", "UninstallKeyName"), KeyOf("Foo"));
    EXPECT_EQ(ProfileString(installData, "Install Data", "ShortcutName"),
              "Qelvar\\" + GamesFolderName() + "\\Foo Quest.lnk");
    EXPECT_EQ(ProfileString(installData, "Other", "Kept"), "1");
    EXPECT_EQ(ReadMachineString(KeyOf("Foo"), "DisplayIcon"), folder + "Qelvar_RT.exe");
}

TEST_F(RegistrationTest, OnlyAnOlderUninstallerIsReplaced) {
    // The packed times have two-second steps: two seconds always make a step.
    const struct {
        long long uninstallerAgeSeconds;  // relative to this program's file
        bool replaced;
    } cases[] = {{-86400, true}, {-2, true}, {2, false}, {86400, false}};
    const std::string folder = UnpackGame("Foo", "Foo Quest");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uninstallerAgeSeconds);
        WriteFileBytes(UninstallerPath(), kMarker);
        SetLastWriteTime(UninstallerPath(), Shifted(LastWriteTime(ProgramFile()), c.uninstallerAgeSeconds));
        const std::uint32_t before = PackedLocalTime(UninstallerPath());

        form->RegisterUninstall(folder + "Qelvar_RT.ind", folder + "Qelvar_RT.exe");

        if (c.replaced) {
            EXPECT_EQ(ReadFileBytes(UninstallerPath()), GameDeleteProgram());
            EXPECT_EQ(PackedLocalTime(UninstallerPath()), PackedLocalTime(ProgramFile()));
        } else {
            EXPECT_EQ(ReadFileBytes(UninstallerPath()), kMarker);
            EXPECT_EQ(PackedLocalTime(UninstallerPath()), before);
        }
        EXPECT_EQ(ReadMachineString(KeyOf("Foo"), "DisplayName"), "Qelvar - Foo Quest");
    }
}

TEST_F(RegistrationTest, TwoGamesGetTwoEntriesThatCallTheOneUninstaller) {
    const std::string foo = UnpackGame("Foo", "Foo Quest");
    form->RegisterUninstall(foo + "Qelvar_RT.ind", foo + "Qelvar_RT.exe");
    const std::string bar = UnpackGame("Bar", Narrow(L"바 모험"));
    form->RegisterUninstall(bar + "Qelvar_RT.ind", bar + "Qelvar_RT.exe");

    EXPECT_EQ(ReadMachineString(KeyOf("Foo"), "UninstallString"), UninstallerPath() + " \"" + foo + "Qelvar_RT.ind\"");
    EXPECT_EQ(ReadMachineString(KeyOf("Bar"), "UninstallString"), UninstallerPath() + " \"" + bar + "Qelvar_RT.ind\"");
    EXPECT_EQ(ReadMachineString(KeyOf("Bar"), "DisplayName"), "Qelvar - " + Narrow(L"바 모험"));
    EXPECT_EQ(ReadMachineString(KeyOf("Foo"), "DisplayName"), "Qelvar - Foo Quest");
}

// Each failure leaves at once; what was written before it stays.
TEST_F(RegistrationTest, AnUninstallerThatCannotBeReplacedStopsTheRegistration) {
    const std::string folder = UnpackGame("Foo", "Foo Quest");
    WriteFileBytes(UninstallerPath(), kMarker);
    SetLastWriteTime(UninstallerPath(), Shifted(LastWriteTime(ProgramFile()), -86400));
    // As while it runs: the system does not let the file be replaced.
    platform::FileHandle inUse(
        CreateFileA(UninstallerPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(inUse);
    try {
        form->RegisterUninstall(folder + "Qelvar_RT.ind", folder + "Qelvar_RT.exe");
        FAIL() << "no error";
    } catch (const platform::FileCreateError& error) {
        EXPECT_EQ(error.Message(), Narrow(L"파일 ") + UninstallerPath() + Narrow(L" 을 작성할 수 없습니다"));
    }
    inUse.Reset();
    EXPECT_EQ(ReadFileBytes(UninstallerPath()), kMarker);
    EXPECT_FALSE(Exists(folder + "Qelvar_RT.ind"));
    EXPECT_FALSE(MachineKeyExists(KeyOf("Foo")));
}

TEST_F(RegistrationTest, AnInstallDataFileThatCannotBeWrittenStopsTheRegistration) {
    UnpackGame("Foo", "Foo Quest");
    const std::string missing = *scratch / "Missing\\";
    try {
        form->RegisterUninstall(missing + "Qelvar_RT.ind", missing + "Qelvar_RT.exe");
        FAIL() << "no error";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.Message(), missing + "Qelvar_RT.ind" + Narrow(L" 에 기록할 수 없습니다"));
    }
    EXPECT_TRUE(Exists(UninstallerPath()));
    EXPECT_FALSE(MachineKeyExists(KeyOf("Foo")));
}

TEST_F(RegistrationTest, AnEntryThatCannotBeCreatedFailsOnItsFirstValue) {
    const std::string folder = UnpackGame("Foo", "Foo Quest");
    // The registry refuses a key name longer than 255 characters.
    form->ProjectName = std::string(300, 'P');
    try {
        form->RegisterUninstall(folder + "Qelvar_RT.ind", folder + "Qelvar_RT.exe");
        FAIL() << "no error";
    } catch (const platform::RegistryError& error) {
        EXPECT_EQ(error.Message(), Narrow(L"'DisplayName' 의 설정에 실패했습니다"));
    }
    EXPECT_TRUE(Exists(UninstallerPath()));
    EXPECT_TRUE(Exists(folder + "Qelvar_RT.ind"));
}

}  // namespace
}  // namespace registrationtest
