// Forms and the application loop, driven through real windows and messages.
#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/FormLayout.h"
#include "platform/StdCtrls.h"
#include "tests/support/WindowAnswerer.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;
using namespace testsupport;

class TestForm : public Form {
public:
    using Form::Form;
    std::string ClassName() const override { return "TTestForm"; }
};

// A small dialog: a check box in a group box, OK (default) and Cancel.
struct Dialog {
    explicit Dialog(Component* owner = nullptr) {
        Application& application = Application::Instance();
        form = owner ? &owner->Create<TestForm>() : &application.CreateForm<TestForm>();
        form->SetCaption("Test");
        form->SetPosition(Position::poScreenCenter);
        form->SetClientSize(300, 150);
        group = &form->Create<GroupBox>();
        group->SetBounds(8, 8, 284, 60);
        group->SetParent(form);
        check = &form->Create<CheckBox>();
        check->SetBounds(8, 20, 200, 17);
        check->SetCaption("Option");
        check->SetParent(group);
        ok = &form->Create<Button>();
        ok->SetBounds(60, 100, 80, 25);
        ok->SetCaption("OK");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->SetParent(form);
        cancel = &form->Create<Button>();
        cancel->SetBounds(160, 100, 80, 25);
        cancel->SetCaption("Cancel");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        cancel->SetParent(form);
    }
    TestForm* form;
    GroupBox* group;
    CheckBox* check;
    Button* ok;
    Button* cancel;
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application::Instance().Initialize();
        Application::Instance().SetTitle("Tests");
    }
    void TearDown() override { Application::Instance().Shutdown(); }
};

WindowMatch OurForm(const wchar_t* caption = L"Test") { return WindowMatch{"TTestForm", caption}; }

TEST_F(FormTest, KeysAndCloseBoxEndTheModalLoopWithTheirResults) {
    struct Case {
        const char* what;
        WindowAnswerer::Action action;
        int expected;
    } cases[] = {
        {"Enter", PressKey(VK_RETURN), mrOk},
        {"Esc", PressKey(VK_ESCAPE), mrCancel},
        {"close box", CloseWindow(), mrCancel},
        {"click on OK", ClickButton(IDOK), mrOk},
    };
    for (const Case& c : cases) {
        Dialog dialog;
        int clicks = 0;
        dialog.ok->OnClick = [&](Component&) { ++clicks; };
        WindowAnswerer answerer(OurForm(), c.action);
        int result = dialog.form->ShowModal();
        ASSERT_TRUE(answerer.Wait()) << c.what;
        EXPECT_EQ(result, c.expected) << c.what;
        EXPECT_EQ(clicks, c.expected == mrOk ? 1 : 0) << c.what;
        EXPECT_FALSE(IsWindowVisible(dialog.form->Handle())) << c.what;
        Application::Instance().Shutdown();
    }
}

TEST_F(FormTest, ModalLoopDisablesTheOtherWindowsAndRestoresThem) {
    TestForm& main = Application::Instance().CreateForm<TestForm>();
    main.SetCaption("Main");
    main.SetClientSize(200, 100);
    main.Show();
    Dialog dialog;
    bool mainEnabledDuringModal = true;
    WindowAnswerer answerer(OurForm(), [&](HWND window) {
        mainEnabledDuringModal = IsWindowEnabled(main.Handle()) != FALSE;
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    dialog.form->ShowModal();
    ASSERT_TRUE(answerer.Wait());
    EXPECT_FALSE(mainEnabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
}

TEST_F(FormTest, TabMovesTheFocusInTabOrderIntoContainers) {
    Dialog dialog;
    // Put Cancel before OK; the group box itself is no stop, its check box is.
    dialog.cancel->SetTabOrder(1);
    std::vector<HWND> focused;
    WindowAnswerer answerer(OurForm(), [&](HWND window) {
        DWORD thread = GetWindowThreadProcessId(window, nullptr);
        for (int i = 0; i < 4; ++i) {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(thread, &info);
            focused.push_back(info.hwndFocus);
            PressKey(VK_TAB)(window);
            Sleep(100);
        }
        PressKey(VK_ESCAPE)(window);
    });
    dialog.form->ShowModal();
    ASSERT_TRUE(answerer.Wait());
    std::vector<HWND> expected{dialog.check->Handle(), dialog.cancel->Handle(), dialog.ok->Handle(),
                               dialog.check->Handle()};
    EXPECT_EQ(focused, expected);
}

TEST_F(FormTest, EnterOnAFocusedButtonClicksThatButton) {
    Dialog dialog;
    WindowAnswerer answerer(OurForm(), [&](HWND window) {
        PressKey(VK_TAB)(window);  // check box -> OK
        Sleep(100);
        PressKey(VK_TAB)(window);  // OK -> Cancel
        Sleep(100);
        PressKey(VK_RETURN)(window);
    });
    EXPECT_EQ(dialog.form->ShowModal(), mrCancel);
    ASSERT_TRUE(answerer.Wait());
}

TEST_F(FormTest, IdleFiresWhenTheQueueEmptiesAlsoInModalLoopsButNotForMouseMovesPaintOrTimers) {
    Dialog dialog;
    int idles = 0;
    Application::Instance().OnIdle = [&] { ++idles; };
    int idlesAfterNeutral = -1, idlesAfterKey = -1;
    WindowAnswerer answerer(OurForm(), [&](HWND window) {
        Sleep(200);
        int before = idles;
        for (int i = 0; i < 5; ++i) {
            PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(10 + i, 10));
            PostMessageW(window, WM_TIMER, 1, 0);
            InvalidateRect(window, nullptr, TRUE);
            Sleep(50);
        }
        idlesAfterNeutral = idles - before;
        before = idles;
        PostMessageW(window, WM_NULL, 0, 0);
        Sleep(200);
        idlesAfterKey = idles - before;
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    dialog.form->ShowModal();
    ASSERT_TRUE(answerer.Wait());
    EXPECT_GT(idles, 0);
    EXPECT_EQ(idlesAfterNeutral, 0);
    EXPECT_EQ(idlesAfterKey, 1);
}

TEST_F(FormTest, ErrorInAnEventHandlerGoesToTheExceptionEventAndNeverIntoTheSystem) {
    Dialog dialog;
    dialog.ok->OnClick = [](Component&) { throw Error("broken"); };
    std::string seen;
    Application::Instance().OnException = [&](const std::exception& error) { seen = error.what(); };
    WindowAnswerer answerer(OurForm(), ClickButton(IDOK));
    // The handler raised before the button's result was set: the dialog stays
    // until it is closed.
    WindowAnswerer closer(OurForm(), [&](HWND window) {
        answerer.Wait();
        Sleep(100);
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(dialog.form->ShowModal(), mrCancel);
    EXPECT_EQ(seen, "broken");
}

TEST_F(FormTest, StandardErrorBoxAddsAFullStopAfterBytesThatSortAfterIt) {
    struct Case {
        std::string message;
        std::wstring shown;
    } cases[] = {
        {"disk full", L"disk full."},
        {"disk full.", L"disk full."},
        {"what?", L"what?."},
        {"stop!", L"stop!"},
        {"(done)", L"(done)"},
        {"a-", L"a-"},
        {"/", L"/."},
        {"\xBC\xB3\xC4\xA1", L"\uC124\uCE58."},  // 설치
        {"", L""},
    };
    for (const Case& c : cases) {
        WindowAnswerer answerer({"#32770", L"Tests"}, ClickButton(IDOK));
        Application::Instance().HandleException(std::make_exception_ptr(Error(c.message)));
        ASSERT_TRUE(answerer.Wait()) << c.message;
        SeenWindow seen = answerer.Seen();
        EXPECT_EQ(seen.text, c.shown) << c.message;
        EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(seen.icon, SystemIcon(IDI_HAND));
    }
}

TEST_F(FormTest, MessageBoxIsOwnedByTheApplicationWindowAndRestoresTheActiveWindow) {
    TestForm& main = Application::Instance().CreateForm<TestForm>();
    main.SetCaption("Main");
    main.SetClientSize(200, 100);
    main.Show();
    SetActiveWindow(main.Handle());
    HWND owner = nullptr;
    bool mainEnabled = true;
    WindowAnswerer answerer({"#32770", L"Box"}, [&](HWND window) {
        owner = GetWindow(window, GW_OWNER);
        mainEnabled = IsWindowEnabled(main.Handle()) != FALSE;
        SendMessageW(GetDlgItem(window, IDYES), BM_CLICK, 0, 0);
    });
    int result = Application::Instance().MessageBox("Go?", "Box", MB_YESNO);
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ(result, IDYES);
    EXPECT_EQ(owner, Application::Instance().Handle());
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    EXPECT_EQ(GetActiveWindow(), main.Handle());
}

TEST_F(FormTest, ClosingTheMainFormEndsRunAndReleaseDestroysOnceBackInTheLoop) {
    TestForm& main = Application::Instance().CreateForm<TestForm>();
    main.SetClientSize(200, 100);
    Dialog owned(&main);
    bool destroyed = false;
    owned.form->OnDestroy = [&](Component&) { destroyed = true; };
    bool destroyedBeforeLoop = true;
    Application::Instance().OnIdle = [&] {
        Application::Instance().OnIdle = nullptr;
        owned.form->Release();
        destroyedBeforeLoop = destroyed;
        main.Close();
    };
    Application::Instance().Run();
    EXPECT_FALSE(destroyedBeforeLoop);
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(Application::Instance().Terminated());
}

}  // namespace
