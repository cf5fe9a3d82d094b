#pragma once
// Controls: what every visible piece of a form has (bounds within its parent,
// visibility, caption, colour, font, style flags, mouse handling and events),
// and the windowless kind that its windowed parent paints and feeds with
// mouse input (GraphicControl).

#include "platform/Component.h"
#include "platform/Graphics.h"

#include <windows.h>

namespace platform {

class WinControl;
class Form;

// Control style flags: how the platform treats a control.
enum ControlStyleFlag : unsigned {
    csAcceptsControls = 1u << 0,  // controls placed on it become its children
    csCaptureMouse = 1u << 1,     // holds the mouse while a button is down on it
    csClickEvents = 1u << 2,      // a left press and release on it fire Click
    csDoubleClicks = 1u << 3,     // a double click arrives as one (else as a second press)
    csSetCaption = 1u << 4,       // the caption follows the name until set
    csOpaque = 1u << 5,           // paints its whole area itself
    csFixedHeight = 1u << 6,      // its height is not changed from outside
    csNoStdEvents = 1u << 7,      // mouse input fires no OnMouse events
};
using ControlStyle = unsigned;

enum class MouseButton { mbLeft, mbRight, mbMiddle };

enum ShiftFlag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};
using ShiftState = unsigned;

// The shift state of mouse-message key flags (MK_...), plus Alt from the keyboard.
ShiftState ShiftFromMouseKeys(WPARAM keys);
// The shift state of the keyboard now.
ShiftState ShiftFromKeyboard();

using MouseEvent = std::function<void(Component& sender, MouseButton, ShiftState, int x, int y)>;
using MouseMoveEvent = std::function<void(Component& sender, ShiftState, int x, int y)>;
using KeyEvent = std::function<void(Component& sender, WORD& key, ShiftState)>;

enum class Align { alNone, alClient };

class Control : public Component {
public:
    explicit Control(Component* owner);
    ~Control() override;

    WinControl* Parent() const noexcept { return parent_; }
    // Places the control on a windowed parent (or takes it off with null).
    virtual void SetParent(WinControl* parent);
    // The form the control lies on, or null.
    Form* ParentForm() const;

    int Left() const noexcept { return bounds_.left; }
    int Top() const noexcept { return bounds_.top; }
    int Width() const noexcept { return bounds_.right - bounds_.left; }
    int Height() const noexcept { return bounds_.bottom - bounds_.top; }
    RECT BoundsRect() const noexcept { return bounds_; }
    // Moves the control at once; the position is relative to the parent's
    // client area (to the screen for forms).
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }
    void SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }
    void SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }
    void SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }
    virtual int ClientWidth() const { return Width(); }
    virtual int ClientHeight() const { return Height(); }

    Align GetAlign() const noexcept { return align_; }
    void SetAlign(Align align);

    bool Visible() const noexcept { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const noexcept { return enabled_; }
    virtual void SetEnabled(bool enabled);

    const std::string& Caption() const noexcept { return caption_; }
    virtual void SetCaption(const std::string& caption);

    // The colour in use: the parent's while ParentColor is on.
    Color GetColor() const;
    void SetColor(Color color);  // turns ParentColor off
    bool ParentColor() const noexcept { return parentColor_; }
    void SetParentColor(bool value);

    // The font in use: the parent's while ParentFont is on.
    const Font& GetFont() const;
    void SetFont(const FontAttributes& attributes);  // turns ParentFont off
    bool ParentFont() const noexcept { return parentFont_; }
    void SetParentFont(bool value);

    ControlStyle Style() const noexcept { return style_; }
    void SetControlStyle(ControlStyle style) { style_ = style; }

    // Whether this control holds the mouse (itself or through its parent).
    virtual bool MouseCapture() const;

    virtual void Invalidate();

    // Mouse input as the platform delivers it, in client coordinates. The
    // style flags decide about capture, Click, DblClick and the events.
    void MouseDownMessage(MouseButton button, ShiftState shift, int x, int y, bool doubleClick);
    void MouseUpMessage(MouseButton button, ShiftState shift, int x, int y);
    void MouseMoveMessage(ShiftState shift, int x, int y);

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseMoveEvent OnMouseMove;

    // Handlers; each fires its event.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y);
    virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y);
    virtual void MouseMove(ShiftState shift, int x, int y);

protected:
    virtual void SetMouseCapture(bool capture);
    virtual void ColorChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    virtual void CaptionChanged() { Invalidate(); }
    void ParentColorChanged();
    void ParentFontChanged();
    void SetBoundsField(const RECT& bounds) noexcept { bounds_ = bounds; }

    friend class WinControl;

private:
    WinControl* parent_ = nullptr;
    RECT bounds_{0, 0, 0, 0};
    Align align_ = Align::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    bool clicked_ = false;
    std::string caption_;
    bool parentColor_ = true;
    Color color_ = clBtnFace;
    bool parentFont_ = true;
    Font font_;
    ControlStyle style_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
};

// A control without a window of its own: its parent paints it after its own
// painting and hands it the mouse input that falls on it.
class GraphicControl : public Control {
public:
    using Control::Control;

    // Draws the control on its parent's device context, with the origin moved
    // to the control's corner and output clipped to its bounds.
    void PaintOn(HDC dc);

protected:
    Canvas& GetCanvas() noexcept { return canvas_; }
    virtual void Paint() {}

private:
    Canvas canvas_;
};

}  // namespace platform
