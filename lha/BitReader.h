#pragma once
// Most-significant-bit-first reader over a member's compressed data. The next
// bits sit at the top of a 64-bit word; a refill tops it up to at least 56
// bits with one unaligned 8-byte load while the input buffer allows, so one
// refill covers a whole match (code, position code and extra bits).
//
// Past the end of the data the reader supplies a few zero bytes for look-ahead;
// reading further raises "ends early", and Finish checks that no bit beyond
// the real end was consumed.
//
// The state that decoding loops touch is the plain BitCursor, which such a
// loop copies into locals: stores to the output bytes could otherwise alias it.

#include "lha/ByteIo.h"
#include "lha/Error.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace lha {

struct BitCursor {
    static constexpr unsigned kGuaranteedBits = 56;

    uint64_t bits = 0;      // next bits, left-aligned
    unsigned count = 0;     // how many of them are valid
    const uint8_t* ip = nullptr;
    const uint8_t* fastEnd = nullptr;  // last position an 8-byte load may start from

    bool TryRefill() {
        if (ip > fastEnd) return false;
        uint64_t word;
        std::memcpy(&word, ip, 8);
        bits |= __builtin_bswap64(word) >> count;
        ip += (63 - count) >> 3;
        count |= 56;
        return true;
    }
    uint64_t Peek() const { return bits; }
    void Consume(unsigned n) {
        bits <<= n;
        count -= n;
    }
    // Takes n (0..32) bits that a refill made available.
    uint32_t Take(unsigned n) {
        uint32_t value = static_cast<uint32_t>((bits >> 1) >> (63 - n));
        Consume(n);
        return value;
    }
};

class BitReader {
public:
    void Start(ByteReader& source, uint64_t size);

    void Refill() {
        if (!cursor.TryRefill()) RefillSlowly();
    }
    void RefillSlowly();

    // Takes n (0..32) bits, refilling first when needed; for table reading.
    uint32_t Read(unsigned n) {
        if (cursor.count < n) Refill();
        return cursor.Take(n);
    }

    // Raises BadData when more bits were consumed than the data holds.
    void Finish() const;

    BitCursor cursor;

private:
    void Fill();
    [[noreturn]] void EndsEarly() const;

    std::vector<uint8_t> storage_;
    uint8_t* begin_ = nullptr;  // the buffer, with room before it so that fastEnd stays inside storage_
    uint8_t* end_ = nullptr;    // end of the data in the buffer
    ByteReader* source_ = nullptr;
    uint64_t left_ = 0;    // bytes of the data not yet in the buffer
    uint64_t size_ = 0;    // bytes of the data in all
    uint64_t offset_ = 0;  // data offset of begin_[0]
    bool exhausted_ = false;
};

}  // namespace lha
