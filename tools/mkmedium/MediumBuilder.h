#pragma once
// Builds a medium from a game folder: the archive of the folder's content,
// cut into volumes for floppies, the setup program, the archiver library and
// the settings file. The same input gives the same bytes: members go in byte
// order of their names and carry the files' own times.

#include "tools/mkmedium/Medium.h"
#include "tools/mkmedium/Settings.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace mkmedium {

struct BuildRequest {
    std::string projectName;  // UTF-8
    std::string gameTitle;    // UTF-8
    MediumKind kind;
    std::string method = "-lh5-";
    std::filesystem::path gameFolder;
    std::filesystem::path outFolder;
    std::filesystem::path programsFolder;  // holds setup.exe and UNLHA32.DLL
    unsigned codePage = 949;
};

struct DiskContent {
    std::vector<std::string> files;
    uint64_t used = 0;  // bytes on the medium (whole clusters on a floppy)
};

struct BuildResult {
    uint64_t files = 0;        // files packed
    uint64_t bytes = 0;        // their bytes
    uint64_t archiveSize = 0;
    std::vector<DiskContent> disks;
};

using WarningSink = std::function<void(const std::string&)>;

// Raises std::runtime_error or lha::Error with a message that names what is
// wrong; what was written to the output folder is removed again.
BuildResult BuildMedium(const BuildRequest& request, const WarningSink& warn);

}  // namespace mkmedium
