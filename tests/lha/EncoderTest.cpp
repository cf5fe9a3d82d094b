// The encoder against our decoder: data of every shape packed with each
// method comes back byte for byte, with the method that suits it; code
// lengths stay within 16 bits and form complete codes; level-2 headers read
// back with their pad byte and CRC.

#include "lha/Archive.h"
#include "lha/ArchiveWriter.h"
#include "lha/Error.h"
#include "lha/HeaderWriter.h"
#include "lha/HuffmanEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>

namespace {

using Bytes = std::vector<uint8_t>;

class MemoryFile : public lha::SeekableWriter {
public:
    void Write(const uint8_t* data, size_t size) override {
        if (position_ + size > bytes.size()) bytes.resize(position_ + size);
        std::memcpy(bytes.data() + position_, data, size);
        position_ += size;
    }
    uint64_t Position() override { return position_; }
    void Seek(uint64_t position) override { position_ = static_cast<size_t>(position); }
    Bytes bytes;

private:
    size_t position_ = 0;
};

class MemorySource : public lha::RewindableReader {
public:
    explicit MemorySource(const Bytes& data) : data_(data) {}
    size_t Read(uint8_t* buffer, size_t size) override {
        // Small, uneven reads, as pipes and some file systems give them.
        size = std::min({size, data_.size() - position_, size_t{70001}});
        std::memcpy(buffer, data_.data() + position_, size);
        position_ += size;
        return size;
    }
    void Rewind() override { position_ = 0; }

private:
    const Bytes& data_;
    size_t position_ = 0;
};

Bytes Noise(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes data(size);
    for (auto& b : data) b = static_cast<uint8_t>(random());
    return data;
}

Bytes Text(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::string> words;
    for (int i = 0; i < 2000; ++i) {
        std::string word;
        for (unsigned n = 1 + random() % 9; n > 0; --n) word += static_cast<char>('a' + random() % 26);
        words.push_back(word);
    }
    Bytes data;
    while (data.size() < size) {
        // A skewed choice of words, so both short and long matches occur.
        const std::string& word = words[std::min<size_t>(random() % 2000, random() % 2000)];
        data.insert(data.end(), word.begin(), word.end());
        data.push_back(random() % 11 == 0 ? '\n' : ' ');
    }
    data.resize(size);
    return data;
}

// Each byte value with probability about 2^-k: without matches, plain
// Huffman lengths would pass 16 bits.
Bytes Skewed(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes data(size);
    for (auto& b : data) {
        unsigned k = 0;
        while (k < 40 && (random() & 1)) ++k;
        b = static_cast<uint8_t>(k * 5 + (random() & 1 ? 0 : 128));
    }
    return data;
}

struct Shape {
    const char* name;
    std::function<Bytes()> make;
    bool shrinks;
};

const Shape kShapes[] = {
    {"empty", [] { return Bytes(); }, false},
    {"one_byte", [] { return Bytes{'A'}; }, false},
    {"three_bytes", [] { return Bytes{'a', 'b', 'c'}; }, false},
    {"noise", [] { return Noise(100000, 1); }, false},
    {"text", [] { return Text(700000, 2); }, true},
    {"zeros", [] { return Bytes(5000000, 0); }, true},
    {"one_value_then_noise", [] { Bytes d(300000, 'x'); Bytes n = Noise(5000, 3); d.insert(d.end(), n.begin(), n.end()); return d; }, true},
    {"all_byte_values", [] { Bytes d; for (int r = 0; r < 300; ++r) for (int v = 0; v < 256; ++v) d.push_back(static_cast<uint8_t>(v * 7 + r)); return d; }, true},
    {"skewed", [] { return Skewed(400000, 4); }, true},
    {"text_then_noise_then_text", [] { Bytes d = Text(100000, 5), n = Noise(70000, 6), t = Text(90000, 5); d.insert(d.end(), n.begin(), n.end()); d.insert(d.end(), t.begin(), t.end()); return d; }, true},
};

// An archive of `data` as the one member that `entry` describes.
Bytes PackOne(const std::string& method, const lha::Header& entry, const Bytes& data) {
    MemoryFile file;
    MemorySource source(data);
    lha::ArchiveWriter writer(file, method);
    writer.AddFile(entry, source);
    writer.Finish();
    return file.bytes;
}

Bytes Unpack(const Bytes& archive, lha::Header& header) {
    lha::MemoryReader reader(archive);
    lha::ArchiveReader members(reader);
    auto first = members.Next();
    EXPECT_TRUE(first.has_value());
    if (!first) return {};
    header = *first;
    lha::MemoryWriter out;
    members.Extract(out);
    EXPECT_FALSE(members.Next().has_value());
    return out.bytes;
}

class EncoderRoundTrip : public testing::TestWithParam<std::tuple<std::string, size_t>> {};

TEST_P(EncoderRoundTrip, GivesBackTheSameBytesWithTheMethodThatSuits) {
    const std::string method = std::get<0>(GetParam());
    const Shape& shape = kShapes[std::get<1>(GetParam())];
    const Bytes data = shape.make();
    lha::Header entry;
    entry.name = "member.bin";
    entry.originalSize = data.size();
    entry.unixTime = 1700000000;
    const Bytes archive = PackOne(method, entry, data);

    lha::Header header;
    EXPECT_EQ(Unpack(archive, header), data);
    EXPECT_EQ(header.method, shape.shrinks ? method : "-lh0-");
    EXPECT_EQ(header.originalSize, data.size());
    if (shape.shrinks) {
        EXPECT_LT(header.compressedSize, data.size());
    } else {
        EXPECT_EQ(header.compressedSize, data.size());
    }
    EXPECT_EQ(header.level, 2);
    EXPECT_EQ(header.name, "member.bin");
    EXPECT_EQ(header.unixTime, 1700000000);
    EXPECT_EQ(archive.size(), header.headerSize + header.compressedSize + 1);
}

INSTANTIATE_TEST_SUITE_P(MethodsAndShapes, EncoderRoundTrip,
                         testing::Combine(testing::Values("-lh5-", "-lh6-", "-lh7-"),
                                          testing::Range(size_t{0}, std::size(kShapes))),
                         [](const auto& info) {
                             return std::get<0>(info.param).substr(1, 3) + "_" + kShapes[std::get<1>(info.param)].name;
                         });

// Matches reach exactly as far back as the window allows, and no further.
TEST(Encoder, UsesTheWholeWindowOfEachMethod) {
    for (auto [method, window] : {std::pair{"-lh5-", 8192u}, {"-lh6-", 32768u}, {"-lh7-", 65536u}}) {
        // A block of noise repeated after a window's worth of bytes.
        Bytes block = Noise(2000, 7), gap = Noise(window - 2001, 8);
        Bytes data = block;
        data.insert(data.end(), gap.begin(), gap.end());
        data.insert(data.end(), block.begin(), block.end());
        lha::Header entry;
        entry.name = "w";
        entry.originalSize = data.size();
        lha::Header header;
        EXPECT_EQ(Unpack(PackOne(method, entry, data), header), data) << method;
        // Only the repeat can be packed; it saves most of its 2000 bytes.
        EXPECT_EQ(header.method, method);
        EXPECT_LT(header.compressedSize, data.size() - 1500) << method;
    }
}

TEST(Encoder, AFileThatChangesSizeWhileReadIsAnError) {
    for (size_t claimed : {size_t{999}, size_t{1001}}) {
        lha::Header entry;
        entry.name = "changing.txt";
        entry.originalSize = claimed;
        try {
            PackOne("-lh5-", entry, Text(1000, 9));
            ADD_FAILURE() << claimed;
        } catch (const lha::Error& error) {
            EXPECT_EQ(error.Kind(), lha::ErrorKind::Read);
            EXPECT_NE(std::string(error.what()).find("changing.txt"), std::string::npos);
        }
    }
}

TEST(Encoder, RefusesMethodsItCannotPack) {
    MemoryFile file;
    for (const char* method : {"-lh0-", "-lh4-", "-lhd-", "lh5"})
        EXPECT_THROW(lha::ArchiveWriter(file, method), lha::Error) << method;
}

// Kraft sum of a set of lengths, in units of 2^-16.
uint64_t Kraft(const std::vector<uint8_t>& lengths) {
    uint64_t sum = 0;
    for (uint8_t length : lengths)
        if (length) sum += uint64_t{1} << (16 - length);
    return sum;
}

TEST(HuffmanEncoder, LengthsAreCompleteAndWithinTheLimit) {
    std::vector<std::vector<uint32_t>> cases;
    std::vector<uint32_t> fibonacci = {1, 1};
    while (fibonacci.size() < 40) fibonacci.push_back(fibonacci[fibonacci.size() - 1] + fibonacci[fibonacci.size() - 2]);
    cases.push_back(fibonacci);
    cases.push_back(std::vector<uint32_t>(510, 3));
    cases.push_back({5, 0, 0, 9});
    std::vector<uint32_t> powers;
    for (int i = 0; i < 30; ++i) powers.push_back(1u << i);
    powers.resize(510, 0);
    powers[509] = 1;
    cases.push_back(powers);
    for (size_t c = 0; c < cases.size(); ++c) {
        const auto& frequencies = cases[c];
        std::vector<uint8_t> lengths(frequencies.size());
        lha::BuildCodeLengths(frequencies.data(), frequencies.size(), 16, lengths.data());
        EXPECT_EQ(Kraft(lengths), uint64_t{1} << 16) << c;
        for (size_t i = 0; i < lengths.size(); ++i) {
            EXPECT_LE(lengths[i], 16) << c;
            EXPECT_EQ(lengths[i] == 0, frequencies[i] == 0) << c << " symbol " << i;
        }
        // A more frequent symbol never gets a longer code.
        for (size_t i = 0; i < lengths.size(); ++i)
            for (size_t j = 0; j < lengths.size(); ++j)
                if (frequencies[i] > frequencies[j] && frequencies[j] > 0) {
                    EXPECT_LE(lengths[i], lengths[j]) << c;
                }
    }
}

TEST(HeaderWriter, WritesLevel2HeadersThatReadBack) {
    for (size_t nameLength = 1; nameLength < 300; ++nameLength) {
        lha::Header header;
        header.method = "-lh5-";
        header.compressedSize = 1234;
        header.originalSize = 5678;
        header.crc = 0xBEEF;
        header.unixTime = 1234567890;
        header.attributes = 0x21;
        header.osId = 'M';
        header.directory = "\xb0\xd4\xc0\xd3\xff" "data\xff";
        header.name = std::string(nameLength, 'n');
        Bytes bytes = lha::WriteLevel2Header(header);
        // A header must not start with the end mark, so its size never ends in 0.
        EXPECT_NE(bytes[0], 0) << nameLength;
        EXPECT_EQ(bytes[0] | bytes[1] << 8, bytes.size());
        bytes.push_back(0);
        lha::MemoryReader reader(bytes);
        auto read = lha::ReadHeader(reader);
        ASSERT_TRUE(read) << nameLength;
        EXPECT_EQ(read->method, "-lh5-");
        EXPECT_EQ(read->compressedSize, 1234u);
        EXPECT_EQ(read->originalSize, 5678u);
        EXPECT_EQ(read->crc, 0xBEEF);
        EXPECT_EQ(read->unixTime, 1234567890);
        EXPECT_EQ(read->attributes, 0x21);
        EXPECT_EQ(read->Path(), header.directory + header.name);
        EXPECT_EQ(read->headerSize, bytes.size() - 1);
    }
}

TEST(HeaderWriter, EveryByteIsCoveredByTheHeaderCrc) {
    lha::Header header;
    header.method = "-lh6-";
    header.name = "file.txt";
    Bytes bytes = lha::WriteLevel2Header(header);
    const size_t crcType = 26;  // turned into another type, there is no CRC to check
    for (size_t i = 2; i < bytes.size(); ++i) {
        if (i == crcType) continue;
        Bytes damaged = bytes;
        damaged[i] ^= 0x04;
        damaged.push_back(0);
        lha::MemoryReader reader(damaged);
        EXPECT_THROW(lha::ReadHeader(reader), lha::Error) << i;
    }
}

}  // namespace
