#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "drawing/drawing_primitives.h"
#include "drawing/raster_canvas.h"

using namespace torvane;

namespace {

constexpr Colour kBack = Rgb(236, 233, 216);
constexpr Colour kLine = Rgb(0, 60, 115);
constexpr Colour kCorner = Rgb(16, 77, 123);

using Legend = std::vector<std::pair<char, Colour>>;

// The canvas row by row, each pixel as the key of its colour ('?' if none).
std::string Picture(const Canvas& canvas, const Legend& legend)
{
    std::string picture;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            char key = '?';
            for (const auto& [k, colour] : legend)
                if (canvas.GetPixel(x, y) == colour)
                    key = k;
            picture += key;
        }
        picture += '\n';
    }
    return picture;
}

} // namespace

TEST(DrawBox, FillsTheBoxOrDrawsItsOutline)
{
    struct Case {
        int x, y, w, h;
        bool outlineOnly;
        const char* picture;
    };
    const Case cases[] = {
        {1, 1, 4, 3, false, "......\n.####.\n.####.\n.####.\n......\n"},
        {1, 1, 4, 3, true, "......\n.####.\n.#..#.\n.####.\n......\n"},
        {0, 0, 6, 5, true, "######\n#....#\n#....#\n#....#\n######\n"},
        {2, 2, 1, 1, true, "......\n......\n..#...\n......\n......\n"},
        {2, 2, 0, 3, false, "......\n......\n......\n......\n......\n"},
        // A negative size reaches back from the origin, one pixel over.
        {3, 1, -2, 2, false, "......\n..##..\n..##..\n......\n......\n"},
        {3, 1, -2, 2, true, "......\n......\n......\n......\n......\n"},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(6, 5, kBack);
        DrawBox(canvas, c.x, c.y, c.w, c.h, kLine, c.outlineOnly);
        EXPECT_EQ(Picture(canvas, {{'.', kBack}, {'#', kLine}}), c.picture)
            << c.x << "," << c.y << " " << c.w << "x" << c.h << (c.outlineOnly ? " outline" : " fill");
    }
}

TEST(DrawLine, StopsOneShortOfItsEnd)
{
    struct Case {
        int x1, y1, x2, y2;
        const char* picture;
    };
    const Case cases[] = {
        {1, 1, 5, 1, "......\n.####.\n......\n"},
        {5, 1, 1, 1, "......\n..####\n......\n"},
        {0, 0, 0, 3, "#.....\n#.....\n#.....\n"},
        {5, 2, 5, 0, "......\n.....#\n.....#\n"},
        {2, 1, 2, 1, "......\n......\n......\n"},
        {-4, 2, 9, 2, "......\n......\n######\n"},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(6, 3, kBack);
        DrawLine(canvas, c.x1, c.y1, c.x2, c.y2, kLine);
        EXPECT_EQ(Picture(canvas, {{'.', kBack}, {'#', kLine}}), c.picture)
            << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
    }
}

TEST(PutPixel, SetsOnePixelAndIgnoresThoseOutside)
{
    RasterCanvas canvas(4, 2, kBack);
    PutPixel(canvas, 3, 1, kLine);
    PutPixel(canvas, 4, 1, kLine);
    PutPixel(canvas, -1, 0, kLine);
    EXPECT_EQ(Picture(canvas, {{'.', kBack}, {'#', kLine}}), "....\n...#\n");
}

TEST(DrawRoundFrame, CutsTheCornersWithAPixelInside)
{
    struct Case {
        int w, h;
        const char* picture;
    };
    const Case cases[] = {
        {8, 6,
         "..LLLL..\n"
         ".C....C.\n"
         "L......L\n"
         "L......L\n"
         ".C....C.\n"
         "..LLLL..\n"},
        {5, 5,
         "..L..\n"
         ".C.C.\n"
         "L...L\n"
         ".C.C.\n"
         "..L..\n"},
        {4, 4,
         "....\n"
         ".CC.\n"
         ".CC.\n"
         "....\n"},
        // The lines run backwards on tiny canvases and still leave out their end.
        {3, 3,
         "..L\n"
         ".C.\n"
         "L.L\n"},
        {2, 2,
         "CC\n"
         "CC\n"},
        {1, 1, "L\n"},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(c.w, c.h, kBack);
        DrawRoundFrame(canvas, kLine, kCorner);
        EXPECT_EQ(Picture(canvas, {{'.', kBack}, {'L', kLine}, {'C', kCorner}}), c.picture) << c.w << "x" << c.h;
    }
}

TEST(DrawFocusCue, DotsTheRectangleTwoPixelsIn)
{
    constexpr Colour kInverted = Rgb(255 - 236, 255 - 233, 255 - 216);
    struct Case {
        int w, h;
        const char* picture;
    };
    const Case cases[] = {
        {10, 8,
         "..........\n"
         "..........\n"
         "...x.x.x..\n"
         "..x.......\n"
         ".......x..\n"
         "..x.x.x...\n"
         "..........\n"
         "..........\n"},
        {11, 7,
         "...........\n"
         "...........\n"
         "..x.x.x.x..\n"
         "...........\n"
         "..x.x.x.x..\n"
         "...........\n"
         "...........\n"},
        {5, 9,
         ".....\n"
         ".....\n"
         "..x..\n"
         ".....\n"
         ".....\n"
         ".....\n"
         "..x..\n"
         ".....\n"
         ".....\n"},
        {4, 4,
         "....\n"
         "....\n"
         "....\n"
         "....\n"},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(c.w, c.h, kBack);
        DrawFocusCue(canvas, Rgb(0, 0, 0));
        EXPECT_EQ(Picture(canvas, {{'.', kBack}, {'x', kInverted}}), c.picture) << c.w << "x" << c.h;
    }
}

TEST(AddColorClamped, MovesEachChannelWithinZeroAndTheCeiling)
{
    struct Case {
        Colour colour;
        int red, green, blue;
        Colour ceiling;
        Colour expected;
    };
    const Case cases[] = {
        {Rgb(220, 220, 186), -30, -30, -60, Rgb(250, 250, 250), Rgb(190, 190, 126)},
        {Rgb(193, 210, 238), -40, -30, -15, Rgb(250, 250, 250), Rgb(153, 180, 223)},
        {Rgb(10, 20, 30), -11, -20, -31, Rgb(250, 250, 250), Rgb(0, 0, 0)},
        {Rgb(240, 245, 250), 15, 4, 1, Rgb(250, 250, 250), Rgb(250, 249, 250)},
        // Each channel has its own ceiling.
        {Rgb(100, 100, 100), 50, 50, 50, Rgb(120, 255, 149), Rgb(120, 150, 149)},
        {Rgb(100, 100, 100), 0, 0, 0, Rgb(0, 50, 255), Rgb(0, 50, 100)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddColorClamped(c.colour, c.red, c.green, c.blue, c.ceiling), c.expected)
            << c.red << " " << c.green << " " << c.blue;
}
