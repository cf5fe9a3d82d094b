// CRC-16, canonical Huffman codes, and decoding of crafted streams: one valid
// stream and one stream for each way a stream can be malformed.

#include "tests/lha/Craft.h"

#include "lha/Crc16.h"
#include "lha/Decoder.h"
#include "lha/Error.h"
#include "lha/Huffman.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(Crc16, MatchesTheCheckValueAndIsIncremental) {
    const std::string text = "123456789";
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    EXPECT_EQ(lha::ComputeCrc16(bytes, text.size()), 0xBB3D);

    std::vector<uint8_t> data(1000);
    std::mt19937 random(7);
    for (auto& b : data) b = static_cast<uint8_t>(random());
    for (size_t split : {0, 1, 7, 8, 9, 500, 999}) {
        lha::Crc16 crc;
        crc.Update(data.data(), split);
        crc.Update(data.data() + split, data.size() - split);
        EXPECT_EQ(crc.Value(), lha::ComputeCrc16(data.data(), data.size())) << split;
    }
}

TEST(Huffman, AssignsCodesByLengthThenSymbolAndRefusesBadLengthSets) {
    const uint8_t lengths[] = {3, 3, 3, 3, 3, 2, 4, 4};
    uint16_t codes[8];
    ASSERT_TRUE(lha::AssignCanonicalCodes(lengths, 8, codes));
    const uint16_t expected[] = {2, 3, 4, 5, 6, 0, 14, 15};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(codes[i], expected[i]) << i;

    const std::vector<std::vector<uint8_t>> bad = {
        {1, 1, 1},     // over-subscribed
        {1, 2},        // incomplete
        {0, 0, 0},     // no code at all
        {1},           // one symbol needs the zero-length form
        {1, 17, 17},   // longer than 16 bits
    };
    for (const auto& set : bad) EXPECT_FALSE(lha::AssignCanonicalCodes(set.data(), set.size(), codes));
}

// Every symbol of a code with long and short codes decodes back, through the
// main table and the subtables alike.
TEST(Huffman, TableDecodesEveryCodeOfAMixedLengthCode) {
    std::vector<uint8_t> lengths;
    for (unsigned length = 1; length <= 16; ++length) lengths.push_back(static_cast<uint8_t>(length));
    lengths.push_back(16);  // lengths 1..16 plus a second 16: complete
    std::vector<uint32_t> values(lengths.size());
    for (uint32_t i = 0; i < values.size(); ++i) values[i] = 1000 + i;
    std::vector<uint16_t> codes(lengths.size());
    ASSERT_TRUE(lha::AssignCanonicalCodes(lengths.data(), lengths.size(), codes.data()));

    auto table = std::make_unique<lha::HuffmanTable<19, 8>>();
    table->Build(lengths.data(), values.data(), lengths.size(), "test code");
    for (size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        uint64_t bits = uint64_t{codes[symbol]} << (64 - lengths[symbol]) | 0x5A5A;  // trailing bits must not matter
        uint32_t entry = table->Lookup(bits);
        EXPECT_EQ(table->EntryValue(entry), values[symbol]) << symbol;
        EXPECT_EQ(table->EntryLength(entry), lengths[symbol]) << symbol;
    }
}

std::vector<uint8_t> Decode(const craft::Bytes& stream, uint64_t originalSize, const std::string& method = "-lh5-") {
    lha::MemoryReader reader(stream);
    lha::MemoryWriter out;
    lha::Decoder decoder;
    decoder.Decode(method, reader, stream.size(), originalSize, out);
    return out.bytes;
}

// The code-length code with symbols 0..3 all 2 bits long: codes 00, 01, 10, 11.
void FourSymbolLengthCode(craft::Stream& s) {
    s.Bits(4, 5).Bits(2, 3).Bits(2, 3).Bits(2, 3).Bits(0, 2).Bits(2, 3);
}

// A block whose literal code has 'A' (code 0) and the 256-byte match (code 1),
// distance 1: "A" then runs of "A".
craft::Stream LetterAndRunBlock(unsigned codes) {
    craft::Stream s;
    s.Bits(codes, 16);
    FourSymbolLengthCode(s);
    s.Bits(510, 9);
    s.Bits(2, 2).Bits(65 - 20, 9);   // 65 zero lengths
    s.Bits(3, 2);                    // 'A': length 1
    s.Bits(2, 2).Bits(443 - 20, 9);  // zero lengths up to symbol 508
    s.Bits(3, 2);                    // symbol 509 (match of 256): length 1
    s.Bits(0, 4).Bits(0, 4);         // position code: only p = 0, distance 1
    return s;
}

TEST(LzhDecoder, DecodesACraftedBlockWithMatches) {
    craft::Stream s = LetterAndRunBlock(3);
    s.Bits(0, 1).Bits(1, 1).Bits(1, 1);
    craft::Bytes stream = s.Finish();
    // -lh4- shares the form of -lh5- (4-bit position count), with a 4 KiB window.
    for (const char* method : {"-lh5-", "-lh4-"}) EXPECT_EQ(Decode(stream, 513, method), std::vector<uint8_t>(513, 'A'));
}

struct Malformed {
    const char* what;
    craft::Bytes stream;
    uint64_t originalSize;
    const char* message;
};

craft::Bytes SingleSymbolBlock(unsigned codes, unsigned literal, unsigned position) {
    return craft::Stream().Bits(codes, 16).Bits(0, 5).Bits(0, 5).Bits(0, 9).Bits(literal, 9).Bits(0, 4).Bits(position, 4).Finish();
}

TEST(LzhDecoder, RejectsEachKindOfMalformedStream) {
    std::vector<Malformed> cases;
    cases.push_back({"empty block", SingleSymbolBlock(0, 'A', 0), 3, "a block of no codes"});
    cases.push_back({"literal symbol out of range", SingleSymbolBlock(3, 510, 0), 3, "names symbol 510"});
    cases.push_back({"position symbol out of range", SingleSymbolBlock(3, 'A', 14), 3, "names symbol 14"});
    cases.push_back({"match before the start", SingleSymbolBlock(1, 256, 0), 3, "before the start of the data"});
    cases.push_back({"too many literal lengths",
                     craft::Stream().Bits(1, 16).Bits(0, 5).Bits(0, 5).Bits(511, 9).Finish(), 1, "at most 510"});
    cases.push_back({"too many length-code lengths", craft::Stream().Bits(1, 16).Bits(20, 5).Finish(), 1, "at most 19"});
    cases.push_back({"too many position lengths for lh5",
                     craft::Stream().Bits(1, 16).Bits(0, 5).Bits(0, 5).Bits(0, 9).Bits('A', 9).Bits(15, 4).Finish(), 1,
                     "at most 14"});
    cases.push_back({"over-subscribed code",
                     craft::Stream().Bits(1, 16).Bits(3, 5).Bits(1, 3).Bits(1, 3).Bits(1, 3).Bits(0, 2).Finish(), 1,
                     "over-subscribed Huffman code in the code-length code"});
    cases.push_back({"incomplete code",
                     craft::Stream().Bits(1, 16).Bits(3, 5).Bits(1, 3).Bits(2, 3).Bits(0, 3).Bits(0, 2).Finish(), 1,
                     "incomplete Huffman code in the code-length code"});
    cases.push_back({"code length above 16",
                     craft::Stream().Bits(1, 16).Bits(1, 5).Bits(7, 3).Bits(0x3FF, 10).Finish(), 1, "above 16"});
    {
        craft::Stream s;
        s.Bits(1, 16);
        FourSymbolLengthCode(s);
        s.Bits(5, 9).Bits(2, 2).Bits(0, 9);
        cases.push_back({"zero run past the table", s.Finish(), 1, "passes the end of the literal code"});
    }
    {
        craft::Stream s = LetterAndRunBlock(2);
        s.Bits(0, 1).Bits(1, 1);
        cases.push_back({"match past the member's end", s.Finish(), 100, "runs past the end of the member"});
    }
    {
        craft::Stream s = LetterAndRunBlock(60000);
        for (int i = 0; i < 50; ++i) s.Bits(0, 1);
        cases.push_back({"data ends early", s.Finish(), 60000, "ends early"});
    }
    for (const Malformed& c : cases) {
        try {
            Decode(c.stream, c.originalSize);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const lha::Error& error) {
            EXPECT_EQ(error.Kind(), lha::ErrorKind::BadData) << c.what;
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << c.what << ": " << error.what();
        }
    }
}

TEST(Decoder, RejectsUnknownMethodsAndStoredSizeMismatch) {
    try {
        Decode({1, 2, 3}, 3, "-lzx-");
        ADD_FAILURE();
    } catch (const lha::Error& error) {
        EXPECT_EQ(error.Kind(), lha::ErrorKind::UnsupportedMethod);
        EXPECT_STREQ(error.what(), "unsupported method -lzx-");
    }
    EXPECT_THROW(Decode({1, 2, 3}, 4, "-lh0-"), lha::Error);
    EXPECT_EQ(Decode({1, 2, 3}, 3, "-lh0-"), (std::vector<uint8_t>{1, 2, 3}));
}

}  // namespace
