#pragma once

#include "drawing/canvas.h"

namespace torvane {

// Torvane's own chrome artwork, drawn in code at any pixel size so that it
// stays crisp at every DPI. Each function paints the whole canvas.

// The caption bar along the top of the main window.
void DrawCaptionBar(Canvas& canvas);

// The first column right of the caption bar's lightning mark, where the
// product name can start, for a bar barHeight pixels high.
int CaptionMarkRight(int barHeight);

enum class WindowButton { Minimise, Close };
// state: 0 resting, 1 hover, 2 pressed. The resting face continues the
// caption bar behind it, taken as a bar 20/11 of the button's height with
// the button at its top.
void DrawWindowButton(Canvas& canvas, WindowButton button, int state);
// The same for a button whose top row is row barTop of a bar barHeight high.
void DrawWindowButton(Canvas& canvas, WindowButton button, int state, int barTop, int barHeight);

// A tab of the left column; selected tabs are highlighted.
void DrawTab(Canvas& canvas, bool selected);

// The accent that marks a heading of the settings page.
void DrawHeadingAccent(Canvas& canvas);

} // namespace torvane
