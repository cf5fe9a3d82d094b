#include "tools/mkmedium/Medium.h"

#include <stdexcept>

namespace mkmedium {

namespace {

const MediumKind kKinds[] = {
    {"folder", 0, 1},
    {"1.44m", 1457664, 512},
    {"1.2m", 1213952, 512},
    {"720k", 730112, 1024},
};

}  // namespace

std::optional<MediumKind> FindMediumKind(const std::string& name) {
    for (const MediumKind& kind : kKinds)
        if (kind.name == name) return kind;
    return std::nullopt;
}

std::string MediumKindNames() {
    std::string names;
    for (const MediumKind& kind : kKinds) names += (names.empty() ? "" : ", ") + kind.name;
    return names;
}

std::vector<uint64_t> PlanVolumes(const MediumKind& kind, uint64_t archiveSize,
                                  const std::vector<uint64_t>& disk1Files) {
    uint64_t used = 0;
    for (uint64_t size : disk1Files) used += kind.SpaceFor(size);
    if (used > kind.capacity)
        throw std::runtime_error("a " + kind.name + " disk of " + std::to_string(kind.capacity) +
                                 " bytes is too small: the programs and settings of disk 1 alone take " +
                                 std::to_string(used) + " bytes");
    // The largest volume whose clusters fit into what is left.
    uint64_t room = (kind.capacity - used) / kind.cluster * kind.cluster;
    std::vector<uint64_t> volumes;
    uint64_t left = archiveSize;
    do {
        uint64_t size = std::min(left, room);
        volumes.push_back(size);
        left -= size;
        room = kind.capacity / kind.cluster * kind.cluster;
    } while (left > 0);
    return volumes;
}

}  // namespace mkmedium
