#pragma once
// The encoder's match finder: a sliding window over the input with hash
// chains on four-byte prefixes, and a table of the latest position of each
// three-byte prefix for the shortest matches (chains on three bytes grow long
// in text, and a three-byte match pays only when it is near). Positions are
// absolute (counted from the member's start plus one window), so the chains
// never need rebasing when the window slides; a chain ends where the distance
// reaches the window's size.

#include "lha/ByteIo.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace lha {

struct Match {
    unsigned length = 0;  // 0: none
    unsigned distance = 0;
};

class HashChain {
public:
    static constexpr unsigned kMinMatch = 3;
    static constexpr unsigned kMaxMatch = 256;

    struct Limits {
        unsigned chain;  // candidates to try at most
        unsigned nice;   // a match this long ends the search
    };

    explicit HashChain(unsigned dictionaryBits);

    // Starts a new member read from `source`.
    void Start(ByteReader& source);

    // Makes sure that kMaxMatch bytes lie ahead of the current position, or
    // all that the data still has; reads and slides the window as needed.
    // Returns the number of bytes ahead (0 at the end of the data).
    size_t Ahead() {
        size_t ahead = end_ - pos_;
        return ahead > kMaxMatch || eof_ ? ahead : Refill();
    }

    const uint8_t* Here() const { return window_.data() + pos_; }
    void Advance(size_t count) { pos_ += count; }
    uint64_t Consumed() const { return absolute_ + pos_ - kOrigin; }

    // Adds the current position to its chain (when four bytes lie ahead).
    void Insert() {
        if (end_ - pos_ >= kHashedBytes) InsertAt(pos_);
    }
    // Adds the `count` positions after the current one.
    void InsertFollowing(size_t count) {
        size_t last = std::min(pos_ + count, end_ - std::min(end_, size_t{kHashedBytes}));
        for (size_t at = pos_ + 1; at <= last; ++at) InsertAt(at);
    }

    // The longest match at the current position that is longer than
    // `longerThan`; length 0 when there is none.
    Match Find(unsigned longerThan, const Limits& limits) const;

private:
    // Absolute position of window_[0] for the first byte of a member: a head
    // of 0 is then always out of reach.
    static constexpr uint64_t kOrigin = uint64_t{1} << 17;
    static constexpr unsigned kHash3Bits = 12;
    static constexpr size_t kHashedBytes = 4;  // a position needs these ahead to be inserted

    static uint32_t Load32(const uint8_t* p) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    uint32_t Hash4(const uint8_t* p) const { return (Load32(p) * 2654435761u) >> hashShift_; }
    static uint32_t Hash3(const uint8_t* p) { return ((Load32(p) << 8) * 2246822519u) >> (32 - kHash3Bits); }
    void InsertAt(size_t at) {
        const uint8_t* p = window_.data() + at;
        uint32_t absolute = static_cast<uint32_t>(absolute_ + at);
        head3_[Hash3(p)] = absolute;
        uint32_t& head = head_[Hash4(p)];
        prev_[absolute & mask_] = head;
        head = absolute;
    }
    size_t Refill();

    const unsigned windowSize_;
    const unsigned hashShift_;  // 32 less the bits of a four-byte hash
    const uint32_t mask_;
    std::vector<uint8_t> window_;
    std::vector<uint32_t> head_;
    std::vector<uint32_t> prev_;
    std::vector<uint32_t> head3_;
    ByteReader* source_ = nullptr;
    uint64_t absolute_ = kOrigin;  // absolute position of window_[0]
    size_t pos_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
};

}  // namespace lha
