// The background's gradient, rendered into a bitmap by the real paint path.
#include "platform/Application.h"
#include "setup/SetupMain.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint32_t kUntouched = 0x00FF00FF;  // magenta: no band is

std::uint32_t Band(int i) {
    return (static_cast<std::uint32_t>(4 * i) << 16) | (static_cast<std::uint32_t>(4 * i) << 8) |
           static_cast<std::uint32_t>(128 + 2 * i);
}

// The background form's paint box drawn into a 32-bit bitmap of the given
// size, over a bitmap filled with kUntouched. Pixels are 0x00RRGGBB.
class Picture {
public:
    Picture(int width, int height) : width_(width), height_(height) {
        auto& form = platform::Application::Instance().CreateForm<TFormBackground>();
        form.SetBounds(0, 0, width, height);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        auto* pixels = static_cast<std::uint32_t*>(bits);
        std::fill(pixels, pixels + width * height, kUntouched);
        form.OpaquePaintBox1->PaintTo(dc);
        GdiFlush();
        pixels_.assign(pixels, pixels + width * height);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    std::uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    // The rows of column x that hold the colour, as [first, last]; {-1, -1} when none.
    std::pair<int, int> Rows(int x, std::uint32_t color) const {
        int first = -1, last = -1;
        for (int y = 0; y < height_; ++y)
            if (At(x, y) == color) {
                if (first < 0) first = y;
                last = y;
            }
        return {first, last};
    }
    bool Contains(std::uint32_t color) const {
        return std::find(pixels_.begin(), pixels_.end(), color) != pixels_.end();
    }

private:
    int width_, height_;
    std::vector<std::uint32_t> pixels_;
};

class GradientTest : public ::testing::Test {
protected:
    void SetUp() override { platform::Application::Instance().Initialize(); }
    void TearDown() override { platform::Application::Instance().Shutdown(); }
};

TEST_F(GradientTest, SixtyFourBandsCoverTheWholeScreenFromTopToBottom) {
    struct Case {
        int width, height;
        int pen;                     // pen width
        std::vector<int> lines;      // the first band lines, y = i * height div 63
    } cases[] = {
        {1024, 768, 14, {0, 12, 24, 36}},
        {800, 600, 11, {0, 9, 19, 28}},
    };
    for (const Case& c : cases) {
        Picture picture(c.width, c.height);
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        EXPECT_FALSE(picture.Contains(kUntouched)) << "a pixel was left unpainted";
        const int middle = c.width / 2;
        // Each band starts half a pen above its line, overdrawing the band
        // before, and ends where the next one starts.
        for (size_t i = 1; i + 1 < c.lines.size(); ++i) {
            EXPECT_EQ(picture.Rows(middle, Band(static_cast<int>(i))),
                      std::make_pair(c.lines[i] - c.pen / 2, c.lines[i + 1] - c.pen / 2 - 1))
                << "band " << i;
        }
        // The top band lies on y = 0; the bottom band's line is the bottom edge.
        EXPECT_EQ(picture.Rows(middle, Band(0)).first, 0);
        EXPECT_EQ(picture.Rows(middle, Band(63)), std::make_pair(c.height - c.pen / 2, c.height - 1));
        // Every band shows, and its colour spans the full width.
        for (int i = 0; i < 64; ++i) {
            auto rows = picture.Rows(middle, Band(i));
            ASSERT_GE(rows.first, 0) << "band " << i << " is missing";
            EXPECT_EQ(picture.At(0, rows.first), Band(i)) << "band " << i;
            EXPECT_EQ(picture.At(c.width - 1, rows.first), Band(i)) << "band " << i;
        }
    }
}

}  // namespace
