#include "helpers/HelperUtils.h"
#include "platform/Error.h"
#include "tests/support/WinePrefix.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace helpers;
using testsupport::ReadFileBytes;
using testsupport::ScratchFolder;
using testsupport::WriteFileBytes;

// Bytes that differ from volume to volume and from block to block.
std::string Pattern(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + seed * 71 + (i >> 13)) & 0xFF);
    return bytes;
}

// "파일 %s 은 열지 않습니다"
std::string OpenErrorText(const std::string& path) {
    return "\xC6\xC4\xC0\xCF " + path + " \xC0\xBA \xBF\xAD\xC1\xF6 \xBE\xCA\xBD\xC0\xB4\xCF\xB4\xD9";
}

class JoinVolumesTest : public ::testing::Test {
protected:
    JoinVolumesTest() : scratch_("JoinVolumes") {}

    // Writes the volumes of `archive` and returns their concatenation.
    std::string MakeVolumes(const std::string& archive, const std::vector<std::size_t>& sizes) {
        std::string joined;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            std::string bytes = Pattern(sizes[i], static_cast<unsigned>(i));
            WriteFileBytes(VolumePath(archive, static_cast<int>(i + 1)), bytes);
            joined += bytes;
        }
        return joined;
    }

    ScratchFolder scratch_;
};

TEST(VolumePath, ReplacesTheFileNamesExtensionWithTheVolumeNumber) {
    struct Case {
        const char* archive;
        int number;
        const char* expected;
    } cases[] = {
        {"C:\\WORK\\GAME.lzh", 1, "C:\\WORK\\GAME.001"},
        {"C:\\WORK\\GAME.lzh", 10, "C:\\WORK\\GAME.010"},
        {"C:\\WORK\\GAME.lzh", 100, "C:\\WORK\\GAME.100"},
        {"C:\\WORK\\GAME.lzh", 999, "C:\\WORK\\GAME.999"},
        {"C:\\WORK\\GAME.lzh", 1000, "C:\\WORK\\GAME.1000"},
        {"C:\\WORK\\GAME", 1, "C:\\WORK\\GAME.001"},
        {"C:\\WORK.D\\GAME", 2, "C:\\WORK.D\\GAME.002"},
        {"C:\\WORK\\MY.GAME.lzh", 3, "C:\\WORK\\MY.GAME.003"},
        {"C:GAME", 1, "C:GAME.001"},
        {"A:.lzh", 1, "A:.001"},
    };
    for (const Case& c : cases) EXPECT_EQ(VolumePath(c.archive, c.number), c.expected) << c.archive;
}

TEST_F(JoinVolumesTest, ConcatenatesVolumesOfAnyLengthInOrder) {
    std::string archive = scratch_ / "GAME.lzh";
    struct Case {
        std::vector<std::size_t> sizes;
    } cases[] = {
        {{1234}},
        {{8191, 8192, 8193}},
        {{8192}},
        {{0, 5, 0, 16384, 1}},
        {{20000, 0}},
    };
    for (const Case& c : cases) {
        std::string joined = MakeVolumes(archive, c.sizes);
        JoinVolumes(archive, scratch_.Path(), static_cast<int>(c.sizes.size()));
        EXPECT_EQ(ReadFileBytes(archive), joined) << c.sizes.size() << " volumes";
    }
}

TEST_F(JoinVolumesTest, NoVolumesLeaveAnEmptyOutputAndReadNothing) {
    std::string archive = scratch_ / "GAME.lzh";
    for (int count : {0, -1}) {
        WriteFileBytes(archive, "left by an earlier run");
        JoinVolumes(archive, scratch_.Path() + "\\", count);
        EXPECT_EQ(ReadFileBytes(archive), "") << count;
    }
}

TEST_F(JoinVolumesTest, NumbersPastNineHundredNinetyNineGetFourDigits) {
    std::string archive = scratch_ / "GAME.lzh";
    std::string joined;
    for (int number = 1; number <= 1000; ++number) {
        std::string bytes(1, static_cast<char>(number % 251));
        WriteFileBytes(VolumePath(archive, number), bytes);
        joined += bytes;
    }
    ASSERT_EQ(GetFileAttributesA((scratch_ / "GAME.1000").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    JoinVolumes(archive, scratch_.Path(), 1000);
    EXPECT_EQ(ReadFileBytes(archive), joined);
}

TEST_F(JoinVolumesTest, OutputNameIsTheArchivesFileNameInTheDestination) {
    // No extension, and a folder with a dot: volumes are GAME.001 and on.
    std::string folder = scratch_ / "WORK.D";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string destination = scratch_ / "OUT";
    ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
    std::string joined = MakeVolumes(folder + "\\GAME", {100, 200});
    ASSERT_TRUE(FolderExists(folder));

    JoinVolumes(folder + "\\GAME", destination, 2);
    EXPECT_EQ(ReadFileBytes(destination + "\\GAME"), joined);
    EXPECT_EQ(GetFileAttributesA((folder + "\\GAME").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(JoinVolumesTest, AMissingVolumeStopsTheJoinNamingItAndKeepsTheVolumesBefore) {
    std::string archive = scratch_ / "GAME.lzh";
    std::string joined = MakeVolumes(archive, {3000, 9000});
    WriteFileBytes(VolumePath(archive, 4), "fourth");
    try {
        JoinVolumes(archive, scratch_.Path(), 4);
        FAIL() << "no error";
    } catch (const platform::FileOpenError& error) {
        EXPECT_EQ(error.Message(), OpenErrorText(scratch_ / "GAME.003"));
    }
    EXPECT_EQ(ReadFileBytes(archive), joined);
}

TEST_F(JoinVolumesTest, AVolumeHeldByAnotherHandleCannotBeOpened) {
    std::string archive = scratch_ / "GAME.lzh";
    MakeVolumes(archive, {10});
    HANDLE holder = CreateFileA(VolumePath(archive, 1).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_THROW(JoinVolumes(archive, scratch_.Path(), 1), platform::FileOpenError);
    CloseHandle(holder);
}

TEST_F(JoinVolumesTest, AnOutputThatCannotBeCreatedIsNamedAndNoVolumeIsRead) {
    std::string archive = scratch_ / "GAME.lzh";
    MakeVolumes(archive, {10});
    std::string missing = scratch_ / "missing";
    try {
        JoinVolumes(archive, missing, 1);
        FAIL() << "no error";
    } catch (const platform::FileCreateError& error) {
        // 파일 %s 을 작성할 수 없습니다
        EXPECT_EQ(error.Message(), "\xC6\xC4\xC0\xCF " + missing + "\\GAME.lzh \xC0\xBB \xC0\xDB\xBC\xBA\xC7\xD2 "
                                   "\xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9");
    }
}

// A volume whose reads end before its reported size: a kernel attribute file
// reports 4096 bytes and delivers a few. The join must stop, not read again.
TEST_F(JoinVolumesTest, AReadThatDeliversNothingBeforeTheEndStopsWithAnError) {
    std::string archive = scratch_ / "GAME.lzh";
    std::string first = MakeVolumes(archive, {500});
    const char* attribute = "/sys/devices/system/cpu/online";
    testsupport::UnixLink link(attribute, VolumePath(archive, 2));
    std::string delivered = ReadFileBytes(VolumePath(archive, 2));
    ASSERT_LT(delivered.size(), 4096u);

    try {
        JoinVolumes(archive, scratch_.Path(), 2);
        FAIL() << "no error";
    } catch (const platform::FileReadError& error) {
        // 파일 %s 을 읽을 수 없습니다
        EXPECT_EQ(error.Message(), "\xC6\xC4\xC0\xCF " + VolumePath(archive, 2) +
                                       " \xC0\xBB \xC0\xD0\xC0\xBB \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9");
    }
    EXPECT_EQ(ReadFileBytes(archive), first + delivered);
}

// An output on a device that takes no bytes: the write comes up short.
TEST_F(JoinVolumesTest, AShortWriteRaisesTheStreamWriteError) {
    std::string archive = scratch_ / "GAME.lzh";
    MakeVolumes(archive, {100});
    std::string output = scratch_ / "OUT";
    ASSERT_TRUE(CreateDirectoryA(output.c_str(), nullptr));
    testsupport::UnixLink link("/dev/full", output + "\\GAME.lzh");
    try {
        JoinVolumes(archive, output, 1);
        FAIL() << "no error";
    } catch (const platform::StreamWriteError& error) {
        // 스트림에의 기록 에러
        EXPECT_EQ(error.Message(), "\xBD\xBA\xC6\xAE\xB8\xB2\xBF\xA1\xC0\xC7 \xB1\xE2\xB7\xCF \xBF\xA1\xB7\xAF");
    }
}

}  // namespace
