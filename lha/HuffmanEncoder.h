#pragma once
// Code lengths for the encoder: Huffman lengths from symbol counts, limited to
// 16 bits, and the canonical codes that belong to them (Huffman.h).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lha {

// A prefix code for `count` symbols, built from how often each occurs.
class HuffmanCode {
public:
    // Symbols with frequency 0 get no code. With fewer than two used symbols
    // the code is "single": Single() names the one symbol (0 when none is
    // used), whose code takes no bits.
    void Build(const uint32_t* frequencies, size_t count, unsigned maxLength = 16);

    bool IsSingle() const { return single_; }
    unsigned Single() const { return singleSymbol_; }
    const uint8_t* Lengths() const { return lengths_.data(); }
    uint8_t Length(unsigned symbol) const { return lengths_[symbol]; }
    uint16_t Code(unsigned symbol) const { return codes_[symbol]; }
    // Number of lengths up to the last symbol that has a code.
    size_t UsedCount() const;
    // Bits that coding the given frequencies with this code would take.
    uint64_t Cost(const uint32_t* frequencies) const;

private:
    std::vector<uint8_t> lengths_;
    std::vector<uint16_t> codes_;
    bool single_ = true;
    unsigned singleSymbol_ = 0;
};

// Huffman code lengths for `frequencies`, none longer than `maxLength`; 0 for
// unused symbols. Needs at least two used symbols.
void BuildCodeLengths(const uint32_t* frequencies, size_t count, unsigned maxLength, uint8_t* lengths);

}  // namespace lha
