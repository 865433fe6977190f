#pragma once

#include "drawing/canvas.h"
#include "drawing/colour.h"

namespace torvane {

// The button's drawing primitives. W and H are the canvas size; boxes are
// given by origin and size.

// A filled box, or only its one-pixel outline.
void DrawBox(Canvas& canvas, int x, int y, int width, int height, Colour colour, bool outlineOnly);
// From (x1, y1) up to, not including, (x2, y2).
void DrawLine(Canvas& canvas, int x1, int y1, int x2, int y2, Colour colour);
void PutPixel(Canvas& canvas, int x, int y, Colour colour);
// A one-pixel frame round the canvas whose corners are cut diagonally, with a
// pixel of cornerColour inside each cut.
void DrawRoundFrame(Canvas& canvas, Colour lineColour, Colour cornerColour);
// The dotted focus rectangle over (2, 2, W - 2, H - 2).
void DrawFocusCue(Canvas& canvas, Colour textColour);
// Each channel moved by its delta and held within 0 and the ceiling's channel.
Colour AddColorClamped(Colour colour, int redDelta, int greenDelta, int blueDelta, Colour ceiling);

} // namespace torvane
