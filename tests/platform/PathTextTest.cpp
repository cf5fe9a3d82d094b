// Run under code page 949 and under 932. In 932 the second byte of ソ (83 5C)
// and 表 (95 5C) is a backslash byte, which must not count as a delimiter.

#include "tests/support/WindowAnswerer.h"
#include "platform/PathText.h"

#include <gtest/gtest.h>

namespace {

using testsupport::Narrow;

struct PathCase {
    const wchar_t* path;
    const wchar_t* expected;
};

TEST(PathTextTest, AddTrailingDelimiterAppendsABackslashUnlessTheLastCharacterIsOne) {
    const PathCase cases[] = {
        {L"", L"\\"},
        {L"C:", L"C:\\"},
        {L"C:\\", L"C:\\"},
        {L"C:\\GAME", L"C:\\GAME\\"},
        {L"C:\\GAME/", L"C:\\GAME/\\"},
        {L"C:\\ソ", L"C:\\ソ\\"},
        {L"C:\\表\\", L"C:\\表\\"},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(pathtext::AddTrailingDelimiter(Narrow(c.path)), Narrow(c.expected)) << Narrow(c.path);
}

TEST(PathTextTest, RemoveTrailingDelimiterTakesOnlyABackslashOfItsOwn) {
    const PathCase cases[] = {
        {L"C:\\GAME\\", L"C:\\GAME"},
        {L"C:\\GAME", L"C:\\GAME"},
        {L"C:\\ソ", L"C:\\ソ"},
        {L"C:\\ソ\\", L"C:\\ソ"},
        {L"", L""},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(pathtext::RemoveTrailingDelimiter(Narrow(c.path)), Narrow(c.expected)) << Narrow(c.path);
}

TEST(PathTextTest, ExtractFolderPartKeepsTheBackslashOfARootOnly) {
    const PathCase cases[] = {
        {L"C:\\Games\\Foo\\Qelvar_RT.ind", L"C:\\Games\\Foo"},
        {L"C:\\Games\\Foo\\", L"C:\\Games\\Foo"},
        {L"C:\\x.ind", L"C:\\"},
        {L"C:x.ind", L"C:"},
        {L"x.ind", L""},
        {L"", L""},
        {L"\\x.ind", L"\\"},
        {L"\\\\server\\share\\x.ind", L"\\\\server\\share"},
        {L"C:\\\\x.ind", L"C:\\\\"},
        {L"C:\\ソ\\x.ind", L"C:\\ソ"},
        {L"C:\\表\\ソ", L"C:\\表"},
        {L"C:\\Gameソ", L"C:\\"},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(pathtext::ExtractFolderPart(Narrow(c.path)), Narrow(c.expected)) << Narrow(c.path);
}

TEST(PathTextTest, SplitStepsAndContainsCharacterSeeOnlyBackslashesOfTheirOwn) {
    EXPECT_EQ(pathtext::SplitSteps(Narrow(L"Qelvar\\ソ表\\\\x.lnk")),
              (std::vector<std::string>{"Qelvar", Narrow(L"ソ表"), "", "x.lnk"}));
    EXPECT_EQ(pathtext::SplitSteps(""), std::vector<std::string>{""});
    EXPECT_FALSE(pathtext::ContainsCharacter(Narrow(L"ソ表"), '\\'));
    EXPECT_TRUE(pathtext::ContainsCharacter(Narrow(L"ソ\\表"), '\\'));
}

}  // namespace
