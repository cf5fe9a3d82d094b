#include "lha/Huffman.h"

#include "lha/Error.h"

#include <algorithm>
#include <string>

namespace lha {

namespace {

enum class CodeShape { Complete, Incomplete, OverSubscribed };

// Counts lengths and computes the first code of each length.
CodeShape FirstCodes(const uint8_t* lengths, size_t count, std::array<uint32_t, kMaxCodeLength + 2>& next) {
    std::array<uint32_t, kMaxCodeLength + 1> perLength{};
    for (size_t i = 0; i < count; ++i) ++perLength[lengths[i]];
    // Kraft sum in units of 2^-16.
    uint32_t space = 0;
    for (unsigned length = 1; length <= kMaxCodeLength; ++length) space += perLength[length] << (kMaxCodeLength - length);
    if (space > (1u << kMaxCodeLength)) return CodeShape::OverSubscribed;
    if (space < (1u << kMaxCodeLength)) return CodeShape::Incomplete;
    uint32_t code = 0;
    for (unsigned length = 1; length <= kMaxCodeLength; ++length) {
        next[length] = code;
        code = (code + perLength[length]) << 1;
    }
    return CodeShape::Complete;
}

}  // namespace

bool AssignCanonicalCodes(const uint8_t* lengths, size_t count, uint16_t* codes) {
    std::array<uint32_t, kMaxCodeLength + 2> next{};
    for (size_t i = 0; i < count; ++i)
        if (lengths[i] > kMaxCodeLength) return false;
    if (FirstCodes(lengths, count, next) != CodeShape::Complete) return false;
    for (size_t i = 0; i < count; ++i) codes[i] = lengths[i] ? static_cast<uint16_t>(next[lengths[i]]++) : 0;
    return true;
}

namespace huffman_detail {

void Build(uint32_t* entries, unsigned tableBits, const uint8_t* lengths, const uint32_t* values,
           const uint8_t* trailing, size_t count, const char* what) {
    std::array<uint32_t, kMaxCodeLength + 2> next{};
    unsigned maxLength = 0;
    for (size_t i = 0; i < count; ++i) {
        if (lengths[i] > kMaxCodeLength)
            throw Error(ErrorKind::BadData, std::string("code length ") + std::to_string(lengths[i]) +
                                                " above 16 in the " + what);
        maxLength = std::max<unsigned>(maxLength, lengths[i]);
    }
    switch (FirstCodes(lengths, count, next)) {
    case CodeShape::OverSubscribed:
        throw Error(ErrorKind::BadData, std::string("over-subscribed Huffman code in the ") + what);
    case CodeShape::Incomplete:
        throw Error(ErrorKind::BadData, std::string("incomplete Huffman code in the ") + what);
    case CodeShape::Complete:
        break;
    }

    const size_t mainSize = size_t{1} << tableBits;
    std::fill(entries, entries + mainSize, 0);
    const unsigned subBits = maxLength > tableBits ? maxLength - tableBits : 0;
    size_t nextSubtable = mainSize;
    for (size_t symbol = 0; symbol < count; ++symbol) {
        unsigned length = lengths[symbol];
        if (length == 0) continue;
        uint32_t code = next[length]++;
        uint32_t entry = values[symbol] << kValueShift | (length + (trailing ? trailing[symbol] : 0));
        if (length <= tableBits) {
            size_t first = size_t{code} << (tableBits - length);
            std::fill(entries + first, entries + first + (size_t{1} << (tableBits - length)), entry);
            continue;
        }
        unsigned tail = length - tableBits;
        uint32_t& link = entries[code >> tail];
        if (!(link & kSubtableFlag)) {
            link = static_cast<uint32_t>(nextSubtable) << kValueShift | kSubtableFlag | subBits;
            nextSubtable += size_t{1} << subBits;
        }
        size_t first = (link >> kValueShift) + (size_t{code & ((1u << tail) - 1)} << (subBits - tail));
        std::fill(entries + first, entries + first + (size_t{1} << (subBits - tail)), entry);
    }
}

}  // namespace huffman_detail

}  // namespace lha
