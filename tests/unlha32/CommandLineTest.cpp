// Splitting Unlha's command line: quotes group, a backslash before the closing
// quote stays part of the argument.

#include "unlha32/CommandLine.h"
#include "unlha32/ResultCode.h"

#include <gtest/gtest.h>

namespace {

using unlha32::ParseCommand;

TEST(CommandLine, TheSetupsCommandKeepsTheFoldersFinalBackslash) {
    auto command = ParseCommand("x -+ \"C:\\Temp\\Qelvar_TEMP\\GameDisk\\Foo.lzh\" \"C:\\Games\\Foo\\\"");
    EXPECT_EQ(command.action, 'x');
    EXPECT_TRUE(command.showProgress);
    EXPECT_EQ(command.archive, "C:\\Temp\\Qelvar_TEMP\\GameDisk\\Foo.lzh");
    EXPECT_EQ(command.folder, "C:\\Games\\Foo\\");

    auto spaced = ParseCommand("  X  \"C:\\My Games\\a b.lzh\"\t\"C:\\Program Files\\Foo Bar\\\" -n ");
    EXPECT_EQ(spaced.action, 'x');
    EXPECT_FALSE(spaced.showProgress);
    EXPECT_EQ(spaced.archive, "C:\\My Games\\a b.lzh");
    EXPECT_EQ(spaced.folder, "C:\\Program Files\\Foo Bar\\");

    auto quotedDash = ParseCommand("t \"-archive.lzh\"");
    EXPECT_EQ(quotedDash.archive, "-archive.lzh");
    EXPECT_EQ(quotedDash.folder, "");
}

}  // namespace
