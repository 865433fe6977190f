#pragma once

#include "drawing/canvas.h"
#include "controls/command.h"

namespace torvane {

// Repaints the whole button for state 0 (up) or 2 (down) in its drawing
// style. Without force a paint whose caption and state are those of the last
// paint is skipped; a button of height 0 is never painted. The canvas gives
// W and H and must be at the control's size. isDefaultButton: the container
// reports this button as its default one.
void DrawButton(Command& command, Canvas& canvas, int state, bool force, bool isDefaultButton);

// DrawButton in two steps, for a window that paints its picture only when it
// is seen: TakeButtonPaint keeps the state and caption as DrawButton does and
// says whether a paint is due; RenderButton paints the state kept.
bool TakeButtonPaint(Command& command, int state, bool force);
void RenderButton(Command& command, Canvas& canvas, bool isDefaultButton);

} // namespace torvane
