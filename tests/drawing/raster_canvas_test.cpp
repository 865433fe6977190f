#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <string>

#include "drawing/raster_canvas.h"
#include "support/marked_pixels.h"

using namespace torvane;

namespace {

constexpr Colour kBack = Rgb(12, 34, 56);
constexpr Colour kInk = Rgb(200, 10, 90);

std::string Marked(const RasterCanvas& canvas, Colour background = kBack)
{
    return MarkedPixels(canvas, background);
}

} // namespace

TEST(RasterCanvas, StartsAndClearsToItsBackground)
{
    RasterCanvas canvas(7, 4, kBack);
    EXPECT_EQ(canvas.Width(), 7);
    EXPECT_EQ(canvas.Height(), 4);
    EXPECT_EQ(Marked(canvas), "");
    canvas.FillBox({0, 0, 7, 4}, kInk);
    canvas.Text(L"x", {0, 0, 7, 4}, 0, kInk);
    canvas.Clear();
    EXPECT_EQ(Marked(canvas), "");
    EXPECT_TRUE(canvas.TextCalls().empty());
}

TEST(RasterCanvas, PixelsOutsideAreNeitherReadNorWritten)
{
    RasterCanvas canvas(5, 3, kBack);
    struct Point {
        int x;
        int y;
    };
    const Point outside[] = {{-1, 0}, {0, -1}, {5, 0}, {0, 3}, {5, 3}, {INT_MIN, 0}, {0, INT_MAX}, {INT_MAX, INT_MAX}};
    for (const Point& p : outside) {
        canvas.SetPixel(p.x, p.y, kInk);
        EXPECT_EQ(canvas.GetPixel(p.x, p.y), kInvalidColour) << p.x << "," << p.y;
    }
    EXPECT_EQ(Marked(canvas), "");
    canvas.SetPixel(4, 2, kInk);
    EXPECT_EQ(canvas.GetPixel(4, 2), kInk);
    EXPECT_EQ(Marked(canvas), "(4,2)");

    RasterCanvas empty(-3, 2, kBack);
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.GetPixel(0, 0), kInvalidColour);
}

TEST(RasterCanvas, FillBoxCoversFillRectsPixels)
{
    struct Case {
        PixelRect box;
        const char* marked;
    };
    const Case cases[] = {
        {{1, 1, 4, 3}, "(1,1) (2,1) (3,1) (1,2) (2,2) (3,2)"},
        // Reversed boxes are turned round one pixel over, as PatBlt does.
        {{4, 1, 2, 2}, "(3,1) (4,1)"},
        {{1, 3, 2, 1}, "(1,2) (1,3)"},
        {{3, 3, 1, 1}, "(2,2) (3,2) (2,3) (3,3)"},
        {{1, 1, 1, 4}, ""},
        {{2, 2, 5, 2}, ""},
        {{-2, -2, 2, 1}, "(0,0) (1,0)"},
        {{4, 3, 9, 9}, "(4,3) (5,3) (4,4) (5,4)"},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, nullptr},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(6, 5, kBack);
        canvas.FillBox(c.box, kInk);
        if (c.marked) {
            EXPECT_EQ(Marked(canvas), c.marked) << c.box.left << "," << c.box.top << "," << c.box.right << ","
                                                << c.box.bottom;
        } else {
            EXPECT_EQ(Marked(canvas, kInk), "");
        }
    }
}

TEST(RasterCanvas, FrameBoxDrawsFrameRectsOutline)
{
    struct Case {
        PixelRect box;
        const char* marked;
    };
    const Case cases[] = {
        {{1, 1, 5, 4}, "(1,1) (2,1) (3,1) (4,1) (1,2) (4,2) (1,3) (2,3) (3,3) (4,3)"},
        {{1, 1, 2, 4}, "(1,1) (1,2) (1,3)"},
        {{1, 1, 4, 2}, "(1,1) (2,1) (3,1)"},
        {{2, 2, 3, 3}, "(2,2)"},
        {{2, 2, 4, 4}, "(2,2) (3,2) (2,3) (3,3)"},
        // Empty and reversed boxes draw nothing.
        {{3, 1, 3, 4}, ""},
        {{4, 4, 1, 1}, ""},
        {{1, 3, 4, 2}, ""},
        {{-2, -2, 3, 3}, "(2,0) (2,1) (0,2) (1,2) (2,2)"},
        {{3, 2, 9, 9}, "(3,2) (4,2) (5,2) (3,3) (3,4)"},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(6, 5, kBack);
        canvas.FrameBox(c.box, kInk);
        EXPECT_EQ(Marked(canvas), c.marked) << c.box.left << "," << c.box.top << "," << c.box.right << ","
                                            << c.box.bottom;
    }
}

TEST(RasterCanvas, LinesLeaveOutTheirEndPixel)
{
    struct Case {
        int x1, y1, x2, y2;
        const char* marked;
    };
    const Case cases[] = {
        {2, 2, 6, 2, "(2,2) (3,2) (4,2) (5,2)"},
        {6, 2, 2, 2, "(3,2) (4,2) (5,2) (6,2)"},
        {2, 2, 2, 6, "(2,2) (2,3) (2,4) (2,5)"},
        {2, 6, 2, 2, "(2,3) (2,4) (2,5) (2,6)"},
        {3, 3, 3, 3, ""},
        {3, 3, 4, 3, "(3,3)"},
        {-5, 1, 20, 1, "(0,1) (1,1) (2,1) (3,1) (4,1) (5,1) (6,1) (7,1)"},
        {7, -9, 7, 2, "(7,0) (7,1)"},
        {INT_MAX, 4, INT_MIN, 4, "(0,4) (1,4) (2,4) (3,4) (4,4) (5,4) (6,4) (7,4)"},
        {-1, 0, -1, 7, ""},
        // Slanted lines step as GDI's Bresenham does, which depends on the
        // direction.
        {1, 1, 6, 3, "(1,1) (2,1) (3,2) (4,2) (5,3)"},
        {6, 3, 1, 1, "(2,1) (3,2) (4,2) (5,3) (6,3)"},
        {1, 3, 5, 1, "(4,1) (2,2) (3,2) (1,3)"},
        {5, 1, 1, 3, "(4,1) (5,1) (2,2) (3,2)"},
        {1, 1, 3, 6, "(1,1) (1,2) (2,3) (2,4) (3,5)"},
        {1, 6, 6, 1, "(5,2) (4,3) (3,4) (2,5) (1,6)"},
        {2, 2, 7, 7, "(2,2) (3,3) (4,4) (5,5) (6,6)"},
        {-3, -3, 3, 3, "(0,0) (1,1) (2,2)"},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(8, 8, kBack);
        canvas.Line(c.x1, c.y1, c.x2, c.y2, kInk);
        EXPECT_EQ(Marked(canvas), c.marked) << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
    }
}

TEST(RasterCanvas, FocusRectInvertsEveryOtherOutlinePixel)
{
    struct Case {
        PixelRect box;
        const char* marked;
    };
    const Case cases[] = {
        {{2, 2, 8, 6}, "(3,2) (5,2) (7,2) (2,3) (7,4) (2,5) (4,5) (6,5)"},
        {{2, 2, 9, 7}, "(2,2) (4,2) (6,2) (8,2) (2,4) (8,4) (2,6) (4,6) (6,6) (8,6)"},
        {{3, 3, 5, 5}, "(4,3) (3,4)"},
        {{3, 3, 6, 5}, "(3,3) (5,3) (4,4)"},
        {{3, 3, 7, 7}, "(4,3) (6,3) (3,4) (6,5) (3,6) (5,6)"},
        // One pixel wide or high: only the ends keep a dot.
        {{3, 3, 4, 5}, "(3,3)"},
        {{3, 3, 4, 6}, "(3,3) (3,5)"},
        {{3, 3, 4, 7}, "(3,3)"},
        {{3, 3, 5, 4}, "(4,3)"},
        {{3, 3, 6, 4}, "(3,3) (5,3)"},
        {{3, 3, 7, 4}, "(6,3)"},
        {{3, 3, 4, 4}, ""},
        {{3, 3, 3, 6}, ""},
        // Reversed boxes are turned round; clipping keeps the pattern.
        {{6, 6, 3, 3}, "(3,3) (5,3) (3,5) (5,5)"},
        {{6, 3, 3, 6}, "(3,3) (5,3) (3,5) (5,5)"},
        {{-1, -1, 5, 5}, "(4,1) (4,3) (1,4) (3,4)"},
        {{8, 9, 21, 30}, "(8,9) (10,9) (8,11)"},
        {{-5, -5, 20, 20}, ""},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(12, 12, kBack);
        canvas.FocusRect(c.box, kInk);
        EXPECT_EQ(Marked(canvas), c.marked) << c.box.left << "," << c.box.top << "," << c.box.right << ","
                                            << c.box.bottom;
    }
}

TEST(RasterCanvas, FocusRectInvertsWhateverTheTextColourAndUndoesItself)
{
    RasterCanvas canvas(10, 8, kBack);
    canvas.SetPixel(3, 2, Rgb(255, 255, 255));
    canvas.FocusRect({2, 2, 8, 6}, Rgb(255, 0, 0));
    EXPECT_EQ(canvas.GetPixel(5, 2), Rgb(243, 221, 199));
    EXPECT_EQ(canvas.GetPixel(3, 2), Rgb(0, 0, 0));
    EXPECT_EQ(canvas.GetPixel(4, 2), kBack);

    RasterCanvas other(10, 8, kBack);
    other.SetPixel(3, 2, Rgb(255, 255, 255));
    other.FocusRect({2, 2, 8, 6}, Rgb(0, 0, 0));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(canvas.GetPixel(x, y), other.GetPixel(x, y)) << x << "," << y;

    canvas.FocusRect({2, 2, 8, 6}, Rgb(0, 0, 0));
    EXPECT_EQ(Marked(canvas), "(3,2)");
}

TEST(RasterCanvas, TextIsRecordedNotDrawn)
{
    RasterCanvas canvas(40, 20, kBack);
    canvas.Text(L"保存", {1, 2, 39, 18}, TextFlags::Center | TextFlags::SingleLine, kInk);
    canvas.Text(L"清空", {3, 4, 40, 20}, TextFlags::WordBreak, Rgb(1, 2, 3));
    EXPECT_EQ(Marked(canvas), "");
    ASSERT_EQ(canvas.TextCalls().size(), 2u);
    const TextCall& first = canvas.TextCalls()[0];
    EXPECT_EQ(first.text, L"保存");
    EXPECT_EQ(first.box.left, 1);
    EXPECT_EQ(first.box.top, 2);
    EXPECT_EQ(first.box.right, 39);
    EXPECT_EQ(first.box.bottom, 18);
    EXPECT_EQ(first.flags, TextFlags::Center | TextFlags::SingleLine);
    EXPECT_EQ(first.colour, kInk);
    EXPECT_EQ(canvas.TextCalls()[1].text, L"清空");
    EXPECT_EQ(canvas.TextCalls()[1].colour, Rgb(1, 2, 3));
}

TEST(RasterCanvas, MeasureTextUsesFixedCellsAndWrapsAtSpaces)
{
    struct Case {
        const wchar_t* text;
        int wrapWidth;
        unsigned flags;
        PixelSize size;
    };
    constexpr unsigned kWrap = TextFlags::WordBreak;
    constexpr unsigned kSingle = TextFlags::SingleLine;
    const Case cases[] = {
        {L"Save", 100, kSingle, {28, 11}},
        {L"Save", 10, kSingle, {28, 11}},
        // Prefix marks take no room; "&&" shows one ampersand.
        {L"&Save", 100, kSingle, {28, 11}},
        {L"A&&B", 100, kSingle, {21, 11}},
        {L"ab&", 100, kSingle, {14, 11}},
        {L"", 100, kSingle, {0, 11}},
        {L"", 100, kWrap, {0, 11}},
        {L"", 100, 0, {0, 11}},
        {L"ab cd ef", 100, 0, {56, 11}},
        {L"ab cd ef", 35, kWrap, {35, 22}},
        {L"ab cd ef", 34, kWrap, {14, 33}},
        {L"ab cd ef", 35, kWrap | kSingle, {56, 11}},
        {L"abcdefgh ij", 20, kWrap, {56, 22}},
        {L"ab\ncdef", 100, 0, {28, 22}},
        {L"保存", 100, kWrap, {14, 11}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        RasterCanvas canvas(10, 10, kBack, FixedTextMetrics{7, 11});
        const PixelSize size = canvas.MeasureText(c.text, c.wrapWidth, c.flags);
        EXPECT_EQ(size.width, c.size.width) << "case " << i;
        EXPECT_EQ(size.height, c.size.height) << "case " << i;
    }
}
