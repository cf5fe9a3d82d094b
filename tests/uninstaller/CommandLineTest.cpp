#include "uninstaller/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineTest, ArgumentsAreSeparatedByControlCharactersAndBlanksOutsideQuotes) {
    struct Case {
        const char* line;
        std::size_t index;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\gamedelete.exe \"C:\\Games\\Foo Quest\\Qelvar_RT.ind\"", 1,
         "C:\\Games\\Foo Quest\\Qelvar_RT.ind"},
        {"C:\\WINDOWS\\gamedelete.exe \"C:\\Games\\Foo Quest\\Qelvar_RT.ind\"", 0, "C:\\WINDOWS\\gamedelete.exe"},
        {"\"C:\\My Windows\\gamedelete.exe\" C:\\x.ind more", 1, "C:\\x.ind"},
        {"gamedelete.exe\t\r\n  C:\\x.ind\x01more", 1, "C:\\x.ind"},
        {"gamedelete.exe C:\\x.ind\x01more", 2, "more"},
        {"gamedelete.exe C:\\\"Games\\Foo Quest\"\\x.ind", 1, "C:\\Games\\Foo Quest\\x.ind"},
        {"gamedelete.exe \"C:\\unclosed quote\\x.ind", 1, "C:\\unclosed quote\\x.ind"},
        {"gamedelete.exe \"\"", 1, ""},
        {"gamedelete.exe", 1, std::nullopt},
        {"gamedelete.exe    ", 1, std::nullopt},
        {"", 0, std::nullopt},
        // Bytes above 127 (double-byte characters) are never separators.
        {"gamedelete.exe C:\\\xB0\xD4\xC0\xD3\\x.ind", 1, "C:\\\xB0\xD4\xC0\xD3\\x.ind"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gamedelete::CommandLineArgument(c.line, c.index), c.expected) << c.line << " #" << c.index;
}

}  // namespace
