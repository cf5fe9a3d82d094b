#include "platform/StdCtrls.h"

#include "platform/Form.h"

namespace platform {

Button::Button(Component* owner) : WinControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    // The system button presses itself and reports the click.
    SetControlStyle(csSetCaption | csDoubleClicks);
}

void Button::CreateParams(platform::CreateParams& params) {
    WinControl::CreateParams(params);
    params.className = "BUTTON";
    params.systemClass = true;
    params.style |= active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    // The modal result doubles as the control id, so IDOK is the OK button.
    params.id = modalResult_;
}

void Button::SetDefault(bool value) {
    default_ = value;
    SetActive(value);
}

void Button::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, active ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::CommandNotify(WORD code) {
    if (code == BN_CLICKED) Click();
}

void Button::Click() {
    WinControl::Click();
    if (modalResult_ != mrNone)
        if (Form* form = ParentForm()) form->SetModalResult(modalResult_);
}

CheckBox::CheckBox(Component* owner) : WinControl(owner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    SetControlStyle(csSetCaption | csDoubleClicks);
}

void CheckBox::CreateParams(platform::CreateParams& params) {
    WinControl::CreateParams(params);
    params.className = "BUTTON";
    params.systemClass = true;
    params.style |= BS_AUTOCHECKBOX;
}

void CheckBox::HandleCreated() { SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

bool CheckBox::Checked() const {
    if (!HandleAllocated()) return checked_;
    return SendMessageA(const_cast<CheckBox*>(this)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool value) {
    checked_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::CommandNotify(WORD code) {
    if (code != BN_CLICKED) return;
    checked_ = Checked();
    Click();
}

GroupBox::GroupBox(Component* owner) : CustomControl(owner) {
    SetBounds(0, 0, 185, 105);
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
}

void GroupBox::CreateParams(platform::CreateParams& params) {
    CustomControl::CreateParams(params);
    params.exStyle |= WS_EX_CONTROLPARENT;
}

void GroupBox::Paint() {
    Canvas& canvas = GetCanvas();
    int textHeight = canvas.TextExtent("0").cy;
    // An etched frame whose top line runs through the middle of the caption.
    RECT frame{0, textHeight / 2 - 1, Width(), Height()};
    DrawEdge(canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty()) return;
    RECT text{8, 0, 8, textHeight};
    canvas.GetBrush().SetColor(GetColor());
    canvas.DrawText(Caption(), text, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX | DT_CALCRECT);
    canvas.DrawText(Caption(), text, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
}

Label::Label(Component* owner) : GraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void Label::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void Label::Paint() {
    Canvas& canvas = GetCanvas();
    RECT area{0, 0, Width(), Height()};
    canvas.GetBrush().SetColor(GetColor());
    canvas.FillRect(area);
    UINT format = DT_EXPANDTABS | DT_NOPREFIX;
    if (alignment_ == Alignment::taCenter) format |= DT_CENTER;
    else if (alignment_ == Alignment::taRightJustify) format |= DT_RIGHT;
    canvas.GetBrush().style = BrushStyle::bsClear;
    canvas.DrawText(Caption(), area, format);
}

}  // namespace platform
