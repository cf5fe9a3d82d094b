// mkmedium as a publisher runs it, with stand-in programs: the medium's
// files and their fit on each disk, the joined volumes unpacked by lhasa and
// by our lzh, cuts exactly at a member's end, the check naming a damaged
// disk, the same bytes from the same input, and each refusal.

#include "tests/lha/Fixtures.h"
#include "tests/lha/Shell.h"

#include "tools/common/CodePage.h"

#include "lha/Archive.h"
#include "lha/ByteIo.h"

#include <chrono>
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <map>
#include <set>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using shell::Quote;

const uint64_t k720k = 730112;

Bytes Noise(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes data(size);
    for (auto& b : data) b = static_cast<uint8_t>(random());
    return data;
}

Bytes Text(size_t size) {
    Bytes data;
    const std::string line = "게임 데이터 줄입니다. Line of game data.\r\n";
    while (data.size() < size) data.insert(data.end(), line.begin(), line.end());
    data.resize(size);
    return data;
}

shell::Outcome Mkmedium(const std::string& arguments) {
    return shell::Run(std::string(QELVAR_MKMEDIUM_TOOL) + " " + arguments);
}

// A work folder with stand-in programs and a game folder.
class Medium : public testing::Test {
protected:
    void SetUp() override {
        work_ = fixtures::TempFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
        Programs(420000, 1000);
        Put("Qelvar_RT.exe", {'M', 'Z'});
    }
    void TearDown() override { fs::remove_all(work_); }

    void Programs(size_t setup, size_t library) {
        fs::create_directories(work_ / "programs");
        fixtures::WriteFile(work_ / "programs" / "setup.exe", Noise(setup, 1));
        fixtures::WriteFile(work_ / "programs" / "UNLHA32.DLL", Noise(library, 2));
    }
    void Put(const std::string& name, const Bytes& data) {
        fs::create_directories((work_ / "game" / name).parent_path());
        fixtures::WriteFile(work_ / "game" / name, data);
    }
    shell::Outcome Build(const std::string& medium, const std::string& out = "out",
                         const std::string& extra = "--project Sample --title '샘플 게임'") {
        return Mkmedium(extra + " --medium " + medium + " --programs " + Quote(work_ / "programs") + " " +
                        Quote(work_ / "game") + " " + Quote(work_ / out));
    }
    // The volumes of a floppy medium, joined.
    Bytes Joined(const std::string& out = "out") {
        Bytes archive;
        for (int disk = 1; fs::exists(Volume(disk, out)); ++disk) {
            Bytes volume = fixtures::ReadFile(Volume(disk, out));
            archive.insert(archive.end(), volume.begin(), volume.end());
        }
        return archive;
    }
    fs::path Volume(int disk, const std::string& out = "out") {
        char name[64];
        std::snprintf(name, sizeof name, "disk%d/Sample.%03d", disk, disk);
        return work_ / out / name;
    }
    // Where each member ends in the archive.
    static std::vector<uint64_t> MemberEnds(const Bytes& archive) {
        lha::MemoryReader reader(archive);
        lha::ArchiveReader members(reader);
        std::vector<uint64_t> ends;
        uint64_t offset = 0;
        while (auto header = members.Next()) ends.push_back(offset += header->headerSize + header->compressedSize);
        return ends;
    }
    static uint64_t DiskSpace(const fs::path& disk) {
        uint64_t used = 0;
        for (const auto& entry : fs::directory_iterator(disk)) used += (entry.file_size() + 1023) / 1024 * 1024;
        return used;
    }
    void ExpectUnpacksToTheGame(const Bytes& archive) {
        fixtures::WriteFile(work_ / "joined.lzh", archive);
        for (const std::string& command : {std::string("lhasa xq"), std::string(QELVAR_LZH_TOOL) + " x"}) {
            fs::remove_all(work_ / "unpacked");
            fs::create_directories(work_ / "unpacked");
            shell::Outcome run = shell::Run("cd " + Quote(work_ / "unpacked") + " && " + command + " " +
                                            Quote(work_ / "joined.lzh"));
            EXPECT_EQ(run.status, 0) << command << run.output;
            EXPECT_EQ(fixtures::Snapshot(work_ / "unpacked"), GameIn949()) << command;
        }
    }

    // The game folder's snapshot with its names as archivers that do not
    // convert them unpack them: in code page 949.
    std::map<std::string, std::vector<uint8_t>> GameIn949() {
        std::map<std::string, std::vector<uint8_t>> converted;
        for (auto& [name, bytes] : fixtures::Snapshot(work_ / "game")) converted[tools::ToCodePage(name, 949)] = bytes;
        return converted;
    }

    fs::path work_;
};

TEST_F(Medium, FloppiesHoldTheGameDiskByDisk) {
    Put("empty.dat", {});
    Put("one.bin", {'1'});
    Put("data/맵/마을.map", Text(200000));
    Put("data/sound/bgm.wav", Noise(900000, 3));
    Put("data/image.bmp", Noise(500000, 4));
    shell::Outcome run = Build("720k");
    ASSERT_EQ(run.status, 0) << run.output;

    std::set<std::string> disk1;
    for (const auto& entry : fs::directory_iterator(work_ / "out" / "disk1")) disk1.insert(entry.path().filename());
    EXPECT_EQ(disk1, (std::set<std::string>{"setup.exe", "UNLHA32.DLL", "setup.ini", "Sample.001"}));
    EXPECT_EQ(fixtures::ReadFile(work_ / "out" / "disk1" / "setup.exe"), Noise(420000, 1));
    const std::string settings = "[Setup]\r\nProjectName=Sample\r\nGameTitle=\xBB\xF9\xC7\xC3 \xB0\xD4\xC0\xD3\r\n"
                                 "DiskNumber=3\r\n";
    EXPECT_EQ(fixtures::ReadFile(work_ / "out" / "disk1" / "setup.ini"), Bytes(settings.begin(), settings.end()));
    EXPECT_TRUE(fs::exists(Volume(3)));
    EXPECT_FALSE(fs::exists(work_ / "out" / "disk4"));
    EXPECT_EQ(std::distance(fs::directory_iterator(work_ / "out"), fs::directory_iterator()), 3);

    // Every disk but the last is full to its last cluster, and none overflows.
    for (int disk = 1; disk <= 3; ++disk) {
        uint64_t used = DiskSpace(work_ / "out" / ("disk" + std::to_string(disk)));
        EXPECT_LE(used, k720k) << disk;
        if (disk < 3) {
            EXPECT_GT(used, k720k - 1024) << disk;
        }
    }
    // Volume 1 ends inside the sound file, which goes on on disk 2.
    Bytes archive = Joined();
    std::vector<uint64_t> ends = MemberEnds(archive);
    uint64_t cut = fs::file_size(Volume(1));
    EXPECT_EQ(std::count(ends.begin(), ends.end(), cut), 0);
    ExpectUnpacksToTheGame(archive);

    shell::Outcome check = Mkmedium("--check " + Quote(work_ / "out"));
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_NE(check.output.find("3 disk(s)"), std::string::npos) << check.output;
}

// Stand-in programs sized so that disk 1's room ends exactly where a member
// ends: volume 2 then starts with a header.
TEST_F(Medium, AVolumeMayEndExactlyAtAMembersEnd) {
    Put("a.bin", Noise(200000, 5));
    Put("b.bin", Noise(600000, 6));
    ASSERT_EQ(Build("720k", "probe").status, 0);
    std::vector<uint64_t> ends = MemberEnds(Joined("probe"));
    // Members: Qelvar_RT.exe, a.bin, b.bin. Grow a.bin to end on a cluster.
    const uint64_t boundary = 300 * 1024;
    Put("a.bin", Noise(200000 + boundary - ends[1], 5));
    // Disk 1: setup.exe, UNLHA32.DLL (one cluster) and setup.ini (one cluster).
    Programs(k720k - boundary - 2048, 1000);

    ASSERT_EQ(Build("720k").status, 0);
    Bytes archive = Joined();
    EXPECT_EQ(MemberEnds(archive)[1], boundary);
    EXPECT_EQ(fs::file_size(Volume(1)), boundary);
    EXPECT_EQ(DiskSpace(work_ / "out" / "disk1"), k720k);
    ExpectUnpacksToTheGame(archive);
    EXPECT_EQ(Mkmedium("--check " + Quote(work_ / "out")).status, 0);
}

// The setup's file time is the version by which an installed uninstaller is
// replaced, so the medium's programs keep their own times.
TEST_F(Medium, TheProgramsKeepTheirFileTimes) {
    const auto built = fs::file_time_type::clock::now() - std::chrono::hours(24 * 30);
    fs::last_write_time(work_ / "programs" / "setup.exe", built);
    fs::last_write_time(work_ / "programs" / "UNLHA32.DLL", built - std::chrono::hours(1));
    for (const auto& [medium, disk1] : {std::pair<std::string, std::string>{"1.44m", "out/disk1"}, {"folder", "out"}}) {
        fs::remove_all(work_ / "out");
        ASSERT_EQ(Build(medium).status, 0) << medium;
        EXPECT_EQ(fs::last_write_time(work_ / disk1 / "setup.exe"), built) << medium;
        EXPECT_EQ(fs::last_write_time(work_ / disk1 / "UNLHA32.DLL"), built - std::chrono::hours(1)) << medium;
    }
}

TEST_F(Medium, AFolderHoldsTheWholeArchive) {
    Put("data/게임.dat", Text(50000));
    ASSERT_EQ(Build("folder", "cd").status, 0);
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(work_ / "cd")) files.insert(entry.path().filename());
    EXPECT_EQ(files, (std::set<std::string>{"setup.exe", "UNLHA32.DLL", "setup.ini", "Sample.lzh"}));
    Bytes ini = fixtures::ReadFile(work_ / "cd" / "setup.ini");
    EXPECT_NE(std::string(ini.begin(), ini.end()).find("DiskNumber=0\r\n"), std::string::npos);
    ExpectUnpacksToTheGame(fixtures::ReadFile(work_ / "cd" / "Sample.lzh"));
    EXPECT_EQ(Mkmedium("--check " + Quote(work_ / "cd")).status, 0);
}

TEST_F(Medium, AnotherCodePageCarriesNamesAndTitle) {
    Put("\u30C7\u30FC\u30BF.dat", Text(1000));  // データ.dat
    shell::Outcome run = Build("folder", "cd", "--codepage 932 --project Sample --title '\u30C6\u30B9\u30C8'");
    ASSERT_EQ(run.status, 0) << run.output;
    Bytes ini = fixtures::ReadFile(work_ / "cd" / "setup.ini");
    EXPECT_NE(std::string(ini.begin(), ini.end()).find("GameTitle=\x83\x65\x83\x58\x83\x67\r\n"), std::string::npos);
    std::vector<std::string> names;
    Bytes archive = fixtures::ReadFile(work_ / "cd" / "Sample.lzh");
    lha::MemoryReader reader(archive);
    lha::ArchiveReader members(reader);
    while (auto header = members.Next()) names.push_back(header->Path());
    EXPECT_EQ(names, (std::vector<std::string>{"Qelvar_RT.exe", "\x83\x66\x81\x5B\x83\x5E.dat"}));
    EXPECT_EQ(Mkmedium("--check " + Quote(work_ / "cd") + " --codepage 932").status, 0);
    EXPECT_EQ(Build("folder", "bad", "--codepage 0 --project P --title T").status, 2);
}

TEST_F(Medium, TheSameInputGivesTheSameBytes) {
    Put("data/a.txt", Text(70000));
    Put("data/b.bin", Noise(800000, 7));
    for (const std::string method : {"lh5", "lh7"}) {
        std::string options = "--project Sample --title '샘플 게임' --method " + method;
        ASSERT_EQ(Build("720k", "first-" + method, options).status, 0);
        ASSERT_EQ(Build("720k", "second-" + method, options).status, 0);
        EXPECT_EQ(fixtures::Snapshot(work_ / ("first-" + method)), fixtures::Snapshot(work_ / ("second-" + method)));
    }
}

TEST_F(Medium, TheProgramsAreTakenFromBesideTheTool) {
    fs::create_directories(work_ / "kit");
    fs::copy_file(QELVAR_MKMEDIUM_TOOL, work_ / "kit" / "mkmedium");
    fs::copy_file(work_ / "programs" / "setup.exe", work_ / "kit" / "setup.exe");
    fs::copy_file(work_ / "programs" / "UNLHA32.DLL", work_ / "kit" / "UNLHA32.DLL");
    shell::Outcome run = shell::Run(Quote(work_ / "kit" / "mkmedium") + " --project P --title T --medium folder " +
                                    Quote(work_ / "game") + " " + Quote(work_ / "out"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(fixtures::ReadFile(work_ / "out" / "setup.exe"), Noise(420000, 1));
}

TEST_F(Medium, TheCheckNamesTheFirstDamagedDisk) {
    Put("data/a.bin", Noise(700000, 8));
    Put("data/b.txt", Text(300000));
    Put("data/c.bin", Noise(700000, 9));
    ASSERT_EQ(Build("720k", "pristine").status, 0);
    ASSERT_TRUE(fs::exists(Volume(3, "pristine")) && !fs::exists(Volume(4, "pristine")));
    // Members: Qelvar_RT.exe, data/, a.bin (disks 1 and 2), b.txt (packed
    // small, on disk 2 alone), c.bin (disks 2 and 3).
    const std::vector<uint64_t> ends = MemberEnds(Joined("pristine"));
    const uint64_t volume1 = fs::file_size(Volume(1, "pristine"));
    ASSERT_TRUE(ends[2] > volume1 && ends[3] - volume1 < fs::file_size(Volume(2, "pristine")));
    const uint64_t insideB = ends[3] - 10 - volume1, insideA = ends[2] - 10 - volume1;

    auto flip = [](const fs::path& file, uint64_t at) {
        Bytes bytes = fixtures::ReadFile(file);
        bytes[at] ^= 0x10;
        fixtures::WriteFile(file, bytes);
    };
    auto resize = [](const fs::path& file, int64_t change) {
        fs::resize_file(file, static_cast<uint64_t>(static_cast<int64_t>(fs::file_size(file)) + change));
    };
    struct Damage {
        const char* what;
        std::function<void(const fs::path& out)> apply;
        const char* message;
    };
    const Damage damages[] = {
        {"a member on disk 2 alone", [&](const fs::path& out) { flip(out / "disk2/Sample.002", insideB); },
         "disk 2 is damaged: data/b.txt"},
        {"the disk 2 part of a member that starts on disk 1",
         [&](const fs::path& out) { flip(out / "disk2/Sample.002", insideA); },
         "disk 1 is damaged: data/a.bin: CRC error"},
        {"a header on disk 1", [&](const fs::path& out) { flip(out / "disk1/Sample.001", 10); }, "disk 1 is damaged"},
        {"volume 3 missing", [](const fs::path& out) { fs::remove(out / "disk3/Sample.003"); }, "disk 3 is damaged"},
        {"volume 3 cut short", [&](const fs::path& out) { resize(out / "disk3/Sample.003", -100); },
         "disk 3 is damaged"},
        {"bytes after the end on disk 3", [&](const fs::path& out) { resize(out / "disk3/Sample.003", 7); },
         "disk 3 is damaged"},
        {"the library missing from disk 1", [](const fs::path& out) { fs::remove(out / "disk1/UNLHA32.DLL"); },
         "disk 1 is damaged"},
    };
    for (const Damage& damage : damages) {
        fs::path out = work_ / "damaged";
        fs::remove_all(out);
        fs::copy(work_ / "pristine", out, fs::copy_options::recursive);
        damage.apply(out);
        shell::Outcome check = Mkmedium("--check " + Quote(out));
        EXPECT_EQ(check.status, 1) << damage.what;
        EXPECT_NE(check.output.find(damage.message), std::string::npos) << damage.what << ": " << check.output;
    }
    EXPECT_EQ(Mkmedium("--check " + Quote(work_ / "game")).status, 1);
}

TEST_F(Medium, RefusesWhatCannotMakeAWorkingMedium) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
        std::string options;
        int status;
        const char* message;
        const char* medium = "720k";
    };
    const std::string title = " --title '샘플 게임'";
    const Case cases[] = {
        {"no runtime: a warning", [&] { fs::remove(work_ / "game" / "Qelvar_RT.exe"); }, "--project P" + title, 0,
         "has no Qelvar_RT.exe"},
        {"a title with a backslash: a warning", [] {}, "--project P --title 'Vantrel\\게임'", 0, "backslash"},
        {"a project name that is no file name", [] {}, "--project 'a/b'" + title, 1, "not a valid file name"},
        {"a device as project name", [] {}, "--project CON" + title, 1, "not a valid file name"},
        {"a title no shortcut can carry", [] {}, "--project P --title 'a:b'", 1, "shortcut"},
        {"programs too large for disk 1", [&] { Programs(730000, 1000); }, "--project P" + title, 1, "too small"},
        {"no library", [&] { fs::remove(work_ / "programs" / "UNLHA32.DLL"); }, "--project P" + title, 1,
         "UNLHA32.DLL is not in"},
        {"an unreadable file", [&] { fs::create_symlink(work_ / "nowhere", work_ / "game" / "broken.dat"); },
         "--project P" + title, 1, "broken.dat"},
        {"a name without code-page 949 form", [&] { Put("smile\xF0\x9F\x98\x80.txt", {'x'}); }, "--project P" + title, 1,
         "smile\xF0\x9F\x98\x80.txt"},
        {"an unknown medium", [] {}, "--project P" + title, 2, "unknown medium", "2.88m"},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        c.prepare();
        shell::Outcome run = Build(c.medium, "out", c.options);
        EXPECT_EQ(run.status, c.status) << c.what << ": " << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.what << ": " << run.output;
        EXPECT_EQ(fs::exists(work_ / "out"), c.status == 0) << c.what;
    }
    // An output folder that holds something already is left alone.
    fs::create_directories(work_ / "busy");
    fixtures::WriteFile(work_ / "busy" / "keep.txt", {'k'});
    EXPECT_EQ(Build("720k", "busy").status, 1);
    EXPECT_EQ(fixtures::Snapshot(work_ / "busy").size(), 1u);
}

}  // namespace
