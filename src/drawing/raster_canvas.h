#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drawing/canvas.h"
#include "drawing/colour.h"

namespace torvane {

// Text sizes of a font where every character takes one cell.
struct FixedTextMetrics {
    int cellWidth = 8;
    int lineHeight = 16;
};

// One call of Text, kept because a raster canvas draws no glyphs.
struct TextCall {
    std::wstring text;
    PixelRect box;
    unsigned flags = 0;
    Colour colour = 0;
};

// A canvas over 32-bit pixels in memory that sets exactly the pixels GDI sets
// on a memory bitmap, so that drawing rules can be checked without Windows,
// and a picture redrawn many times a second can be drawn without GDI's calls.
class RasterCanvas : public Canvas {
public:
    RasterCanvas(int width, int height, Colour background, FixedTextMetrics metrics = {});
    // Over width x height pixels the caller owns, top row first, laid out as
    // a 32-bit device-independent bitmap keeps them (blue in the low byte).
    // The memory is drawn on as it stands: nothing is cleared.
    RasterCanvas(std::uint32_t* bitmapPixels, int width, int height, Colour background);

    int Width() const override { return width_; }
    int Height() const override { return height_; }

    void Clear() override;
    void FillBox(const PixelRect& box, Colour colour) override;
    void FrameBox(const PixelRect& box, Colour colour) override;
    void Line(int x1, int y1, int x2, int y2, Colour colour) override;
    void SetPixel(int x, int y, Colour colour) override;
    Colour GetPixel(int x, int y) const override;
    void FocusRect(const PixelRect& box, Colour textColour) override;
    void Text(const std::wstring& text, const PixelRect& box, unsigned flags, Colour colour) override;
    PixelSize MeasureText(const std::wstring& text, int wrapWidth, unsigned flags) override;
    bool ScrollLeft(int columns) override;
    void SetClip(const PixelRect* box) override;

    // The texts drawn since the last Clear, in order.
    const std::vector<TextCall>& TextCalls() const { return texts_; }

private:
    bool Inside(long long x, long long y) const;
    void Plot(long long x, long long y, Colour colour);
    void Invert(long long x, long long y);
    void FillSpan(long long left, long long top, long long right, long long bottom, Colour colour);
    void SlantedLine(int x1, int y1, int x2, int y2, Colour colour);
    std::uint32_t* Pixels() { return bitmapPixels_ ? bitmapPixels_ : pixels_.data(); }
    const std::uint32_t* Pixels() const { return bitmapPixels_ ? bitmapPixels_ : pixels_.data(); }
    // A colour as the memory holds it, and back.
    std::uint32_t Stored(Colour colour) const;
    Colour Read(std::uint32_t stored) const { return Stored(stored); }

    int width_;
    int height_;
    Colour background_;
    FixedTextMetrics metrics_;
    std::vector<Colour> pixels_;
    // Set when the pixels are the caller's, in bitmap order.
    std::uint32_t* bitmapPixels_ = nullptr;
    // The pixels drawing may change: the whole canvas unless clipped.
    PixelRect clip_;
    std::vector<TextCall> texts_;
};

} // namespace torvane
