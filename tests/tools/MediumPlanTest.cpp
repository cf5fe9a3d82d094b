// How mkmedium cuts an archive for floppies, and the settings it writes: the
// rules as tables of cases.

#include "tools/mkmedium/Medium.h"
#include "tools/mkmedium/Settings.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using mkmedium::FindMediumKind;
using mkmedium::PlanVolumes;

TEST(MediumKinds, HaveTheSpaceOfAFormattedDisk) {
    EXPECT_EQ(FindMediumKind("1.44m")->capacity, 1457664u);
    EXPECT_EQ(FindMediumKind("1.2m")->capacity, 1213952u);
    EXPECT_EQ(FindMediumKind("720k")->capacity, 730112u);
    EXPECT_EQ(FindMediumKind("720k")->cluster, 1024u);
    EXPECT_FALSE(FindMediumKind("folder")->IsFloppy());
    EXPECT_FALSE(FindMediumKind("2.88m"));
    EXPECT_EQ(FindMediumKind("1.44m")->SpaceFor(0), 0u);
    EXPECT_EQ(FindMediumKind("1.44m")->SpaceFor(1), 512u);
    EXPECT_EQ(FindMediumKind("1.44m")->SpaceFor(512), 512u);
    EXPECT_EQ(FindMediumKind("1.44m")->SpaceFor(513), 1024u);
}

TEST(PlanVolumes, FillsEachDiskToItsLastCluster) {
    const uint64_t disk = 1457664;
    struct Case {
        const char* what;
        const char* kind;
        uint64_t archive;
        std::vector<uint64_t> disk1Files;
        std::vector<uint64_t> volumes;
    };
    const Case cases[] = {
        {"fits on disk 1 with room to spare", "1.44m", 1000, {400000, 300000, 60}, {1000}},
        // 400000 -> 400384, 300000 -> 300032, 60 -> 512: 700928 used.
        {"fills disk 1 exactly", "1.44m", disk - 700928, {400000, 300000, 60}, {disk - 700928}},
        {"one byte more", "1.44m", disk - 700928 + 1, {400000, 300000, 60}, {disk - 700928, 1}},
        {"three disks, the last one full", "1.44m", disk - 700928 + 2 * disk, {400000, 300000, 60},
         {disk - 700928, disk, disk}},
        {"programs fill disk 1: its volume is empty", "1.44m", 5000, {disk - 512, 100}, {0, 5000}},
        {"720k disks count 1024-byte clusters", "720k", 730112, {1025, 1, 1}, {730112 - 4096, 4096}},
        {"1.2m disks", "1.2m", 3000000, {1}, {1213952 - 512, 1213952, 3000000 - 2 * 1213952 + 512}},
    };
    for (const Case& c : cases) {
        auto volumes = PlanVolumes(*FindMediumKind(c.kind), c.archive, c.disk1Files);
        EXPECT_EQ(volumes, c.volumes) << c.what;
        uint64_t sum = 0;
        for (uint64_t size : volumes) sum += size;
        EXPECT_EQ(sum, c.archive) << c.what;
    }
}

TEST(PlanVolumes, RefusesADiskTooSmallForThePrograms) {
    EXPECT_THROW(PlanVolumes(*FindMediumKind("720k"), 10, {730000, 200}), std::runtime_error);
    EXPECT_NO_THROW(PlanVolumes(*FindMediumKind("720k"), 10, {729088, 1000}));
}

TEST(Settings, ProjectNamesMustNameAFile) {
    for (const char* good : {"Foo", "My Game 2", "게임", "a.b"})
        EXPECT_NO_THROW(mkmedium::CheckProjectName(good, 949)) << good;
    for (const char* bad : {"", "a/b", "a\\b", "a:b", "what?", "CON", "nul.txt", "LPT1", "dot.", "trailing ", " leading",
                            "tab\there", "\xF0\x9F\x98\x80"})
        EXPECT_THROW(mkmedium::CheckProjectName(bad, 949), std::runtime_error) << bad;
}

TEST(Settings, TitlesMustNameAShortcut) {
    EXPECT_TRUE(mkmedium::CheckGameTitle("샘플 게임 (1996)", 949).empty());
    EXPECT_EQ(mkmedium::CheckGameTitle("Vantrel\\샘플 게임", 949).size(), 1u);
    for (const char* bad : {"", "a/b", "a:b", "a*", "a?", "say \"hi\"", "<a>", "a|b", "line\nbreak", "\xF0\x9F\x98\x80"})
        EXPECT_THROW(mkmedium::CheckGameTitle(bad, 949), std::runtime_error) << bad;
}

TEST(Settings, AreWrittenInCodePage949AndReadBack) {
    mkmedium::Settings settings{"Sample", "샘플 게임", 3};
    std::string text = mkmedium::SettingsText(settings, 949);
    EXPECT_EQ(text, "[Setup]\r\nProjectName=Sample\r\nGameTitle=\xBB\xF9\xC7\xC3 \xB0\xD4\xC0\xD3\r\nDiskNumber=3\r\n");
    mkmedium::Settings read = mkmedium::ParseSettings(text, 949);
    EXPECT_EQ(read.projectName, "Sample");
    EXPECT_EQ(read.gameTitle, "샘플 게임");
    EXPECT_EQ(read.diskNumber, 3);
    EXPECT_THROW(mkmedium::ParseSettings("[Other]\r\nProjectName=a\r\nGameTitle=b\r\n", 949), std::runtime_error);
}

}  // namespace
