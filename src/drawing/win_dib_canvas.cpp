#include "drawing/win_dib_canvas.h"

namespace torvane {

DibCanvas::DibCanvas(int width, int height, Colour background)
    : gdi_(width, height, background), background_(background),
      raster_(gdi_.Bits(), gdi_.Width(), gdi_.Height(), background)
{
    GdiFlush();
}

void DibCanvas::Resize(int width, int height)
{
    gdi_.Resize(width, height);
    // GDI may still hold the clearing back; the pixels are written next.
    GdiFlush();
    raster_ = RasterCanvas(gdi_.Bits(), gdi_.Width(), gdi_.Height(), background_);
}

void DibCanvas::SetBackground(Colour background)
{
    background_ = background;
    gdi_.SetBackground(background);
}

void DibCanvas::Clear()
{
    raster_.FillBox({0, 0, Width(), Height()}, background_);
}

void DibCanvas::FocusRect(const PixelRect& box, Colour textColour)
{
    gdi_.FocusRect(box, textColour);
    GdiFlush();
}

void DibCanvas::Text(const std::wstring& text, const PixelRect& box, unsigned flags, Colour colour)
{
    gdi_.Text(text, box, flags, colour);
    GdiFlush();
}

void DibCanvas::SetClip(const PixelRect* box)
{
    gdi_.SetClip(box);
    raster_.SetClip(box);
}

} // namespace torvane
