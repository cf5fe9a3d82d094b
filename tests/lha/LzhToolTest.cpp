// The lzh tool against lhasa: the same files, contents and times from every
// jlha archive; and its refusals: hostile names write nothing, a damaged
// member is named and removed, and the exit status tells; and a time stamp
// before 1970.

#include "tests/lha/Craft.h"
#include "tests/lha/Fixtures.h"
#include "tests/lha/Shell.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

namespace fs = std::filesystem;

using shell::Outcome;
using shell::Quote;
const auto Shell = shell::Run;

Outcome Lzh(const std::string& arguments) { return Shell(std::string(QELVAR_LZH_TOOL) + " " + arguments); }

class LzhTool : public testing::TestWithParam<std::string> {};

TEST_P(LzhTool, ExtractsWhatLhasaExtracts) {
    fs::path archive = fixtures::Folder() / GetParam();
    fs::path ours = fixtures::TempFolder("ours-" + GetParam());
    fs::path theirs = fixtures::TempFolder("lhasa-" + GetParam());
    ASSERT_EQ(Lzh("x " + Quote(archive) + " " + Quote(ours / "new" / "nested")).status, 0);
    ASSERT_EQ(Shell("cd " + Quote(theirs) + " && lhasa xq " + Quote(archive)).status, 0);
    EXPECT_EQ(fixtures::Snapshot(ours / "new" / "nested"), fixtures::Snapshot(theirs));
    for (const char* file : {"readme.txt", "game/big.txt", "game/data/window64k.bin"})
        EXPECT_EQ(fixtures::ModificationTime(ours / "new" / "nested" / file), fixtures::ModificationTime(theirs / file))
            << file;
    EXPECT_EQ(Lzh("t " + Quote(archive)).status, 0);
    Outcome list = Lzh("l " + Quote(archive));
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.output.find("game/data/window64k.bin"), std::string::npos);
    fs::remove_all(ours);
    fs::remove_all(theirs);
}

INSTANTIATE_TEST_SUITE_P(LevelsAndMethods, LzhTool, testing::ValuesIn(fixtures::ArchiveNames()),
                         [](const auto& info) { return info.param.substr(0, 3); });

TEST(LzhToolSafety, AHostileNameStopsTheWholeArchive) {
    fs::path folder = fixtures::TempFolder("hostile");
    fs::path archive = folder / "hostile.lzh";
    fixtures::WriteFile(archive, craft::Archive({craft::Level0(craft::Stored("good.txt", "good")),
                                                 craft::Level0(craft::Stored("..\\evil.txt", "evil"))}));
    Outcome run = Lzh("x " + Quote(archive) + " " + Quote(folder / "out"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("..\\evil.txt"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(folder / "out" / "good.txt"));
    EXPECT_FALSE(fs::exists(folder / "evil.txt"));
    fs::remove_all(folder);
}

TEST(LzhToolSafety, ADamagedMemberIsNamedAndRemoved) {
    fs::path folder = fixtures::TempFolder("damaged");
    fs::path archive = folder / "damaged.lzh";
    craft::Member bad = craft::Stored("bad.txt", "broken content");
    bad.crc ^= 0x1234;
    fixtures::WriteFile(archive, craft::Archive({craft::Level0(craft::Stored("good.txt", "good")), craft::Level0(bad)}));
    // An existing read-only file is overwritten.
    fs::create_directories(folder / "out");
    fixtures::WriteFile(folder / "out" / "good.txt", {'o', 'l', 'd'});
    fs::permissions(folder / "out" / "good.txt", fs::perms::owner_read);

    Outcome run = Lzh("x " + Quote(archive) + " " + Quote(folder / "out"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("bad.txt: CRC error"), std::string::npos) << run.output;
    EXPECT_EQ(fixtures::ReadFile(folder / "out" / "good.txt"), (std::vector<uint8_t>{'g', 'o', 'o', 'd'}));
    EXPECT_FALSE(fs::exists(folder / "out" / "bad.txt"));
    EXPECT_EQ(Lzh("t " + Quote(archive)).status, 1);
    EXPECT_EQ(Lzh("x " + Quote(folder / "missing.lzh")).status, 1);
    fs::remove_all(folder);
}

// A Windows time stamp (100 ns since 1601) before 1970 gives a file time
// before 1970, not one far in the future.
TEST(LzhToolTimes, AWindowsTimeBefore1970IsKept) {
    const int64_t unixTime = -315619200;  // 1960-01-01 00:00:00 UTC
    const uint64_t windowsTime = static_cast<uint64_t>(unixTime + 11644473600) * 10000000;
    const uint8_t data = 'x';
    const unsigned extensionSize = 1 + 24 + 2;  // type, three times, next size

    craft::Bytes member = {0, 0, '-', 'l', 'h', '0', '-'};
    craft::Put32(member, extensionSize + 1);  // a level-1 size covers the extended headers too
    craft::Put32(member, 1);
    craft::Put32(member, 0x5B8A5A32);
    member.insert(member.end(), {0x20, 1, 1, 'a'});
    craft::Put16(member, lha::ComputeCrc16(&data, 1));
    member.push_back('W');
    craft::Put16(member, extensionSize);
    craft::SealBaseHeader(member);
    member.push_back(lha::kExtWindowsTimes);
    for (uint64_t time : {windowsTime, windowsTime, windowsTime})
        for (int i = 0; i < 8; ++i) member.push_back(static_cast<uint8_t>(time >> (8 * i)));
    craft::Put16(member, 0);
    member.push_back(data);

    fs::path folder = fixtures::TempFolder("old-time");
    fixtures::WriteFile(folder / "old.lzh", craft::Archive({member}));
    ASSERT_EQ(Lzh("x " + Quote(folder / "old.lzh") + " " + Quote(folder / "out")).status, 0);
    EXPECT_EQ(fixtures::ModificationTime(folder / "out" / "a"), unixTime);
    fs::remove_all(folder);
}

}  // namespace
