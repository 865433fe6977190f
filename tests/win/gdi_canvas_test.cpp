#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include "drawing/drawing_primitives.h"
#include "drawing/win_dib_canvas.h"
#include "drawing/win_gdi_canvas.h"
#include "drawing/gradients.h"
#include "drawing/raster_canvas.h"
#include "monitor/diagram.h"
#include "monitor/monitor_series.h"

using namespace torvane;

namespace {

constexpr Colour kFace = Rgb(236, 233, 216);

// The canvas's bitmap as Colour values, read from the DIB section's memory.
template <typename WinCanvas>
std::vector<Colour> BitmapPixels(const WinCanvas& canvas)
{
    GdiFlush();
    DIBSECTION section{};
    HGDIOBJ bitmap = GetCurrentObject(canvas.Dc(), OBJ_BITMAP);
    if (GetObjectW(bitmap, sizeof(section), &section) != sizeof(section))
        return {};
    if (section.dsBm.bmWidth != canvas.Width() || section.dsBm.bmHeight != canvas.Height())
        return {};
    std::vector<Colour> pixels;
    for (int y = 0; y < canvas.Height(); ++y) {
        const auto* row = static_cast<const BYTE*>(section.dsBm.bmBits) + y * section.dsBm.bmWidthBytes;
        for (int x = 0; x < canvas.Width(); ++x)
            pixels.push_back(Rgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]));
    }
    return pixels;
}

std::vector<Colour> RasterPixels(const RasterCanvas& canvas)
{
    std::vector<Colour> pixels;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            pixels.push_back(canvas.GetPixel(x, y));
    return pixels;
}

testing::AssertionResult SamePixels(const std::function<void(Canvas&)>& draw, int w, int h)
{
    GdiCanvas gdi(w, h, kFace);
    RasterCanvas raster(w, h, kFace);
    draw(gdi);
    draw(raster);
    const std::vector<Colour> expected = RasterPixels(raster);
    const std::vector<Colour> actual = BitmapPixels(gdi);
    if (actual.size() != expected.size())
        return testing::AssertionFailure() << w << "x" << h << ": bitmap not readable";
    // The canvas that writes the bitmap itself must leave what GDI leaves.
    // Through a resize, as the monitor's window sizes it.
    DibCanvas dib(1, 1, kFace);
    dib.Resize(w, h);
    draw(dib);
    if (BitmapPixels(dib) != actual)
        return testing::AssertionFailure() << w << "x" << h << ": the DIB canvas's bitmap differs from GDI's";
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (actual[i] != expected[i])
            return testing::AssertionFailure() << w << "x" << h << ": pixel (" << i % w << "," << i / w << ") GDI "
                                               << std::hex << actual[i] << ", raster " << expected[i];
    return testing::AssertionSuccess();
}

struct Scene {
    std::string name;
    std::function<void(Canvas&)> draw;
};

// Colours that differ in every channel, so a swapped channel shows.
constexpr Colour kInk = Rgb(200, 10, 90);
constexpr Colour kInk2 = Rgb(30, 140, 250);

std::vector<Scene> Scenes()
{
    std::vector<Scene> scenes = {
        {"boxes",
         [](Canvas& c) {
             const int w = c.Width();
             const int h = c.Height();
             DrawBox(c, 1, 1, w - 2, h - 2, kInk, false);
             DrawBox(c, 2, 2, w - 4, h - 4, kInk2, true);
             DrawBox(c, w - 1, h - 1, -3, -2, Rgb(1, 2, 3), false);
             DrawBox(c, 3, 1, -2, 5, Rgb(4, 5, 6), true);
             DrawBox(c, -2, -2, w, 3, Rgb(7, 8, 9), true);
             DrawBox(c, w / 2, h / 2, w, h, Rgb(10, 11, 12), false);
             DrawBox(c, 0, 0, 1, 1, Rgb(13, 14, 15), true);
         }},
        {"lines",
         [](Canvas& c) {
             const int w = c.Width();
             const int h = c.Height();
             DrawLine(c, 1, 1, w - 1, 1, kInk);
             DrawLine(c, w - 1, h - 2, 1, h - 2, kInk2);
             DrawLine(c, 0, h, 0, 0, Rgb(1, 2, 3));
             DrawLine(c, w - 1, 0, w - 1, h, Rgb(4, 5, 6));
             DrawLine(c, -5, h / 2, w + 5, h / 2, Rgb(7, 8, 9));
             DrawLine(c, 2, 2, 2, 2, Rgb(10, 11, 12));
             const int ends[][2] = {{w, h / 3}, {w / 3, h}, {-1, h / 2}, {w / 2, -1}, {w + 2, h + 2}, {-3, h}};
             Colour colour = Rgb(20, 40, 60);
             for (const auto& end : ends) {
                 DrawLine(c, w / 2, h / 2, end[0], end[1], colour);
                 DrawLine(c, end[0], end[1], w / 3, h / 4, colour + 0x030201);
                 colour += 0x101010;
             }
         }},
        {"pixels",
         [](Canvas& c) {
             for (int i = -1; i <= c.Width(); ++i)
                 PutPixel(c, i, (i * 7) % (c.Height() + 2) - 1, Rgb(i & 255, 99, 7));
         }},
        {"round frame", [](Canvas& c) { DrawRoundFrame(c, Rgb(0, 60, 115), Rgb(16, 77, 123)); }},
        {"focus cue",
         [](Canvas& c) {
             DrawBox(c, 0, 0, c.Width() / 2, c.Height(), Rgb(0, 0, 0), false);
             DrawBox(c, c.Width() / 2, 0, c.Width(), c.Height() / 2, Rgb(128, 64, 32), false);
             DrawFocusCue(c, Rgb(255, 0, 0));
         }},
        {"focus rectangles",
         [](Canvas& c) {
             const int w = c.Width();
             const int h = c.Height();
             const PixelRect boxes[] = {{1, 1, w - 1, h - 1}, {0, 0, w, h},     {w - 1, h - 1, 1, 1},
                                        {3, 1, 4, h},         {1, 3, w, 4},     {-2, -3, w / 2, h + 4},
                                        {w / 2, 1, w + 7, 2}, {2, 2, 3, 3},     {1, 1, 3, 3}};
             for (const PixelRect& box : boxes)
                 c.FocusRect(box, Rgb(0, 0, 0));
         }},
        {"fade down", [](Canvas& c) { DrawFadeToWhite(c, Rgb(198, 197, 215), c.Height() - 2, 1, -1); }},
        {"fade up", [](Canvas& c) { DrawFadeToWhite(c, Rgb(171, 170, 188), 1, c.Height() - 2, 1); }},
        {"ramp", [](Canvas& c) { DrawFadeToWhite(c, Rgb(254, 250, 0), c.Height() - 2, 1, -1); }},
    };
    for (int percent : {0, 16, 25, 50, 53, 100}) {
        const std::string suffix = " " + std::to_string(percent);
        scenes.push_back({"split" + suffix, [percent](Canvas& c) {
                              DrawSplitGradient(c, Rgb(116, 200, 115), Rgb(183, 183, 183), Rgb(215, 246, 215),
                                                percent, false);
                          }});
        scenes.push_back({"split to black" + suffix, [percent](Canvas& c) {
                              DrawSplitGradient(c, Rgb(132, 208, 133), Rgb(203, 130, 62), Rgb(0, 0, 0), percent,
                                                false);
                          }});
        scenes.push_back({"flat" + suffix, [percent](Canvas& c) {
                              DrawSplitGradient(c, Rgb(132, 208, 133), Rgb(84, 157, 84), Rgb(0, 0, 0), percent,
                                                true);
                          }});
        scenes.push_back({"gloss" + suffix, [percent](Canvas& c) {
                              DrawGlossGradient(c, Rgb(124, 171, 255), Rgb(81, 107, 148), Rgb(191, 211, 255),
                                                percent);
                          }});
        scenes.push_back({"gloss down" + suffix, [percent](Canvas& c) {
                              DrawGlossGradient(c, Rgb(250, 100, 0), Rgb(81, 107, 148), Rgb(20, 220, 0), percent);
                          }});
    }
    return scenes;
}

} // namespace

TEST(GdiCanvas, DrawsTheSamePixelsAsTheRasterCanvas)
{
    struct Size {
        int w, h;
    };
    std::vector<Size> sizes = {{75, 23}, {23, 75}, {40, 30}, {100, 10}, {13, 200}};
    for (int w = 1; w <= 12; ++w)
        for (int h = 1; h <= 12; ++h)
            sizes.push_back({w, h});
    for (const Scene& scene : Scenes())
        for (const Size& size : sizes)
            ASSERT_TRUE(SamePixels(scene.draw, size.w, size.h)) << scene.name;
}

TEST(GdiCanvas, ReadsPixelsAndRefusesThoseOutside)
{
    GdiCanvas canvas(6, 4, kFace);
    EXPECT_EQ(canvas.Width(), 6);
    EXPECT_EQ(canvas.Height(), 4);
    EXPECT_EQ(canvas.GetPixel(0, 0), kFace);
    canvas.SetPixel(5, 3, kInk);
    EXPECT_EQ(canvas.GetPixel(5, 3), kInk);
    const int outside[][2] = {{-1, 0}, {0, -1}, {6, 0}, {0, 4}, {6, 4}};
    for (const auto& p : outside)
        EXPECT_EQ(canvas.GetPixel(p[0], p[1]), kInvalidColour) << p[0] << "," << p[1];
}

TEST(GdiCanvas, ResizeGivesANewClearedBitmapAndClearUsesTheBackground)
{
    GdiCanvas canvas(6, 4, kFace);
    canvas.FillBox({0, 0, 6, 4}, kInk);
    HGDIOBJ before = GetCurrentObject(canvas.Dc(), OBJ_BITMAP);
    canvas.Resize(9, 5);
    EXPECT_NE(GetCurrentObject(canvas.Dc(), OBJ_BITMAP), before);
    EXPECT_EQ(GetObjectType(before), 0u);
    EXPECT_EQ(canvas.Width(), 9);
    EXPECT_EQ(canvas.Height(), 5);
    EXPECT_EQ(BitmapPixels(canvas), std::vector<Colour>(45, kFace));

    canvas.SetBackground(kInk2);
    canvas.Clear();
    EXPECT_EQ(BitmapPixels(canvas), std::vector<Colour>(45, kInk2));

    canvas.Resize(0, 5);
    EXPECT_EQ(canvas.Width(), 0);
    EXPECT_EQ(canvas.Height(), 0);
    EXPECT_EQ(canvas.GetPixel(0, 0), kInvalidColour);
    canvas.Resize(3, 2);
    EXPECT_EQ(canvas.GetPixel(2, 1), kInk2);
}

TEST(GdiCanvas, TextIsDrawnInsideItsBoxOverATransparentBackground)
{
    GdiCanvas canvas(80, 30, Rgb(255, 255, 255));
    canvas.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    const PixelRect box{10, 5, 70, 25};
    canvas.Text(L"Save", box, TextFlags::Center | TextFlags::VCenter | TextFlags::SingleLine, Rgb(255, 0, 0));
    int changed = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 80; ++x) {
            const bool inBox = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            const Colour pixel = canvas.GetPixel(x, y);
            if (!inBox) {
                EXPECT_EQ(pixel, Rgb(255, 255, 255)) << x << "," << y;
            } else if (pixel != Rgb(255, 255, 255)) {
                ++changed;
            }
        }
    }
    EXPECT_GT(changed, 10);
    EXPECT_EQ(canvas.GetPixel(box.left, box.top), Rgb(255, 255, 255));
    EXPECT_EQ(canvas.GetPixel(box.right - 1, box.bottom - 1), Rgb(255, 255, 255));
}

// The raster canvas's fixed metrics follow the same rules as DrawText.
TEST(GdiCanvas, MeasuresTextAsDrawTextDoes)
{
    GdiCanvas canvas(80, 30, kFace);
    canvas.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    const PixelSize line = canvas.MeasureText(L"Save", 1000, TextFlags::SingleLine);
    EXPECT_GT(line.width, 0);
    EXPECT_GT(line.height, 0);
    EXPECT_EQ(canvas.MeasureText(L"&Save", 1000, TextFlags::SingleLine).width, line.width);
    EXPECT_EQ(canvas.MeasureText(L"", 1000, TextFlags::SingleLine).height, line.height);
    const PixelSize empty = canvas.MeasureText(L"", 1000, TextFlags::WordBreak);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, line.height);
    const PixelSize wrapped = canvas.MeasureText(L"Save Save Save", line.width + 1, TextFlags::WordBreak);
    EXPECT_EQ(wrapped.height, 3 * line.height);
    EXPECT_EQ(wrapped.width, line.width);
}

TEST(GdiCanvas, APolylineColoursWhatItsSegmentsWouldOneByOne)
{
    // A diagram series: one point per column, up and down steep and flat.
    std::vector<CanvasPoint> series;
    for (int x = 0; x < 60; ++x)
        series.push_back({x, (x * 37) % 23});
    const std::vector<CanvasPoint> shapes[] = {
        series,
        {{1, 1}, {10, 1}, {10, 8}, {2, 8}, {2, 3}},
        {{5, 5}, {6, 5}},
        {{3, 3}},
    };
    for (const std::vector<CanvasPoint>& points : shapes) {
        EXPECT_TRUE(SamePixels([&](Canvas& c) { c.Polyline(points, kInk); }, 61, 24));
        // The same as drawing each segment alone, on the real device context.
        GdiCanvas joined(61, 24, kFace);
        GdiCanvas separate(61, 24, kFace);
        joined.Polyline(points, kInk);
        for (std::size_t i = 1; i < points.size(); ++i)
            separate.Line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, kInk);
        EXPECT_EQ(BitmapPixels(joined), BitmapPixels(separate));
    }
}

// The monitor's picture moved on a column and drawn only where it changes
// must be the device's own whole redraw, pixel for pixel: its copy of a
// bitmap onto itself and its clipped slanted lines, through steep steps,
// levels beyond both edges and the grid's wrap. So must the canvas the
// monitor draws with, which writes the bitmap's pixels itself.
TEST(GdiCanvas, ADiagramMovedOnAColumnIsTheWholeRedraw)
{
    constexpr int kDiagramWidth = 61;
    constexpr int kDiagramHeight = 23;
    std::vector<SystemLevels> history(kDiagramWidth);
    DiagramInput input;
    input.backColor = Rgb(255, 255, 255);
    input.gridColor = Rgb(0xE0, 0xE0, 0xE0);
    for (int i = 0; i < 5; ++i)
        input.series[i] = {true, kMonitorSeries[i].colour};
    input.history = &history;
    for (int style = 0; style <= 2; ++style) {
        input.diagramStyle = style;
        GdiCanvas moved(kDiagramWidth, kDiagramHeight, kFace);
        DibCanvas movedDib(kDiagramWidth, kDiagramHeight, kFace);
        int offset = 0;
        int dibOffset = 0;
        int drawnWith = offset;
        DrawDiagram(moved, input, offset);
        DrawDiagram(movedDib, input, dibOffset);
        for (int tick = 0; tick < 80; ++tick) {
            std::rotate(history.begin(), history.begin() + 1, history.end());
            for (int i = 0; i < 5; ++i)
                history.back().*kMonitorSeries[i].level = static_cast<float>((tick * 37 + i * 29) % 170 - 35);
            int wholeOffset = --offset;
            --dibOffset;
            // After the grid's wrap the picture is drawn whole, as the monitor does.
            const bool movesOn = offset == drawnWith - 1;
            drawnWith = offset;
            if (movesOn) {
                ScrollDiagram(moved, input, offset);
                ScrollDiagram(movedDib, input, dibOffset);
            } else {
                DrawDiagram(moved, input, offset);
                DrawDiagram(movedDib, input, dibOffset);
            }
            GdiCanvas whole(kDiagramWidth, kDiagramHeight, kFace);
            DrawDiagram(whole, input, wholeOffset);
            ASSERT_EQ(BitmapPixels(moved), BitmapPixels(whole)) << "style " << style << ", tick " << tick;
            ASSERT_EQ(BitmapPixels(movedDib), BitmapPixels(whole)) << "DIB canvas, style " << style << ", tick "
                                                                   << tick;
        }
    }
}
