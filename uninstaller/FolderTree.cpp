#include "uninstaller/FolderTree.h"

#include "platform/Handle.h"
#include "platform/PathText.h"

namespace foldertree {

namespace {

// `prefix` is the folder in folder form.
void DeleteContentAndFolder(const std::string& prefix, FileAttributes attributes) {
    {
        WIN32_FIND_DATAA entry;
        platform::FindHandle listing(FindFirstFileA((prefix + "*").c_str(), &entry));
        if (listing) {
            do {
                // The listing tells the attributes without following a link.
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
                std::string path = prefix + entry.cFileName;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    // Also covers "." and "..".
                    if (entry.cFileName[0] != '.')
                        DeleteContentAndFolder(pathtext::AddTrailingDelimiter(path), attributes);
                } else {
                    if (attributes == FileAttributes::Clear)
                        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(listing.Get(), &entry));
        }
    }
    RemoveDirectoryA(pathtext::RemoveTrailingDelimiter(prefix).c_str());
}

}  // namespace

bool IsReparsePoint(const std::string& path) {
    // With a final backslash the system looks through a link at its target;
    // a drive's root keeps it (C: alone names the current folder of drive C).
    std::string name = pathtext::RemoveTrailingDelimiter(path);
    if (name.empty() || name.back() == ':') name = path;
    DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

void DeleteFolderTree(const std::string& folder, FileAttributes attributes) {
    if (IsReparsePoint(folder)) return;
    DeleteContentAndFolder(pathtext::AddTrailingDelimiter(folder), attributes);
}

}  // namespace foldertree
