// Run under code page 949 and under 932 (see PathTextTest.cpp).

#include "tests/support/WindowAnswerer.h"
#include "uninstaller/RemovalScope.h"

#include <gtest/gtest.h>

namespace {

using testsupport::Narrow;

constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

TEST(RemovalScopeTest, OnlyOneKeyDirectlyBelowTheUninstallKeyIsInScope) {
    const std::wstring uninstall = kUninstall;
    struct Case {
        std::wstring name;
        std::optional<std::wstring> expected;
    };
    const Case cases[] = {
        {uninstall + L"Qelvar Foo", uninstall + L"Qelvar Foo"},
        {L"\\" + uninstall + L"Qelvar Foo", uninstall + L"Qelvar Foo"},
        {L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\UNINSTALL\\Qelvar Foo",
         L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\UNINSTALL\\Qelvar Foo"},
        {uninstall + L"Qelvar ソ表", uninstall + L"Qelvar ソ表"},
        {L"", std::nullopt},
        {L"Software\\QelvarTests\\Victim", std::nullopt},
        {uninstall, std::nullopt},
        {uninstall.substr(0, uninstall.size() - 1), std::nullopt},
        {uninstall + L"..", std::nullopt},
        {uninstall + L".", std::nullopt},
        {uninstall + L"..\\..\\Victim", std::nullopt},
        {uninstall + L"Qelvar Foo\\Sub", std::nullopt},
        {uninstall + L"\\Qelvar Foo", std::nullopt},
        {L"\\\\" + uninstall + L"Qelvar Foo", std::nullopt},
        {L"Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Qelvar Foo", std::nullopt},
    };
    for (const Case& c : cases) {
        std::optional<std::string> expected;
        if (c.expected) expected = Narrow(*c.expected);
        EXPECT_EQ(gamedelete::UninstallKeyInScope(Narrow(c.name)), expected) << Narrow(c.name);
    }
}

TEST(RemovalScopeTest, OnlyRelativeLinkFilesBelowTheProgramsFolderAreInScope) {
    struct Case {
        const wchar_t* name;
        bool expected;
    };
    const Case cases[] = {
        {L"Qelvar\\ソ表\\Foo Quest.lnk", true},
        {L"Foo.LNK", true},
        {L"A\\B\\C\\x.lnk", true},
        {L"Qelvar\\ソ表\\..x.lnk", true},
        {L"", false},
        {L".lnk\\x.exe", false},
        {L"Qelvar\\x.exe", false},
        {L"Qelvar\\x.lnk\\", false},
        {L"C:\\QelvarTests\\x.lnk", false},
        {L"C:x.lnk", false},
        {L"Qelvar\\x.lnk:stream", false},
        {L"\\QelvarTests\\x.lnk", false},
        {L"\\\\server\\share\\x.lnk", false},
        {L"..\\x.lnk", false},
        {L"Qelvar\\..\\..\\x.lnk", false},
        {L"Qelvar/../../x.lnk", false},
        {L".\\x.lnk", false},
        {L"Qelvar\\...\\x.lnk", false},
        {L"Qelvar\\. .\\x.lnk", false},
        {L"Qelvar\\\\x.lnk", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gamedelete::IsShortcutNameInScope(Narrow(c.name)), c.expected) << Narrow(c.name);
}

}  // namespace
