#pragma once
// TOpaquePaintBox: a windowed control whose whole picture comes from its
// OnPaint handler. With Opaque on it skips the background erase, so a handler
// that covers the whole area repaints without a flash of background colour.

#include "platform/WinControl.h"

class TOpaquePaintBox : public platform::CustomControl {
public:
    explicit TOpaquePaintBox(platform::Component* owner);
    std::string ClassName() const override { return "TOpaquePaintBox"; }

    // Read at every background erase; changing it repaints nothing.
    bool Opaque() const noexcept { return opaque_; }
    void SetOpaque(bool value) noexcept { opaque_ = value; }

    // Called at the end of every paint; draws on GetCanvas().
    platform::NotifyEvent OnPaint;
    // Called after a right-button double click (after OnMouseDown).
    platform::NotifyEvent OnRightDblClick;

protected:
    void CreateParams(platform::CreateParams& params) override;
    void Paint() override;
    LRESULT EraseBackground(HDC dc) override;
    void WndProc(platform::Message& message) override;

private:
    bool opaque_ = true;
};
