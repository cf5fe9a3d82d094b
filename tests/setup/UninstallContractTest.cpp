// The contract between the two programs: the gamedelete.exe that the setup
// writes, started with the uninstall string that the setup registers, removes
// the game, the shortcut and the entry that the setup made.

#include "platform/Handle.h"
#include "tests/setup/Registration.h"
#include "tests/support/WindowAnswerer.h"
#include "tests/uninstaller/FileTree.h"

#include <gtest/gtest.h>

namespace registrationtest {
namespace {

using namespace testsupport;

// Runs `commandLine` and presses `button` in the message box that its process shows.
SeenWindow RunAndAnswer(const std::string& commandLine, int button) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created)) {
        ADD_FAILURE() << "cannot start " << commandLine;
        return {};
    }
    platform::KernelHandle process(created.hProcess);
    platform::KernelHandle thread(created.hThread);
    WindowAnswerer answerer({"#32770", L"", created.dwProcessId}, ClickButton(button));
    EXPECT_TRUE(answerer.Wait());
    EXPECT_EQ(WaitForSingleObject(process.Get(), 30000), WAIT_OBJECT_0);
    return answerer.Seen();
}

TEST_F(RegistrationTest, TheWrittenUninstallerRemovesWhatTheSetupRegistered) {
    const std::string folder = UnpackGame("Foo", "Foo Quest");
    form->RegisterUninstall(folder + "Qelvar_RT.ind", folder + "Qelvar_RT.exe");
    form->CreateShortcut(folder + "Qelvar_RT.exe");
    MakeFile(folder + "save\\slot1.sav");  // made while playing
    const std::string command = ReadMachineString(KeyOf("Foo"), "UninstallString");

    SeenWindow no = RunAndAnswer(command, IDNO);
    EXPECT_EQ(no.text, L"Foo Quest をアンインストールしますか？");
    EXPECT_EQ(no.caption, L"アンインストールの確認");
    EXPECT_TRUE(Exists(folder + "save\\slot1.sav"));
    EXPECT_TRUE(Exists(ProgramsFolder() + form->GetShortcutName()));
    EXPECT_TRUE(MachineKeyExists(KeyOf("Foo")));

    RunAndAnswer(command, IDYES);
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(Exists(ShortcutRoot()));
    EXPECT_FALSE(MachineKeyExists(KeyOf("Foo")));
    EXPECT_TRUE(Exists(UninstallerPath()));
    EXPECT_TRUE(Exists(scratch->Path()));
}

}  // namespace
}  // namespace registrationtest
