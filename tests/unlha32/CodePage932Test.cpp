// Under code page 932 the byte 0x5C after a lead byte is the second half of a
// character, not a folder separator: "表" is 0x95 0x5C.

#include "tests/unlha32/UnlhaLibrary.h"

#include "tests/lha/Craft.h"
#include "tests/support/WinePrefix.h"

#include <gtest/gtest.h>

namespace {

using namespace unlhatest;

TEST(UnlhaCodePage932, ATrailByte5CIsPartOfTheName) {
    ASSERT_EQ(GetACP(), 932u);
    UnlhaLibrary library;
    testsupport::ScratchFolder scratch("unlha-cp932");
    const std::string table = "\x95\x5C";  // 表
    WriteArchive(scratch / "j.lzh", craft::Archive({craft::Level0(craft::Stored(table + "\\" + table + ".txt", "hyou"))}));
    ASSERT_EQ(library.Call("x -+ \"" + scratch / "j.lzh" + "\" \"" + scratch / "out\\" + "\""), 0);
    EXPECT_TRUE(IsFolder(scratch / ("out\\" + table)));
    EXPECT_EQ(testsupport::ReadFileBytes(scratch / ("out\\" + table + "\\" + table + ".txt")), "hyou");
}

}  // namespace
