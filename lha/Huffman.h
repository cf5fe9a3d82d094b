#pragma once
// Canonical Huffman codes as LHA uses them: codes are given by their lengths
// (1 to 16 bits), assigned in order of length and, within a length, of symbol.
// Decoding is table-driven: the first kTableBits bits index a main table;
// longer codes continue in a subtable. Each entry holds the symbol's value
// (chosen by the caller, e.g. a match distance base), the code length and,
// for subtable links, the subtable's place and index width.

#include <array>
#include <cstddef>
#include <cstdint>

namespace lha {

constexpr unsigned kMaxCodeLength = 16;

// Fills codes[i] with the code of symbol i (0 where lengths[i] is 0).
// Returns false when the lengths do not form a complete prefix code.
bool AssignCanonicalCodes(const uint8_t* lengths, size_t count, uint16_t* codes);

namespace huffman_detail {

constexpr uint32_t kLengthMask = 0x1F;
constexpr uint32_t kSubtableFlag = 0x20;
constexpr unsigned kValueShift = 8;

// Builds a table; raises lha::Error (BadData) naming `what` when the lengths
// are not a complete prefix code.
void Build(uint32_t* entries, unsigned tableBits, const uint8_t* lengths, const uint32_t* values,
           const uint8_t* trailing, size_t count, const char* what);

}  // namespace huffman_detail

template <unsigned kSymbols, unsigned kTableBits>
class HuffmanTable {
public:
    // `values[i]` is what Lookup yields for symbol i (at most 24 bits). Where
    // `trailing` is given, the entry length of symbol i also counts the
    // trailing[i] bits that always follow its code (code and those bits stay
    // within 31 bits).
    void Build(const uint8_t* lengths, const uint32_t* values, size_t count, const char* what,
               const uint8_t* trailing = nullptr) {
        huffman_detail::Build(entries_.data(), kTableBits, lengths, values, trailing, count, what);
    }
    // A code of one symbol that takes no bits (but its trailing ones).
    void BuildSingle(uint32_t value, unsigned trailing = 0) {
        entries_.fill(value << huffman_detail::kValueShift | trailing);
    }

    // The entry for the code at the top of `bits`; EntryLength bits belong to it.
    uint32_t Lookup(uint64_t bits) const {
        uint32_t entry = entries_[bits >> (64 - kTableBits)];
        if (entry & huffman_detail::kSubtableFlag) {
            unsigned subBits = entry & huffman_detail::kLengthMask;
            entry = entries_[(entry >> huffman_detail::kValueShift) + ((bits << kTableBits) >> (64 - subBits))];
        }
        return entry;
    }
    static unsigned EntryLength(uint32_t entry) { return entry & huffman_detail::kLengthMask; }
    static uint32_t EntryValue(uint32_t entry) { return entry >> huffman_detail::kValueShift; }

private:
    // Every subtable is as wide as the longest code needs; there is at most
    // one per symbol longer than kTableBits. Left uninitialised: Build fills
    // every entry that a lookup can reach.
    std::array<uint32_t, (1u << kTableBits) + (kSymbols << (kMaxCodeLength - kTableBits))> entries_;
};

}  // namespace lha
