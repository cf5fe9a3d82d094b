#pragma once
// Most-significant-bit-first writer, the counterpart of BitReader.

#include "lha/ByteIo.h"

#include <cstdint>

namespace lha {

class BitWriter {
public:
    explicit BitWriter(ByteWriter& out) : out_(out) {}
    // Writes the low `count` (0..32) bits of `value`, highest first.
    void Put(uint32_t value, unsigned count);
    // Writes what is pending, the last byte filled up with zero bits.
    void Flush();

private:
    ByteWriter& out_;
    uint64_t pending_ = 0;  // right-aligned
    unsigned count_ = 0;
};

}  // namespace lha
