#include "lha/Crc16.h"

#include <array>
#include <cstring>

namespace lha {

namespace {

using Tables = std::array<std::array<uint16_t, 256>, 8>;

constexpr Tables MakeTables() {
    Tables t{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
        t[0][i] = static_cast<uint16_t>(c);
    }
    for (unsigned i = 0; i < 256; ++i)
        for (int k = 1; k < 8; ++k)
            t[k][i] = static_cast<uint16_t>((t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF]);
    return t;
}

constexpr Tables kTables = MakeTables();

}  // namespace

void Crc16::Update(const uint8_t* data, size_t size) noexcept {
    unsigned crc = value_;
    while (size >= 8) {
        unsigned b0 = data[0] ^ (crc & 0xFF), b1 = data[1] ^ (crc >> 8);
        crc = kTables[7][b0] ^ kTables[6][b1] ^ kTables[5][data[2]] ^ kTables[4][data[3]] ^
              kTables[3][data[4]] ^ kTables[2][data[5]] ^ kTables[1][data[6]] ^ kTables[0][data[7]];
        data += 8;
        size -= 8;
    }
    while (size--) crc = (crc >> 8) ^ kTables[0][(crc ^ *data++) & 0xFF];
    value_ = static_cast<uint16_t>(crc);
}

uint16_t ComputeCrc16(const uint8_t* data, size_t size) noexcept {
    Crc16 crc;
    crc.Update(data, size);
    return crc.Value();
}

std::string Hex16(unsigned value) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (int shift = 12; shift >= 0; shift -= 4) text += digits[(value >> shift) & 0xF];
    return text;
}

}  // namespace lha
