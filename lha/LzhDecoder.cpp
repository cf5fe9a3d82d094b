#include "lha/LzhDecoder.h"

#include "lha/Error.h"

#include <algorithm>
#include <array>
#include <string>

namespace lha {

namespace {

constexpr size_t kHistory = size_t{1} << 16;
constexpr size_t kChunk = size_t{1} << 19;
// A match may start at the chunk's last byte, and copies move 16 bytes at a time.
constexpr size_t kSlack = 256 + 16;
// Each window: the history that matches may reach, then a chunk of new output.
constexpr size_t kWindow = kHistory + kChunk + kSlack;
constexpr unsigned kMinMatch = 3;

// Position code values: the distance base and the number of extra bits.
constexpr unsigned kExtraShift = 17;
constexpr uint32_t kBaseMask = (1u << kExtraShift) - 1;

[[noreturn]] void Bad(const std::string& what) { throw Error(ErrorKind::BadData, what); }

const std::array<uint32_t, LzhDecoder::kLiteralSymbols> kIdentity = [] {
    std::array<uint32_t, LzhDecoder::kLiteralSymbols> values{};
    for (uint32_t i = 0; i < values.size(); ++i) values[i] = i;
    return values;
}();

// Position code p stands for distance 1 (p = 0) or 2^(p-1) + 1 plus p - 1 extra bits.
// The table entries count the extra bits into the code's length, so that one
// step takes code and extra bits together; the extra bits are the low ones.
const std::array<uint8_t, LzhDecoder::kMaxPositionSymbols> kPositionExtra = [] {
    std::array<uint8_t, LzhDecoder::kMaxPositionSymbols> extra{};
    for (uint32_t p = 1; p < extra.size(); ++p) extra[p] = static_cast<uint8_t>(p - 1);
    return extra;
}();

const std::array<uint32_t, LzhDecoder::kMaxPositionSymbols> kPositionValues = [] {
    std::array<uint32_t, LzhDecoder::kMaxPositionSymbols> values{};
    values[0] = 1;
    for (uint32_t p = 1; p < values.size(); ++p) values[p] = ((p - 1) << kExtraShift) | ((1u << (p - 1)) + 1);
    return values;
}();

inline void CopyMatch(uint8_t* op, size_t distance, unsigned length) {
    const uint8_t* from = op - distance;
    uint8_t* const end = op + length;
    if (distance >= 16) {
        do {
            std::memcpy(op, from, 16);
            op += 16;
            from += 16;
        } while (op < end);
    } else if (distance >= 8) {
        do {
            std::memcpy(op, from, 8);
            op += 8;
            from += 8;
        } while (op < end);
    } else if (distance == 1) {
        std::memset(op, op[-1], length);
    } else {
        for (unsigned i = 0; i < length; ++i) op[i] = from[i];
    }
}

}  // namespace

void LzhDecoder::Decode(const LzhParameters& parameters, ByteReader& data, uint64_t dataSize, uint64_t originalSize,
                        ByteWriter& out) {
    parameters_ = parameters;
    // Not cleared: only bytes already decoded are ever copied out of them.
    if (!windows_) windows_.reset(new uint8_t[2 * kWindow]);
    bits_.Start(data, dataSize);
    blockLeft_ = 0;
    uint8_t* window = windows_.get();
    start_ = window + kHistory;
    uint64_t remaining = originalSize;
    while (remaining > 0) {
        uint8_t* const chunk = window + kHistory;
        uint8_t* const end = DecodeUntil(chunk, chunk + static_cast<size_t>(std::min<uint64_t>(remaining, kChunk)));
        size_t produced = static_cast<size_t>(end - chunk);
        if (produced > remaining) Bad("a match runs past the end of the member");
        out.Write(chunk, produced);
        remaining -= produced;
        if (remaining == 0) break;
        // The next chunk goes to the other window, which `out` is done with,
        // behind a copy of the history it needs.
        window = window == windows_.get() ? window + kWindow : windows_.get();
        std::memcpy(window, end - kHistory, kHistory);
        start_ = window;
    }
    bits_.Finish();
}

// The next literal code is looked up before the refill that follows the
// previous one: a refill only adds bits below the valid ones, and at least 40
// stay valid after a literal, so the lookup does not wait for the refill.
uint8_t* LzhDecoder::DecodeUntil(uint8_t* op, uint8_t* const stop) {
    BitCursor in = bits_.cursor;
    unsigned blockLeft = blockLeft_;
    auto refill = [&] {
        if (!in.TryRefill()) {
            bits_.cursor = in;
            bits_.RefillSlowly();
            in = bits_.cursor;
        }
    };
    refill();
    uint32_t entry = literalCode_.Lookup(in.Peek());
    while (op < stop) {
        if (blockLeft == 0) {
            bits_.cursor = in;
            ReadBlock();
            in = bits_.cursor;
            blockLeft = blockLeft_;
            refill();
            entry = literalCode_.Lookup(in.Peek());
        }
        --blockLeft;
        in.Consume(entry & 0x1F);
        uint32_t symbol = entry >> 8;
        if (symbol < 256) {
            *op++ = static_cast<uint8_t>(symbol);
            entry = literalCode_.Lookup(in.Peek());
            refill();
            continue;
        }
        unsigned length = symbol - 256 + kMinMatch;
        entry = positionCode_.Lookup(in.Peek());
        uint32_t value = entry >> 8;
        uint32_t extraBits = in.Take(entry & 0x1F) & ((1u << (value >> kExtraShift)) - 1);
        size_t distance = (value & kBaseMask) + extraBits;
        refill();
        entry = literalCode_.Lookup(in.Peek());
        if (distance > static_cast<size_t>(op - start_))
            Bad("a match reaches " + std::to_string(distance) + " bytes back, before the start of the data");
        CopyMatch(op, distance, length);
        op += length;
    }
    bits_.cursor = in;
    blockLeft_ = blockLeft;
    return op;
}

void LzhDecoder::ReadBlock() {
    blockLeft_ = bits_.Read(16);
    if (blockLeft_ == 0) Bad("a block of no codes");
    ReadLengthCode();
    ReadLiteralCode();
    ReadPositionCode();
}

// The code-length code and the position code share one form: a count, then
// each length in 3 bits, where 7 continues in unary (7 + number of 1 bits).
// A count of 0 means that one symbol, given next, stands alone and takes no bits.
template <typename Table>
static void ReadSmallCode(BitReader& bits, Table& table, unsigned symbols, unsigned countBits, unsigned zeroRunAfter,
                          const uint32_t* values, const uint8_t* trailing, const char* what) {
    unsigned count = bits.Read(countBits);
    if (count == 0) {
        unsigned only = bits.Read(countBits);
        if (only >= symbols)
            Bad(std::string("the ") + what + " names symbol " + std::to_string(only) + " of " + std::to_string(symbols));
        table.BuildSingle(values[only], trailing ? trailing[only] : 0);
        return;
    }
    if (count > symbols)
        Bad(std::string("the ") + what + " has " + std::to_string(count) + " lengths, at most " +
            std::to_string(symbols) + " fit");
    std::array<uint8_t, LzhDecoder::kLengthSymbols> lengths{};
    unsigned i = 0;
    while (i < count) {
        unsigned length = bits.Read(3);
        if (length == 7) {
            while (bits.Read(1)) {
                if (++length > kMaxCodeLength) Bad(std::string("a code length above 16 in the ") + what);
            }
        }
        lengths[i++] = static_cast<uint8_t>(length);
        if (i == zeroRunAfter) i += bits.Read(2);  // those lengths stay 0
    }
    table.Build(lengths.data(), values, symbols, what, trailing);
}

void LzhDecoder::ReadLengthCode() {
    ReadSmallCode(bits_, lengthCode_, kLengthSymbols, kLengthCountBits, kLengthZeroRunAfter, kIdentity.data(),
                  nullptr, "code-length code");
}

void LzhDecoder::ReadPositionCode() {
    ReadSmallCode(bits_, positionCode_, parameters_.dictionaryBits + 1, parameters_.positionBits, 0,
                  kPositionValues.data(), kPositionExtra.data(), "position code");
}

void LzhDecoder::ReadLiteralCode() {
    unsigned count = bits_.Read(kLiteralCountBits);
    if (count == 0) {
        unsigned only = bits_.Read(kLiteralCountBits);
        if (only >= kLiteralSymbols) Bad("the literal code names symbol " + std::to_string(only) + " of 510");
        literalCode_.BuildSingle(only);
        return;
    }
    if (count > kLiteralSymbols) Bad("the literal code has " + std::to_string(count) + " lengths, at most 510 fit");
    std::array<uint8_t, kLiteralSymbols> lengths{};
    unsigned i = 0;
    while (i < count) {
        bits_.Refill();
        uint32_t entry = lengthCode_.Lookup(bits_.cursor.Peek());
        bits_.cursor.Consume(entry & 0x1F);
        unsigned code = entry >> 8;
        if (code > 2) {
            lengths[i++] = static_cast<uint8_t>(code - 2);
            continue;
        }
        // Codes 0, 1 and 2 are runs of zero lengths: 1, 3..18 and 20..531 long.
        unsigned run = code == 0 ? 1 : code == 1 ? bits_.Read(4) + 3 : bits_.Read(kLiteralCountBits) + 20;
        if (run > count - i) Bad("a run of " + std::to_string(run) + " zero lengths passes the end of the literal code");
        i += run;
    }
    literalCode_.Build(lengths.data(), kIdentity.data(), kLiteralSymbols, "literal code");
}

}  // namespace lha
