#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "drawing/raster_canvas.h"
#include "monitor/diagram.h"
#include "monitor/monitor_value_text.h"
#include "support/marked_pixels.h"

using namespace torvane;

namespace {

constexpr Colour kDiagramBack = Rgb(255, 255, 255);
constexpr Colour kGrid = Rgb(192, 192, 192);
constexpr Colour kCanvasOwn = Rgb(1, 2, 3);
constexpr Colour kSeriesColours[5] = {Rgb(0, 255, 0), Rgb(255, 255, 0), Rgb(255, 0, 0), Rgb(0, 0, 255),
                                      Rgb(255, 128, 255)};

using LevelField = float SystemLevels::*;
constexpr LevelField kFields[5] = {&SystemLevels::CPULoadPercent, &SystemLevels::MemoryLoadPercent,
                                   &SystemLevels::PageFileAvailablePercent,
                                   &SystemLevels::VirtualMemoryAvailablePercent, &SystemLevels::HDAvailablePercent};

DiagramInput GridOnly()
{
    DiagramInput input;
    input.backColor = kDiagramBack;
    input.gridColor = kGrid;
    for (int i = 0; i < 5; ++i)
        input.series[i] = {false, kSeriesColours[i]};
    return input;
}

// Series only, on a bare background, the first series shown.
DiagramInput CpuOnly(const std::vector<SystemLevels>& history, int style, int unfilled)
{
    DiagramInput input = GridOnly();
    input.displayGrid = false;
    input.diagramStyle = style;
    input.history = &history;
    input.unfilledColumns = unfilled;
    input.series[0].displayed = true;
    return input;
}

std::vector<SystemLevels> CpuHistory(const std::vector<float>& levels)
{
    std::vector<SystemLevels> history(levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i)
        history[i].CPULoadPercent = levels[i];
    return history;
}

std::string MarkedOnWhite(const Canvas& canvas, Colour background = kDiagramBack)
{
    return MarkedPixels(canvas, background);
}

std::vector<int> ColumnsIn(const Canvas& canvas, int row, Colour colour)
{
    std::vector<int> columns;
    for (int x = 0; x < canvas.Width(); ++x)
        if (canvas.GetPixel(x, row) == colour)
            columns.push_back(x);
    return columns;
}

std::vector<int> RowsIn(const Canvas& canvas, int column, Colour colour)
{
    std::vector<int> rows;
    for (int y = 0; y < canvas.Height(); ++y)
        if (canvas.GetPixel(column, y) == colour)
            rows.push_back(y);
    return rows;
}

// first, first + step, ... up to last, then the extra (frame) lines.
std::vector<int> Every(int first, int step, int last, std::vector<int> extra = {})
{
    std::vector<int> lines;
    for (int at = first; at <= last; at += step)
        lines.push_back(at);
    for (int at : extra)
        lines.push_back(at);
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

std::string Drawn(int width, int height, const DiagramInput& input, int gridOffset = 0)
{
    RasterCanvas canvas(width, height, kDiagramBack);
    DrawDiagram(canvas, input, gridOffset);
    return MarkedOnWhite(canvas);
}

struct Segment {
    int x1, y1, x2, y2;
};

// What the given primitive lines paint on a bare canvas.
std::string PaintedSegments(int width, int height, const std::vector<Segment>& segments)
{
    RasterCanvas canvas(width, height, kDiagramBack);
    for (const Segment& s : segments)
        canvas.Line(s.x1, s.y1, s.x2, s.y2, kSeriesColours[0]);
    return MarkedOnWhite(canvas);
}

} // namespace

TEST(DiagramGrid, UnscrolledLinesOfTheMainWindowMonitor)
{
    RasterCanvas canvas(361, 73, kCanvasOwn);
    int offset = 0;
    DrawDiagram(canvas, GridOnly(), offset);
    EXPECT_EQ(ColumnsIn(canvas, 5, kGrid), Every(0, 33, 330, {360}));
    EXPECT_EQ(ColumnsIn(canvas, 5, kDiagramBack).size(), 361u - 12u);
    EXPECT_EQ(RowsIn(canvas, 5, kGrid), Every(0, 12, 72));
    EXPECT_EQ(RowsIn(canvas, 360, kGrid).size(), 73u);
    EXPECT_EQ(ColumnsIn(canvas, 72, kGrid).size(), 361u);
    EXPECT_EQ(offset, 0);
}

TEST(DiagramGrid, SpacingRoundsHalvesToEven)
{
    struct Case {
        int width, height, dx, dy;
    };
    // (H - 1) / 6 is a half for H = 4, 10, 16, 22.
    const Case cases[] = {{361, 73, 33, 12}, {100, 16, 9, 2}, {23, 22, 2, 4}, {34, 10, 3, 2}, {45, 28, 4, 4}};
    for (const Case& c : cases) {
        RasterCanvas canvas(c.width, c.height, kDiagramBack);
        int offset = 0;
        DrawDiagram(canvas, GridOnly(), offset);
        EXPECT_EQ(ColumnsIn(canvas, 1, kGrid), Every(0, c.dx, c.width - 1, {c.width - 1}))
            << c.width << "x" << c.height;
        EXPECT_EQ(RowsIn(canvas, 1, kGrid), Every(0, c.dy, c.height - 1, {c.height - 1}))
            << c.width << "x" << c.height;
    }
    // dy = round(0.5) = 0: one line at the top, none between the frame rows.
    RasterCanvas flat(20, 4, kDiagramBack);
    int offset = 0;
    DrawDiagram(flat, GridOnly(), offset);
    EXPECT_EQ(ColumnsIn(flat, 1, kGrid), Every(0, 2, 18, {19}));
    EXPECT_EQ(ColumnsIn(flat, 2, kGrid), Every(0, 2, 18, {19}));
}

TEST(DiagramGrid, ScrollsOnePixelPerTickAndWrapsAfterAWholeWidth)
{
    struct Case {
        int drawnAt, firstVisible;
    };
    const Case cases[] = {{-1, 32}, {-32, 1}, {-33, 0}, {-34, 32}, {-359, 4}, {-360, 3}};
    for (const Case& c : cases) {
        RasterCanvas canvas(361, 73, kDiagramBack);
        int offset = c.drawnAt;
        DrawDiagram(canvas, GridOnly(), offset);
        EXPECT_EQ(ColumnsIn(canvas, 5, kGrid), Every(c.firstVisible, 33, 360, {0, 360})) << c.drawnAt;
        EXPECT_EQ(offset, c.drawnAt == -360 ? 0 : c.drawnAt) << c.drawnAt;
    }

    // The caller lowers the offset before each redraw, as the tick does.
    int offset = 0;
    std::vector<int> drawnAt;
    for (int tick = 0; tick < 722; ++tick) {
        RasterCanvas canvas(361, 73, kDiagramBack);
        --offset;
        drawnAt.push_back(offset);
        DrawDiagram(canvas, GridOnly(), offset);
    }
    EXPECT_EQ(drawnAt[359], -360);
    EXPECT_EQ(drawnAt[360], -1);
    EXPECT_EQ(drawnAt[719], -360);
    EXPECT_EQ(drawnAt[720], -1);
    EXPECT_EQ(offset, -2);
}

TEST(DiagramGrid, FixedGridStaysButTheOffsetStillWraps)
{
    for (const int drawnAt : {-1, -100, -359, -360, -5000}) {
        DiagramInput input = GridOnly();
        input.scrollGrid = false;
        RasterCanvas canvas(361, 73, kDiagramBack);
        int offset = drawnAt;
        DrawDiagram(canvas, input, offset);
        EXPECT_EQ(ColumnsIn(canvas, 5, kGrid), Every(0, 33, 330, {360})) << drawnAt;
        EXPECT_EQ(offset, drawnAt <= -360 ? 0 : drawnAt) << drawnAt;
    }
}

TEST(DiagramGrid, HiddenGridDrawsNothingAndLeavesTheOffset)
{
    DiagramInput input = GridOnly();
    input.displayGrid = false;
    for (const int drawnAt : {0, -360, -5000}) {
        RasterCanvas canvas(40, 20, kCanvasOwn);
        canvas.FillBox({10, 10, 15, 15}, kGrid);
        int offset = drawnAt;
        DrawDiagram(canvas, input, offset);
        EXPECT_EQ(MarkedOnWhite(canvas), "") << drawnAt;
        EXPECT_EQ(offset, drawnAt);
    }
}

TEST(DiagramGrid, TinyHeightsKeepTheVerticalLines)
{
    // dy = round(2 / 6) = 0: the top line once, then the frame.
    RasterCanvas canvas(361, 3, kDiagramBack);
    int offset = 0;
    DrawDiagram(canvas, GridOnly(), offset);
    EXPECT_EQ(ColumnsIn(canvas, 1, kGrid), Every(0, 33, 330, {360}));
    EXPECT_EQ(ColumnsIn(canvas, 0, kGrid).size(), 361u);
    EXPECT_EQ(ColumnsIn(canvas, 2, kGrid).size(), 361u);

    // dx = round(5 / 11) = 0 and dy = 0: only the frame shows.
    EXPECT_EQ(Drawn(6, 3, GridOnly()), PaintedSegments(6, 3, {{0, 0, 6, 0}, {0, 2, 6, 2}, {0, 1, 1, 1}, {5, 1, 6, 1}}));
}

TEST(DiagramGrid, TinySizesEnd)
{
    std::vector<SystemLevels> history(14);
    for (std::size_t i = 0; i < history.size(); ++i)
        for (LevelField field : kFields)
            history[i].*field = static_cast<float>(i * 9 % 101);
    const int sizes[][2] = {{0, 0}, {0, 73}, {361, 0}, {0, 1}, {1, 0}};
    std::vector<std::pair<int, int>> all;
    for (int w = 1; w <= 12; ++w)
        for (int h = 1; h <= 12; ++h)
            all.push_back({w, h});
    for (const auto& s : sizes)
        all.push_back({s[0], s[1]});

    for (const auto& [width, height] : all) {
        for (int style = 0; style <= 3; ++style) {
            for (const bool scroll : {true, false}) {
                for (const int drawnAt : {0, -1, -width, -1000, std::numeric_limits<int>::min()}) {
                    DiagramInput input = GridOnly();
                    input.scrollGrid = scroll;
                    input.diagramStyle = style;
                    input.history = &history;
                    input.unfilledColumns = 0;
                    for (DiagramSeries& series : input.series)
                        series.displayed = true;
                    RasterCanvas canvas(width, height, kDiagramBack);
                    int offset = drawnAt;
                    DrawDiagram(canvas, input, offset);
                    const bool wraps = drawnAt <= 1LL - width;
                    EXPECT_EQ(offset, wraps ? 0 : drawnAt) << width << "x" << height;
                }
            }
        }
        if (width > 0 && height > 0) {
            RasterCanvas canvas(width, height, kDiagramBack);
            int offset = 0;
            DrawDiagram(canvas, GridOnly(), offset);
            EXPECT_EQ(canvas.GetPixel(0, 0), kGrid) << width << "x" << height;
            EXPECT_EQ(canvas.GetPixel(width - 1, height - 1), kGrid) << width << "x" << height;
        }
    }
}

TEST(DiagramSeries, NothingUntilTheFirstTickThenOneStepAtTheRightEdge)
{
    std::vector<SystemLevels> history(362);
    for (SystemLevels& levels : history)
        levels.CPULoadPercent = 50;
    history[359].CPULoadPercent = 0;
    for (const int unfilled : {360, 361, 1000}) {
        for (int style = 0; style <= 2; ++style)
            EXPECT_EQ(Drawn(361, 73, CpuOnly(history, style, unfilled)), "") << unfilled << " " << style;
    }
    // Column 359 still zero, the newest (360) at 50: y = round(36.5) = 36.
    EXPECT_EQ(Drawn(361, 73, CpuOnly(history, 0, 359)), PaintedSegments(361, 73, {{359, 73, 360, 36}}));
    EXPECT_NE(Drawn(361, 73, CpuOnly(history, 0, 359)), "");
    EXPECT_EQ(Drawn(361, 73, CpuOnly(history, 1, 359)), "");
    EXPECT_EQ(Drawn(361, 73, CpuOnly(history, 2, 359)), "");
    history[359].CPULoadPercent = 50;
    EXPECT_EQ(Drawn(361, 73, CpuOnly(history, 1, 359)), "(360,36)");
    EXPECT_EQ(Drawn(361, 73, CpuOnly(history, 2, 359)), PaintedSegments(361, 73, {{359, 36, 359, 73}}));
}

TEST(DiagramSeries, EachStyleDrawsItsSteps)
{
    // H = 10: y = 10 - v / 10. Column 0 is unfilled; column 6 lies past the width.
    const std::vector<SystemLevels> history = CpuHistory({40, 30, 30, 50, 80, 60, 70});
    struct Case {
        int style;
        std::vector<Segment> steps;
    };
    const Case cases[] = {
        {0, {{1, 7, 2, 7}, {2, 7, 3, 5}, {3, 5, 4, 2}, {4, 2, 5, 4}}},
        {1, {{2, 7, 3, 7}, {3, 7, 4, 7}, {4, 5, 5, 5}, {5, 2, 6, 2}}},
        {2, {{1, 7, 1, 10}, {2, 7, 2, 10}, {3, 5, 3, 10}, {4, 2, 4, 10}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Drawn(6, 10, CpuOnly(history, c.style, 1)), PaintedSegments(6, 10, c.steps)) << c.style;
    EXPECT_EQ(Drawn(6, 10, CpuOnly(history, 1, 1)), "(5,2) (4,5) (2,7) (3,7)");
}

TEST(DiagramSeries, OtherStylesAndZeroLevelsShowNothing)
{
    const std::vector<SystemLevels> busy = CpuHistory({40, 30, 30, 50, 80, 60, 70});
    for (const int style : {3, 4, -1, 99})
        EXPECT_EQ(Drawn(6, 10, CpuOnly(busy, style, 0)), "") << style;
    const std::vector<SystemLevels> idle(7);
    for (int style = 0; style <= 2; ++style)
        EXPECT_EQ(Drawn(6, 10, CpuOnly(idle, style, 0)), "") << style;

    DiagramInput withGrid = CpuOnly(busy, 3, 0);
    withGrid.displayGrid = true;
    DiagramInput gridAlone = GridOnly();
    EXPECT_EQ(Drawn(40, 20, withGrid), Drawn(40, 20, gridAlone));
}

TEST(DiagramSeries, LevelsMapToRowsWithHalvesToEven)
{
    struct Case {
        float level;
        std::string dot; // dot style at column 1, from column 0
    };
    // H = 73: 50 -> 36.5 -> 36; 100 -> top row; -1 (a failed reading) and
    // 150 lie outside.
    const Case cases[] = {{50, "(1,36)"}, {100, "(1,0)"}, {1, "(1,72)"}, {0, ""}, {-1, ""}, {150, ""}};
    for (const Case& c : cases) {
        const std::vector<SystemLevels> history = CpuHistory({c.level, 0, 0});
        EXPECT_EQ(Drawn(3, 73, CpuOnly(history, 1, 0)), c.dot) << c.level;
    }
    // A bar above 100 still fills its column.
    const std::vector<SystemLevels> high = CpuHistory({150, 0, 0});
    EXPECT_EQ(Drawn(3, 73, CpuOnly(high, 2, 0)), PaintedSegments(3, 73, {{0, 0, 0, 73}}));
}

TEST(DiagramSeries, UnusableLevelsSkipOnlyTheirSteps)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const float bad : {nan, inf, -inf, 1e30f, -1e30f, FLT_MAX, -FLT_MAX}) {
        // H = 10: 20 -> 8, 50 -> 5, 60 -> 4, 30 -> 7.
        const std::vector<SystemLevels> history = CpuHistory({20, bad, 50, 60, bad, 30});
        EXPECT_EQ(Drawn(6, 10, CpuOnly(history, 0, 0)), PaintedSegments(6, 10, {{2, 5, 3, 4}})) << bad;
        EXPECT_EQ(Drawn(6, 10, CpuOnly(history, 1, 0)), "(4,4) (3,5) (1,8)") << bad;
        EXPECT_EQ(Drawn(6, 10, CpuOnly(history, 2, 0)),
                  PaintedSegments(6, 10, {{0, 8, 0, 10}, {2, 5, 2, 10}, {3, 4, 3, 10}}))
            << bad;
    }
    // Far but usable rows still draw; beyond the limit the step is left out.
    // H = 100: y = 100 - v, and floats near 2^27 step by 16.
    const float limit = static_cast<float>(kDiagramRowLimit);
    const std::vector<SystemLevels> near = CpuHistory({limit + 96, 0});
    const std::vector<SystemLevels> beyond = CpuHistory({limit + 112, 0});
    EXPECT_EQ(Drawn(2, 100, CpuOnly(near, 2, 0)), PaintedSegments(2, 100, {{0, 0, 0, 100}}));
    EXPECT_EQ(Drawn(2, 100, CpuOnly(beyond, 2, 0)), "");
}

TEST(DiagramSeries, ColumnsOutsideTheHistoryAreSkipped)
{
    // Narrower history than the image: the line needs two columns, a dot or
    // bar only its own.
    const std::vector<SystemLevels> shortHistory = CpuHistory({20, 30, 40, 50});
    EXPECT_EQ(Drawn(8, 10, CpuOnly(shortHistory, 0, 0)),
              PaintedSegments(8, 10, {{0, 8, 1, 7}, {1, 7, 2, 6}, {2, 6, 3, 5}}));
    EXPECT_EQ(Drawn(8, 10, CpuOnly(shortHistory, 1, 0)), "(4,5) (3,6) (2,7) (1,8)");
    EXPECT_EQ(Drawn(8, 10, CpuOnly(shortHistory, 2, 0)),
              PaintedSegments(8, 10, {{0, 8, 0, 10}, {1, 7, 1, 10}, {2, 6, 2, 10}, {3, 5, 3, 10}}));

    const std::vector<SystemLevels> empty;
    for (int style = 0; style <= 2; ++style) {
        EXPECT_EQ(Drawn(8, 10, CpuOnly(empty, style, 0)), "") << style;
        EXPECT_EQ(Drawn(8, 10, CpuOnly(shortHistory, style, -5)), Drawn(8, 10, CpuOnly(shortHistory, style, 0)))
            << style;
    }
    DiagramInput noHistory = CpuOnly(empty, 0, 0);
    noHistory.history = nullptr;
    EXPECT_EQ(Drawn(8, 10, noHistory), "");
}

TEST(DiagramSeries, EachSeriesShowsItsOwnLevelInItsColour)
{
    // H = 100, dots: series i at level 10 + 20 i sits on row 90 - 20 i.
    std::vector<SystemLevels> history(4);
    for (SystemLevels& levels : history) {
        for (int i = 0; i < 5; ++i)
            levels.*kFields[i] = 10.0f + 20.0f * i;
        levels.PageFileTotal = 77;
        levels.VirtualMemoryTotal = 77;
    }
    for (int shown = 0; shown < 5; ++shown) {
        DiagramInput input = CpuOnly(history, 1, 0);
        input.series[0].displayed = false;
        input.series[shown].displayed = true;
        RasterCanvas canvas(4, 100, kDiagramBack);
        int offset = 0;
        DrawDiagram(canvas, input, offset);
        const std::string row = std::to_string(90 - 20 * shown);
        EXPECT_EQ(MarkedOnWhite(canvas), "(1," + row + ") (2," + row + ") (3," + row + ")") << shown;
        EXPECT_EQ(canvas.GetPixel(1, 90 - 20 * shown), kSeriesColours[shown]) << shown;
    }
}

TEST(DiagramSeries, LaterSeriesPaintOverEarlierOnes)
{
    // Bars: every series covers the bottom rows, so the last one shown wins.
    std::vector<SystemLevels> history(4);
    for (SystemLevels& levels : history)
        for (int i = 0; i < 5; ++i)
            levels.*kFields[i] = 10.0f + 20.0f * i;
    struct Case {
        bool shown[5];
        int onTop;
    };
    const Case cases[] = {{{true, true, true, true, true}, 4},
                          {{true, true, true, true, false}, 3},
                          {{true, false, true, false, false}, 2},
                          {{true, true, false, false, false}, 1},
                          {{true, false, false, false, false}, 0}};
    for (const Case& c : cases) {
        DiagramInput input = CpuOnly(history, 2, 0);
        for (int i = 0; i < 5; ++i)
            input.series[i].displayed = c.shown[i];
        RasterCanvas canvas(4, 100, kDiagramBack);
        int offset = 0;
        DrawDiagram(canvas, input, offset);
        EXPECT_EQ(canvas.GetPixel(1, 95), kSeriesColours[c.onTop]) << c.onTop;
        EXPECT_EQ(canvas.GetPixel(1, 89 - 20 * c.onTop), kDiagramBack) << c.onTop;
    }
}

TEST(DiagramSeries, DesignModeShowsBackgroundAndGridOnly)
{
    std::vector<SystemLevels> history(41);
    for (SystemLevels& levels : history)
        for (LevelField field : kFields)
            levels.*field = 50;
    DiagramInput input = GridOnly();
    input.history = &history;
    for (DiagramSeries& series : input.series)
        series.displayed = true;
    const std::string running = Drawn(40, 20, input);
    input.runMode = false;
    EXPECT_EQ(Drawn(40, 20, input), Drawn(40, 20, GridOnly()));
    EXPECT_NE(running, Drawn(40, 20, GridOnly()));
}

TEST(MonitorValueText, GivesEachDrawnFigureInTheLegendsOrderAsTheDiagramCanShowIt)
{
    struct Case {
        float cpu, memory, pageFile, virtualMemory, diskFree;
        const wchar_t* text;
    };
    const Case cases[] = {
        {23, 61, 12, 30, 48, L"CPU 23%，内存 61%，页面文件 12%，磁盘空间 48%，虚拟内存 30%"},
        // Rounded to the nearest whole percent; outside 0 to 100, or not a
        // number at all, at the edge the line is drawn at.
        {22.5f, 0.49f, 99.6f, 100.4f, -3, L"CPU 23%，内存 0%，页面文件 100%，磁盘空间 0%，虚拟内存 100%"},
        {std::nanf(""), 1e30f, 0, 7, 1, L"CPU 0%，内存 100%，页面文件 0%，磁盘空间 1%，虚拟内存 7%"},
    };
    for (const Case& c : cases) {
        SystemLevels levels;
        levels.CPULoadPercent = c.cpu;
        levels.MemoryLoadPercent = c.memory;
        levels.PageFileAvailablePercent = c.pageFile;
        levels.VirtualMemoryAvailablePercent = c.virtualMemory;
        levels.HDAvailablePercent = c.diskFree;
        // Figures the diagram does not draw play no part.
        levels.PhysicalMemoryAvailablePercent = 77;
        EXPECT_EQ(MonitorValueText(levels), c.text);
    }
}
