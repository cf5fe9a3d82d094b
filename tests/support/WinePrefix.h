#pragma once
// Tests that change the Wine prefix the way a user's machine differs: scratch
// folders, drive letters of a given type, Unix links to special files. Each
// object undoes its change when it goes out of scope.

#include <windows.h>

#include <string>

namespace testsupport {

// A new empty folder below the temporary folder; removed with its contents.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, without a final backslash.
    const std::string& Path() const { return path_; }
    // Path() + "\" + relative.
    std::string operator/(const std::string& relative) const { return path_ + '\\' + relative; }

private:
    std::string path_;
};

// Removes a folder and everything below it (read-only files too).
void RemoveTree(const std::string& folder);

// Writes `content` into a new file (or one cut to length 0).
void WriteFileBytes(const std::string& path, const std::string& content);
std::string ReadFileBytes(const std::string& path);

// The Unix path of a Windows path of the prefix.
std::string UnixPath(const std::string& windowsPath);

// A file of the build tree (a Unix path) as a path of the prefix's Z: drive.
std::string BuiltFile(const std::string& unixPath);

// Makes `link` (a Windows path) a Unix symbolic link to `unixTarget` (a file
// that exists) for the object's lifetime.
class UnixLink {
public:
    UnixLink(const std::string& unixTarget, const std::string& link);
    ~UnixLink();
    UnixLink(const UnixLink&) = delete;
    UnixLink& operator=(const UnixLink&) = delete;

private:
    std::string unixLink_;
    std::string link_;
};

// Maps a drive letter to a folder through Wine's mount manager, as its
// configuration tool does: the letter's link, its drive type and the label
// from the folder's ".windows-label" file hold at once for every program of
// the prefix. The mapping is removed again on destruction.
class MappedDrive {
public:
    MappedDrive(char letter, const std::string& folder, UINT driveType);
    ~MappedDrive();
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;

    // "A:\" for the letter a.
    std::string Root() const;

private:
    char letter_;
};

}  // namespace testsupport
