// Profile files, integers in text, and file extensions.
#include "platform/Error.h"
#include "platform/IniFile.h"
#include "platform/Strings.h"
#include "tests/support/WinePrefix.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

TEST(ParseInteger, DecimalAndHexadecimalWithinThirtyTwoBits) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    } cases[] = {
        {"0", 0}, {"42", 42}, {"-42", -42}, {"+7", 7}, {"0x3", 3}, {"0X3", 3}, {"0xff", 255},
        {"0x7FFFFFFF", 2147483647}, {"0xFFFFFFFF", -1}, {"2147483647", 2147483647},
        {"-2147483648", std::int32_t(-2147483647 - 1)}, {"2147483648", std::nullopt},
        {"0x100000000", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt}, {"0x", std::nullopt},
        {"3abc", std::nullopt}, {" 3", std::nullopt}, {"-", std::nullopt}, {"1e3", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ChangeFileExt, ReplacesTheLastExtensionOfTheFileNameOnly) {
    struct Case {
        const char* path;
        const char* expected;
    } cases[] = {
        {"A:\\SETUP.EXE", "A:\\SETUP.ini"},
        {"A:\\SETUP", "A:\\SETUP.ini"},
        {"C:\\my.dir\\SETUP", "C:\\my.dir\\SETUP.ini"},
        {"C:\\a\\setup.tar.exe", "C:\\a\\setup.tar.ini"},
        {"C:\\a\\.profile", "C:\\a\\.ini"},
        // 0x5C as the second byte of a double-byte character is no separator.
        {"C:\\x.d\\\x95\x5C", "C:\\x.d\\\x95\x5C.ini"},
    };
    for (const Case& c : cases) EXPECT_EQ(ChangeFileExt(c.path, ".ini"), c.expected) << c.path;
}

TEST(IniFile, ReadsTextsOfAtMost2047CharactersAndIntegersWithDefaults) {
    testsupport::ScratchFolder folder("IniFile");
    std::string path = folder / "setup.ini";
    std::string longText(3000, 'x');
    testsupport::WriteFileBytes(path, "[Setup]\r\nName=GAME\r\nLong=" + longText + "\r\nNumber=0x10\r\nBad=1x\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("Setup", "Name", "none"), "GAME");
    EXPECT_EQ(ini.ReadString("Setup", "Missing", "none"), "none");
    EXPECT_EQ(ini.ReadString("Other", "Name", ""), "");
    EXPECT_EQ(ini.ReadString("Setup", "Long", ""), std::string(2047, 'x'));
    EXPECT_EQ(ini.ReadInteger("Setup", "Number", 0), 16);
    EXPECT_EQ(ini.ReadInteger("Setup", "Bad", 5), 5);
    EXPECT_EQ(ini.ReadInteger("Setup", "Missing", 7), 7);
}

TEST(IniFile, WritesAndAFailedWriteNamesTheFile) {
    testsupport::ScratchFolder folder("IniFile");
    IniFile ini(folder / "data.ind");
    ini.WriteString("Install Data", "Key", "value");
    EXPECT_EQ(ini.ReadString("Install Data", "Key", ""), "value");

    std::string missing = folder / "no such folder\\data.ind";
    IniFile unwritable(missing);
    try {
        unwritable.WriteString("Install Data", "Key", "value");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.Message(), FormatText("%s \xBF\xA1 \xB1\xE2\xB7\xCF\xC7\xD2 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9",
                                              missing.c_str()));  // %s 에 기록할 수 없습니다
    }
}

}  // namespace
