#include "lha/HeaderWriter.h"

#include "lha/Crc16.h"
#include "lha/Error.h"

#include <algorithm>

namespace lha {

namespace {

constexpr size_t kMaxHeaderSize = 0xFFFF;
constexpr uint8_t kLevel2 = 2;
// The attribute byte of the base header is unused in level 2; archivers put
// the archive attribute there.
constexpr uint8_t kUnusedAttribute = 0x20;

void Put16(std::vector<uint8_t>& b, unsigned value) {
    b.push_back(static_cast<uint8_t>(value));
    b.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& b, uint32_t value) {
    Put16(b, value & 0xFFFF);
    Put16(b, value >> 16);
}

void Set16(std::vector<uint8_t>& b, size_t at, unsigned value) {
    b[at] = static_cast<uint8_t>(value);
    b[at + 1] = static_cast<uint8_t>(value >> 8);
}

// Appends one extended header; the size field before it (already in `b`)
// is filled in, and a size field for the next one is appended.
void PutExtension(std::vector<uint8_t>& b, uint8_t type, const std::string& data) {
    size_t sizeField = b.size() - 2;
    b.push_back(type);
    b.insert(b.end(), data.begin(), data.end());
    Set16(b, sizeField, static_cast<unsigned>(1 + data.size() + 2));
    Put16(b, 0);
}

std::string Le16Text(unsigned value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

uint32_t UnixTime(const Header& header) {
    int64_t time = header.unixTime.value_or(0);
    return static_cast<uint32_t>(std::clamp<int64_t>(time, 0, 0xFFFFFFFF));
}

}  // namespace

std::vector<uint8_t> WriteLevel2Header(const Header& header) {
    if (header.method.size() != 5) throw Error(ErrorKind::BadHeader, "method \"" + header.method + "\" is not 5 characters");
    if (header.compressedSize > 0xFFFFFFFF || header.originalSize > 0xFFFFFFFF)
        throw Error(ErrorKind::BadHeader, header.Path() + ": a member of 4 GiB or more cannot be packed");
    std::vector<uint8_t> b;
    b.reserve(64 + header.name.size() + header.directory.size());
    Put16(b, 0);  // header size, below
    b.insert(b.end(), header.method.begin(), header.method.end());
    Put32(b, static_cast<uint32_t>(header.compressedSize));
    Put32(b, static_cast<uint32_t>(header.originalSize));
    Put32(b, UnixTime(header));
    b.push_back(kUnusedAttribute);
    b.push_back(kLevel2);
    Put16(b, header.crc);
    b.push_back(header.osId);
    Put16(b, 0);  // size of the first extended header

    PutExtension(b, kExtHeaderCrc, Le16Text(0));
    const size_t crcField = b.size() - 4;
    PutExtension(b, kExtFileName, header.name);
    if (!header.directory.empty()) {
        std::string directory = header.directory;
        if (static_cast<uint8_t>(directory.back()) != kDirectorySeparator) directory += static_cast<char>(kDirectorySeparator);
        PutExtension(b, kExtDirectoryName, directory);
    }
    PutExtension(b, kExtDosAttributes, Le16Text(header.attributes));

    if ((b.size() & 0xFF) == 0) b.push_back(0);
    if (b.size() > kMaxHeaderSize)
        throw Error(ErrorKind::BadHeader, header.Path() + ": the name is too long for a header");
    Set16(b, 0, static_cast<unsigned>(b.size()));
    Set16(b, crcField, ComputeCrc16(b.data(), b.size()));
    return b;
}

}  // namespace lha
