#pragma once
// Files and folders that the uninstaller's tests lay out and look at again.
// Paths are byte strings in the system code page. Nothing here goes through a
// reparse point (see WinePrefix.h for making links and removing trees).

#include <set>
#include <string>

namespace testsupport {

// Creates the folder and every missing folder above it.
void MakeFolders(const std::string& folder);

// Writes `content` to a new file, making its folders first.
void MakeFile(const std::string& path, const std::string& content = "data");

bool Exists(const std::string& path);

// Removes everything inside `folder` but the links, and keeps the folder.
void EmptyFolder(const std::string& folder);

// Every file, folder and link below `folder`, as paths relative to it
// ("sub\file"); links are listed, not entered.
std::set<std::string> ListTree(const std::string& folder);

// The shell's special folder (CSIDL) with a final backslash.
std::string SpecialFolder(int csidl);

}  // namespace testsupport
