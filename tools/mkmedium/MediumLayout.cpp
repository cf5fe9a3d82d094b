#include "tools/mkmedium/MediumLayout.h"


#include <algorithm>
#include <cctype>
#include <cstdio>

namespace mkmedium {

std::string VolumeName(const std::string& projectName, int volume) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%.3d", volume);
    return projectName + suffix;
}

std::string ArchiveName(const std::string& projectName) { return projectName + ".lzh"; }

bool SameFileName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return x == y || (x < 0x80 && y < 0x80 && std::tolower(x) == std::tolower(y));
    });
}

fs::path DiskFolder(const fs::path& out, int disk) { return out / ("disk" + std::to_string(disk)); }

}  // namespace mkmedium
