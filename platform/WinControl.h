#pragma once
// Windowed controls. Each object is bound to its window through one static
// window procedure (for our own classes from WM_NCCREATE on, for subclassed
// system controls right after creation) that forwards every message to the
// virtual WndProc. That procedure is the one dispatch point: an exception
// from any handler stops there and goes to the application's exception
// handling, never into the system.

#include "platform/Control.h"

#include <vector>

namespace platform {

struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

struct CreateParams {
    std::string className;  // window class; ours unless `systemClass`
    bool systemClass = false;  // a system class ("BUTTON") that we subclass
    std::string caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;  // the parent, or the owner of a top-level window
    int id = 0;             // control id of a child window
};

class WinControl : public Control {
public:
    explicit WinControl(Component* owner);
    ~WinControl() override;
    void BeforeDestruction() override;

    // The window, created on first use (after the parent's).
    HWND Handle();
    bool HandleAllocated() const noexcept { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle() noexcept;
    // Destroys and creates the window anew, so that changed parameters apply.
    void RecreateWnd();

    // The object of one of our windows, or null.
    static WinControl* FromHandle(HWND window) noexcept;

    void SetParent(WinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    void Invalidate() override;
    void Update();  // paints now what is invalid
    bool MouseCapture() const override;

    // Children in the order placed.
    const std::vector<Control*>& Controls() const noexcept { return controls_; }
    // Every focusable windowed control below this one, in tab order.
    std::vector<WinControl*> TabOrderList() const;
    // The visible windowless child at a client point, topmost first.
    Control* GraphicControlAt(POINT point) const;

    int TabOrder() const noexcept { return tabOrder_; }
    void SetTabOrder(int order);
    bool TabStop() const noexcept { return tabStop_; }
    void SetTabStop(bool value);

    bool Focused() const;
    bool CanFocus() const;  // visible and enabled up to the form
    virtual void SetFocus();

    // Draws the control and its windowless children on a device context, as
    // WM_PAINT does (used for printing and for checks on a bitmap).
    void PaintTo(HDC dc);

    NotifyEvent OnEnter;
    NotifyEvent OnExit;
    KeyEvent OnKeyDown;

    virtual void KeyDown(WORD& key, ShiftState shift);

protected:
    virtual void CreateParams(platform::CreateParams& params);
    virtual void CreateWnd();
    virtual void WndProc(Message& message);
    void DefaultHandler(Message& message);

    // Background erase; the result is WM_ERASEBKGND's (non-zero: erased).
    virtual LRESULT EraseBackground(HDC dc);
    // The control's own painting (before its windowless children).
    virtual void PaintWindow(HDC) {}
    void PaintControls(HDC dc);
    // A notification (WM_COMMAND) that this control sent to its parent.
    virtual void CommandNotify(WORD) {}
    // The brush for WM_CTLCOLOR... that this control's window asked its parent for.
    virtual HBRUSH ControlColor(HDC dc);
    virtual void DoEnter();
    virtual void DoExit();
    // The window was created; its children get theirs next.
    virtual void HandleCreated() {}

    void ColorChanged() override;
    void FontChanged() override;
    void CaptionChanged() override;
    void SetMouseCapture(bool capture) override;
    void AlignControls();
    HBRUSH ColorBrush();

    friend class Control;

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static void RegisterWindowClass(const std::string& name);
    void InsertControl(Control& control);
    void RemoveControl(Control& control) noexcept;
    bool RouteMouseToGraphic(Message& message);
    void HandleMouse(Message& message);
    void SyncBoundsFromWindow();

    HWND handle_ = nullptr;
    WNDPROC systemProc_ = nullptr;  // the system class's procedure when subclassed
    std::vector<Control*> controls_;
    std::vector<WinControl*> windowed_;  // the windowed children, in tab order
    Control* captureControl_ = nullptr;  // windowless child that holds the mouse
    int tabOrder_ = -1;
    bool tabStop_ = false;
    BrushHandle colorBrush_;
    Color colorBrushOf_ = 0;
};

// A windowed control that paints itself on a canvas.
class CustomControl : public WinControl {
public:
    using WinControl::WinControl;
    Canvas& GetCanvas() noexcept { return canvas_; }

protected:
    void PaintWindow(HDC dc) override;
    // Draws on GetCanvas(), which is attached to the paint context.
    virtual void Paint() {}

private:
    Canvas canvas_;
};

}  // namespace platform
