#pragma once
// Colours, fonts and a canvas over GDI. A Canvas keeps its pen, brush and font
// settings between uses and is attached to a device context only while it
// draws (CanvasLock); detaching restores the context exactly as it was.

#include "platform/Handle.h"

#include <cstdint>
#include <string>

namespace platform {

// An RGB colour (0x00BBGGRR) or, with the top byte 0xFF, a system colour index.
using Color = std::uint32_t;

constexpr Color clSystemColor = 0xFF000000u;
constexpr Color clScrollBar = clSystemColor | COLOR_SCROLLBAR;
constexpr Color clBackground = clSystemColor | COLOR_BACKGROUND;
constexpr Color clWindow = clSystemColor | COLOR_WINDOW;
constexpr Color clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr Color clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
constexpr Color clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE;
constexpr Color clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr Color clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr Color clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr Color clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr Color clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr Color clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr Color clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr Color clBlack = 0x000000;
constexpr Color clWhite = 0xFFFFFF;

// The RGB value of a colour; system colours are looked up now.
COLORREF ColorToRGB(Color color);

struct FontAttributes {
    BYTE charset = DEFAULT_CHARSET;
    int height = -11;  // negative: character height in pixels, as in LOGFONT
    std::string face;  // in the system code page
    Color color = clWindowText;
    bool bold = false;

    bool operator==(const FontAttributes&) const = default;
};

// A font description with the GDI font made from it on demand.
class Font {
public:
    Font() = default;
    explicit Font(FontAttributes attributes) : attributes_(std::move(attributes)) {}

    const FontAttributes& Attributes() const noexcept { return attributes_; }
    void Assign(const FontAttributes& attributes);
    HFONT Handle() const;

private:
    FontAttributes attributes_;
    mutable FontHandle handle_;
    mutable FontAttributes madeFrom_;
};

enum class PenStyle { psSolid, psDash, psDot, psClear, psInsideFrame };
enum class BrushStyle { bsSolid, bsClear };

struct Pen {
    PenStyle style = PenStyle::psSolid;
    int width = 1;
    Color color = clBlack;
    bool operator==(const Pen&) const = default;
};

struct Brush {
    BrushStyle style = BrushStyle::bsSolid;
    Color color = clWhite;
    bool operator==(const Brush&) const = default;
    // Setting a colour makes a clear brush solid again.
    void SetColor(Color value) {
        color = value;
        style = BrushStyle::bsSolid;
    }
};

class Canvas {
public:
    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    // Settings; they take effect at the next drawing call.
    Pen& GetPen() noexcept { return pen_; }
    Brush& GetBrush() noexcept { return brush_; }
    void SetFont(const FontAttributes& attributes) { font_.Assign(attributes); }
    const FontAttributes& GetFont() const noexcept { return font_.Attributes(); }

    HDC Handle() const noexcept { return dc_; }
    bool Attached() const noexcept { return dc_ != nullptr; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // Outline with the pen, inside filled with the brush (unless clear).
    void Rectangle(int left, int top, int right, int bottom);
    void FillRect(const RECT& rect);  // the brush only
    void FrameRect(const RECT& rect);  // one-pixel frame in the brush colour
    // Text drawn with the canvas font; the brush fills behind it unless clear.
    void TextOut(int x, int y, const std::string& text);
    int DrawText(const std::string& text, RECT& rect, UINT format);
    SIZE TextExtent(const std::string& text);

private:
    friend class CanvasLock;
    void Attach(HDC dc);
    void Detach() noexcept;
    void UsePen();
    void UseBrush();
    void UseFont();

    HDC dc_ = nullptr;
    int savedState_ = 0;
    Pen pen_;
    Brush brush_;
    Font font_;
    PenHandle penHandle_;
    Pen penMade_;
    BrushHandle brushHandle_;
    Brush brushMade_;
};

// Attaches a canvas to a device context for the lifetime of the lock.
class CanvasLock {
public:
    CanvasLock(Canvas& canvas, HDC dc) : canvas_(canvas) { canvas_.Attach(dc); }
    ~CanvasLock() { canvas_.Detach(); }
    CanvasLock(const CanvasLock&) = delete;
    CanvasLock& operator=(const CanvasLock&) = delete;

private:
    Canvas& canvas_;
};

}  // namespace platform
