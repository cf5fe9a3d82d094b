#include "platform/Control.h"

#include "platform/Form.h"
#include "platform/WinControl.h"

namespace platform {

ShiftState ShiftFromMouseKeys(WPARAM keys) {
    ShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

ShiftState ShiftFromKeyboard() {
    ShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

Control::Control(Component* owner) : Component(owner) {}

Control::~Control() {
    if (parent_) parent_->RemoveControl(*this);
}

void Control::SetParent(WinControl* parent) {
    if (parent == parent_) return;
    if (parent_) {
        Invalidate();
        parent_->RemoveControl(*this);
    }
    parent_ = parent;
    if (parent_) {
        parent_->InsertControl(*this);
        if (align_ != Align::alNone) parent_->AlignControls();
        Invalidate();
    }
}

Form* Control::ParentForm() const {
    for (Control* at = const_cast<Control*>(this); at; at = at->parent_)
        if (auto* form = dynamic_cast<Form*>(at)) return form;
    return nullptr;
}

void Control::SetBounds(int left, int top, int width, int height) {
    Invalidate();
    bounds_ = RECT{left, top, left + width, top + height};
    Invalidate();
}

void Control::SetAlign(Align align) {
    align_ = align;
    if (parent_) parent_->AlignControls();
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    Invalidate();
    visible_ = visible;
    Invalidate();
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Invalidate();
}

void Control::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    CaptionChanged();
}

Color Control::GetColor() const {
    return parentColor_ && parent_ ? parent_->GetColor() : color_;
}

void Control::SetColor(Color color) {
    color_ = color;
    parentColor_ = false;
    ColorChanged();
}

void Control::SetParentColor(bool value) {
    parentColor_ = value;
    ColorChanged();
}

void Control::ParentColorChanged() {
    if (parentColor_) ColorChanged();
}

const Font& Control::GetFont() const {
    return parentFont_ && parent_ ? parent_->GetFont() : font_;
}

void Control::SetFont(const FontAttributes& attributes) {
    font_.Assign(attributes);
    parentFont_ = false;
    FontChanged();
}

void Control::SetParentFont(bool value) {
    if (!value && parentFont_) font_.Assign(GetFont().Attributes());  // keeps the look
    parentFont_ = value;
    FontChanged();
}

void Control::ParentFontChanged() {
    if (parentFont_) FontChanged();
}

void Control::Invalidate() {
    if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
    InvalidateRect(parent_->Handle(), &bounds_, TRUE);
}

bool Control::MouseCapture() const { return parent_ && parent_->captureControl_ == this; }

void Control::SetMouseCapture(bool capture) {
    if (!parent_) return;
    if (capture) {
        parent_->captureControl_ = this;
        SetCapture(parent_->Handle());
    } else if (parent_->captureControl_ == this) {
        parent_->captureControl_ = nullptr;
        if (GetCapture() == parent_->Handle()) ReleaseCapture();
    }
}

void Control::MouseDownMessage(MouseButton button, ShiftState shift, int x, int y, bool doubleClick) {
    if (doubleClick && !(style_ & csDoubleClicks)) doubleClick = false;
    if (button == MouseButton::mbLeft) {
        if (style_ & csCaptureMouse) SetMouseCapture(true);
        if ((style_ & csClickEvents) && !doubleClick) clicked_ = true;
        if (doubleClick && (style_ & csClickEvents)) DblClick();
    }
    if (!(style_ & csNoStdEvents)) MouseDown(button, doubleClick ? shift | ssDouble : shift, x, y);
}

void Control::MouseUpMessage(MouseButton button, ShiftState shift, int x, int y) {
    if (button == MouseButton::mbLeft) {
        if (style_ & csCaptureMouse) SetMouseCapture(false);
        if (clicked_) {
            clicked_ = false;
            if (x >= 0 && y >= 0 && x < ClientWidth() && y < ClientHeight()) Click();
        }
    }
    if (!(style_ & csNoStdEvents)) MouseUp(button, shift, x, y);
}

void Control::MouseMoveMessage(ShiftState shift, int x, int y) {
    if (!(style_ & csNoStdEvents)) MouseMove(shift, x, y);
}

void Control::Click() {
    if (OnClick) OnClick(*this);
}

void Control::DblClick() {
    if (OnDblClick) OnDblClick(*this);
}

void Control::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void Control::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void Control::MouseMove(ShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void GraphicControl::PaintOn(HDC dc) {
    // The lock saves the context first, so the clip and origin go with it.
    CanvasLock lock(canvas_, dc);
    IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
    OffsetViewportOrgEx(dc, Left(), Top(), nullptr);
    canvas_.SetFont(GetFont().Attributes());
    Paint();
}

}  // namespace platform
