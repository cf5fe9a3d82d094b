// Paths under the Japanese code page 932, where 0x5C (the backslash) can be
// the second byte of a character: 表 is 0x95 0x5C.
#include "helpers/HelperUtils.h"
#include "tests/support/WinePrefix.h"

#include <gtest/gtest.h>

namespace {

using namespace helpers;

const std::string kHyo = "\x95\x5C";  // 表

TEST(CodePage932, ASecondByteBackslashIsNoDelimiter) {
    ASSERT_EQ(GetACP(), 932u) << "run under LANG=ja_JP.UTF-8";
    struct Case {
        std::string path;
        std::string expected;
    } cases[] = {
        {"C:\\" + kHyo, "C:\\" + kHyo + "\\"},
        {"C:\\" + kHyo + "\\", "C:\\" + kHyo + "\\"},
        {kHyo, kHyo + "\\"},
        {"C:\\GAME", "C:\\GAME\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(AddTrailingDelimiter(c.path), c.expected) << c.path;

    EXPECT_EQ(VolumePath("C:\\" + kHyo + "\\GAME", 1), "C:\\" + kHyo + "\\GAME.001");
    EXPECT_EQ(VolumePath("C:\\W\\" + kHyo, 2), "C:\\W\\" + kHyo + ".002");
    EXPECT_EQ(DrivePart("\\\\srv\\" + kHyo + "\\x"), "\\\\srv\\" + kHyo);
}

TEST(CodePage932, FoldersNamedWithSuchCharactersAreCreatedAndJoinedInto) {
    testsupport::ScratchFolder scratch("CodePage932");
    std::string folder = scratch / (kHyo + "\\" + kHyo);
    ASSERT_TRUE(CreateFolderPath(folder + "\\"));
    EXPECT_TRUE(FolderExists(scratch / kHyo));
    EXPECT_TRUE(FolderExists(folder));

    std::string archive = folder + "\\" + kHyo;
    testsupport::WriteFileBytes(archive + ".001", "first ");
    testsupport::WriteFileBytes(archive + ".002", "second");
    JoinVolumes(archive, folder, 2);
    EXPECT_EQ(testsupport::ReadFileBytes(archive), "first second");
}

}  // namespace
