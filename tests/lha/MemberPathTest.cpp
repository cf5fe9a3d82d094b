// Splitting stored paths into steps, and refusing names that would leave the
// destination folder.

#include "lha/Error.h"
#include "lha/MemberPath.h"

#include <gtest/gtest.h>

namespace {

using Steps = std::vector<std::string>;

// Shift_JIS (code page 932) lead bytes.
bool IsShiftJisLead(uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

TEST(MemberPath, SplitsAtEachSeparatorKind) {
    EXPECT_EQ(lha::SplitPath("a\\b/c\xff" "d", lha::NoLeadBytes), (Steps{"a", "b", "c", "d"}));
    EXPECT_EQ(lha::SplitPath("a//./b/", lha::NoLeadBytes), (Steps{"a", "b"}));
    EXPECT_EQ(lha::SplitPath("/etc/passwd", lha::NoLeadBytes), (Steps{"", "etc", "passwd"}));
}

TEST(MemberPath, A5CTrailByteIsNoSeparatorUnderCodePage932) {
    // "表\x5C" is one character (0x95 0x5C) followed by a real separator.
    const std::string path = "\x95\x5C\\file.txt";
    EXPECT_EQ(lha::SplitPath(path, IsShiftJisLead), (Steps{"\x95\x5C", "file.txt"}));
    EXPECT_EQ(lha::SplitPath(path, lha::NoLeadBytes), (Steps{"\x95", "file.txt"}));
}

TEST(MemberPath, RefusesNamesThatLeaveTheFolder) {
    const std::vector<std::pair<std::string, const char*>> unsafe = {
        {"../evil.txt", "\"..\""},       {"a/../../evil", "\"..\""},        {"a\\..\\..\\evil", "\"..\""},
        {"/etc/passwd", "absolute"},     {"\\\\server\\share\\x", "absolute"}, {"C:\\Windows\\x", "drive"},
        {"C:evil", "drive"},             {"a/.../b", "\"..\""},             {"a/.. /b", "\"..\""},
        {"a/CON", "device"},             {"nul.txt", "device"},              {"lpt1", "device"},
        {"\xff" "abs", "absolute"},      {"", "no name"},
    };
    for (const auto& [path, why] : unsafe) {
        lha::Header header;
        header.method = "-lh0-";
        header.name = path;
        try {
            lha::SafeMemberPath(header, lha::NoLeadBytes);
            ADD_FAILURE() << path;
        } catch (const lha::Error& error) {
            EXPECT_EQ(error.Kind(), lha::ErrorKind::UnsafeName) << path;
            EXPECT_NE(std::string(error.what()).find(why), std::string::npos) << path << ": " << error.what();
        }
    }
}

TEST(MemberPath, RefusesLinksAndAcceptsOrdinaryNames) {
    lha::Header link;
    link.method = "-lh0-";
    link.name = "ok";
    link.unixMode = 0xA1FF;
    EXPECT_THROW(lha::SafeMemberPath(link, lha::NoLeadBytes), lha::Error);

    lha::Header unixLink;
    unixLink.method = "-lhd-";
    unixLink.name = "lib.so|lib.so.1";
    EXPECT_THROW(lha::SafeMemberPath(unixLink, lha::NoLeadBytes), lha::Error);

    lha::Header plain;
    plain.method = "-lh5-";
    plain.directory = "game\xff" "data\xff";
    plain.name = "..hidden.dat";
    EXPECT_EQ(lha::SafeMemberPath(plain, lha::NoLeadBytes), (Steps{"game", "data", "..hidden.dat"}));
}

}  // namespace
