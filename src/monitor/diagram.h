#pragma once

#include <vector>

#include "drawing/canvas.h"
#include "monitor/system_levels.h"

namespace torvane {

// What one redraw of the monitor's diagram needs.
struct DiagramSeries {
    bool displayed = true;
    Colour colour = 0;
};

struct DiagramInput {
    Colour backColor = 0;
    bool displayGrid = true;
    Colour gridColor = 0x008000;
    bool scrollGrid = true;
    int diagramStyle = 0;   // 0 line, 1 dots, 2 bars, other: no series
    bool runMode = true;    // series are drawn only at run time
    // CPU, memory load, page file, virtual memory, disk, in drawing order.
    DiagramSeries series[5];
    const std::vector<SystemLevels>* history = nullptr;
    int unfilledColumns = 0;
};

// Series rows further from the image than this are not drawn: GDI's
// coordinate space ends at 2^27, and no real level lands out there.
constexpr int kDiagramRowLimit = 1 << 27;

// Clears to the background, draws the grid when shown and, at run time, the
// series. gridOffset is the x of the first vertical grid line; the wrap rule
// may set it back to 0.
void DrawDiagram(Canvas& canvas, const DiagramInput& input, int& gridOffset);

// The same picture, drawn from the one before it when the history has moved
// one column to the left since and the grid with it (or the grid is hidden),
// with the same look and size: the picture moves along, and only the columns
// that change are drawn. Far cheaper than a whole redraw, twice a second.
void ScrollDiagram(Canvas& canvas, const DiagramInput& input, int& gridOffset);

// Whether two inputs draw alike apart from the history and the grid's offset.
bool SameLook(const DiagramInput& a, const DiagramInput& b);

} // namespace torvane
