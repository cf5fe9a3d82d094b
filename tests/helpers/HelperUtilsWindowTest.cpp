// Message boxes and dialog placement, on real windows of the form library.
#include "helpers/HelperUtils.h"
#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/Form.h"
#include "tests/support/WindowAnswerer.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using namespace helpers;
using namespace testsupport;

const std::string kTitle = "\xBC\xBC\xC6\xAE \xBE\xF7";  // 세트 업
const std::string kText = "\xBC\xB3\xC4\xA1\xB8\xA6 \xC1\xDF\xB4\xDC\xC7\xDF\xBD\xC0\xB4\xCF\xB4\xD9.";  // 설치를 중단했습니다.

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Application::Instance().Initialize();
        platform::Application::Instance().SetTitle(kTitle);
    }
    void TearDown() override { platform::Application::Instance().Shutdown(); }
};

// Answers the next box of ours with `button`, noting the window that owns it.
struct BoxAnswer {
    explicit BoxAnswer(int button)
        : answerer({"#32770", Wide(kTitle)}, [this, button](HWND box) {
              owner = GetWindow(box, GW_OWNER);
              ClickButton(button)(box);
          }) {}
    HWND owner = nullptr;
    WindowAnswerer answerer;
};

TEST_F(WindowTest, TheFixedStyleBoxesShowTheirTextButtonsAndIconUnderTheTitle) {
    struct Case {
        const char* name;
        int (*show)(const std::string&, HWND);
        std::vector<int> buttons;
        LPCSTR icon;
        int answer;
    } cases[] = {
        {"error", ErrorMessageBox, {IDOK}, IDI_HAND, IDOK},
        {"info", InfoMessageBox, {IDOK}, IDI_ASTERISK, IDOK},
        {"question yes", QuestionMessageBox, {IDYES, IDNO}, IDI_QUESTION, IDYES},
        {"question no", QuestionMessageBox, {IDYES, IDNO}, IDI_QUESTION, IDNO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoxAnswer answer(c.answer);
        EXPECT_EQ(c.show(kText, nullptr), c.answer);
        ASSERT_TRUE(answer.answerer.Wait());
        SeenWindow seen = answer.answerer.Seen();
        EXPECT_EQ(seen.text, Wide(kText));
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.icon, SystemIcon(c.icon));
        // Without an owner the application's own box is shown.
        EXPECT_EQ(answer.owner, platform::Application::Instance().Handle());
    }
}

TEST_F(WindowTest, AppMessageBoxPassesItsStyleOn) {
    BoxAnswer answer(IDCANCEL);
    EXPECT_EQ(AppMessageBox(kText, MB_OKCANCEL), IDCANCEL);
    ASSERT_TRUE(answer.answerer.Wait());
    EXPECT_EQ(answer.answerer.Seen().buttons, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(answer.answerer.Seen().icon, nullptr);
}

HWND TopLevel(const char* caption, DWORD style) {
    return CreateWindowExA(0, "STATIC", caption, WS_OVERLAPPEDWINDOW | style, 10, 10, 200, 100, nullptr, nullptr,
                           nullptr, nullptr);
}

TEST_F(WindowTest, WithAnOwnerTheThreadsWindowsAreDisabledWhileTheBoxIsUp) {
    HWND owner = TopLevel("owner", WS_VISIBLE);
    HWND other = TopLevel("other", WS_VISIBLE);
    HWND hidden = TopLevel("hidden", 0);
    HWND disabled = TopLevel("disabled", WS_VISIBLE | WS_DISABLED);
    SetActiveWindow(other);
    ASSERT_EQ(GetActiveWindow(), other);

    std::vector<std::pair<HWND, bool>> enabledWhileUp;
    HWND boxOwner = nullptr;
    WindowAnswerer answerer({"#32770", Wide(kTitle)}, [&](HWND box) {
        boxOwner = GetWindow(box, GW_OWNER);
        for (HWND window : {owner, other, hidden, disabled})
            enabledWhileUp.emplace_back(window, IsWindowEnabled(window) != FALSE);
        ClickButton(IDYES)(box);
    });
    EXPECT_EQ(QuestionMessageBox(kText, owner), IDYES);
    ASSERT_TRUE(answerer.Wait());

    EXPECT_EQ(boxOwner, owner);
    EXPECT_EQ(enabledWhileUp, (std::vector<std::pair<HWND, bool>>{
                                  {owner, false}, {other, false}, {hidden, true}, {disabled, false}}));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_FALSE(IsWindowEnabled(disabled));
    EXPECT_EQ(GetActiveWindow(), other);
    for (HWND window : {owner, other, hidden, disabled}) DestroyWindow(window);
}

// A form that notes every move, so the order of the position setters shows.
class RecordingForm : public platform::Form {
public:
    using Form::Form;
    std::string ClassName() const override { return "TRecordingForm"; }
    void SetBounds(int left, int top, int width, int height) override {
        moves.emplace_back(left, top);
        Form::SetBounds(left, top, width, height);
    }
    std::vector<std::pair<int, int>> moves;
};

using Moves = std::vector<std::pair<int, int>>;

class PlacementTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // The area as the placement measures it: a maximized window reaches
        // one sizing frame past it on each side.
        width_ = GetSystemMetrics(SM_CXMAXIMIZED) - 2 * GetSystemMetrics(SM_CXFRAME);
        height_ = GetSystemMetrics(SM_CYMAXIMIZED) - 2 * GetSystemMetrics(SM_CYFRAME);
        owner_ = &platform::Application::Instance().CreateForm<RecordingForm>();
        form_ = &owner_->Create<RecordingForm>();
    }
    // The owner at (left, top) with the size given, the form of its size at (0, 0).
    void Place(int left, int top, int ownerWidth, int ownerHeight, int formWidth, int formHeight) {
        owner_->SetBounds(left, top, ownerWidth, ownerHeight);
        form_->SetBounds(0, 0, formWidth, formHeight);
        form_->moves.clear();
    }

    int width_ = 0;
    int height_ = 0;
    RecordingForm* owner_ = nullptr;
    RecordingForm* form_ = nullptr;
};

TEST_F(PlacementTest, CenterOnOwnerHalvesEachSizeOnItsOwnThenFitsTheArea) {
    ASSERT_GE(width_, 800);
    ASSERT_GE(height_, 600);
    Place(100, 50, 800, 600, 391, 334);
    CenterOnOwner(*form_);
    EXPECT_EQ(form_->moves, (Moves{{305, 0}, {305, 183}, {305, 183}, {305, 183}, {305, 183}, {305, 183}}));
    EXPECT_EQ(std::make_pair(form_->Left(), form_->Top()), std::make_pair(305, 183));

    Place(100, 50, 101, 41, 50, 20);
    CenterOnOwner(*form_);
    EXPECT_EQ(std::make_pair(form_->Left(), form_->Top()), std::make_pair(125, 60));
}

TEST_F(PlacementTest, FitIntoWorkAreaBringsTheFarEdgesInFirstAndThenTheNearOnes) {
    struct Case {
        const char* name;
        RECT start;  // left, top, width, height
        Moves moves;
    } cases[] = {
        {"inside", {10, 20, 300, 200}, {{10, 20}, {10, 20}, {10, 20}, {10, 20}}},
        {"past the right and bottom edges",
         {width_ - 100, height_ - 50, 300, 200},
         {{width_ - 300, height_ - 50}, {width_ - 300, height_ - 200}, {width_ - 300, height_ - 200},
          {width_ - 300, height_ - 200}}},
        {"negative", {-50, -20, 300, 200}, {{-50, -20}, {-50, -20}, {0, -20}, {0, 0}}},
        {"larger than the area",
         {100, 100, width_ + 40, height_ + 30},
         {{-40, 100}, {-40, -30}, {0, -30}, {0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form_->SetBounds(c.start.left, c.start.top, c.start.right, c.start.bottom);
        form_->moves.clear();
        FitIntoWorkArea(*form_);
        EXPECT_EQ(form_->moves, c.moves);
    }
}

// Any component that is not a form.
class Holder : public platform::Component {
public:
    using Component::Component;
    std::string ClassName() const override { return "THolder"; }
};

TEST_F(PlacementTest, AnOwnerThatIsNoFormRaisesTheInvalidCastAndNothingMoves) {
    Holder holder(nullptr);
    RecordingForm& form = holder.Create<RecordingForm>();
    form.SetBounds(7, 9, 100, 80);
    form.moves.clear();
    try {
        CenterOnOwner(form);
        FAIL() << "no error";
    } catch (const platform::InvalidCastError& error) {
        // 잘못된 클래스 형 캐스트
        EXPECT_EQ(error.Message(), "\xC0\xDF\xB8\xF8\xB5\xC8 \xC5\xAC\xB7\xA1\xBD\xBA \xC7\xFC \xC4\xB3\xBD\xBA\xC6\xAE");
    }
    EXPECT_TRUE(form.moves.empty());
}

TEST_F(WindowTest, TheProgramsFolderIsTheShellsInFolderForm) {
    char expected[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, expected), S_OK);
    EXPECT_EQ(GetProgramsFolder(), std::string(expected) + "\\");
    EXPECT_TRUE(FolderExists(GetProgramsFolder()));
}

TEST_F(WindowTest, AnUnknownSpecialFolderRaisesTheShellsCode) {
    try {
        GetSpecialFolder(0x7F);
        FAIL() << "no error";
    } catch (const platform::OleError& error) {
        EXPECT_TRUE(FAILED(error.Code()));
        EXPECT_FALSE(error.Message().empty());
    }
}

}  // namespace
