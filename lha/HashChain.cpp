#include "lha/HashChain.h"

#include "lha/Error.h"

#include <algorithm>

namespace lha {

namespace {

// Fresh data is read in chunks of this size.
constexpr size_t kChunk = size_t{1} << 18;
// Matches are compared eight bytes at a time and may look past the data.
constexpr size_t kSlack = 8;
// Heads for about four positions of the window each, at most 2^16: a small
// table stays in the cache.
constexpr unsigned kMaxHashBits = 16;

inline unsigned MatchLength(const uint8_t* p, const uint8_t* q, unsigned limit) {
    unsigned length = 0;
    while (length < limit) {
        uint64_t a, b;
        std::memcpy(&a, p + length, 8);
        std::memcpy(&b, q + length, 8);
        if (uint64_t diff = a ^ b) {
            length += static_cast<unsigned>(__builtin_ctzll(diff)) >> 3;
            return std::min(length, limit);
        }
        length += 8;
    }
    return limit;
}

}  // namespace

HashChain::HashChain(unsigned dictionaryBits)
    : windowSize_(1u << dictionaryBits),
      hashShift_(32 - std::min(kMaxHashBits, dictionaryBits + 2)),
      mask_(windowSize_ - 1),
      window_(windowSize_ + kChunk + kMaxMatch + kSlack),
      head_(size_t{1} << (32 - hashShift_)),
      prev_(windowSize_),
      head3_(size_t{1} << kHash3Bits) {}

void HashChain::Start(ByteReader& source) {
    source_ = &source;
    std::fill(head_.begin(), head_.end(), 0);
    std::fill(head3_.begin(), head3_.end(), 0);
    absolute_ = kOrigin;
    pos_ = end_ = 0;
    eof_ = false;
}

size_t HashChain::Refill() {
    // Keep one window of history before the current position.
    if (pos_ > windowSize_) {
        size_t shift = pos_ - windowSize_;
        std::memmove(window_.data(), window_.data() + shift, end_ - shift);
        pos_ -= shift;
        end_ -= shift;
        absolute_ += shift;
    }
    size_t capacity = window_.size() - kSlack;
    while (!eof_ && end_ - pos_ <= kMaxMatch) {
        size_t got = source_->Read(window_.data() + end_, capacity - end_);
        if (got == 0) eof_ = true;
        end_ += got;
    }
    if (absolute_ + end_ >= (uint64_t{1} << 32))
        throw Error(ErrorKind::Read, "a member of 4 GiB or more cannot be packed");
    return end_ - pos_;
}

Match HashChain::Find(unsigned longerThan, const Limits& limits) const {
    Match best;
    const size_t ahead = end_ - pos_;
    if (ahead < kMinMatch) return best;
    const unsigned limit = static_cast<unsigned>(std::min<size_t>(ahead, kMaxMatch));
    if (longerThan >= limit) return best;
    const uint8_t* const p = window_.data() + pos_;
    const uint32_t here = static_cast<uint32_t>(absolute_ + pos_);
    unsigned bestLength = std::max(longerThan, kMinMatch - 1);

    // The latest position with the same three bytes, for a match of three.
    if (bestLength < kMinMatch && ahead >= kHashedBytes) {
        uint32_t distance = here - head3_[Hash3(p)];
        const uint8_t* q = p - distance;
        if (distance < windowSize_ && q[0] == p[0] && q[1] == p[1] && q[2] == p[2]) {
            bestLength = MatchLength(p, q, limit);
            best = {bestLength, distance};
            if (bestLength >= limits.nice || bestLength == limit) return best;
        }
    }
    if (ahead < kHashedBytes) return best;
    uint32_t candidate = head_[Hash4(p)];
    for (unsigned tries = limits.chain; tries > 0; --tries) {
        uint32_t distance = here - candidate;
        if (distance >= windowSize_) break;
        const uint8_t* q = p - distance;
        // The byte that would make the match longer decides first.
        if (q[bestLength] == p[bestLength] && Load32(q) == Load32(p)) {
            unsigned length = MatchLength(p, q, limit);
            if (length > bestLength) {
                bestLength = length;
                best = {length, distance};
                if (length >= limits.nice || length == limit) break;
            }
        }
        candidate = prev_[candidate & mask_];
    }
    return best;
}

}  // namespace lha
