// The opaque paint box on a real window.
#include "controls/OpaquePaint.h"
#include "platform/Application.h"
#include "platform/Form.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

constexpr COLORREF kMarker = RGB(255, 0, 255);

class BoxForm : public Form {
public:
    using Form::Form;
    std::string ClassName() const override { return "TBoxForm"; }
};

class OpaquePaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application::Instance().Initialize();
        form = &Application::Instance().CreateForm<BoxForm>();
        form->SetClientSize(200, 200);
        box = &form->Create<TOpaquePaintBox>();
        box->SetBounds(20, 20, 100, 100);
        box->SetParent(form);
        form->Show();
        UpdateWindow(form->Handle());
    }
    void TearDown() override { Application::Instance().Shutdown(); }

    // Marks the box's pixels as a previous screen content would, then
    // repaints it with a background erase.
    void MarkAndRepaint() {
        HDC dc = GetDC(box->Handle());
        RECT all{0, 0, 100, 100};
        HBRUSH marker = CreateSolidBrush(kMarker);
        FillRect(dc, &all, marker);
        DeleteObject(marker);
        ReleaseDC(box->Handle(), dc);
        RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    COLORREF PixelNow() {
        HDC dc = GetDC(box->Handle());
        COLORREF pixel = GetPixel(dc, 50, 50);
        ReleaseDC(box->Handle(), dc);
        return pixel;
    }

    BoxForm* form = nullptr;
    TOpaquePaintBox* box = nullptr;
};

TEST(OpaquePaintBox, ANewBoxIs105SquareInTheWorkspaceColourAndOpaque) {
    BoxForm form(nullptr);
    TOpaquePaintBox& box = form.Create<TOpaquePaintBox>();
    EXPECT_EQ(box.Width(), 105);
    EXPECT_EQ(box.Height(), 105);
    EXPECT_EQ(box.GetColor(), clAppWorkSpace);
    EXPECT_FALSE(box.ParentColor());
    EXPECT_TRUE(box.Opaque());
}

TEST_F(OpaquePaintTest, OpaqueSkipsTheEraseAndOtherwiseTheColourComesBeforeOnPaint) {
    struct Case {
        bool opaque;
        bool handler;
        COLORREF beforeHandler;  // what OnPaint finds
        COLORREF after;          // what the screen shows afterwards
    } cases[] = {
        {true, false, 0, kMarker},
        {false, false, 0, ColorToRGB(clAppWorkSpace)},
        {true, true, kMarker, RGB(1, 2, 3)},
        {false, true, ColorToRGB(clAppWorkSpace), RGB(1, 2, 3)},
    };
    for (const Case& c : cases) {
        box->SetOpaque(c.opaque);
        COLORREF found = 0;
        box->OnPaint = nullptr;
        if (c.handler) {
            box->OnPaint = [&](Component&) {
                Canvas& canvas = box->GetCanvas();
                found = GetPixel(canvas.Handle(), 50, 50);
                canvas.GetBrush().SetColor(RGB(1, 2, 3));
                canvas.FillRect(RECT{0, 0, 100, 100});
            };
        }
        MarkAndRepaint();
        EXPECT_EQ(PixelNow(), c.after) << "opaque " << c.opaque << " handler " << c.handler;
        if (c.handler) {
            EXPECT_EQ(found, c.beforeHandler) << "opaque " << c.opaque;
        }
    }
}

TEST_F(OpaquePaintTest, ChangingOpaqueDoesNotRepaint) {
    UpdateWindow(box->Handle());
    box->SetOpaque(false);
    EXPECT_FALSE(GetUpdateRect(box->Handle(), nullptr, FALSE));
}

TEST_F(OpaquePaintTest, RightDoubleClickFiresMouseDownThenItsOwnEventAndLeftDoubleClickOnlyDblClick) {
    std::vector<std::string> events;
    box->OnMouseDown = [&](Component&, MouseButton button, ShiftState shift, int, int) {
        events.push_back(std::string(button == MouseButton::mbRight ? "down right" : "down left") +
                         ((shift & ssDouble) ? " double" : ""));
    };
    box->OnRightDblClick = [&](Component&) { events.push_back("right double click"); };
    box->OnDblClick = [&](Component&) { events.push_back("double click"); };
    SendMessageA(box->Handle(), WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(events, (std::vector<std::string>{"down right double", "right double click"}));
    events.clear();
    SendMessageA(box->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(events, (std::vector<std::string>{"double click", "down left double"}));
}

TEST_F(OpaquePaintTest, ALeftPressDoesNotCaptureTheMouseButAClickStillFires) {
    int clicks = 0;
    box->OnClick = [&](Component&) { ++clicks; };
    SendMessageA(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_NE(GetCapture(), box->Handle());
    SendMessageA(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
}

}  // namespace
