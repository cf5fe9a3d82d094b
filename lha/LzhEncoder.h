#pragma once
// Encoder of the methods -lh5-, -lh6- and -lh7-: LZ77 with hash chains and
// lazy matching, then static Huffman codes per block, in the block format that
// LzhDecoder reads. Memory is the same for every member size: one window of
// history, one chunk of input and one block of codes.

#include "lha/BitWriter.h"
#include "lha/ByteIo.h"
#include "lha/HashChain.h"
#include "lha/HuffmanEncoder.h"
#include "lha/LzhDecoder.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lha {

class LzhEncoder {
public:
    struct Result {
        bool shrank;      // false: the output would not have been smaller than `limit` allows
        uint64_t read;    // bytes taken from the input
        uint64_t written; // bytes given to the output
    };

    explicit LzhEncoder(const LzhParameters& parameters);

    // Encodes all of `data` into `out`. Stops early, with shrank false, as
    // soon as the output would exceed `limit` bytes; `out` has then been given
    // at most `limit` bytes.
    Result Encode(ByteReader& data, ByteWriter& out, uint64_t limit);

private:
    class LimitedSink;

    void Parse();
    uint32_t MatchPrice(const Match& match) const;
    uint32_t LiteralPrice(const uint8_t* bytes, size_t count) const;
    void UpdatePrices();
    void ResetPrices();
    void AddLiteral(uint8_t byte);
    void AddMatch(unsigned length, unsigned distance);
    void FlushBlock();
    void WriteBlock(BitWriter& bits);
    void WriteLiteralCode(BitWriter& bits);
    void WriteSmallCode(BitWriter& bits, const HuffmanCode& code, unsigned countBits, unsigned zeroRunAfter);

    LzhParameters parameters_;
    HashChain finder_;
    HashChain::Limits limits_;
    BitWriter* bits_ = nullptr;

    // The block being collected: symbols (bytes, or 256 + length - 3) and
    // the distances of the matches among them.
    std::vector<uint16_t> symbols_;
    std::vector<uint32_t> distances_;
    size_t matches_ = 0;
    std::vector<uint32_t> literalFrequencies_;
    std::vector<uint32_t> positionFrequencies_;
    HuffmanCode literalCode_, positionCode_, lengthCode_;
    // Bits that each symbol is expected to cost, for weighing matches.
    std::array<uint8_t, LzhDecoder::kLiteralSymbols> symbolPrice_{};
    std::vector<uint8_t> positionPrice_;
};

}  // namespace lha
