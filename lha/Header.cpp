#include "lha/Header.h"

#include "lha/Bytes.h"
#include "lha/Crc16.h"
#include "lha/Error.h"

#include <vector>

namespace lha {

namespace {

// Fixed parts of the base header.
constexpr size_t kLevelOffset = 20;
constexpr size_t kLevel2BaseSize = 26;
constexpr size_t kLevel3BaseSize = 32;
// Largest header of any level (a level 2 header's size field is 16 bits).
constexpr uint64_t kMaxHeaderSize = 0xFFFF;

[[noreturn]] void Bad(const std::string& what) { throw Error(ErrorKind::BadHeader, "damaged header: " + what); }

// Appends bytes from the reader until the buffer holds `total` bytes.
void ReadUpTo(ByteReader& reader, std::vector<uint8_t>& buffer, size_t total) {
    size_t have = buffer.size();
    if (total <= have) return;
    buffer.resize(total);
    if (ReadFully(reader, buffer.data() + have, total - have) != total - have) Bad("the header is cut short");
}

void ApplyExtension(Header& header, uint8_t type, const uint8_t* data, size_t size) {
    auto need = [&](size_t bytes, const char* what) {
        if (size < bytes) Bad(std::string(what) + " extension of " + std::to_string(size) + " bytes is too short");
    };
    switch (type) {
    case kExtFileName:
        header.name.assign(reinterpret_cast<const char*>(data), size);
        break;
    case kExtDirectoryName:
        header.directory.assign(reinterpret_cast<const char*>(data), size);
        if (!header.directory.empty() && static_cast<uint8_t>(header.directory.back()) != kDirectorySeparator)
            header.directory += static_cast<char>(kDirectorySeparator);
        break;
    case kExtDosAttributes:
        need(2, "attribute");
        header.attributes = Le16(data);
        break;
    case kExtWindowsTimes:
        need(24, "Windows time");
        header.windowsTime = Le64(data + 8);
        break;
    case kExtLargeSizes:
        need(16, "size");
        header.compressedSize = Le64(data);
        header.originalSize = Le64(data + 8);
        break;
    case kExtUnixMode:
        need(2, "Unix mode");
        header.unixMode = Le16(data);
        break;
    case kExtUnixTime:
        need(4, "Unix time");
        header.unixTime = Le32(data);
        break;
    default:
        break;  // comments, owners and the like do not matter for extraction
    }
}

// Walks the chain of extended headers that lies completely inside `bytes`,
// starting at `offset` with the size `nextSize`. Sizes are `width` bytes wide.
// Returns the offset of the header CRC extension's value, or 0 when none.
size_t ParseExtensions(Header& header, const std::vector<uint8_t>& bytes, size_t offset, uint64_t nextSize,
                       size_t width) {
    size_t crcOffset = 0;
    while (nextSize != 0) {
        if (nextSize < 1 + width) Bad("an extended header of " + std::to_string(nextSize) + " bytes");
        if (nextSize > bytes.size() - offset)
            Bad("an extended header of " + std::to_string(nextSize) + " bytes reaches beyond the header");
        const uint8_t* ext = bytes.data() + offset;
        size_t dataSize = static_cast<size_t>(nextSize) - 1 - width;
        if (ext[0] == kExtHeaderCrc) {
            if (dataSize < 2) Bad("header CRC extension is too short");
            crcOffset = offset + 1;
        }
        ApplyExtension(header, ext[0], ext + 1, dataSize);
        offset += static_cast<size_t>(nextSize);
        nextSize = width == 2 ? Le16(bytes.data() + offset - 2) : Le32(bytes.data() + offset - 4);
    }
    return crcOffset;
}

void CheckHeaderCrc(std::vector<uint8_t>& bytes, size_t crcOffset) {
    if (crcOffset == 0) return;
    uint16_t stored = Le16(bytes.data() + crcOffset);
    bytes[crcOffset] = bytes[crcOffset + 1] = 0;
    uint16_t computed = ComputeCrc16(bytes.data(), bytes.size());
    if (stored != computed) Bad("header CRC is " + Hex16(stored) + ", the header gives " + Hex16(computed));
}

void CheckChecksum(const std::vector<uint8_t>& bytes, size_t baseSize) {
    unsigned sum = 0;
    for (size_t i = 2; i < baseSize; ++i) sum += bytes[i];
    if ((sum & 0xFF) != bytes[1])
        Bad("header checksum is " + Hex16(bytes[1]) + ", the header gives " + Hex16(sum & 0xFF));
}

void ReadCommonFields(Header& header, const std::vector<uint8_t>& b) {
    header.method.assign(reinterpret_cast<const char*>(&b[2]), 5);
    header.compressedSize = Le32(&b[7]);
    header.originalSize = Le32(&b[11]);
    header.level = b[kLevelOffset];
}

void ReadLevel0Or1(ByteReader& reader, Header& header, std::vector<uint8_t>& b) {
    size_t baseSize = size_t{b[0]} + 2;
    size_t nameLength = b[21];
    // Level 0 ends with the CRC after the name (then optional extras); level 1
    // adds the OS id and the size of the first extended header.
    size_t minimum = header.level == 0 ? 24 + nameLength : 27 + nameLength;
    if (baseSize < minimum)
        Bad("header size " + std::to_string(b[0]) + " is too small for a name of " + std::to_string(nameLength) +
            " bytes");
    ReadUpTo(reader, b, baseSize);
    CheckChecksum(b, baseSize);
    header.attributes = b[19];
    header.dosTime = Le32(&b[15]);
    header.name.assign(reinterpret_cast<const char*>(&b[22]), nameLength);
    header.crc = Le16(&b[22 + nameLength]);
    size_t extra = 24 + nameLength;

    if (header.level == 0) {
        // Unix archivers add their OS id 'U' with time, mode and owner.
        if (baseSize >= extra + 12 && b[extra] == 'U') {
            header.osId = 'U';
            header.unixTime = Le32(&b[extra + 2]);
            header.unixMode = Le16(&b[extra + 6]);
        }
        header.headerSize = baseSize;
        return;
    }

    header.osId = b[extra];
    // The extended headers follow in the stream and are counted in the
    // member's size field, which thus covers them and the data.
    uint64_t skipSize = header.compressedSize;
    uint64_t extensionsSize = 0;
    size_t nextSize = Le16(&b[baseSize - 2]);
    size_t offset = baseSize;
    while (nextSize != 0) {
        if (nextSize < 3) Bad("an extended header of " + std::to_string(nextSize) + " bytes");
        extensionsSize += nextSize;
        if (extensionsSize > skipSize)
            Bad("extended headers of " + std::to_string(extensionsSize) + " bytes exceed the member size " +
                std::to_string(skipSize));
        // The chain is held in memory; no real header comes near this.
        if (extensionsSize > kMaxHeaderSize)
            Bad("extended headers of more than " + std::to_string(kMaxHeaderSize) + " bytes");
        ReadUpTo(reader, b, offset + nextSize);
        nextSize = Le16(&b[offset + nextSize - 2]);
        offset = b.size();
    }
    header.compressedSize = skipSize - extensionsSize;
    size_t crcOffset = ParseExtensions(header, b, baseSize, Le16(&b[baseSize - 2]), 2);
    CheckHeaderCrc(b, crcOffset);
    header.headerSize = b.size();
}

void ReadLevel2Or3(ByteReader& reader, Header& header, std::vector<uint8_t>& b) {
    bool level3 = header.level == 3;
    size_t baseSize = level3 ? kLevel3BaseSize : kLevel2BaseSize;
    ReadUpTo(reader, b, baseSize);
    uint64_t totalSize = level3 ? Le32(&b[24]) : Le16(&b[0]);
    if (level3 && Le16(&b[0]) != 4) Bad("level 3 header with a size width of " + std::to_string(Le16(&b[0])));
    // A level 3 header is bounded like a level 2 one; nothing sensible is larger.
    if (totalSize < baseSize || totalSize > kMaxHeaderSize)
        Bad("header size " + std::to_string(totalSize) + " out of range");
    ReadUpTo(reader, b, static_cast<size_t>(totalSize));
    header.unixTime = Le32(&b[15]);
    header.crc = Le16(&b[21]);
    header.osId = b[23];
    size_t crcOffset = level3 ? ParseExtensions(header, b, baseSize, Le32(&b[28]), 4)
                              : ParseExtensions(header, b, baseSize, Le16(&b[24]), 2);
    CheckHeaderCrc(b, crcOffset);
    header.headerSize = b.size();
}

}  // namespace

std::optional<Header> ReadHeader(ByteReader& reader) {
    uint8_t first;
    if (reader.Read(&first, 1) == 0) return std::nullopt;
    return ReadHeaderAfter(first, reader);
}

std::optional<Header> ReadHeaderAfter(uint8_t first, ByteReader& reader) {
    if (first == 0) return std::nullopt;
    std::vector<uint8_t> b(kLevelOffset + 1);
    b[0] = first;
    size_t got = ReadFully(reader, b.data() + 1, kLevelOffset);
    if (got >= 6 && (b[2] != '-' || b[6] != '-'))
        throw Error(ErrorKind::NotAnArchive, "no LHA header: no method id where one belongs");
    if (got != kLevelOffset) Bad("the header is cut short");

    Header header;
    ReadCommonFields(header, b);
    switch (header.level) {
    case 0:
    case 1:
        b.resize(22);
        if (reader.Read(&b[21], 1) != 1) Bad("the header is cut short");
        ReadLevel0Or1(reader, header, b);
        break;
    case 2:
    case 3:
        ReadLevel2Or3(reader, header, b);
        break;
    default:
        Bad("unknown header level " + std::to_string(header.level));
    }
    if (header.IsDirectory() && header.originalSize != 0)
        Bad("directory entry with " + std::to_string(header.originalSize) + " bytes of data");
    return header;
}

}  // namespace lha
