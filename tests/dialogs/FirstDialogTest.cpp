// The start dialog as the user meets it, and the product registry key.
#include "dialogs/FirstDialog.h"
#include "platform/Application.h"
#include "platform/Error.h"
#include "tests/support/WindowAnswerer.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

namespace {

using namespace testsupport;
using platform::Application;

const WindowMatch kStartDialog{"TFormFirstDialog", L"설치"};

class FirstDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application::Instance().Initialize();
        NewDialog();
    }
    // A dialog that has not been shown yet (a shown one keeps its focused control).
    void NewDialog() {
        Application::Instance().Shutdown();
        dialog = &Application::Instance().CreateForm<TFormFirstDialog>();
    }
    void TearDown() override { Application::Instance().Shutdown(); }

    // Sets both check boxes and the two fields to opposite values, so that
    // what the dialog hands back shows where it came from.
    void Prepare(bool box1, bool box2) {
        dialog->CheckBox1->SetChecked(box1);
        dialog->CheckBox2->SetChecked(box2);
        dialog->RegisterProgram = !box1;
        dialog->PrepareUninstall = !box2;
    }

    TFormFirstDialog* dialog = nullptr;
};

HWND Focus(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Tab presses, each waited for until the focus has moved.
void Tabs(HWND window, int count) {
    for (int i = 0; i < count; ++i) {
        HWND before = Focus(window);
        PressKey(VK_TAB)(window);
        for (int wait = 0; wait < 100 && Focus(window) == before; ++wait) Sleep(20);
    }
}

TEST_F(FirstDialogTest, BothBoxesAreCheckedUntilTheFirstShowing) {
    EXPECT_TRUE(dialog->CheckBox1->Checked());
    EXPECT_TRUE(dialog->CheckBox2->Checked());
    EXPECT_FALSE(dialog->Visible());
}

TEST_F(FirstDialogTest, EnterAnywhereButOnCancelStartsAndStoresBothCheckStates) {
    struct Case {
        int tabs;  // from the first control: 0 CheckBox1, 1 CheckBox2, 2 ButtonStart
        bool box1, box2;
    } cases[] = {{0, true, false}, {1, false, true}, {2, false, false}, {0, true, true}};
    for (const Case& c : cases) {
        NewDialog();
        Prepare(c.box1, c.box2);
        WindowAnswerer answerer(kStartDialog, [&](HWND window) {
            Tabs(window, c.tabs);
            PressKey(VK_RETURN)(window);
        });
        EXPECT_EQ(dialog->ShowModal(), platform::mrOk) << "tabs " << c.tabs;
        ASSERT_TRUE(answerer.Wait());
        EXPECT_EQ(dialog->RegisterProgram, c.box1) << "tabs " << c.tabs;
        EXPECT_EQ(dialog->PrepareUninstall, c.box2) << "tabs " << c.tabs;
    }
}

TEST_F(FirstDialogTest, EscTheCloseBoxAndCancelGiveCancelAndLeaveTheFields) {
    struct Case {
        const char* what;
        WindowAnswerer::Action close;
    } cases[] = {
        {"Esc", PressKey(VK_ESCAPE)},
        {"close box", CloseWindow()},
        {"Cancel button", ClickButton(IDCANCEL)},
    };
    for (const Case& c : cases) {
        Prepare(true, false);
        WindowAnswerer answerer(kStartDialog, [&](HWND window) {
            // Toggle both boxes first, as a user changing their mind would.
            SendMessageW(dialog->CheckBox1->Handle(), BM_CLICK, 0, 0);
            SendMessageW(dialog->CheckBox2->Handle(), BM_CLICK, 0, 0);
            c.close(window);
        });
        EXPECT_EQ(dialog->ShowModal(), platform::mrCancel) << c.what;
        ASSERT_TRUE(answerer.Wait());
        EXPECT_FALSE(dialog->RegisterProgram) << c.what;
        EXPECT_TRUE(dialog->PrepareUninstall) << c.what;
    }
}

// Position of a child window in its parent's client area, and its size.
RECT PlaceOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return RECT{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

TEST_F(FirstDialogTest, LayoutCaptionsFontAndTabOrderAsTheWindowsShowThem) {
    struct Expected {
        HWND window;
        HWND parent;
        RECT place;  // left, top, width, height
        std::wstring caption;
    };
    std::vector<Expected> expected;
    std::vector<HWND> tabOrder;
    RECT client{}, frame{};
    std::wstring caption;
    LOGFONTA font{};
    LONG startStyle = 0;
    WindowAnswerer answerer(kStartDialog, [&](HWND window) {
        GetClientRect(window, &client);
        GetWindowRect(window, &frame);
        caption = TextOf(window);
        GetObjectA(reinterpret_cast<HFONT>(SendMessageW(dialog->CheckBox1->Handle(), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        startStyle = GetWindowLongW(dialog->ButtonStart->Handle(), GWL_STYLE);
        for (int i = 0; i < 5; ++i) {
            tabOrder.push_back(Focus(window));
            Tabs(window, 1);
        }
        PressKey(VK_ESCAPE)(window);
    });
    dialog->ShowModal();
    ASSERT_TRUE(answerer.Wait());

    HWND form = dialog->Handle();
    HWND options = dialog->GroupBox2->Handle();
    Expected controls[] = {
        {dialog->GroupBox1->Handle(), form, {8, 56, 369, 41}, L"설치 기준 경로"},
        {options, form, {8, 104, 369, 61}, L"옵션"},
        {dialog->CheckBox1->Handle(), options, {8, 16, 353, 17}, L"시작 메뉴의 「프로그램」에 단축 아이콘을 등록한다"},
        {dialog->CheckBox2->Handle(), options, {8, 36, 353, 17}, L"「프로그램의 추가와 삭제」의 언인스톨에 대응한다"},
        {dialog->ButtonStart->Handle(), form, {64, 184, 121, 33}, L"설치 시작"},
        {dialog->ButtonCancel->Handle(), form, {200, 184, 121, 33}, L"취소"},
    };
    for (const Expected& c : controls) {
        EXPECT_EQ(GetParent(c.window), c.parent) << Narrow(c.caption);
        RECT place = PlaceOf(c.window);
        EXPECT_EQ(place.left, c.place.left) << Narrow(c.caption);
        EXPECT_EQ(place.top, c.place.top) << Narrow(c.caption);
        EXPECT_EQ(place.right, c.place.right) << Narrow(c.caption);
        EXPECT_EQ(place.bottom, c.place.bottom) << Narrow(c.caption);
        EXPECT_EQ(TextOf(c.window), c.caption);
    }
    EXPECT_EQ(dialog->Label1->BoundsRect().left, 8);
    EXPECT_EQ(dialog->Label1->BoundsRect().top, 12);
    EXPECT_EQ(dialog->Label2->BoundsRect().top, 28);
    EXPECT_EQ(dialog->Label2->Width(), 369);
    EXPECT_EQ(dialog->Label2->Height(), 12);

    EXPECT_EQ(caption, L"설치");
    EXPECT_EQ(client.right, 385);
    EXPECT_EQ(client.bottom, 233);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfCharSet, HANGEUL_CHARSET);
    EXPECT_STREQ(font.lfFaceName, "\xB1\xBC\xB8\xB2\xC3\xBC");  // 굴림체
    EXPECT_EQ(startStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    std::vector<HWND> expectedOrder{dialog->CheckBox1->Handle(), dialog->CheckBox2->Handle(),
                                    dialog->ButtonStart->Handle(), dialog->ButtonCancel->Handle(),
                                    dialog->CheckBox1->Handle()};
    EXPECT_EQ(tabOrder, expectedOrder);
}

constexpr char kScratchValue[] = "RegisterProgramOption";

class ProductKeyTest : public ::testing::Test {
protected:
    void SetUp() override { SHDeleteKeyA(HKEY_CURRENT_USER, kProductKey); }
    void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, kProductKey); }

    static void Put(DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, kScratchValue, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
};

TEST_F(ProductKeyTest, OpeningCreatesTheKeyWithoutValues) {
    platform::Registry key = OpenProductKey();
    EXPECT_NE(key.CurrentKey(), nullptr);
    EXPECT_FALSE(ReadOption(key, kRegisterProgramOptionValue));
    HKEY check = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &check), ERROR_SUCCESS);
    DWORD values = 1;
    RegQueryInfoKeyA(check, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(check);
    EXPECT_EQ(values, 0u);
}

TEST_F(ProductKeyTest, OptionsReadStringsAsIntegersAndDwordsAsNumbers) {
    struct Case {
        const char* text;  // REG_SZ; null: the DWORD below
        DWORD number;
        bool expected;
    } cases[] = {
        {"1", 0, true}, {"0", 0, false}, {"abc", 0, false}, {"", 0, false}, {"2", 0, true},
        {"0x10", 0, true}, {"-1", 0, true}, {nullptr, 5, true}, {nullptr, 0, false},
    };
    for (const Case& c : cases) {
        if (c.text) Put(REG_SZ, c.text, static_cast<DWORD>(strlen(c.text) + 1));
        else Put(REG_DWORD, &c.number, sizeof c.number);
        platform::Registry key = OpenProductKey();
        EXPECT_EQ(ReadOption(key, kScratchValue), c.expected) << (c.text ? c.text : "dword");
    }
}

TEST_F(ProductKeyTest, AnOptionOfAnotherTypeRaisesTheTypeErrorNamingIt) {
    struct Case {
        DWORD type;
    } cases[] = {{REG_BINARY}, {REG_EXPAND_SZ}, {REG_MULTI_SZ}};
    for (const Case& c : cases) {
        Put(c.type, "1\0", 3);
        platform::Registry key = OpenProductKey();
        try {
            ReadOption(key, kScratchValue);
            ADD_FAILURE() << "no error for type " << c.type;
        } catch (const platform::RegistryError& error) {
            EXPECT_EQ(Wide(error.Message()), L"'RegisterProgramOption' 의 데이터 형이 부정합니다");
        }
    }
}

TEST_F(ProductKeyTest, OptionsAreWrittenAsTheStringsOneAndZero) {
    platform::Registry key = OpenProductKey();
    WriteOption(key, kRegisterProgramOptionValue, true);
    WriteOption(key, kPrepareUninstallOptionValue, false);
    for (auto [name, text] : {std::pair{kRegisterProgramOptionValue, "1"}, std::pair{kPrepareUninstallOptionValue, "0"}}) {
        char data[8] = {};
        DWORD size = sizeof data, type = 0;
        ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, kProductKey, name, RRF_RT_ANY, &type, data, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
        EXPECT_STREQ(data, text) << name;
    }
    EXPECT_TRUE(ReadOption(key, kRegisterProgramOptionValue));
    EXPECT_FALSE(ReadOption(key, kPrepareUninstallOptionValue));
}

}  // namespace
