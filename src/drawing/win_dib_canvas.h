#pragma once

#include <windows.h>

#include "drawing/raster_canvas.h"
#include "drawing/win_gdi_canvas.h"

namespace torvane {

// A picture drawn over and over: the same memory bitmap as GdiCanvas, but
// fills, lines and the move to the left write its pixels directly, by the
// raster canvas's rules, which set the pixels GDI sets. One step of the
// monitor's diagram is some hundred and fifty of them, and each GDI call is
// a trip into the system (under Wine, into its Unix side); here they cost a
// few stores. Text and the focus rectangle still go through GDI.
class DibCanvas final : public Canvas {
public:
    DibCanvas(int width, int height, Colour background);

    // A new, cleared bitmap of the new size; the old one is deleted.
    void Resize(int width, int height);
    void SetBackground(Colour background);
    HDC Dc() const { return gdi_.Dc(); }

    int Width() const override { return gdi_.Width(); }
    int Height() const override { return gdi_.Height(); }

    void Clear() override;
    void FillBox(const PixelRect& box, Colour colour) override { raster_.FillBox(box, colour); }
    void FrameBox(const PixelRect& box, Colour colour) override { raster_.FrameBox(box, colour); }
    void Line(int x1, int y1, int x2, int y2, Colour colour) override { raster_.Line(x1, y1, x2, y2, colour); }
    void SetPixel(int x, int y, Colour colour) override { raster_.SetPixel(x, y, colour); }
    Colour GetPixel(int x, int y) const override { return raster_.GetPixel(x, y); }
    void FocusRect(const PixelRect& box, Colour textColour) override;
    void Text(const std::wstring& text, const PixelRect& box, unsigned flags, Colour colour) override;
    PixelSize MeasureText(const std::wstring& text, int wrapWidth, unsigned flags) override
    {
        return gdi_.MeasureText(text, wrapWidth, flags);
    }
    bool ScrollLeft(int columns) override { return raster_.ScrollLeft(columns); }
    void SetClip(const PixelRect* box) override;

private:
    GdiCanvas gdi_;
    Colour background_;
    // Over gdi_'s bitmap.
    RasterCanvas raster_;
};

} // namespace torvane
