#include "drawing/drawing_primitives.h"

#include <algorithm>

namespace torvane {

void DrawBox(Canvas& canvas, int x, int y, int width, int height, Colour colour, bool outlineOnly)
{
    const PixelRect box{x, y, x + width, y + height};
    if (outlineOnly)
        canvas.FrameBox(box, colour);
    else
        canvas.FillBox(box, colour);
}

void DrawLine(Canvas& canvas, int x1, int y1, int x2, int y2, Colour colour)
{
    canvas.Line(x1, y1, x2, y2, colour);
}

void PutPixel(Canvas& canvas, int x, int y, Colour colour)
{
    canvas.SetPixel(x, y, colour);
}

void DrawRoundFrame(Canvas& canvas, Colour lineColour, Colour cornerColour)
{
    const int w = canvas.Width();
    const int h = canvas.Height();
    DrawLine(canvas, 2, 0, w - 2, 0, lineColour);
    DrawLine(canvas, 2, h - 1, w - 2, h - 1, lineColour);
    DrawLine(canvas, 0, 2, 0, h - 2, lineColour);
    DrawLine(canvas, w - 1, 2, w - 1, h - 2, lineColour);
    PutPixel(canvas, 1, 1, cornerColour);
    PutPixel(canvas, 1, h - 2, cornerColour);
    PutPixel(canvas, w - 2, 1, cornerColour);
    PutPixel(canvas, w - 2, h - 2, cornerColour);
}

void DrawFocusCue(Canvas& canvas, Colour textColour)
{
    canvas.FocusRect({2, 2, canvas.Width() - 2, canvas.Height() - 2}, textColour);
}

Colour AddColorClamped(Colour colour, int redDelta, int greenDelta, int blueDelta, Colour ceiling)
{
    return Rgb(std::clamp(RedOf(colour) + redDelta, 0, RedOf(ceiling)),
               std::clamp(GreenOf(colour) + greenDelta, 0, GreenOf(ceiling)),
               std::clamp(BlueOf(colour) + blueDelta, 0, BlueOf(ceiling)));
}

} // namespace torvane
