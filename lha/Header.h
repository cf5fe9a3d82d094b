#pragma once
// The header of one archive member, as read from levels 0 to 3. The struct is
// plain data so that a writer can fill it as well; ReadHeader parses it.

#include "lha/ByteIo.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lha {

// Extended header types that this codec understands.
enum ExtensionType : uint8_t {
    kExtHeaderCrc = 0x00,
    kExtFileName = 0x01,
    kExtDirectoryName = 0x02,
    kExtComment = 0x3F,
    kExtDosAttributes = 0x40,
    kExtWindowsTimes = 0x41,
    kExtLargeSizes = 0x42,
    kExtUnixMode = 0x50,
    kExtUnixIds = 0x51,
    kExtUnixTime = 0x54,
};

// Separator of folder names in the directory extension.
constexpr uint8_t kDirectorySeparator = 0xFF;

struct Header {
    std::string method;          // five characters, "-lh5-"
    int level = 0;
    uint64_t compressedSize = 0;
    uint64_t originalSize = 0;
    std::string directory;       // bytes of the directory extension, 0xFF separated; empty if none
    std::string name;            // file name bytes; levels 0 and 1 may hold a whole path
    uint16_t crc = 0;            // CRC-16 of the original data
    uint16_t attributes = 0x20;  // MS-DOS attributes
    uint8_t osId = 0;
    std::optional<uint32_t> dosTime;      // MS-DOS date (high word) and time (low word), local time
    std::optional<int64_t> unixTime;      // seconds since 1970, UTC
    std::optional<uint64_t> windowsTime;  // last write, 100 ns units since 1601, UTC
    std::optional<uint16_t> unixMode;
    uint64_t headerSize = 0;     // bytes the header takes in the archive

    bool IsDirectory() const { return method == "-lhd-"; }
    // A symbolic link, as Unix archivers store them.
    bool IsLink() const { return unixMode && (*unixMode & 0xF000) == 0xA000; }
    std::string Path() const { return directory + name; }
};

// Reads the next header. Returns nothing at the end mark (a zero byte) or at
// the end of the data; raises lha::Error (BadHeader) for a broken header.
std::optional<Header> ReadHeader(ByteReader& reader);

// ReadHeader when the caller has read the first byte already.
std::optional<Header> ReadHeaderAfter(uint8_t first, ByteReader& reader);

}  // namespace lha
