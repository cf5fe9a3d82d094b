#pragma once
// The encoder's match finder: a sliding window over the input with hash
// chains on three-byte prefixes. Positions are absolute (counted from the
// member's start plus one window), so the chains never need rebasing when the
// window slides; a chain ends where the distance reaches the window's size.

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

    // Adds the current position to its chain (needs three bytes ahead).
    void Insert() { InsertAt(pos_); }
    // Adds the `count` positions after the current one.
    void InsertFollowing(size_t count) {
        if (end_ - pos_ <= kMinMatch) return;
        size_t last = std::min(pos_ + count, end_ - kMinMatch);
        for (size_t at = pos_ + 1; at <= last; ++at) InsertAt(at);
    }

    // The longest match at the current position that is longer than
    // `longerThan`; length 0 when there is none.
    Match Find(unsigned longerThan, const Limits& limits) const;

private:
    // Absolute position of window_[0] for the first byte of a member: a head
    // of 0 is then always out of reach.
    static constexpr uint64_t kOrigin = uint64_t{1} << 17;
    static constexpr unsigned kHashBits = 16;

    static uint32_t Hash(const uint8_t* p) {
        uint32_t v = uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
        return (v * 2654435761u) >> (32 - kHashBits);
    }
    void InsertAt(size_t at) {
        uint32_t absolute = static_cast<uint32_t>(absolute_ + at);
        uint32_t& head = head_[Hash(window_.data() + at)];
        prev_[absolute & mask_] = head;
        head = absolute;
    }
    size_t Refill();

    const unsigned windowSize_;
    const uint32_t mask_;
    std::vector<uint8_t> window_;
    std::vector<uint32_t> head_;
    std::vector<uint32_t> prev_;
    ByteReader* source_ = nullptr;
    uint64_t absolute_ = kOrigin;  // absolute position of window_[0]
    size_t pos_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
};

}  // namespace lha
