#include "lha/LzhEncoder.h"

#include <algorithm>

namespace lha {

namespace {

constexpr unsigned kLiteralSymbols = LzhDecoder::kLiteralSymbols;
constexpr unsigned kLengthSymbols = LzhDecoder::kLengthSymbols;
constexpr unsigned kLengthCountBits = LzhDecoder::kLengthCountBits;
constexpr unsigned kLiteralCountBits = LzhDecoder::kLiteralCountBits;
constexpr unsigned kLengthZeroRunAfter = LzhDecoder::kLengthZeroRunAfter;
// A block holds at most this many codes (its count field has 16 bits).
constexpr size_t kBlockCodes = 32768;
constexpr size_t kSinkBuffer = size_t{1} << 16;

// Candidates tried per position, and a match long enough to end the search.
// The 8 KiB window of -lh5- holds fewer that are worth trying.
constexpr HashChain::Limits kLimits{32, 128};
constexpr HashChain::Limits kSmallWindowLimits{16, 128};
constexpr unsigned kSmallWindowBits = 13;
// A held match this long is taken without looking for a longer one a byte later.
constexpr unsigned kLazyEnough = 64;
// A match this long always costs less than its bytes as literals.
constexpr unsigned kSurelyWorth = 24;

inline unsigned PositionSymbol(unsigned distance) {
    unsigned offset = distance - 1;
    return offset == 0 ? 0 : 32 - static_cast<unsigned>(__builtin_clz(offset));
}

struct OutputTooLarge {};

}  // namespace

// Buffers the encoder's output and refuses to pass on more than the limit.
class LzhEncoder::LimitedSink : public ByteWriter {
public:
    LimitedSink(ByteWriter& out, uint64_t limit) : out_(out), limit_(limit) { buffer_.reserve(kSinkBuffer); }
    void Write(const uint8_t* data, size_t size) override {
        if (size == 1) buffer_.push_back(*data);  // what BitWriter gives
        else buffer_.insert(buffer_.end(), data, data + size);
        if (buffer_.size() >= kSinkBuffer) Flush();
    }
    void Flush() {
        if (written_ + buffer_.size() > limit_) throw OutputTooLarge{};
        out_.Write(buffer_.data(), buffer_.size());
        written_ += buffer_.size();
        buffer_.clear();
    }
    uint64_t Written() const { return written_; }

private:
    ByteWriter& out_;
    uint64_t limit_;
    uint64_t written_ = 0;
    std::vector<uint8_t> buffer_;
};

LzhEncoder::LzhEncoder(const LzhParameters& parameters)
    : parameters_(parameters),
      finder_(parameters.dictionaryBits),
      limits_(parameters.dictionaryBits <= kSmallWindowBits ? kSmallWindowLimits : kLimits),
      literalFrequencies_(kLiteralSymbols),
      positionFrequencies_(parameters.dictionaryBits + 1),
      positionPrice_(parameters.dictionaryBits + 1) {
    symbols_.reserve(kBlockCodes);
    distances_.reserve(kBlockCodes);
}

LzhEncoder::Result LzhEncoder::Encode(ByteReader& data, ByteWriter& out, uint64_t limit) {
    finder_.Start(data);
    ResetPrices();
    symbols_.clear();
    distances_.clear();
    std::fill(literalFrequencies_.begin(), literalFrequencies_.end(), 0);
    std::fill(positionFrequencies_.begin(), positionFrequencies_.end(), 0);
    LimitedSink sink(out, limit);
    BitWriter bits(sink);
    bits_ = &bits;
    try {
        Parse();
        FlushBlock();
        bits.Flush();
        sink.Flush();
    } catch (const OutputTooLarge&) {
        bits_ = nullptr;
        return {false, finder_.Consumed(), sink.Written()};
    }
    bits_ = nullptr;
    return {true, finder_.Consumed(), sink.Written()};
}

// Lazy matching: a match found at one position is held back while the next
// position offers a longer one; then the byte is sent as a literal instead.
// Both choices are weighed in bits, priced by the codes of the last block, and
// a match that costs more than its bytes as literals is not taken.
void LzhEncoder::Parse() {
    Match held;           // the match at the previous position
    bool pending = false;  // the previous position's byte is still to be sent
    while (size_t ahead = finder_.Ahead()) {
        const uint8_t* here = finder_.Here();
        Match match;
        if (ahead >= HashChain::kMinMatch) {
            if (held.length < kLazyEnough)
                match = finder_.Find(held.length, limits_);
            finder_.Insert();
            if (match.length && match.length < kSurelyWorth && MatchPrice(match) >= LiteralPrice(here, match.length))
                match = {};
        }
        if (held.length >= HashChain::kMinMatch) {
            // Over the same bytes: the held match, or a literal and the new one.
            size_t end = std::max<size_t>(held.length - 1, match.length);
            uint32_t keep = MatchPrice(held) + LiteralPrice(here + held.length - 1, end - (held.length - 1));
            uint32_t change = match.length ? symbolPrice_[here[-1]] + MatchPrice(match) +
                                                 LiteralPrice(here + match.length, end - match.length)
                                           : ~0u;
            if (keep <= change) {
                AddMatch(held.length, held.distance);
                finder_.InsertFollowing(held.length - 2);
                finder_.Advance(held.length - 1);
                held = {};
                pending = false;
                continue;
            }
        }
        if (pending) AddLiteral(here[-1]);
        held = match;
        pending = true;
        finder_.Advance(1);
    }
    if (pending) AddLiteral(finder_.Here()[-1]);
}

uint32_t LzhEncoder::MatchPrice(const Match& match) const {
    unsigned position = PositionSymbol(match.distance);
    return symbolPrice_[256 + match.length - HashChain::kMinMatch] + positionPrice_[position] +
           (position > 1 ? position - 1 : 0);
}

uint32_t LzhEncoder::LiteralPrice(const uint8_t* bytes, size_t count) const {
    uint32_t price = 0;
    for (size_t i = 0; i < count; ++i) price += symbolPrice_[bytes[i]];
    return price;
}

// Prices in bits for the next block: the lengths of this block's codes; a
// symbol that this block did not use is priced as a rare one.
void LzhEncoder::UpdatePrices() {
    for (unsigned i = 0; i < kLiteralSymbols; ++i)
        symbolPrice_[i] = literalCode_.IsSingle() ? (i == literalCode_.Single() ? 1 : 12)
                                                  : (literalCode_.Length(i) ? literalCode_.Length(i) : 12);
    for (unsigned i = 0; i < positionPrice_.size(); ++i)
        positionPrice_[i] = positionCode_.IsSingle() ? (i == positionCode_.Single() ? 1 : 8)
                                                     : (positionCode_.Length(i) ? positionCode_.Length(i) : 8);
}

void LzhEncoder::ResetPrices() {
    for (unsigned i = 0; i < kLiteralSymbols; ++i) symbolPrice_[i] = i < 256 ? 8 : 8 + (i - 256) / 32;
    for (unsigned i = 0; i < positionPrice_.size(); ++i) positionPrice_[i] = 4;
}

void LzhEncoder::AddLiteral(uint8_t byte) {
    symbols_.push_back(byte);
    ++literalFrequencies_[byte];
    if (symbols_.size() == kBlockCodes) FlushBlock();
}

void LzhEncoder::AddMatch(unsigned length, unsigned distance) {
    unsigned symbol = 256 + length - HashChain::kMinMatch;
    symbols_.push_back(static_cast<uint16_t>(symbol));
    distances_.push_back(distance);
    ++literalFrequencies_[symbol];
    ++positionFrequencies_[PositionSymbol(distance)];
    if (symbols_.size() == kBlockCodes) FlushBlock();
}

void LzhEncoder::FlushBlock() {
    if (symbols_.empty()) return;
    literalCode_.Build(literalFrequencies_.data(), kLiteralSymbols);
    positionCode_.Build(positionFrequencies_.data(), positionFrequencies_.size());
    WriteBlock(*bits_);
    UpdatePrices();
    symbols_.clear();
    distances_.clear();
    std::fill(literalFrequencies_.begin(), literalFrequencies_.end(), 0);
    std::fill(positionFrequencies_.begin(), positionFrequencies_.end(), 0);
}

void LzhEncoder::WriteBlock(BitWriter& bits) {
    bits.Put(static_cast<uint32_t>(symbols_.size()), 16);
    WriteLiteralCode(bits);
    WriteSmallCode(bits, positionCode_, parameters_.positionBits, 0);
    size_t match = 0;
    for (uint16_t symbol : symbols_) {
        bits.Put(literalCode_.Code(symbol), literalCode_.Length(symbol));
        if (symbol < 256) continue;
        unsigned offset = distances_[match++] - 1;
        unsigned position = PositionSymbol(offset + 1);
        unsigned extra = position > 1 ? position - 1 : 0;
        bits.Put(uint32_t{positionCode_.Code(position)} << extra | (offset & ((1u << extra) - 1)),
                 positionCode_.Length(position) + extra);
    }
}

// The literal code's lengths, run-length coded: symbols 0 to 2 stand for runs
// of zero lengths (1; 3 to 18; 20 to 531), symbol k + 2 for length k. They
// are coded with the code-length code, which is sent first.
void LzhEncoder::WriteLiteralCode(BitWriter& bits) {
    if (literalCode_.IsSingle()) {
        bits.Put(0, kLengthCountBits);
        bits.Put(0, kLengthCountBits);
        bits.Put(0, kLiteralCountBits);
        bits.Put(literalCode_.Single(), kLiteralCountBits);
        return;
    }
    const size_t count = literalCode_.UsedCount();
    const uint8_t* lengths = literalCode_.Lengths();
    struct Item {
        uint8_t symbol;
        uint8_t extraBits;
        uint16_t extra;
    };
    std::vector<Item> items;
    for (size_t i = 0; i < count;) {
        if (lengths[i] != 0) {
            items.push_back({static_cast<uint8_t>(lengths[i++] + 2), 0, 0});
            continue;
        }
        size_t run = 0;
        while (i < count && lengths[i] == 0) ++i, ++run;
        if (run <= 2) {
            for (size_t k = 0; k < run; ++k) items.push_back({0, 0, 0});
        } else if (run <= 18) {
            items.push_back({1, 4, static_cast<uint16_t>(run - 3)});
        } else if (run == 19) {
            items.push_back({0, 0, 0});
            items.push_back({1, 4, 15});
        } else {
            items.push_back({2, kLiteralCountBits, static_cast<uint16_t>(run - 20)});
        }
    }
    uint32_t frequencies[kLengthSymbols] = {};
    for (const Item& item : items) ++frequencies[item.symbol];
    lengthCode_.Build(frequencies, kLengthSymbols);
    WriteSmallCode(bits, lengthCode_, kLengthCountBits, kLengthZeroRunAfter);
    bits.Put(static_cast<uint32_t>(count), kLiteralCountBits);
    for (const Item& item : items) {
        bits.Put(lengthCode_.Code(item.symbol), lengthCode_.Length(item.symbol));
        bits.Put(item.extra, item.extraBits);
    }
}

// The code-length code and the position code: a count, then each length in
// 3 bits, 7 and up continued in unary. After `zeroRunAfter` lengths (0: none)
// a 2-bit count of following zero lengths (at most 3) is skipped over.
void LzhEncoder::WriteSmallCode(BitWriter& bits, const HuffmanCode& code, unsigned countBits,
                                unsigned zeroRunAfter) {
    if (code.IsSingle()) {
        bits.Put(0, countBits);
        bits.Put(code.Single(), countBits);
        return;
    }
    const size_t count = code.UsedCount();
    bits.Put(static_cast<uint32_t>(count), countBits);
    for (size_t i = 0; i < count;) {
        unsigned length = code.Length(static_cast<unsigned>(i++));
        if (length < 7) bits.Put(length, 3);
        else bits.Put(((1u << (length - 4)) - 1) << 1, length - 3);  // 111, length - 7 ones, a zero
        if (i == zeroRunAfter) {
            unsigned zeros = 0;
            while (zeros < 3 && i < count && code.Length(static_cast<unsigned>(i)) == 0) ++zeros, ++i;
            bits.Put(zeros, 2);
        }
    }
}

}  // namespace lha
