// Windowless controls on a windowed parent: painted after the parent's own
// painting, fed with the mouse input that falls on them.
#include "platform/Application.h"
#include "platform/Form.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

class Surface : public CustomControl {
public:
    using CustomControl::CustomControl;
    std::string ClassName() const override { return "TSurface"; }

protected:
    void Paint() override {
        GetCanvas().GetBrush().SetColor(RGB(255, 0, 0));
        GetCanvas().FillRect(RECT{0, 0, Width(), Height()});
    }
};

class Spot : public GraphicControl {
public:
    using GraphicControl::GraphicControl;
    std::string ClassName() const override { return "TSpot"; }
    std::vector<std::string> events;

protected:
    void Paint() override {
        // Drawn at the spot's own origin.
        GetCanvas().GetBrush().SetColor(RGB(0, 0, 255));
        GetCanvas().FillRect(RECT{0, 0, 10, 10});
    }
    void MouseDown(MouseButton, ShiftState, int x, int y) override { Record("down", x, y); }
    void MouseMove(ShiftState, int x, int y) override { Record("move", x, y); }
    void MouseUp(MouseButton, ShiftState, int x, int y) override { Record("up", x, y); }
    void Click() override { events.push_back("click"); }

private:
    void Record(const char* what, int x, int y) {
        events.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

class HostForm : public Form {
public:
    using Form::Form;
    std::string ClassName() const override { return "THostForm"; }
};

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application::Instance().Initialize();
        form = &Application::Instance().CreateForm<HostForm>();
        form->SetClientSize(200, 200);
        surface = &form->Create<Surface>();
        surface->SetBounds(0, 0, 100, 100);
        surface->SetParent(form);
        spot = &form->Create<Spot>();
        spot->SetBounds(40, 40, 20, 20);
        spot->SetParent(surface);
        form->Show();
        UpdateWindow(form->Handle());
    }
    void TearDown() override { Application::Instance().Shutdown(); }

    HostForm* form = nullptr;
    Surface* surface = nullptr;
    Spot* spot = nullptr;
};

TEST_F(ControlTest, AWindowlessChildIsPaintedAfterItsParentAtItsOwnOrigin) {
    HDC dc = GetDC(surface->Handle());
    EXPECT_EQ(GetPixel(dc, 45, 45), RGB(0, 0, 255));  // spot over the surface
    EXPECT_EQ(GetPixel(dc, 55, 55), RGB(255, 0, 0));  // the spot drew only 10x10
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
    ReleaseDC(surface->Handle(), dc);
}

TEST_F(ControlTest, MouseInputOnAWindowlessChildReachesItAndStaysWithItWhileHeld) {
    HWND window = surface->Handle();
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // not on the spot
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 46));
    EXPECT_TRUE(spot->MouseCapture());
    EXPECT_EQ(GetCapture(), window);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(90, 90));  // off the spot, still its
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(90, 90));           // released outside: no click
    EXPECT_FALSE(spot->MouseCapture());
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(41, 41));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(42, 42));
    EXPECT_EQ(spot->events, (std::vector<std::string>{"down 5,6", "move 50,50", "up 50,50", "down 1,1", "click",
                                                      "up 2,2"}));
}

}  // namespace
