#pragma once
// The kinds of medium a game ships on, and how the archive is cut into
// volumes to fit them.
//
// A floppy's space is what a freshly formatted FAT12 disk offers for files,
// and every file takes whole clusters (an empty file takes none). Disk 1
// holds the setup program, its settings file and the archiver library
// besides volume 1; every further disk holds one volume. The root directory's
// entries (224, or 112 on a 720 KB disk) are never the limit, as a disk holds
// at most four files.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mkmedium {

struct MediumKind {
    std::string name;       // "folder", "1.44m", "1.2m", "720k"
    uint64_t capacity = 0;  // bytes for files; 0 for a folder, which has no limit
    uint64_t cluster = 1;   // allocation unit

    bool IsFloppy() const { return capacity != 0; }
    // The space a file of `size` bytes takes.
    uint64_t SpaceFor(uint64_t size) const { return (size + cluster - 1) / cluster * cluster; }
};

std::optional<MediumKind> FindMediumKind(const std::string& name);
// "folder, 1.44m, 1.2m, 720k", for messages.
std::string MediumKindNames();

// Volume sizes for an archive of `archiveSize` bytes on floppies of `kind`,
// disk 1 also holding files of `disk1Files` sizes. Raises
// std::runtime_error when those files alone do not fit on disk 1.
std::vector<uint64_t> PlanVolumes(const MediumKind& kind, uint64_t archiveSize,
                                  const std::vector<uint64_t>& disk1Files);

}  // namespace mkmedium
