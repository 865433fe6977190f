#include <gtest/gtest.h>

#include <string>

#include "drawing/gradients.h"
#include "drawing/raster_canvas.h"
#include "support/canvas_compare.h"

using namespace torvane;

namespace {

constexpr Colour kFace = Rgb(236, 233, 216);
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kFrame = Rgb(183, 183, 183);
constexpr Colour kMid = Rgb(116, 200, 115);
constexpr Colour kEnd = Rgb(215, 246, 215);
constexpr Colour kBlueMid = Rgb(124, 171, 255);
constexpr Colour kBlueEnd = Rgb(191, 211, 255);
constexpr Colour kGlossFrame = Rgb(81, 107, 148);

// Pixels fromX ... toX of row y are all the colour.
testing::AssertionResult RunIs(const Canvas& canvas, int y, int fromX, int toX, Colour colour)
{
    for (int x = fromX; x <= toX; ++x)
        if (canvas.GetPixel(x, y) != colour)
            return testing::AssertionFailure() << "(" << x << "," << y << ") is " << ColourName(canvas.GetPixel(x, y))
                                               << ", not " << ColourName(colour);
    return testing::AssertionSuccess();
}

// A canvas whose pixel reads fail, as GetPixel can.
class UnreadableCanvas : public Canvas {
public:
    explicit UnreadableCanvas(RasterCanvas& inner) : inner_(inner) {}
    int Width() const override { return inner_.Width(); }
    int Height() const override { return inner_.Height(); }
    void Clear() override { inner_.Clear(); }
    void FillBox(const PixelRect& box, Colour colour) override { inner_.FillBox(box, colour); }
    void FrameBox(const PixelRect& box, Colour colour) override { inner_.FrameBox(box, colour); }
    void Line(int x1, int y1, int x2, int y2, Colour colour) override { inner_.Line(x1, y1, x2, y2, colour); }
    void SetPixel(int x, int y, Colour colour) override { inner_.SetPixel(x, y, colour); }
    Colour GetPixel(int, int) const override { return kInvalidColour; }
    void FocusRect(const PixelRect& box, Colour textColour) override { inner_.FocusRect(box, textColour); }
    void Text(const std::wstring& text, const PixelRect& box, unsigned flags, Colour colour) override
    {
        inner_.Text(text, box, flags, colour);
    }
    PixelSize MeasureText(const std::wstring& text, int wrapWidth, unsigned flags) override
    {
        return inner_.MeasureText(text, wrapWidth, flags);
    }

private:
    RasterCanvas& inner_;
};

} // namespace

TEST(DrawFadeToWhite, ARunOfHMinusTwoRowsEndsInWhiteRows)
{
    struct Case {
        int h;
        int from, to, step;
        int lastRows[3];
    };
    const Case cases[] = {
        {8, 6, 1, -1, {3, 2, 1}},
        {8, 1, 6, 1, {4, 5, 6}},
        {23, 21, 1, -1, {3, 2, 1}},
        {23, 1, 21, 1, {19, 20, 21}},
        {60, 58, 1, -1, {3, 2, 1}},
        {60, 1, 58, 1, {56, 57, 58}},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(30, c.h, kFace);
        DrawFadeToWhite(canvas, Rgb(198, 197, 215), c.from, c.to, c.step);
        for (int y : c.lastRows)
            EXPECT_TRUE(RunIs(canvas, y, 1, 28, kWhite)) << "H " << c.h << " step " << c.step;
        // The first row drawn has moved one step only.
        EXPECT_NE(canvas.GetPixel(1, c.from), kWhite) << "H " << c.h;
        EXPECT_NE(canvas.GetPixel(1, c.from), Rgb(198, 197, 215)) << "H " << c.h;
    }
}

TEST(DrawFadeToWhite, RowsMoveByAnEqualShareOfTheWayToWhite)
{
    // 75 x 23 from RGB(198,197,215), rows 21 up to 1: steps of 57/18 =
    // 3.1667, 58/18 = 3.2222, 40/18 = 2.2222, added before each row.
    //   row 21 (1 step):  201.17, 200.22, 217.22 -> 201, 200, 217
    //   row 20 (2 steps): 204.33, 203.44, 219.44 -> 204, 203, 219
    //   row 16 (6 steps): 217.00, 216.33, 228.33 -> 217, 216, 228
    //   row 15 (7 steps): 220.17, 219.56, 230.56 -> 220, 220, 231
    //   row 5 (17 steps): 251.83, 251.78, 252.78 -> 252, 252, 253
    //   row 4 (18 steps): 255, 255, 255 and white from there on.
    RasterCanvas canvas(75, 23, kFace);
    DrawFadeToWhite(canvas, Rgb(198, 197, 215), 21, 1, -1);
    struct Row {
        int y;
        Colour colour;
    };
    const Row rows[] = {
        {21, Rgb(201, 200, 217)}, {20, Rgb(204, 203, 219)}, {16, Rgb(217, 216, 228)},
        {15, Rgb(220, 220, 231)}, {5, Rgb(252, 252, 253)},  {4, kWhite},
    };
    for (const Row& row : rows)
        EXPECT_TRUE(RunIs(canvas, row.y, 1, 73, row.colour));
    // Lines stop short of the last column; rows 0 and 22 are not in the run.
    for (int y = 0; y < 23; ++y) {
        EXPECT_EQ(canvas.GetPixel(0, y), kFace) << y;
        EXPECT_EQ(canvas.GetPixel(74, y), kFace) << y;
    }
    EXPECT_TRUE(RunIs(canvas, 0, 0, 74, kFace));
    EXPECT_TRUE(RunIs(canvas, 22, 0, 74, kFace));
}

TEST(DrawFadeToWhite, HalvesRoundToEven)
{
    // H = 7: steps 1/2 = 0.5, 5/2 = 2.5, 255/2 = 127.5. Row 5 gets 254.5,
    // 252.5, 127.5 -> 254, 252, 128; row 4 is white.
    RasterCanvas canvas(10, 7, kFace);
    DrawFadeToWhite(canvas, Rgb(254, 250, 0), 5, 1, -1);
    EXPECT_TRUE(RunIs(canvas, 5, 1, 8, Rgb(254, 252, 128)));
    EXPECT_TRUE(RunIs(canvas, 4, 1, 8, kWhite));
}

TEST(DrawFadeToWhite, DrawsNothingWithoutRowsToFadeOver)
{
    struct Case {
        int h;
        int from, to, step;
    };
    const Case cases[] = {
        {1, -1, 1, -1}, {2, 0, 1, -1}, {3, 1, 1, -1}, {4, 2, 1, -1}, {5, 3, 1, -1}, {5, 1, 3, 1},
        // The run goes the other way than its step.
        {12, 1, 10, -1}, {12, 10, 1, 1},
        {12, 10, 1, 0},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(9, c.h, kFace);
        const RasterCanvas untouched(9, c.h, kFace);
        DrawFadeToWhite(canvas, Rgb(198, 197, 215), c.from, c.to, c.step);
        EXPECT_TRUE(SameCanvas(canvas, untouched)) << "H " << c.h << " rows " << c.from << ".." << c.to;
    }
}

TEST(DrawSplitGradient, DefaultColoursAt75By23)
{
    // s = 23 x 16 / 100 = 3.68, split line at row 4.
    // Upper steps per row: 99/2.68 = 36.940, 46/2.68 = 17.164, 100/2.68 =
    // 37.313; row 3 = 152.94, 217.16, 152.31; row 2 = 189.88, 234.33, 189.63.
    // Highlight, row 1: 255 - 40i \ 65 (red, blue), 255 - 9i \ 65 (green),
    // i = x - 2 from 0 to 71 (x = 72: 2800 \ 65 = 43, 630 \ 65 = 9); row 2:
    // the same \ 23, i from 0 to 48 (x = 50: 1920 \ 23 = 83, 432 \ 23 = 18).
    // Lower: rows 5, 6 and 7 in first; steps 99/15.32 = 6.4621, 46/15.32 =
    // 3.0026, 100/15.32 = 6.5274; row 8 = 122.46, 203.00, 121.53; row 13 =
    // 154.77, 218.02, 154.16 (read back for rows 14, 15, 20 and 21); row 16
    // = 174.16, 227.02, 173.75; row 19 = 193.55, 236.03, 193.33. Row 9 is
    // first again (nearest(s + 5)).
    RasterCanvas canvas(75, 23, kFace);
    DrawSplitGradient(canvas, kMid, kFrame, kEnd, 16, false);
    const Colour sampled = Rgb(155, 218, 154);
    struct Run {
        int y, fromX, toX;
        Colour colour;
    };
    const Run runs[] = {
        {1, 2, 2, kWhite},
        {1, 12, 12, Rgb(249, 254, 249)},
        {1, 67, 67, kEnd},
        {1, 72, 72, Rgb(212, 246, 212)},
        {2, 1, 1, Rgb(190, 234, 190)},
        {2, 2, 2, kWhite},
        {2, 25, 25, kEnd},
        {2, 50, 50, Rgb(172, 237, 172)},
        {2, 51, 73, Rgb(190, 234, 190)},
        {3, 1, 73, Rgb(153, 217, 152)},
        {4, 1, 73, kMid},
        {5, 1, 73, kMid},
        {6, 1, 73, kMid},
        {7, 1, 73, kMid},
        {8, 1, 73, Rgb(122, 203, 122)},
        {9, 1, 73, kMid},
        {13, 1, 73, sampled},
        {14, 1, 73, sampled},
        {15, 1, 73, sampled},
        {16, 1, 73, Rgb(174, 227, 174)},
        {19, 1, 73, Rgb(194, 236, 193)},
        {20, 1, 72, sampled},
        {21, 2, 72, sampled},
        {20, 73, 73, kFace},
        {0, 2, 72, kFrame},
        {22, 2, 72, kFrame},
        {1, 1, 1, kFrame},
        {21, 73, 73, kFrame},
        {0, 0, 1, kFace},
        {22, 73, 74, kFace},
    };
    for (const Run& run : runs)
        EXPECT_TRUE(RunIs(canvas, run.y, run.fromX, run.toX, run.colour));
}

TEST(DrawSplitGradient, StepsAreSinglePrecision)
{
    // 20 x 10 at 16 %: s = 1.6, the lower part starts at row nearest(4.6) =
    // 5; m = 10 - 1.6 - 4 = 4.4 and the step 33 / 4.4 = 7.5. In single
    // precision that is exactly 7.5 (the double quotient falls just short of
    // it), so row 6 rounds half to even: 8.
    RasterCanvas canvas(20, 10, kFace);
    DrawSplitGradient(canvas, Rgb(0, 0, 0), kFrame, Rgb(33, 33, 33), 16, false);
    EXPECT_TRUE(RunIs(canvas, 5, 1, 18, Rgb(0, 0, 0)));
    EXPECT_TRUE(RunIs(canvas, 6, 1, 18, Rgb(8, 8, 8)));
}

TEST(DrawSplitGradient, NoFrameBelowTenPixels)
{
    for (int h = 6; h <= 12; ++h) {
        RasterCanvas canvas(20, h, kFace);
        DrawSplitGradient(canvas, kMid, kFrame, kEnd, 16, false);
        const Colour expected = h < 10 ? kFace : kFrame;
        EXPECT_EQ(canvas.GetPixel(2, 0), expected) << "H " << h;
        EXPECT_EQ(canvas.GetPixel(17, h - 1), expected) << "H " << h;
        EXPECT_EQ(canvas.GetPixel(0, 2), expected) << "H " << h;
        EXPECT_EQ(canvas.GetPixel(19, h - 3), expected) << "H " << h;
    }
}

TEST(DrawSplitGradient, FlatDrawsAPlainFaceInsideTheFrame)
{
    // Flat faces keep their frame below ten pixels too.
    for (int h : {4, 8, 23}) {
        RasterCanvas canvas(20, h, kFace);
        DrawSplitGradient(canvas, kMid, kFrame, kEnd, 16, true);
        for (int y = 2; y <= h - 3; ++y)
            EXPECT_TRUE(RunIs(canvas, y, 1, 18, kMid)) << "H " << h;
        EXPECT_TRUE(RunIs(canvas, 1, 2, 17, kMid)) << "H " << h;
        EXPECT_TRUE(RunIs(canvas, h - 2, 2, 17, kMid)) << "H " << h;
        EXPECT_TRUE(RunIs(canvas, 0, 2, 17, kFrame)) << "H " << h;
        EXPECT_TRUE(RunIs(canvas, h - 1, 2, 17, kFrame)) << "H " << h;
        EXPECT_EQ(canvas.GetPixel(1, 1), kFrame) << "H " << h;
        EXPECT_EQ(canvas.GetPixel(18, h - 2), kFrame) << "H " << h;
        EXPECT_EQ(canvas.GetPixel(0, 0), kFace) << "H " << h;
        EXPECT_EQ(canvas.GetPixel(19, h - 1), kFace) << "H " << h;
    }
}

TEST(DrawSplitGradient, HighlightStopsAtBlack)
{
    // W = 12, second black: row 1 is 255 - 255i \ 2 held at 0 or above:
    // i = 0 white, 1 -> 128, 2 and on -> 0 (i up to 8; x = 10 is the
    // frame's corner pixel). Row 2: divisor 12 - 8 - 2 = 2, i up to 6.
    RasterCanvas canvas(12, 23, kFace);
    DrawSplitGradient(canvas, kMid, kFrame, Rgb(0, 0, 0), 16, false);
    for (int row : {1, 2}) {
        EXPECT_EQ(canvas.GetPixel(2, row), kWhite) << row;
        EXPECT_EQ(canvas.GetPixel(3, row), Rgb(128, 128, 128)) << row;
    }
    EXPECT_TRUE(RunIs(canvas, 1, 4, 9, Rgb(0, 0, 0)));
    EXPECT_TRUE(RunIs(canvas, 2, 4, 8, Rgb(0, 0, 0)));
}

TEST(DrawSplitGradient, NarrowButtonsSkipTheHighlightRowsThatWouldDivideByZeroOrLess)
{
    // Rows 1 and 2 from the upper part at H = 23: 226.82, 251.49, 226.94 and
    // 189.88, 234.33, 189.63.
    const Colour row1 = Rgb(227, 251, 227);
    const Colour row2 = Rgb(190, 234, 190);
    struct Case {
        int w;
        Colour atRow1;
        Colour atRow2;
    };
    const Case cases[] = {
        {11, kWhite, kWhite}, // divisors 1 and 2
        {10, row1, kWhite},   // 0 and 2
        {9, row1, kWhite},    // -1 and 1
        {7, row1, kWhite},    // -3 and 1
        {6, row1, row2},      // -4 and 0
        {5, row1, row2},      // -5 and 0
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(c.w, 23, kFace);
        DrawSplitGradient(canvas, kMid, kFrame, kEnd, 16, false);
        EXPECT_EQ(canvas.GetPixel(2, 1), c.atRow1) << "W " << c.w;
        EXPECT_EQ(canvas.GetPixel(2, 2), c.atRow2) << "W " << c.w;
    }
}

TEST(DrawSplitGradient, AFailedPixelReadCountsAsBlack)
{
    RasterCanvas inner(75, 23, kFace);
    UnreadableCanvas canvas(inner);
    DrawSplitGradient(canvas, kMid, kFrame, kEnd, 16, false);
    EXPECT_TRUE(RunIs(inner, 14, 1, 73, Rgb(0, 0, 0)));
    EXPECT_TRUE(RunIs(inner, 15, 1, 73, Rgb(0, 0, 0)));
    EXPECT_TRUE(RunIs(inner, 20, 1, 72, Rgb(0, 0, 0)));
    EXPECT_TRUE(RunIs(inner, 13, 1, 73, Rgb(155, 218, 154)));
}

TEST(DrawGlossGradient, BlueSetAt75By23)
{
    // s = 53 x 23 / 100 = 12.19. Upper steps: 67/11.19 = 5.99 -> 6,
    // 40/11.19 = 3.57 -> 4, 0; from first + 10 = 134, 181, 265 (drawn as
    // 255) at row 12 to row 3 = 134 + 54, 181 + 36 = 188, 217.
    // Band in first: rows 13 ... nearest(18.4) = 18.
    // Lower steps: 67/6.81 = 9.84 -> 10, 40/6.81 = 5.87 -> 6, 0; from first +
    // 5 at row nearest(80 x 23 / 100) = 18 to row 19.
    // Outlines: rows 1 and 21, columns 1 and 73 in RGB(211,229,255); rows 2
    // and 20, columns 2 and 72 in RGB(201,216,255); row 20 then
    // RGB(207,234,255) from x = 1 to 73.
    RasterCanvas canvas(75, 23, kFace);
    DrawGlossGradient(canvas, kBlueMid, kGlossFrame, kBlueEnd, 53);
    const Colour outer = Rgb(211, 229, 255);
    const Colour inner = Rgb(201, 216, 255);
    struct Run {
        int y, fromX, toX;
        Colour colour;
    };
    const Run runs[] = {
        {12, 3, 71, Rgb(134, 181, 255)}, {11, 3, 71, Rgb(140, 185, 255)}, {3, 3, 71, Rgb(188, 217, 255)},
        {13, 3, 71, kBlueMid},           {17, 3, 71, kBlueMid},           {18, 3, 71, Rgb(129, 176, 255)},
        {19, 3, 71, Rgb(139, 182, 255)}, {20, 1, 73, Rgb(207, 234, 255)}, {21, 2, 72, outer},
        {1, 2, 72, outer},               {2, 2, 72, inner},               {12, 1, 1, outer},
        {12, 2, 2, inner},               {12, 72, 72, inner},             {12, 73, 73, outer},
        {0, 2, 72, kGlossFrame},         {22, 2, 72, kGlossFrame},        {12, 0, 0, kGlossFrame},
        {1, 1, 1, kGlossFrame},          {21, 73, 73, kGlossFrame},       {0, 0, 1, kFace},
    };
    for (const Run& run : runs)
        EXPECT_TRUE(RunIs(canvas, run.y, run.fromX, run.toX, run.colour));
}

TEST(DrawGlossGradient, ChannelsAreHeldAfterEachStepNotBefore)
{
    // Red from 250 toward 220: upper step -30/11.19 -> -3 from 260, so rows
    // 12, 11, 10, 9 draw 255 (260), 255 (257 held), 252, 249. Lower step
    // -30/6.81 -> -4 from 255: rows 18, 19 draw 255, 251.
    RasterCanvas canvas(75, 23, kFace);
    DrawGlossGradient(canvas, Rgb(250, 100, 0), kGlossFrame, Rgb(220, 100, 0), 53);
    const int upperRows[] = {12, 11, 10, 9};
    const int upperReds[] = {255, 255, 252, 249};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(RunIs(canvas, upperRows[i], 3, 71, Rgb(upperReds[i], 110, 10)));
    EXPECT_TRUE(RunIs(canvas, 18, 3, 71, Rgb(255, 105, 5)));
    EXPECT_TRUE(RunIs(canvas, 19, 3, 71, Rgb(251, 105, 5)));
}

TEST(DrawGlossGradient, NoUpperPartWhileTheSplitRoundsToTwoOrLess)
{
    // W 20, H 10: the band starts at nearest(s + 1), the lower part at
    // nearest(s + 2.7); row 3 shows what is left of the upper part.
    //    0: s = 0: the lower part starts at nearest(2.7) = 3, first + 5.
    //   20: s = 2, nearest 2: no upper part; the band starts at row 3.
    //   25: s = 2.5, nearest 2 (half to even): no upper part, band from
    //       nearest(3.5) = 4, so the face shows at row 3.
    //   30: s = 3: row 3 = first + 10.
    //   35: s = 3.5, nearest 4: rows 4, 3; step 67/2.5 = 26.8 -> 27, 40/2.5
    //       = 16, so row 3 = 134 + 27, 181 + 16.
    struct Case {
        int percent;
        Colour atRow3;
    };
    const Case cases[] = {
        {0, Rgb(129, 176, 255)}, {20, kBlueMid}, {25, kFace}, {30, Rgb(134, 181, 255)}, {35, Rgb(161, 197, 255)},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(20, 10, kFace);
        DrawGlossGradient(canvas, kBlueMid, kGlossFrame, kBlueEnd, c.percent);
        EXPECT_TRUE(RunIs(canvas, 3, 3, 16, c.atRow3)) << c.percent << "%";
    }
}

TEST(Gradients, EverySmallSizeDrawsWithinItsRules)
{
    const int percents[] = {-5, 0, 1, 16, 25, 50, 53, 99, 100, 150};
    for (int w = 1; w <= 12; ++w) {
        for (int h = 1; h <= 12; ++h) {
            const std::string size = std::to_string(w) + "x" + std::to_string(h);
            for (int step : {-1, 1}) {
                RasterCanvas fade(w, h, kFace);
                DrawFadeToWhite(fade, Rgb(198, 197, 215), step < 0 ? h - 2 : 1, step < 0 ? 1 : h - 2, step);
                for (int y = 0; y < h; ++y) {
                    EXPECT_EQ(fade.GetPixel(0, y), kFace) << size;
                    EXPECT_EQ(fade.GetPixel(w - 1, y), kFace) << size;
                }
            }
            for (int percent : percents) {
                RasterCanvas split(w, h, kFace);
                DrawSplitGradient(split, kMid, kFrame, kEnd, percent, false);
                // Only the frame reaches column 0, from row 2 to H - 3 (on
                // narrower canvases lines running backwards reach it too).
                for (int y = 0; y < h && w >= 3; ++y) {
                    const bool framed = h >= 10 && y >= 2 && y <= h - 3;
                    EXPECT_EQ(split.GetPixel(0, y), framed ? kFrame : kFace) << size << " " << percent << "%";
                }
                RasterCanvas flat(w, h, kFace);
                DrawSplitGradient(flat, kMid, kFrame, kEnd, percent, true);
                RasterCanvas gloss(w, h, kFace);
                DrawGlossGradient(gloss, kBlueMid, kGlossFrame, kBlueEnd, percent);
                for (int y = 2; y <= h - 3; ++y)
                    EXPECT_EQ(gloss.GetPixel(0, y), kGlossFrame) << size << " " << percent << "%";
            }
            // Percent outside 0..100 draws as the nearer end.
            const int ends[][2] = {{-5, 0}, {150, 100}};
            for (const auto& [outside, end] : ends) {
                RasterCanvas a(w, h, kFace);
                RasterCanvas b(w, h, kFace);
                DrawSplitGradient(a, kMid, kFrame, kEnd, outside, false);
                DrawSplitGradient(b, kMid, kFrame, kEnd, end, false);
                EXPECT_TRUE(SameCanvas(a, b)) << size << " " << outside << "%";
                DrawGlossGradient(a, kBlueMid, kGlossFrame, kBlueEnd, outside);
                DrawGlossGradient(b, kBlueMid, kGlossFrame, kBlueEnd, end);
                EXPECT_TRUE(SameCanvas(a, b)) << size << " " << outside << "%";
            }
        }
    }
}
