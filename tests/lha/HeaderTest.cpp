// Header parsing of crafted headers: the fields that jlha's archives do not
// show, and each way a header can be broken.

#include "tests/lha/Craft.h"

#include "lha/Archive.h"
#include "lha/Error.h"
#include "lha/Header.h"

#include <gtest/gtest.h>

namespace {

using craft::Bytes;

lha::Header Parse(const Bytes& bytes) {
    lha::MemoryReader reader(bytes);
    std::optional<lha::Header> header = lha::ReadHeader(reader);
    if (!header) throw std::runtime_error("no header");
    return *header;
}

TEST(Header, ReadsLevel2ExtensionsAndLevel3Headers) {
    craft::Member m = craft::Stored("file.txt", "hello");
    m.directory = "a\xff" "b";  // no closing separator: one is added
    Bytes windowsTimes(24, 0);
    windowsTimes[8] = 0x80;
    lha::Header h = Parse(craft::Level2(m, {{lha::kExtDosAttributes, {0x21, 0}}, {lha::kExtWindowsTimes, windowsTimes}}));
    EXPECT_EQ(h.level, 2);
    EXPECT_EQ(h.name, "file.txt");
    EXPECT_EQ(h.directory, "a\xff" "b\xff");
    EXPECT_EQ(h.attributes, 0x21);
    EXPECT_EQ(h.windowsTime, 0x80u);
    EXPECT_EQ(h.unixTime, 1765365456);
    EXPECT_EQ(h.originalSize, 5u);

    // Level 3: 4-byte sizes throughout.
    Bytes l3 = {4, 0, '-', 'l', 'h', '0', '-', 3, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0x20, 3, 0, 0, 'U'};
    craft::Put32(l3, 0);  // total size, below
    craft::Put32(l3, 4 + 1 + 3);
    l3.push_back(lha::kExtFileName);
    l3.insert(l3.end(), {'a', 'b', 'c'});
    craft::Put32(l3, 0);
    l3[24] = static_cast<uint8_t>(l3.size());
    lha::Header h3 = Parse(l3);
    EXPECT_EQ(h3.level, 3);
    EXPECT_EQ(h3.name, "abc");
    EXPECT_EQ(h3.headerSize, l3.size());
}

TEST(Header, ReadsUnixLevel0ExtrasAndLinks) {
    craft::Member m = craft::Stored("dir/name", "x");
    lha::Header h = Parse(craft::Level0(m));
    EXPECT_EQ(h.level, 0);
    EXPECT_EQ(h.name, "dir/name");
    EXPECT_TRUE(h.dosTime.has_value());

    craft::Member link = craft::Stored("link", "");
    link.unixMode = 0xA1FF;
    EXPECT_TRUE(Parse(craft::Level2(link)).IsLink());
}

struct Broken {
    const char* what;
    Bytes bytes;
    const char* message;
};

TEST(Header, RejectsEachKindOfBrokenHeader) {
    craft::Member m = craft::Stored("name.txt", "data");
    std::vector<Broken> cases;

    Bytes badSum = craft::Level0(m);
    badSum[1] ^= 1;
    cases.push_back({"level 0 checksum", badSum, "header checksum"});

    Bytes tooSmall = craft::Level0(m);
    tooSmall[0] = 10;
    cases.push_back({"level 0 size below its name", tooSmall, "too small for a name"});

    Bytes badCrc = craft::Level2(m);
    badCrc[33] ^= 0x40;  // inside the file name
    cases.push_back({"level 2 header CRC", badCrc, "header CRC"});

    Bytes beyond = craft::Level2(m);
    beyond[24] = 0xF0;  // first extension claims 240 bytes
    cases.push_back({"extension beyond the header", beyond, "reaches beyond the header"});

    Bytes tiny = craft::Level2(m);
    tiny[24] = 2;
    tiny[25] = 0;
    cases.push_back({"extension shorter than its fields", tiny, "an extended header of 2 bytes"});

    Bytes under = craft::Level2(m);
    under[0] = 20;
    under[1] = 0;
    cases.push_back({"level 2 size below the base header", under, "out of range"});

    Bytes level = craft::Level0(m);
    level[20] = 7;
    cases.push_back({"unknown level", level, "unknown header level 7"});

    Bytes cut = craft::Level2(m);
    cut.resize(30);
    cases.push_back({"truncated header", cut, "cut short"});

    // Level 1: extended headers larger than the member's size field.
    Bytes l1 = {0, 0, '-', 'l', 'h', '0', '-', 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20, 1, 1, 'a', 0, 0, 'U'};
    craft::Put16(l1, 5);
    craft::SealBaseHeader(l1);
    l1.insert(l1.end(), {0x3F, 'x', 0, 0});
    cases.push_back({"level 1 extensions beyond the member", l1, "exceed the member size"});

    // Level 1: a chain of extensions that would need a huge buffer.
    Bytes chain = l1;
    chain.resize(26);
    chain[7] = chain[8] = chain[9] = chain[10] = 0xFF;  // member size 4 GiB
    craft::Put16(chain, 0xFFF0);
    craft::SealBaseHeader(chain);
    for (int i = 0; i < 3; ++i) {
        Bytes extension(0xFFF0, 0);
        extension[0] = 0x3F;                  // a comment
        extension[0xFFF0 - 2] = 0xF0;         // next size 0xFFF0
        extension[0xFFF0 - 1] = 0xFF;
        chain.insert(chain.end(), extension.begin(), extension.end());
    }
    cases.push_back({"level 1 extensions without end", chain, "extended headers of more than"});

    for (const Broken& c : cases) {
        try {
            Parse(c.bytes);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const lha::Error& error) {
            EXPECT_EQ(error.Kind(), lha::ErrorKind::BadHeader) << c.what;
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << c.what << ": " << error.what();
        }
    }
}

TEST(ArchiveReader, TellsNonArchivesFromDamagedOnes) {
    auto firstError = [](const Bytes& bytes) {
        lha::MemoryReader reader(bytes);
        lha::ArchiveReader archive(reader);
        try {
            while (archive.Next()) {
            }
        } catch (const lha::Error& error) {
            return error.Kind();
        }
        return lha::ErrorKind::Write;  // stands for "no error"
    };
    EXPECT_EQ(firstError({}), lha::ErrorKind::NotAnArchive);
    EXPECT_EQ(firstError(craft::ToBytes("MZ this is a program, not an archive")), lha::ErrorKind::NotAnArchive);
    EXPECT_EQ(firstError({0}), lha::ErrorKind::Write);  // an empty archive

    Bytes second = craft::Archive({craft::Level0(craft::Stored("a", "1")), craft::ToBytes("garbage after the member!")});
    EXPECT_EQ(firstError(second), lha::ErrorKind::BadHeader);

    Bytes cutData = craft::Level0(craft::Stored("a", "12345"));
    cutData.resize(cutData.size() - 2);
    EXPECT_EQ(firstError(cutData), lha::ErrorKind::BadData);
}

TEST(ArchiveReader, ReportsCrcMismatch) {
    craft::Member m = craft::Stored("a", "12345");
    m.crc ^= 1;
    Bytes bytes = craft::Archive({craft::Level2(m)});
    lha::MemoryReader reader(bytes);
    lha::ArchiveReader archive(reader);
    ASSERT_TRUE(archive.Next());
    lha::MemoryWriter out;
    try {
        archive.Extract(out);
        ADD_FAILURE();
    } catch (const lha::Error& error) {
        EXPECT_EQ(error.Kind(), lha::ErrorKind::CrcMismatch);
        EXPECT_NE(std::string(error.what()).find("CRC"), std::string::npos);
    }
}

}  // namespace
