#pragma once
// Writes member headers in level 2: the base header with the Unix time, then
// the extended headers for the header CRC, the file name, the directory (its
// steps each followed by 0xFF) and the MS-DOS attributes.

#include "lha/Header.h"

#include <cstdint>
#include <vector>

namespace lha {

// Level-2 header bytes for `header` (method, sizes, crc, unixTime, osId,
// directory, name, attributes). A header whose size would end in a zero byte
// gets one pad byte, since a first byte of 0 marks the archive's end. Raises
// lha::Error (BadHeader) for sizes or names that level 2 cannot hold.
std::vector<uint8_t> WriteLevel2Header(const Header& header);

}  // namespace lha
