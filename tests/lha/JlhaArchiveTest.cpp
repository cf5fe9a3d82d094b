// Archives made by an independent encoder (jlha), read with the library:
// every level and method gives back the files they were made from, and
// damaged copies give errors, never a crash.

#include "tests/lha/Fixtures.h"

#include "lha/Archive.h"
#include "lha/Error.h"
#include "lha/MemberPath.h"

#include <gtest/gtest.h>

namespace {

using Entries = std::map<std::string, std::vector<uint8_t>>;

Entries ReadArchive(const std::vector<uint8_t>& bytes, bool background = false) {
    lha::MemoryReader reader(bytes);
    lha::ArchiveReader archive(reader, background);
    Entries entries;
    while (auto header = archive.Next()) {
        std::string path;
        for (const std::string& step : lha::SafeMemberPath(*header, lha::NoLeadBytes)) path += (path.empty() ? "" : "/") + step;
        lha::MemoryWriter out;
        archive.Extract(out);
        entries[header->IsDirectory() ? path + "/" : path] = out.bytes;
    }
    return entries;
}

class JlhaArchive : public testing::TestWithParam<std::string> {};

TEST_P(JlhaArchive, GivesBackTheTreeItWasMadeFrom) {
    std::vector<uint8_t> bytes = fixtures::ReadFile(fixtures::Folder() / GetParam());
    Entries expected = fixtures::Snapshot(fixtures::Tree());
    EXPECT_EQ(ReadArchive(bytes), expected);
    EXPECT_EQ(ReadArchive(bytes, true), expected);
}

TEST_P(JlhaArchive, EveryTruncationIsAnError) {
    std::vector<uint8_t> bytes = fixtures::ReadFile(fixtures::Folder() / GetParam());
    // Every cut in the first headers, then cuts spread over the rest. A cut
    // right before the end mark is a complete archive without one.
    std::vector<size_t> cuts;
    for (size_t cut = 0; cut < 400; ++cut) cuts.push_back(cut);
    for (size_t cut = 400; cut < bytes.size() - 1; cut += bytes.size() / 97) cuts.push_back(cut);
    for (size_t cut : cuts) {
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(cut));
        EXPECT_THROW(ReadArchive(part), lha::Error) << "cut at " << cut;
    }
}

TEST_P(JlhaArchive, DamagedDataIsAnError) {
    std::vector<uint8_t> bytes = fixtures::ReadFile(fixtures::Folder() / GetParam());
    // Flip bytes inside the data of each member that has some. The first two
    // bytes of compressed data are the first block's code count: a larger
    // count than the member needs is harmless, so they are left alone. So are
    // small members such as the long runs of zeros, where another distance
    // into the run gives the same bytes.
    lha::MemoryReader reader(bytes);
    lha::ArchiveReader archive(reader);
    size_t offset = 0;
    std::vector<size_t> spots;
    while (auto header = archive.Next()) {
        offset += header->headerSize;
        if (header->compressedSize < 1000) {
            offset += header->compressedSize;
            continue;
        }
        uint64_t first = header->method == "-lh0-" ? 0 : 2;
        for (uint64_t at = first; at < header->compressedSize; at += header->compressedSize / 5 + 1)
            spots.push_back(offset + at);
        offset += header->compressedSize;
    }
    ASSERT_GT(spots.size(), 10u);
    for (size_t spot : spots) {
        std::vector<uint8_t> damaged = bytes;
        damaged[spot] ^= 0x24;
        try {
            ReadArchive(damaged);
            ADD_FAILURE() << "no error for a flip at " << spot;
        } catch (const lha::Error& error) {
            EXPECT_TRUE(error.Kind() == lha::ErrorKind::BadData || error.Kind() == lha::ErrorKind::CrcMismatch)
                << spot << ": " << error.what();
        }
    }
}

// The background writer reads each piece of output in place while the next
// one is decoded: the decoder must leave a piece unchanged until its next
// Write returns, and the last one until the next member.
TEST_P(JlhaArchive, OutputStaysInPlaceUntilTheNextWrite) {
    struct CheckingWriter : lha::ByteWriter {
        void Write(const uint8_t* data, size_t size) override {
            CheckLast();
            last = data;
            copy.assign(data, data + size);
        }
        void CheckLast() const {
            if (last) {
                EXPECT_TRUE(std::equal(copy.begin(), copy.end(), last)) << copy.size() << " bytes changed";
            }
        }
        const uint8_t* last = nullptr;
        std::vector<uint8_t> copy;
    };
    std::vector<uint8_t> bytes = fixtures::ReadFile(fixtures::Folder() / GetParam());
    lha::MemoryReader reader(bytes);
    lha::ArchiveReader archive(reader);
    CheckingWriter out;
    while (archive.Next()) {
        out.CheckLast();
        out.last = nullptr;  // a new member may reuse the memory
        archive.Extract(out);
    }
    out.CheckLast();
}

// Writing happens on a second thread for large members; its failure must
// still reach the caller, and the reader must stay usable.
TEST(JlhaArchiveBackground, AWriterFailureReachesTheCaller) {
    struct FailingWriter : lha::ByteWriter {
        void Write(const uint8_t*, size_t) override { throw lha::Error(lha::ErrorKind::Write, "disk full"); }
    };
    std::vector<uint8_t> bytes = fixtures::ReadFile(fixtures::Folder() / "l27.lzh");
    lha::MemoryReader reader(bytes);
    lha::ArchiveReader archive(reader, true);
    int failures = 0;
    while (auto header = archive.Next()) {
        if (header->IsDirectory()) continue;
        FailingWriter out;
        try {
            archive.Extract(out);
        } catch (const lha::Error& error) {
            EXPECT_EQ(error.Kind(), lha::ErrorKind::Write) << header->name;
            ++failures;
        }
    }
    EXPECT_EQ(failures, 9);  // every file but the empty one
}

INSTANTIATE_TEST_SUITE_P(LevelsAndMethods, JlhaArchive, testing::ValuesIn(fixtures::ArchiveNames()),
                         [](const auto& info) { return info.param.substr(0, 3); });

}  // namespace
