// The program's run: the start from the settings file, the one-shot idle
// handler and the application-wide exception handler.
#include "dialogs/FirstDialog.h"
#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/Strings.h"
#include "resources/StringIds.h"
#include "setup/Setup.h"
#include "setup/SetupMain.h"
#include "tests/support/WindowAnswerer.h"
#include "tests/support/WinePrefix.h"

#include <gtest/gtest.h>

namespace {

using namespace testsupport;
using platform::Application;

const WindowMatch kStartDialog{"TFormFirstDialog", L"설치"};

class RunTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFileBytes(SettingsFilePath(), "[Setup]\r\nProjectName=GAME\r\nGameTitle=" + Narrow(L"게임") + "\r\n");
    }
    void TearDown() override {
        Application::Instance().Shutdown();
        DeleteFileA(SettingsFilePath().c_str());
    }

    // The entry point's steps, with a count of the start dialog's showings.
    void CreateForms() {
        Application& application = Application::Instance();
        application.Initialize();
        application.SetTitle(platform::LoadResString(IDS_APP_TITLE));
        FormBackground = &application.CreateForm<TFormBackground>();
        FormFirstDialog = &application.CreateForm<TFormFirstDialog>();
        platform::NotifyEvent shown = FormFirstDialog->OnShow;
        FormFirstDialog->OnShow = [this, shown](platform::Component& sender) {
            ++showings;
            if (shown) shown(sender);
        };
    }
    int showings = 0;
};

TEST_F(RunTest, TheStartDialogAppearsCentredOverTheFullScreenBackgroundUnderTheTitle) {
    std::string ownerCaption;
    RECT background{}, dialog{};
    bool backgroundVisible = false;
    WindowAnswerer answerer(kStartDialog, [&](HWND window) {
        char caption[64] = {};
        GetWindowTextA(GetWindow(window, GW_OWNER), caption, sizeof caption);
        ownerCaption = caption;
        HWND backgroundWindow = FindWindowA("TFormBackground", nullptr);
        backgroundVisible = backgroundWindow && IsWindowVisible(backgroundWindow);
        GetWindowRect(backgroundWindow, &background);
        GetWindowRect(window, &dialog);
        PressKey(VK_ESCAPE)(window);
    });
    EXPECT_EQ(RunSetup(), 0);
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ(ownerCaption, "\xBC\xBC\xC6\xAE\x20\xBE\xF7");  // 세트 업, the application window's
    EXPECT_TRUE(backgroundVisible);
    EXPECT_EQ(background.left, 0);
    EXPECT_EQ(background.top, 0);
    EXPECT_EQ(background.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(background.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_NEAR((dialog.left + dialog.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((dialog.top + dialog.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(FindWindowA("TFormBackground", nullptr), nullptr) << "the background outlived the run";
}

TEST_F(RunTest, TheInstallationStartsOnceAlthoughTheDialogsLoopFiresIdle) {
    CreateForms();
    int idlesInDialog = 0;
    WindowAnswerer answerer(kStartDialog, [&](HWND window) {
        // Each posted message empties the queue again: an idle moment in the dialog's loop.
        for (int i = 0; i < 5; ++i) {
            PostMessageW(window, WM_NULL, 0, 0);
            Sleep(40);
        }
        PressKey(VK_ESCAPE)(window);
    });
    // Counts the idle moments of the dialog's loop, once the handler that
    // runs the installation has let go of the event.
    platform::NotifyEvent shown = FormFirstDialog->OnShow;
    FormFirstDialog->OnShow = [shown, &idlesInDialog](platform::Component& sender) {
        if (!Application::Instance().OnIdle) Application::Instance().OnIdle = [&idlesInDialog] { ++idlesInDialog; };
        shown(sender);
    };
    Application::Instance().Run();
    ASSERT_TRUE(answerer.Wait());
    EXPECT_GT(idlesInDialog, 0);
    EXPECT_EQ(showings, 1);
    EXPECT_EQ(FormFirstDialog->ModalResult(), platform::mrCancel);
    EXPECT_FALSE(IsWindowVisible(FormBackground->Handle()));
    EXPECT_TRUE(Application::Instance().Terminated());
}

TEST_F(RunTest, AnErrorInAnEventHandlerShowsTheStandardErrorBoxAndEndsTheProgram) {
    CreateForms();
    FormFirstDialog->ButtonStart->OnClick = [](platform::Component&) {
        throw platform::Error(Narrow(L"설치 실패"));
    };
    WindowAnswerer start(kStartDialog, ClickButton(IDOK));
    WindowAnswerer box({"#32770", L"세트 업"}, ClickButton(IDOK));
    Application::Instance().Run();
    ASSERT_TRUE(start.Wait());
    ASSERT_TRUE(box.Wait());
    SeenWindow seen = box.Seen();
    EXPECT_EQ(seen.text, L"설치 실패.");
    EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(seen.icon, SystemIcon(IDI_HAND));
    EXPECT_EQ(showings, 1);
    EXPECT_EQ(FormFirstDialog->ModalResult(), platform::mrCancel);
    EXPECT_FALSE(IsWindowVisible(FormBackground->Handle()));
    EXPECT_TRUE(Application::Instance().Terminated());
}

}  // namespace
