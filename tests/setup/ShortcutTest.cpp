// The Programs-menu shortcut, saved through the shell-link object of the Wine
// prefix and read back through it.

#include "platform/Error.h"
#include "platform/Handle.h"
#include "platform/Strings.h"
#include "tests/setup/Registration.h"
#include "tests/support/WindowAnswerer.h"
#include "tests/uninstaller/FileTree.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace registrationtest {
namespace {

using namespace testsupport;

// The target that the link file at `path` names, as the shell reads it.
std::string LinkTarget(const std::string& path) {
    platform::ComPtr<IShellLinkA> link;
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid()),
              S_OK);
    platform::ComPtr<IPersistFile> file;
    EXPECT_EQ(link.As(IID_IPersistFile, file), S_OK);
    if (!file || FAILED(file->Load(platform::WideFromAnsi(path).c_str(), STGM_READ))) return "(cannot load)";
    char target[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    return target;
}

std::string GamesFolder() { return ShortcutRoot() + "\\" + GamesFolderName() + "\\"; }

TEST_F(RegistrationTest, TheShortcutNameIsTheTitleInTheGamesFolder) {
    form->GameTitle = "Foo";
    EXPECT_EQ(form->GetShortcutName(), "Qelvar\\\xB0\xD4\xC0\xD3\\Foo.lnk");  // 게임 in code page 949
}

TEST_F(RegistrationTest, TheShortcutPointsAtTheRuntimeAndItsFoldersAreMadeWhenMissing) {
    const std::string folder = UnpackGame("Foo", "Foo");
    ASSERT_FALSE(Exists(ShortcutRoot()));
    form->CreateShortcut(folder + "Qelvar_RT.exe");
    EXPECT_EQ(LinkTarget(GamesFolder() + "Foo.lnk"), folder + "Qelvar_RT.exe");
    EXPECT_EQ(ListTree(ShortcutRoot()), (std::set<std::string>{GamesFolderName(), GamesFolderName() + "\\Foo.lnk"}));

    // Installed again from elsewhere: the same file, now naming the new place.
    const std::string moved = UnpackGame("Foo2", "Foo");
    form->CreateShortcut(moved + "Qelvar_RT.exe");
    EXPECT_EQ(LinkTarget(GamesFolder() + "Foo.lnk"), moved + "Qelvar_RT.exe");
}

TEST_F(RegistrationTest, ABackslashInTheTitleMakesADeeperFolder) {
    const std::string folder = UnpackGame("Foo", "Series\\Foo");
    form->CreateShortcut(folder + "Qelvar_RT.exe");
    EXPECT_EQ(LinkTarget(GamesFolder() + "Series\\Foo.lnk"), folder + "Qelvar_RT.exe");
}

TEST_F(RegistrationTest, ATitleThatIsNoFileNameFailsWithTheShellsErrorAndTheGameStays) {
    for (const char* title : {"Foo*", "Foo?"}) {
        SCOPED_TRACE(title);
        const std::string folder = UnpackGame("Foo", title);
        try {
            form->CreateShortcut(folder + "Qelvar_RT.exe");
            FAIL() << "no error";
        } catch (const platform::OleError& error) {
            EXPECT_TRUE(FAILED(error.Code()));
            EXPECT_FALSE(error.Message().empty());
        }
        EXPECT_EQ(ListTree(GamesFolder()), std::set<std::string>{}) << "the folders stay, empty";
        EXPECT_EQ(ReadFileBytes(folder + "Qelvar_RT.exe"), "runtime of Foo");
    }
}

}  // namespace
}  // namespace registrationtest
