#include "platform/Graphics.h"

#include "platform/Error.h"

namespace platform {

COLORREF ColorToRGB(Color color) {
    if ((color & clSystemColor) == clSystemColor) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0xFFFFFF;
}

void Font::Assign(const FontAttributes& attributes) { attributes_ = attributes; }

HFONT Font::Handle() const {
    if (handle_ && madeFrom_ == attributes_) return handle_.Get();
    LOGFONTA log{};
    log.lfHeight = attributes_.height;
    log.lfWeight = attributes_.bold ? FW_BOLD : FW_NORMAL;
    log.lfCharSet = attributes_.charset;
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = DEFAULT_QUALITY;
    log.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynA(log.lfFaceName, attributes_.face.c_str(), LF_FACESIZE);
    FontHandle made(CreateFontIndirectA(&log));
    if (!made) throw SystemError(GetLastError());
    // A canvas may still have the old font selected; it re-selects before use.
    handle_ = std::move(made);
    madeFrom_ = attributes_;
    return handle_.Get();
}

Canvas::~Canvas() { Detach(); }

void Canvas::Attach(HDC dc) {
    Detach();
    dc_ = dc;
    savedState_ = SaveDC(dc);
    // Nothing of ours is selected into a fresh context yet.
    penHandle_.Reset();
    brushHandle_.Reset();
}

void Canvas::Detach() noexcept {
    if (!dc_) return;
    RestoreDC(dc_, savedState_);
    dc_ = nullptr;
    // Restoring deselected our objects; they may be deleted now.
    penHandle_.Reset();
    brushHandle_.Reset();
}

void Canvas::UsePen() {
    if (penHandle_ && penMade_ == pen_) return;
    int style = PS_SOLID;
    switch (pen_.style) {
        case PenStyle::psSolid: style = PS_SOLID; break;
        case PenStyle::psDash: style = PS_DASH; break;
        case PenStyle::psDot: style = PS_DOT; break;
        case PenStyle::psClear: style = PS_NULL; break;
        case PenStyle::psInsideFrame: style = PS_INSIDEFRAME; break;
    }
    PenHandle made(CreatePen(style, pen_.width, ColorToRGB(pen_.color)));
    if (!made) throw SystemError(GetLastError());
    SelectObject(dc_, made.Get());  // deselects the previous pen before it is deleted
    penHandle_ = std::move(made);
    penMade_ = pen_;
}

void Canvas::UseBrush() {
    if (brushHandle_ && brushMade_ == brush_) return;
    LOGBRUSH log{};
    log.lbStyle = brush_.style == BrushStyle::bsClear ? BS_NULL : BS_SOLID;
    log.lbColor = ColorToRGB(brush_.color);
    BrushHandle made(CreateBrushIndirect(&log));
    if (!made) throw SystemError(GetLastError());
    SelectObject(dc_, made.Get());
    brushHandle_ = std::move(made);
    brushMade_ = brush_;
    SetBkColor(dc_, ColorToRGB(brush_.color));
    SetBkMode(dc_, brush_.style == BrushStyle::bsClear ? TRANSPARENT : OPAQUE);
}

void Canvas::UseFont() {
    SelectObject(dc_, font_.Handle());
    SetTextColor(dc_, ColorToRGB(font_.Attributes().color));
}

void Canvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void Canvas::LineTo(int x, int y) {
    UsePen();
    ::LineTo(dc_, x, y);
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
    UsePen();
    UseBrush();
    ::Rectangle(dc_, left, top, right, bottom);
}

void Canvas::FillRect(const RECT& rect) {
    UseBrush();
    ::FillRect(dc_, &rect, brushHandle_.Get());
}

void Canvas::FrameRect(const RECT& rect) {
    UseBrush();
    ::FrameRect(dc_, &rect, brushHandle_.Get());
}

void Canvas::TextOut(int x, int y, const std::string& text) {
    UseBrush();
    UseFont();
    ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

int Canvas::DrawText(const std::string& text, RECT& rect, UINT format) {
    UseBrush();
    UseFont();
    return ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &rect, format);
}

SIZE Canvas::TextExtent(const std::string& text) {
    UseFont();
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

}  // namespace platform
