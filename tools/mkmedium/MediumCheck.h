#pragma once
// Checks a medium that mkmedium wrote: the settings file and programs on
// disk 1, every volume, and every member of the joined archive decoded
// against its CRC. A fault is reported with the number of the first disk
// that it can lie on: a member whose CRC fails may be damaged on any disk it
// lies on, so the message then names them all; an archive that ends early
// lost its end on the last disk.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace mkmedium {

class DamagedDisk : public std::runtime_error {
public:
    DamagedDisk(int disk, const std::string& message) : std::runtime_error(message), disk_(disk) {}
    int Disk() const { return disk_; }

private:
    int disk_;
};

struct CheckResult {
    int disks = 0;
    uint64_t members = 0;
    uint64_t archiveSize = 0;
};

// Raises DamagedDisk for a fault on the medium, std::runtime_error when the
// folder holds no medium at all.
CheckResult CheckMedium(const std::filesystem::path& out, unsigned codePage,
                        const std::function<void(const std::string&)>& warn);

}  // namespace mkmedium
