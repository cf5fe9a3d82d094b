#pragma once
// Decoder of the static-Huffman LZ77 methods -lh4- to -lh7-. Data comes in
// blocks; each block starts with its code count and three code tables (code
// lengths of the literal/length code, coded by a small code of its own, and
// the position code). Output goes through a window that keeps the last 64 KiB
// for matches plus one chunk of fresh output, which is written out whole; so
// memory stays the same for every member size. Chunks alternate between two
// windows, so that a writer may go on reading one chunk while the next one is
// decoded.

#include "lha/BitReader.h"
#include "lha/ByteIo.h"
#include "lha/Huffman.h"

#include <cstdint>
#include <memory>

namespace lha {

struct LzhParameters {
    unsigned dictionaryBits;  // 12 to 16: the window, and so the largest distance
    unsigned positionBits;    // width of the position table's count field
};

class LzhDecoder {
public:
    static constexpr unsigned kLiteralSymbols = 510;  // 256 bytes and match lengths 3..256
    static constexpr unsigned kLengthSymbols = 19;    // three zero-run forms and code lengths 1..16
    static constexpr unsigned kMaxPositionSymbols = 17;
    // Widths of the count fields of the code-length code and the literal code.
    static constexpr unsigned kLengthCountBits = 5;
    static constexpr unsigned kLiteralCountBits = 9;
    // In the code-length code, after the third length a 2-bit count of zero lengths follows.
    static constexpr unsigned kLengthZeroRunAfter = 3;

    void Decode(const LzhParameters& parameters, ByteReader& data, uint64_t dataSize, uint64_t originalSize,
                ByteWriter& out);

private:
    uint8_t* DecodeUntil(uint8_t* op, uint8_t* stop);
    void ReadBlock();
    void ReadLengthCode();
    void ReadLiteralCode();
    void ReadPositionCode();

    LzhParameters parameters_{};
    BitReader bits_;
    unsigned blockLeft_ = 0;
    std::unique_ptr<uint8_t[]> windows_;  // allocated for the first member that needs them
    const uint8_t* start_ = nullptr;       // the oldest byte that a match may copy
    HuffmanTable<kLengthSymbols, 8> lengthCode_;
    HuffmanTable<kLiteralSymbols, 12> literalCode_;
    HuffmanTable<kMaxPositionSymbols, 8> positionCode_;
};

}  // namespace lha
