// The removal of the setup's working folder.

#include "setup/SetupMain.h"
#include "tests/support/WinePrefix.h"
#include "tests/uninstaller/FileTree.h"

#include <gtest/gtest.h>

namespace {

using namespace testsupport;

void MakeReadOnlyFile(const std::string& path) {
    MakeFile(path);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

TEST(RemoveFolderTree, RemovesAWorkingFolderWithReadOnlyFilesAndLeavesItsParent) {
    for (const char* ending : {"", "\\"}) {
        SCOPED_TRACE(ending);
        ScratchFolder scratch("RemoveFolderTree");
        const std::string working = scratch / "Qelvar_TEMP\\GameDisk";
        MakeReadOnlyFile(working + "\\GAME.001");
        MakeReadOnlyFile(working + "\\GAME.lzh");
        MakeReadOnlyFile(working + "\\left\\over\\GAME.002");

        RemoveFolderTree(working + ending);
        EXPECT_FALSE(Exists(working));
        EXPECT_TRUE(Exists(scratch / "Qelvar_TEMP"));

        RemoveFolderTree(working + ending);  // nothing there: no error
        EXPECT_TRUE(Exists(scratch / "Qelvar_TEMP"));
    }
}

TEST(RemoveFolderTree, NeverFollowsALinkAndKeepsDotFolders) {
    ScratchFolder scratch("RemoveFolderTree");
    const std::string outside = scratch / "Outside";
    MakeFile(outside + "\\keep.txt");
    MakeReadOnlyFile(outside + "\\deeper\\keep.dat");
    const std::string working = scratch / "Qelvar_TEMP\\GameDisk";
    MakeReadOnlyFile(working + "\\GAME.001");
    MakeFile(working + "\\.hidden\\note.txt");
    // Wine shows a Unix symbolic link as a folder that is a reparse point.
    UnixLink link(UnixPath(outside), working + "\\Linked");

    RemoveFolderTree(working);

    EXPECT_EQ(ListTree(outside), (std::set<std::string>{"keep.txt", "deeper", "deeper\\keep.dat"}));
    EXPECT_EQ(ListTree(working), (std::set<std::string>{".hidden", ".hidden\\note.txt", "Linked"}));
}

}  // namespace
