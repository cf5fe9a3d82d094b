// Archives that "lzh a" makes, unpacked by our decoder and by three
// independent archivers (lhasa, bsdtar, jlha): the same tree, contents and
// times; Hangul names in code page 949; the same bytes from the same input;
// and the inputs it refuses, named.

#include "tests/lha/Fixtures.h"
#include "tests/lha/Shell.h"

#include "lha/Archive.h"
#include "lha/ByteIo.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using shell::Quote;

shell::Outcome Lzh(const std::string& arguments) { return shell::Run(std::string(QELVAR_LZH_TOOL) + " " + arguments); }

std::vector<lha::Header> Headers(const fs::path& archive) {
    std::vector<uint8_t> bytes = fixtures::ReadFile(archive);
    lha::MemoryReader reader(bytes);
    lha::ArchiveReader members(reader);
    std::vector<lha::Header> headers;
    while (auto header = members.Next()) headers.push_back(*header);
    return headers;
}

struct Unpacker {
    const char* name;
    std::string command;  // run in the output folder; {} stands for the archive
    bool setsTimes;       // jlha leaves every file with the time of unpacking
};

const Unpacker kUnpackers[] = {
    {"lzh", std::string(QELVAR_LZH_TOOL) + " x {}", true},
    {"lhasa", "lhasa xq {}", true},
    {"bsdtar", "bsdtar -xf {}", true},
    {"jlha", "jlha xq {}", false},
};

std::string WithArchive(std::string command, const fs::path& archive) {
    return command.replace(command.find("{}"), 2, Quote(archive));
}

class LzhCreate : public testing::TestWithParam<std::string> {};

TEST_P(LzhCreate, EveryArchiverUnpacksTheSameTree) {
    const std::string method = GetParam();
    fs::path work = fixtures::TempFolder("create-" + method);
    fs::path archive = work / "ours.lzh";
    ASSERT_EQ(shell::Run("cd " + Quote(fixtures::Tree()) + " && " + QELVAR_LZH_TOOL + " a -m " + method + " " +
                         Quote(archive) + " readme.txt empty.dat one.bin game")
                  .status,
              0);
    const auto expected = fixtures::Snapshot(fixtures::Tree());
    for (const Unpacker& unpacker : kUnpackers) {
        fs::path out = work / unpacker.name;
        fs::create_directories(out);
        shell::Outcome run = shell::Run("cd " + Quote(out) + " && " + WithArchive(unpacker.command, archive));
        EXPECT_EQ(run.status, 0) << unpacker.name << ": " << run.output;
        EXPECT_EQ(fixtures::Snapshot(out), expected) << unpacker.name;
        if (!unpacker.setsTimes) continue;
        for (const char* file : {"readme.txt", "game/big.txt", "game/data/level1.bin"})
            EXPECT_EQ(fixtures::ModificationTime(out / file), fixtures::ModificationTime(fixtures::Tree() / file))
                << unpacker.name << " " << file;
    }
    // Compressible members use the method, the others are stored.
    for (const lha::Header& header : Headers(archive)) {
        std::string path = header.Path();
        if (header.IsDirectory()) continue;
        bool stored = path.find("noise") != std::string::npos || header.originalSize < 3;
        EXPECT_EQ(header.method, stored ? "-lh0-" : "-" + method + "-") << path;
    }
    fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Methods, LzhCreate, testing::Values("lh5", "lh6", "lh7"));

TEST(LzhCreateNames, HangulNamesAreStoredInCodePage949) {
    fs::path work = fixtures::TempFolder("hangul");
    fs::path tree = work / "tree";
    fs::create_directories(tree / "게임" / "데이터");
    fs::create_directories(tree / "빈 폴더");
    fixtures::WriteFile(tree / "게임" / "데이터" / "지도.txt", std::vector<uint8_t>(5000, 'm'));
    fixtures::WriteFile(tree / "게임" / "읽기 전용.txt", {'r', 'o'});
    fs::permissions(tree / "게임" / "읽기 전용.txt", fs::perms::owner_read | fs::perms::group_read);
    fixtures::WriteFile(tree / "Qelvar_RT.exe", {'M', 'Z'});
    fs::path archive = work / "hangul.lzh";
    ASSERT_EQ(shell::Run("cd " + Quote(tree) + " && " + QELVAR_LZH_TOOL + " a " + Quote(archive) + " .").status, 0);

    // Folder entries first, then what they hold, in byte order of the UTF-8 names.
    std::vector<std::pair<std::string, uint16_t>> members;
    for (const lha::Header& header : Headers(archive)) members.emplace_back(header.Path(), header.attributes);
    const std::string game = "\xB0\xD4\xC0\xD3\xFF", data = "\xB5\xA5\xC0\xCC\xC5\xCD\xFF";
    const std::vector<std::pair<std::string, uint16_t>> expected = {
        {"Qelvar_RT.exe", 0x20},
        {game, 0x10},
        {game + data, 0x10},
        {game + data + "\xC1\xF6\xB5\xB5.txt", 0x20},
        {game + "\xC0\xD0\xB1\xE2 \xC0\xFC\xBF\xEB.txt", 0x21},
        {"\xBA\xF3 \xC6\xFA\xB4\xF5\xFF", 0x10},
    };
    EXPECT_EQ(members, expected);

    // bsdtar, told the code page, gives back the UTF-8 tree.
    fs::path out = work / "bsdtar";
    fs::create_directories(out);
    shell::Outcome run = shell::Run("cd " + Quote(out) + " && LC_ALL=C.UTF-8 bsdtar --options hdrcharset=CP949 -xf " +
                                    Quote(archive));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(fixtures::Snapshot(out), fixtures::Snapshot(tree));
    fs::remove_all(work);
}

TEST(LzhCreateNames, TheSameInputGivesTheSameBytes) {
    fs::path work = fixtures::TempFolder("same");
    for (const char* name : {"first.lzh", "second.lzh"})
        ASSERT_EQ(shell::Run("cd " + Quote(fixtures::Tree()) + " && " + QELVAR_LZH_TOOL + " a -m lh7 " +
                             Quote(work / name) + " game readme.txt")
                      .status,
                  0);
    EXPECT_EQ(fixtures::ReadFile(work / "first.lzh"), fixtures::ReadFile(work / "second.lzh"));
    fs::remove_all(work);
}

TEST(LzhCreateNames, RefusesWhatWindowsCannotUnpackAndNamesIt) {
    struct Case {
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {"smile\xF0\x9F\x98\x80.txt", "cannot be written in code page 949"},
        {"a:b.txt", "is not a valid file name on Windows"},
        {"ends with a dot.", "is not a valid file name on Windows"},
    };
    for (const Case& c : cases) {
        fs::path work = fixtures::TempFolder("refuse");
        fs::create_directories(work / "tree");
        fixtures::WriteFile(work / "tree" / "fine.txt", {'f'});
        fixtures::WriteFile(work / "tree" / c.file, {'x'});
        fs::path archive = work / "refused.lzh";
        shell::Outcome run = Lzh("a " + Quote(archive) + " " + Quote(work / "tree"));
        EXPECT_EQ(run.status, 1) << c.file;
        EXPECT_NE(run.output.find(c.file), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        EXPECT_FALSE(fs::exists(archive)) << c.file;
        fs::remove_all(work);
    }
    // A path that leads nowhere, and bad usage.
    EXPECT_EQ(Lzh("a /tmp/qelvar-never.lzh /nonexistent/file").status, 1);
    EXPECT_EQ(Lzh("a -m lh9 x.lzh y").status, 2);
    EXPECT_EQ(Lzh("a x.lzh").status, 2);
}

}  // namespace
