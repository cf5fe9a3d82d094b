// Run under code page 949 and under 932: the tree's own name ends in ソ表,
// whose second bytes are backslash bytes in 932, and a file beside it starts
// with the same name.

#include "tests/support/WindowAnswerer.h"
#include "tests/support/WinePrefix.h"
#include "tests/uninstaller/FileTree.h"
#include "uninstaller/FolderTree.h"

#include <gtest/gtest.h>

namespace {

using foldertree::FileAttributes;
using testsupport::Exists;
using testsupport::ListTree;
using testsupport::MakeFile;
using testsupport::MakeFolders;
using testsupport::Narrow;
using testsupport::ScratchFolder;
using testsupport::UnixLink;
using testsupport::UnixPath;

constexpr FileAttributes kBothWays[] = {FileAttributes::Keep, FileAttributes::Clear};

const char* NameOf(FileAttributes attributes) { return attributes == FileAttributes::Keep ? "Keep" : "Clear"; }

TEST(FolderTreeTest, RemovesTheTreeButDotFoldersAndWhatTheAttributesKeep) {
    for (FileAttributes attributes : kBothWays) {
        SCOPED_TRACE(NameOf(attributes));
        ScratchFolder scratch("FolderTree");
        const std::string tree = scratch / Narrow(L"ソフト表");
        MakeFile(tree + "\\Qelvar_RT.exe");
        MakeFile(tree + "\\hidden.sys");
        SetFileAttributesA((tree + "\\hidden.sys").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        MakeFile(tree + "\\data\\stage\\1.dat");
        MakeFile(tree + "\\" + Narrow(L"ソ表\\ソ.sav"));
        MakeFolders(tree + "\\empty");
        MakeFile(tree + "\\keep\\.cache\\index");
        MakeFile(tree + "\\locked\\readonly.dat");
        SetFileAttributesA((tree + "\\locked\\readonly.dat").c_str(), FILE_ATTRIBUTE_READONLY);
        MakeFile(tree + ".txt");  // beside the tree, with the tree's name as prefix

        foldertree::DeleteFolderTree(tree, attributes);

        std::set<std::string> expected = {"keep", "keep\\.cache", "keep\\.cache\\index"};
        if (attributes == FileAttributes::Keep) expected.insert({"locked", "locked\\readonly.dat"});
        EXPECT_EQ(ListTree(tree), expected);
        EXPECT_TRUE(Exists(tree + ".txt"));
    }
}

TEST(FolderTreeTest, RemovesAFolderGivenWithItsFinalBackslashAndToleratesAMissingOne) {
    for (FileAttributes attributes : kBothWays) {
        SCOPED_TRACE(NameOf(attributes));
        ScratchFolder scratch("FolderTree");
        const std::string tree = scratch / Narrow(L"ソフト表");
        MakeFile(tree + "\\sub\\file");
        foldertree::DeleteFolderTree(tree + "\\", attributes);
        EXPECT_FALSE(Exists(tree));
        EXPECT_TRUE(Exists(scratch.Path()));

        foldertree::DeleteFolderTree(tree, attributes);
        EXPECT_TRUE(Exists(scratch.Path()));
    }
}

TEST(FolderTreeTest, NeverFollowsALinkToAFolder) {
    const std::set<std::string> outside = {"outside.txt", "deeper", "deeper\\readonly.txt"};
    for (FileAttributes attributes : kBothWays) {
        SCOPED_TRACE(NameOf(attributes));
        ScratchFolder scratch("FolderTree");
        MakeFile(scratch / "Outside\\outside.txt");
        MakeFile(scratch / "Outside\\deeper\\readonly.txt");
        SetFileAttributesA((scratch / "Outside\\deeper\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        MakeFolders(scratch / "OutsideEmpty");
        MakeFile(scratch / "Tree\\own.txt");
        MakeFile(scratch / "Tree\\own\\inner.txt");
        // Unix symbolic links, which Wine shows as folders that are reparse points.
        UnixLink linked(UnixPath(scratch / "Outside"), scratch / "Tree\\Linked");
        UnixLink emptyLinked(UnixPath(scratch / "OutsideEmpty"), scratch / "Tree\\EmptyLinked");
        UnixLink treeLink(UnixPath(scratch / "Outside"), scratch / "TreeLink");
        for (const char* link : {"Tree\\Linked", "Tree\\EmptyLinked", "TreeLink"})
            ASSERT_EQ(GetFileAttributesA((scratch / link).c_str()) &
                          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
                      DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT})
                << link;

        // Given with a final backslash, the name would lead through the link.
        for (const char* link : {"TreeLink", "TreeLink\\"}) {
            foldertree::DeleteFolderTree(scratch / link, attributes);
            EXPECT_EQ(ListTree(scratch / "Outside"), outside) << link;
        }

        foldertree::DeleteFolderTree(scratch / "Tree", attributes);
        EXPECT_EQ(ListTree(scratch / "Outside"), outside);
        EXPECT_TRUE(GetFileAttributesA((scratch / "Outside\\deeper\\readonly.txt").c_str()) &
                    FILE_ATTRIBUTE_READONLY);
        EXPECT_TRUE(Exists(scratch / "OutsideEmpty"));
        // The tree's own content is gone; the links keep the tree.
        EXPECT_EQ(ListTree(scratch / "Tree"), (std::set<std::string>{"Linked", "EmptyLinked"}));
    }
}

}  // namespace
