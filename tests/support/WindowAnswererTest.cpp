#include "tests/support/WindowAnswerer.h"

#include <gtest/gtest.h>

namespace {

using namespace testsupport;

TEST(WindowAnswerer, ReadsAMessageBoxAndClicksTheChosenButton) {
    WindowAnswerer answerer({"#32770", L"Question"}, ClickButton(IDNO));
    int result = MessageBoxW(nullptr, L"Go on?", L"Question", MB_YESNO | MB_ICONQUESTION);
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ(result, IDNO);
    SeenWindow seen = answerer.Seen();
    EXPECT_EQ(seen.text, L"Go on?");
    EXPECT_EQ(seen.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(seen.icon, SystemIcon(IDI_QUESTION));
}

TEST(WindowAnswerer, KeysReachTheBoxThroughItsMessageLoop) {
    struct Case {
        UINT key;
        int expected;
    } cases[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const Case& c : cases) {
        WindowAnswerer answerer({"#32770", L"Keys"}, PressKey(c.key));
        int result = MessageBoxW(nullptr, L"Press", L"Keys", MB_OKCANCEL);
        ASSERT_TRUE(answerer.Wait());
        EXPECT_EQ(result, c.expected) << "key " << c.key;
    }
}

}  // namespace
