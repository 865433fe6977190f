#pragma once

#include "drawing/canvas.h"
#include "drawing/colour.h"

namespace torvane {

// The button faces. Each draws rows from x = 1 up to, not including, W - 1.
// Percent is where a two-part face changes from its first to its second
// part, in percent of the height; values outside 0..100 count as the nearer
// end.

// Rows from fromRow to toRow, stepping by step (+1 or -1; no rows when toRow
// lies behind fromRow): each row first moves the colour 1/(H - 5) of the way
// from start to white, so the last rows of a run of H - 2 are white. Draws
// nothing when H <= 5.
void DrawFadeToWhite(Canvas& canvas, Colour start, int fromRow, int toRow, int step);

// Two-part gradient: above the split the colour moves from first toward
// second going up, below it likewise going down, with a white-to-second
// highlight on rows 1 and 2 and a frame round it. Flat: a plain face in
// first inside the frame.
void DrawSplitGradient(Canvas& canvas, Colour first, Colour frameColour, Colour second, int percent, bool flat);

// Glossy two-part gradient with light inner lines and a frame round it.
void DrawGlossGradient(Canvas& canvas, Colour first, Colour frameColour, Colour second, int percent);

} // namespace torvane
