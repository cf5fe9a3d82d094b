#pragma once
// Puts files and folders into an archive: each folder as an entry of its own
// followed by what it holds, in byte order of the names, so the same tree
// always gives the same archive. Names are converted to the medium's code
// page; times and the read-only flag come from the files.

#include "lha/ArchiveWriter.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tools {

class Packer {
public:
    Packer(lha::ArchiveWriter& archive, unsigned codePage);

    // Adds `path` (a file, or a folder with all below it) as the member path
    // `steps` (UTF-8 names; empty for a folder whose content goes to the
    // archive's root). Raises lha::Error or std::runtime_error naming the file.
    void Add(const std::filesystem::path& path, const std::vector<std::string>& steps);

    uint64_t Files() const { return files_; }
    uint64_t Bytes() const { return bytes_; }

private:
    // `steps` is the folder's own member path, extended in turn by each child.
    void AddFolderContent(const std::filesystem::path& folder, std::vector<std::string> steps);
    lha::Header Entry(const std::filesystem::path& path, const std::vector<std::string>& steps,
                      const std::filesystem::file_status& status) const;

    lha::ArchiveWriter& archive_;
    unsigned codePage_;
    uint64_t files_ = 0;
    uint64_t bytes_ = 0;
};

// Names that Windows cannot hold in a file name: the member could not be
// unpacked there.
bool IsWindowsFileName(const std::string& name);

}  // namespace tools
