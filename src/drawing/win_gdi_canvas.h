#pragma once

#include <windows.h>

#include <cstdint>

#include "drawing/canvas.h"
#include "platform/win_handles.h"

namespace torvane {

// The control's persistent picture: a memory DC holding a 32-bit bitmap of
// the control's size, blitted to the window on WM_PAINT. Every brush or pen a
// call needs is gone when the call returns.
class GdiCanvas final : public Canvas {
public:
    GdiCanvas(int width, int height, Colour background);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    // A new, cleared bitmap of the new size; the old one is deleted.
    void Resize(int width, int height);
    void SetBackground(Colour background) { background_ = background; }
    // The caption font; owned by the caller, who keeps it alive while set.
    void SetFont(HFONT font) { font_ = font; }
    HDC Dc() const { return dc_.get(); }
    // The bitmap's pixels, top row first, blue in the low byte; nullptr
    // without a bitmap. Writing them directly comes after a GdiFlush.
    std::uint32_t* Bits() const { return bits_; }

    int Width() const override { return width_; }
    int Height() const override { return height_; }

    void Clear() override;
    void FillBox(const PixelRect& box, Colour colour) override;
    void FrameBox(const PixelRect& box, Colour colour) override;
    void Line(int x1, int y1, int x2, int y2, Colour colour) override;
    void Polyline(const std::vector<CanvasPoint>& points, Colour colour) override;
    void SetPixel(int x, int y, Colour colour) override;
    Colour GetPixel(int x, int y) const override;
    void FocusRect(const PixelRect& box, Colour textColour) override;
    void Text(const std::wstring& text, const PixelRect& box, unsigned flags, Colour colour) override;
    PixelSize MeasureText(const std::wstring& text, int wrapWidth, unsigned flags) override;
    bool ScrollLeft(int columns) override;
    void SetClip(const PixelRect* box) override;

private:
    MemoryDc dc_;
    // The DC's own bitmap, selected back before ours is deleted.
    HGDIOBJ originalBitmap_ = nullptr;
    ScopedGdiObject<HBITMAP> bitmap_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    Colour background_;
    HFONT font_ = nullptr;
};

} // namespace torvane
