#include "controls/OpaquePaint.h"

using namespace platform;

TOpaquePaintBox::TOpaquePaintBox(Component* owner) : CustomControl(owner) {
    SetBounds(0, 0, 105, 105);
    SetColor(clAppWorkSpace);  // also turns ParentColor off
}

void TOpaquePaintBox::CreateParams(platform::CreateParams& params) {
    // The default capture on a press and the caption-follows-name flag go.
    SetControlStyle(csAcceptsControls | csClickEvents | csDoubleClicks);
    CustomControl::CreateParams(params);
}

void TOpaquePaintBox::Paint() {
    // The canvas has the box's font already (CustomControl::PaintWindow).
    GetCanvas().GetBrush().SetColor(GetColor());
    if (OnPaint) OnPaint(*this);
}

LRESULT TOpaquePaintBox::EraseBackground(HDC dc) {
    if (!opaque_) return CustomControl::EraseBackground(dc);
    // Handled without drawing: what is on the screen stays until Paint covers it.
    return 0;
}

void TOpaquePaintBox::WndProc(Message& message) {
    CustomControl::WndProc(message);
    if (message.msg == WM_RBUTTONDBLCLK && OnRightDblClick) OnRightDblClick(*this);
}
