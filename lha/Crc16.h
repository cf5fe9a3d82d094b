#pragma once
// The CRC-16 of LHA archives (reflected polynomial 0xA001, initial value 0),
// used for member data and for header checksums. Eight bytes per step through
// eight tables, as it runs over every decoded byte.

#include <cstddef>
#include <cstdint>
#include <string>

namespace lha {

class Crc16 {
public:
    void Update(const uint8_t* data, size_t size) noexcept;
    uint16_t Value() const noexcept { return value_; }

private:
    uint16_t value_ = 0;
};

uint16_t ComputeCrc16(const uint8_t* data, size_t size) noexcept;

// Four lower-case hex digits: how messages show a CRC or a checksum.
std::string Hex16(unsigned value);

}  // namespace lha
