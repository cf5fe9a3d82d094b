#include "tests/uninstaller/FileTree.h"

#include "platform/Handle.h"
#include "tests/support/WinePrefix.h"

#include <windows.h>
#include <shlobj.h>

#include <stdexcept>

namespace testsupport {

namespace {

template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAA entry;
    platform::FindHandle listing(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!listing) return;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..") visit(name, entry.dwFileAttributes);
    } while (FindNextFileA(listing.Get(), &entry));
}

bool IsLink(DWORD attributes) { return attributes & FILE_ATTRIBUTE_REPARSE_POINT; }

}  // namespace

void MakeFolders(const std::string& folder) {
    int result = SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot create folder " + folder);
}

void MakeFile(const std::string& path, const std::string& content) {
    std::string::size_type slash = path.find_last_of('\\');
    if (slash != std::string::npos) MakeFolders(path.substr(0, slash));
    WriteFileBytes(path, content);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void EmptyFolder(const std::string& folder) {
    ForEachEntry(folder, [&](const std::string& name, DWORD attributes) {
        std::string path = folder + "\\" + name;
        if (IsLink(attributes)) return;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(path);
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    });
}

std::set<std::string> ListTree(const std::string& folder) {
    std::set<std::string> found;
    ForEachEntry(folder, [&](const std::string& name, DWORD attributes) {
        found.insert(name);
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !IsLink(attributes))
            for (const std::string& inner : ListTree(folder + "\\" + name)) found.insert(name + "\\" + inner);
    });
    return found;
}

std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)))
        throw std::runtime_error("the shell does not name special folder " + std::to_string(csidl));
    return std::string(path) + "\\";
}

}  // namespace testsupport
