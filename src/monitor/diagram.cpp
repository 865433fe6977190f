#include "monitor/diagram.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "monitor/monitor_series.h"
#include "monitor/round_half_even.h"

namespace torvane {

namespace {

// numerator / denominator rounded to the nearest whole number, halves to
// even; denominator > 0.
long long RoundedQuotient(long long numerator, long long denominator)
{
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) {
        --quotient;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

// The first of the lines first, first + spacing, ... that can still show,
// so that a far scrolled offset costs nothing.
long long FirstVisibleLine(long long first, long long spacing)
{
    if (first >= 0)
        return first;
    return first + (-first / spacing) * spacing;
}

// A spacing of 0 (tiny controls) draws the first line once instead of
// looping forever.
template <typename DrawLine>
void DrawLines(long long first, long long last, long long spacing, DrawLine drawLine)
{
    if (spacing <= 0) {
        if (first <= last)
            drawLine(first);
        return;
    }
    for (long long at = FirstVisibleLine(first, spacing); at <= last; at += spacing)
        drawLine(at);
}

// The grid's part in the columns [from, to).
void DrawGrid(Canvas& canvas, const DiagramInput& input, int gridOffset, int from, int to)
{
    const int width = canvas.Width();
    const int height = canvas.Height();
    const Colour colour = input.gridColor;

    const long long first = input.scrollGrid ? gridOffset : 0;
    DrawLines(first, width - 1LL, RoundedQuotient(width - 1LL, 11), [&](long long x) {
        if (x >= from && x < to)
            canvas.Line(static_cast<int>(x), 0, static_cast<int>(x), height, colour);
    });
    DrawLines(0, height - 1LL, RoundedQuotient(height - 1LL, 6), [&](long long y) {
        canvas.Line(from, static_cast<int>(y), to, static_cast<int>(y), colour);
    });
    canvas.FrameBox({0, 0, width, height}, colour);
}

// Once the offset has moved a whole width to the left the pattern starts
// again, whether or not it scrolls.
void WrapGridOffset(int width, int& gridOffset)
{
    if (gridOffset <= 1LL - width)
        gridOffset = 0;
}

// The row of a level: 0 at the bottom edge (just below the image), 100 at
// the top row. False when the level is not a number or lands absurdly far
// away, so that step is left out.
bool PageRowOf(float level, int height, int& row)
{
    if (!std::isfinite(level))
        return false;
    const double rounded = RoundHalfEven(height - static_cast<double>(level) / 100.0 * height);
    if (!(std::fabs(rounded) <= kDiagramRowLimit))
        return false;
    row = static_cast<int>(rounded);
    return true;
}

using LevelField = float SystemLevels::*;

class SeriesPainter {
public:
    SeriesPainter(Canvas& canvas, const std::vector<SystemLevels>& history, LevelField field)
        : canvas_(canvas), history_(history), field_(field), height_(canvas.Height())
    {
    }

    // One step at column x in the given style; a step that needs a column
    // outside the history or an unusable level is skipped.
    void Step(long long x, int style, Colour colour) const
    {
        int row = 0;
        if (!Row(x, row))
            return;
        const int column = static_cast<int>(x);
        int nextRow = 0;
        switch (style) {
        case 0:
            if (Row(x + 1, nextRow))
                canvas_.Line(column, row, column + 1, nextRow, colour);
            break;
        case 1:
            canvas_.SetPixel(column + 1, row, colour);
            break;
        case 2:
            canvas_.Line(column, row, column, height_, colour);
            break;
        default:
            break;
        }
    }

    bool Row(long long index, int& row) const
    {
        if (index < 0 || index >= static_cast<long long>(history_.size()))
            return false;
        return PageRowOf(history_[static_cast<std::size_t>(index)].*field_, height_, row);
    }

private:
    Canvas& canvas_;
    const std::vector<SystemLevels>& history_;
    LevelField field_;
    int height_;
};

// The line style as runs of joined segments: the same pixels as one segment
// per step, in one call per run. An unusable level ends a run.
void DrawLineSeries(Canvas& canvas, const SeriesPainter& painter, long long first, long long last, Colour colour)
{
    std::vector<CanvasPoint> run;
    if (last >= first)
        run.reserve(static_cast<std::size_t>(last - first + 2));
    const auto flush = [&] {
        if (run.size() >= 2)
            canvas.Polyline(run, colour);
        run.clear();
    };
    // Each step's end is the next step's start: its row is worked out once.
    int row = 0;
    bool usable = painter.Row(first, row);
    for (long long x = first; x <= last; ++x) {
        int nextRow = 0;
        const bool nextUsable = painter.Row(x + 1, nextRow);
        if (usable && nextUsable) {
            if (run.empty())
                run.push_back({static_cast<int>(x), row});
            run.push_back({static_cast<int>(x) + 1, nextRow});
        } else {
            flush();
        }
        row = nextRow;
        usable = nextUsable;
    }
    flush();
}

// The steps that reach the columns [from, to): step x draws in columns x
// and x + 1.
void DrawSeries(Canvas& canvas, const DiagramInput& input, int index, int from, int to)
{
    const SeriesPainter painter(canvas, *input.history, kMonitorSeries[index].level);
    // Columns before unfilledColumns hold no measurement yet, so until the
    // first tick (unfilledColumns = S - 1) nothing shows. Columns left of 0
    // lie outside the history: their steps would all be skipped.
    const long long first = std::max<long long>({input.unfilledColumns, 0, from - 1LL});
    const long long last = std::min<long long>(canvas.Width() - 2LL, to - 1LL);
    if (input.diagramStyle == 0) {
        DrawLineSeries(canvas, painter, first, last, input.series[index].colour);
        return;
    }
    for (long long x = first; x <= last; ++x)
        painter.Step(x, input.diagramStyle, input.series[index].colour);
}

// The columns [from, to) as a whole redraw leaves them, given a clip to them
// where they are not the whole picture.
void DrawColumns(Canvas& canvas, const DiagramInput& input, int gridOffset, int from, int to)
{
    canvas.FillBox({from, 0, to, canvas.Height()}, input.backColor);
    if (input.displayGrid)
        DrawGrid(canvas, input, gridOffset, from, to);
    if (!input.runMode || input.history == nullptr)
        return;
    if (input.diagramStyle < 0 || input.diagramStyle > 2)
        return;
    for (int index = 0; index < 5; ++index)
        if (input.series[index].displayed)
            DrawSeries(canvas, input, index, from, to);
}

} // namespace

void DrawDiagram(Canvas& canvas, const DiagramInput& input, int& gridOffset)
{
    DrawColumns(canvas, input, gridOffset, 0, canvas.Width());
    if (input.displayGrid)
        WrapGridOffset(canvas.Width(), gridOffset);
}

void ScrollDiagram(Canvas& canvas, const DiagramInput& input, int& gridOffset)
{
    const int width = canvas.Width();
    const int height = canvas.Height();
    if (width < 4 || !canvas.ScrollLeft(1)) {
        DrawDiagram(canvas, input, gridOffset);
        return;
    }
    // The left edge gets its frame back. The right two get the newest step,
    // the frame's edge, and the point that ended the line before: a line
    // leaves out its last pixel, which the new step now starts from.
    const PixelRect strips[] = {{0, 0, 1, height}, {width - 2, 0, width, height}};
    for (const PixelRect& strip : strips) {
        canvas.SetClip(&strip);
        DrawColumns(canvas, input, gridOffset, strip.left, strip.right);
    }
    canvas.SetClip(nullptr);
    if (input.displayGrid)
        WrapGridOffset(width, gridOffset);
}

bool SameLook(const DiagramInput& a, const DiagramInput& b)
{
    for (int i = 0; i < 5; ++i)
        if (a.series[i].displayed != b.series[i].displayed || a.series[i].colour != b.series[i].colour)
            return false;
    return a.backColor == b.backColor && a.displayGrid == b.displayGrid && a.gridColor == b.gridColor &&
           a.scrollGrid == b.scrollGrid && a.diagramStyle == b.diagramStyle && a.runMode == b.runMode;
}

} // namespace torvane
