#pragma once
// Removal of a folder with everything in it, as far as the file system allows.
// Entries that are reparse points (junctions, symbolic links, mount points)
// are left alone, and so is a given folder that is one: whatever a link leads
// to is never listed, changed or deleted, so the removal never leaves the tree
// it was given. A link that stays keeps its folder and the folders above it.

#include <string>

namespace foldertree {

// What happens to a file's attributes before it is deleted.
enum class FileAttributes {
    Keep,   // a read-only file is not deleted, and its folders stay
    Clear,  // set to normal first, so read-only files go as well
};

// True when `path` exists and is a reparse point.
bool IsReparsePoint(const std::string& path);

// Deletes the files below `folder` (with or without final backslash) and
// removes the folders that become empty, `folder` last. Folders whose name
// begins with "." are skipped and stay with their content. Reports nothing;
// a missing folder is no error.
void DeleteFolderTree(const std::string& folder, FileAttributes attributes);

}  // namespace foldertree
