#pragma once
// Small crafted archives for tests: headers of levels 0 and 2 built byte by
// byte, and compressed streams written bit by bit.

#include "lha/BitWriter.h"
#include "lha/ByteIo.h"
#include "lha/Crc16.h"
#include "lha/Header.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace craft {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

inline Bytes ToBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

struct Member {
    std::string method = "-lh0-";
    std::string name;          // level 0: the whole path; level 2: the file name
    std::string directory;     // level 2 only, 0xFF separated
    Bytes data;                // as stored
    uint32_t originalSize = 0; // for stored members: data.size()
    uint16_t crc = 0;          // of the original data
    uint16_t unixMode = 0;     // level 2: a Unix mode extension when not 0
    uint8_t attributes = 0x20; // level 0: MS-DOS attributes
};

// A stored member: method -lh0-, its data and CRC.
inline Member Stored(const std::string& name, const std::string& content) {
    Member m;
    m.name = name;
    m.data = ToBytes(content);
    m.originalSize = static_cast<uint32_t>(content.size());
    m.crc = lha::ComputeCrc16(m.data.data(), m.data.size());
    return m;
}

// Sets the size and checksum bytes of a level 0 or 1 base header that ends
// where `h` ends.
inline void SealBaseHeader(Bytes& h) {
    h[0] = static_cast<uint8_t>(h.size() - 2);
    unsigned sum = 0;
    for (size_t i = 2; i < h.size(); ++i) sum += h[i];
    h[1] = static_cast<uint8_t>(sum);
}

inline Bytes Level0(const Member& m) {
    Bytes h;
    h.push_back(0);  // size, set below
    h.push_back(0);  // checksum, set below
    h.insert(h.end(), m.method.begin(), m.method.end());
    Put32(h, static_cast<uint32_t>(m.data.size()));
    Put32(h, m.originalSize);
    Put32(h, 0x5B8A5A32);  // 2025-12-10 11:17:36
    h.push_back(m.attributes);
    h.push_back(0);
    h.push_back(static_cast<uint8_t>(m.name.size()));
    h.insert(h.end(), m.name.begin(), m.name.end());
    Put16(h, m.crc);
    SealBaseHeader(h);
    h.insert(h.end(), m.data.begin(), m.data.end());
    return h;
}

// A level 2 header (with name, directory, optional Unix mode and a header
// CRC), then the data. `extra` extensions (type, payload) come last.
inline Bytes Level2(const Member& m, const std::vector<std::pair<uint8_t, Bytes>>& extra = {}) {
    Bytes h;
    Put16(h, 0);  // total size, set below
    h.insert(h.end(), m.method.begin(), m.method.end());
    Put32(h, static_cast<uint32_t>(m.data.size()));
    Put32(h, m.originalSize);
    Put32(h, 1765365456);  // 2025-12-10 11:17:36 UTC
    h.push_back(0x20);
    h.push_back(2);
    Put16(h, m.crc);
    h.push_back('U');
    // Each extension: its size (counting type, payload and the next size
    // field), type, payload; the chain ends with size 0.
    auto add = [&](uint8_t type, const Bytes& payload) {
        Put16(h, static_cast<unsigned>(payload.size() + 3));
        h.push_back(type);
        h.insert(h.end(), payload.begin(), payload.end());
    };
    size_t crcAt = h.size() + 3;
    add(lha::kExtHeaderCrc, {0, 0});
    add(lha::kExtFileName, ToBytes(m.name));
    if (!m.directory.empty()) add(lha::kExtDirectoryName, ToBytes(m.directory));
    if (m.unixMode) add(lha::kExtUnixMode, {static_cast<uint8_t>(m.unixMode), static_cast<uint8_t>(m.unixMode >> 8)});
    for (const auto& [type, payload] : extra) add(type, payload);
    Put16(h, 0);
    h[0] = static_cast<uint8_t>(h.size());
    h[1] = static_cast<uint8_t>(h.size() >> 8);
    uint16_t crc = lha::ComputeCrc16(h.data(), h.size());
    h[crcAt] = static_cast<uint8_t>(crc);
    h[crcAt + 1] = static_cast<uint8_t>(crc >> 8);
    h.insert(h.end(), m.data.begin(), m.data.end());
    return h;
}

// Archive bytes: the members' headers and data, then the end mark.
inline Bytes Archive(const std::vector<Bytes>& members) {
    Bytes a;
    for (const Bytes& m : members) a.insert(a.end(), m.begin(), m.end());
    a.push_back(0);
    return a;
}

// Collects bits for a crafted -lh5- .. -lh7- stream.
class Stream {
public:
    Stream& Bits(uint32_t value, unsigned count) {
        writer_.Put(value, count);
        return *this;
    }
    Bytes Finish() {
        writer_.Flush();
        return sink_.bytes;
    }

private:
    lha::MemoryWriter sink_;
    lha::BitWriter writer_{sink_};
};

}  // namespace craft
