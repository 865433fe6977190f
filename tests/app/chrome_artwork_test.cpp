#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/chrome_artwork.h"
#include "drawing/raster_canvas.h"

using namespace torvane;

namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kUnpainted = Rgb(1, 2, 3);
constexpr Colour kBrandLight = Rgb(47, 128, 237);
constexpr Colour kCloseRed = Rgb(232, 17, 35);

int Brightness(Colour c) { return RedOf(c) + GreenOf(c) + BlueOf(c); }
bool Bluish(Colour c) { return BlueOf(c) > RedOf(c) + 100; }
bool Reddish(Colour c) { return RedOf(c) > BlueOf(c) + 100; }

// A raster canvas that also notes every call reaching outside it.
class BoundsCheckingCanvas final : public Canvas {
public:
    BoundsCheckingCanvas(int width, int height) : raster_(width, height, kUnpainted) {}

    int Width() const override { return raster_.Width(); }
    int Height() const override { return raster_.Height(); }
    void Clear() override { raster_.Clear(); }
    void FillBox(const PixelRect& box, Colour colour) override
    {
        CheckBox(box);
        raster_.FillBox(box, colour);
    }
    void FrameBox(const PixelRect& box, Colour colour) override
    {
        CheckBox(box);
        raster_.FrameBox(box, colour);
    }
    void Line(int x1, int y1, int x2, int y2, Colour colour) override
    {
        CheckBox({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
        raster_.Line(x1, y1, x2, y2, colour);
    }
    void SetPixel(int x, int y, Colour colour) override
    {
        CheckPixel(x, y);
        raster_.SetPixel(x, y, colour);
    }
    Colour GetPixel(int x, int y) const override
    {
        const_cast<BoundsCheckingCanvas*>(this)->CheckPixel(x, y);
        return raster_.GetPixel(x, y);
    }
    void FocusRect(const PixelRect&, Colour) override { ++strayCalls; }
    void Text(const std::wstring&, const PixelRect&, unsigned, Colour) override { ++strayCalls; }
    PixelSize MeasureText(const std::wstring&, int, unsigned) override
    {
        ++strayCalls;
        return {};
    }

    int outside = 0;
    int strayCalls = 0;
    const RasterCanvas& Raster() const { return raster_; }

private:
    void CheckBox(const PixelRect& box)
    {
        if (box.left < 0 || box.top < 0 || box.right > Width() || box.bottom > Height() || box.left > box.right ||
            box.top > box.bottom)
            ++outside;
    }
    void CheckPixel(int x, int y)
    {
        if (x < 0 || y < 0 || x >= Width() || y >= Height())
            ++outside;
    }

    RasterCanvas raster_;
};

RasterCanvas Painted(int width, int height, const std::function<void(Canvas&)>& draw)
{
    RasterCanvas canvas(width, height, kUnpainted);
    draw(canvas);
    return canvas;
}

RasterCanvas Button(int width, int height, WindowButton button, int state)
{
    return Painted(width, height, [&](Canvas& c) { DrawWindowButton(c, button, state); });
}

int CountWhite(const RasterCanvas& c)
{
    int count = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            count += c.GetPixel(x, y) == kWhite ? 1 : 0;
    return count;
}

// Rows holding at least one pure white pixel.
std::pair<int, int> WhiteRows(const RasterCanvas& c)
{
    int first = c.Height(), last = -1;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.GetPixel(x, y) == kWhite) {
                first = std::min(first, y);
                last = std::max(last, y);
            }
    return {first, last};
}

struct Size {
    int width;
    int height;
};

// 100%, 150% and 200%.
const Size kCaptionSizes[] = {{784, 40}, {1176, 60}, {1568, 80}};
const Size kButtonSizes[] = {{32, 22}, {48, 33}, {64, 44}};
const Size kTabSizes[] = {{193, 33}, {290, 50}, {386, 66}};
const Size kAccentSizes[] = {{4, 16}, {6, 24}, {8, 32}};

} // namespace

TEST(CaptionBarArtwork, GradientRunsSmoothlyFromLightTopToDarkerBottom)
{
    for (const Size& s : kCaptionSizes) {
        SCOPED_TRACE(s.height);
        const RasterCanvas bar = Painted(s.width, s.height, DrawCaptionBar);
        const int x = s.width - 1;
        EXPECT_EQ(bar.GetPixel(x, 0), kBrandLight);
        EXPECT_GT(Brightness(bar.GetPixel(x, 0)), Brightness(bar.GetPixel(x, s.height - 1)) + 150);
        for (int y = 1; y < s.height; ++y) {
            const Colour above = bar.GetPixel(x, y - 1);
            const Colour here = bar.GetPixel(x, y);
            EXPECT_LE(RedOf(here), RedOf(above)) << y;
            EXPECT_LE(GreenOf(here), GreenOf(above)) << y;
            EXPECT_LE(BlueOf(here), BlueOf(above)) << y;
            EXPECT_LT(Brightness(here), Brightness(above)) << y;
            // Interpolated, not banded: small steps in the band itself.
            if (y < s.height - 1) {
                EXPECT_LE(std::abs(BlueOf(here) - BlueOf(above)), 3) << y;
                EXPECT_LE(std::abs(GreenOf(here) - GreenOf(above)), 3) << y;
            }
        }
        // The edge line stands out darker than the band's last step.
        const int bandStep = Brightness(bar.GetPixel(x, s.height - 3)) - Brightness(bar.GetPixel(x, s.height - 2));
        const int edgeStep = Brightness(bar.GetPixel(x, s.height - 2)) - Brightness(bar.GetPixel(x, s.height - 1));
        EXPECT_GT(edgeStep, 2 * bandStep);
    }
}

TEST(CaptionBarArtwork, MarkStaysLeftOfTheNameAndInsideTheBar)
{
    for (const Size& s : kCaptionSizes) {
        SCOPED_TRACE(s.height);
        const RasterCanvas bar = Painted(s.width, s.height, DrawCaptionBar);
        const int markRight = CaptionMarkRight(s.height);
        EXPECT_LE(markRight, s.height * 14 / 40);
        int markPixels = 0;
        for (int y = 0; y < s.height; ++y) {
            const Colour band = bar.GetPixel(s.width - 1, y);
            for (int x = 0; x < s.width; ++x) {
                if (bar.GetPixel(x, y) == band)
                    continue;
                EXPECT_LT(x, markRight) << x << "," << y;
                EXPECT_GT(y, 0);
                EXPECT_LT(y, s.height - 1);
                ++markPixels;
            }
        }
        // A glyph of a fair size, not a speck or a block.
        EXPECT_GT(markPixels, s.height * s.height / 40);
        EXPECT_LT(markPixels, markRight * s.height / 2);
    }
}

TEST(WindowButtonArtwork, CloseShowsRedOnlyWhenHoveredOrPressed)
{
    for (const Size& s : kButtonSizes) {
        SCOPED_TRACE(s.height);
        const RasterCanvas hover = Button(s.width, s.height, WindowButton::Close, 1);
        EXPECT_EQ(hover.GetPixel(0, 0), kCloseRed);
        EXPECT_EQ(hover.GetPixel(s.width - 1, s.height - 1), kCloseRed);
        EXPECT_TRUE(Reddish(Button(s.width, s.height, WindowButton::Close, 2).GetPixel(0, 0)));
        const RasterCanvas resting = Button(s.width, s.height, WindowButton::Close, 0);
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                ASSERT_FALSE(Reddish(resting.GetPixel(x, y))) << x << "," << y;
        // Minimise never turns red, whatever its state.
        for (int state : {0, 1, 2})
            EXPECT_FALSE(Reddish(Button(s.width, s.height, WindowButton::Minimise, state).GetPixel(0, 0)));
    }
}

TEST(WindowButtonArtwork, RestingFaceContinuesTheCaptionBar)
{
    for (std::size_t i = 0; i < 3; ++i) {
        const Size b = kButtonSizes[i];
        const Size c = kCaptionSizes[i];
        SCOPED_TRACE(b.height);
        const RasterCanvas bar = Painted(c.width, c.height, DrawCaptionBar);
        for (WindowButton which : {WindowButton::Minimise, WindowButton::Close}) {
            const RasterCanvas button = Button(b.width, b.height, which, 0);
            for (int y = 0; y < b.height; ++y)
                EXPECT_EQ(button.GetPixel(0, y), bar.GetPixel(c.width - 1, y)) << y;
        }
    }
    // Placed lower on a bar, it takes the rows it covers.
    const RasterCanvas bar = Painted(784, 40, DrawCaptionBar);
    const RasterCanvas lower = Painted(32, 22, [](Canvas& c) { DrawWindowButton(c, WindowButton::Close, 0, 9, 40); });
    for (int y = 0; y < 22; ++y)
        EXPECT_EQ(lower.GetPixel(0, y), bar.GetPixel(783, 9 + y)) << y;
}

TEST(WindowButtonArtwork, HoverIsLighterAndPressedDarker)
{
    for (const Size& s : kButtonSizes) {
        SCOPED_TRACE(s.height);
        for (WindowButton which : {WindowButton::Minimise, WindowButton::Close}) {
            for (int y : {0, s.height - 1}) {
                const int hover = Brightness(Button(s.width, s.height, which, 1).GetPixel(0, y));
                const int pressed = Brightness(Button(s.width, s.height, which, 2).GetPixel(0, y));
                EXPECT_LT(pressed, hover - 30);
            }
        }
        const Colour rest = Button(s.width, s.height, WindowButton::Minimise, 0).GetPixel(0, 5);
        const Colour hover = Button(s.width, s.height, WindowButton::Minimise, 1).GetPixel(0, 5);
        const Colour pressed = Button(s.width, s.height, WindowButton::Minimise, 2).GetPixel(0, 5);
        EXPECT_GT(Brightness(hover), Brightness(rest) + 30);
        EXPECT_LT(Brightness(pressed), Brightness(rest) - 30);
        EXPECT_TRUE(Bluish(hover) && Bluish(pressed));
    }
}

TEST(WindowButtonArtwork, GlyphIsWhiteCentredAndScaled)
{
    for (const Size& s : kButtonSizes) {
        SCOPED_TRACE(s.height);
        for (WindowButton which : {WindowButton::Minimise, WindowButton::Close}) {
            for (int state : {0, 1, 2}) {
                const RasterCanvas b = Button(s.width, s.height, which, state);
                int left = 0, right = 0;
                for (int y = 0; y < s.height; ++y)
                    for (int x = 0; x < s.width; ++x) {
                        // Mirror image about the centre, glyph edges included.
                        ASSERT_EQ(b.GetPixel(x, y), b.GetPixel(s.width - 1 - x, y)) << x << "," << y;
                        if (b.GetPixel(x, y) == kWhite)
                            (2 * x + 1 < s.width ? left : right) += 1;
                    }
                EXPECT_EQ(left, right);
                EXPECT_GT(left, 0);
                // None of it at the button's edges.
                const auto [top, bottom] = WhiteRows(b);
                EXPECT_LE(std::abs(top - (s.height - 1 - bottom)), 1);
                EXPECT_GT(top, s.height / 5);
            }
        }
        // Minimise: one bar about H/11 thick and close to half the height wide.
        const RasterCanvas minimise = Button(s.width, s.height, WindowButton::Minimise, 0);
        const auto [top, bottom] = WhiteRows(minimise);
        EXPECT_EQ(bottom - top + 1, (s.height + 5) / 11);
        const int wide = CountWhite(minimise) / (bottom - top + 1);
        EXPECT_NEAR(wide, s.height * 10 / 22, 1);
        // Close: an X as tall as it is wide, touching both diagonals' ends.
        const RasterCanvas close = Button(s.width, s.height, WindowButton::Close, 0);
        const auto [closeTop, closeBottom] = WhiteRows(close);
        EXPECT_NEAR(closeBottom - closeTop + 1, s.height * 10 / 22, 2);
        const int mid = (closeTop + closeBottom) / 2;
        EXPECT_NE(close.GetPixel(s.width / 2, closeTop), kWhite);
        EXPECT_EQ(close.GetPixel(s.width / 2, mid), kWhite);
    }
}

TEST(WindowButtonArtwork, MinimiseAndCloseGlyphsDiffer)
{
    for (const Size& s : kButtonSizes) {
        SCOPED_TRACE(s.height);
        const RasterCanvas minimise = Button(s.width, s.height, WindowButton::Minimise, 0);
        const RasterCanvas close = Button(s.width, s.height, WindowButton::Close, 0);
        const auto [minTop, minBottom] = WhiteRows(minimise);
        const auto [closeTop, closeBottom] = WhiteRows(close);
        // The bar is a thin line; the X is tall.
        EXPECT_GT(closeBottom - closeTop, 3 * (minBottom - minTop + 1));
        int different = 0;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                different += (minimise.GetPixel(x, y) == kWhite) != (close.GetPixel(x, y) == kWhite) ? 1 : 0;
        EXPECT_GT(different, CountWhite(minimise) / 2);
    }
}

TEST(TabArtwork, SelectedHasTheAccentOnAWhiteSurfaceAndUnselectedNone)
{
    for (const Size& s : kTabSizes) {
        SCOPED_TRACE(s.height);
        const RasterCanvas on = Painted(s.width, s.height, [](Canvas& c) { DrawTab(c, true); });
        const RasterCanvas off = Painted(s.width, s.height, [](Canvas& c) { DrawTab(c, false); });
        const int mid = s.height / 2;
        int accent = 0;
        int firstBlue = -1;
        for (int x = 0; x < s.width; ++x)
            if (Bluish(on.GetPixel(x, mid))) {
                accent += 1;
                if (firstBlue < 0)
                    firstBlue = x;
            }
        // A bar 3 px at 100%, scaled, just off the left edge.
        EXPECT_EQ(accent, std::max(1, (s.height * 3 + 16) / 33));
        EXPECT_GE(firstBlue, 0);
        EXPECT_LE(firstBlue, s.height / 8);
        // Shorter than the tab, so its ends show.
        EXPECT_FALSE(Bluish(on.GetPixel(firstBlue, 1)));
        EXPECT_FALSE(Bluish(on.GetPixel(firstBlue, s.height - 2)));
        // White where it meets the page, near-white across, lightest at the right.
        EXPECT_EQ(on.GetPixel(s.width - 1, 0), kWhite);
        EXPECT_EQ(on.GetPixel(s.width - 1, s.height - 1), kWhite);
        for (int x = s.height / 4; x < s.width; ++x) {
            const Colour c = on.GetPixel(x, mid);
            ASSERT_GE(RedOf(c), 225) << x;
            ASSERT_GE(Brightness(c), Brightness(on.GetPixel(x - 1, mid))) << x;
        }
        EXPECT_LT(Brightness(on.GetPixel(s.height / 4, mid)), Brightness(kWhite));
        // Unselected: the quiet window surface, a faint separator and no blue.
        EXPECT_EQ(off.GetPixel(0, mid), Rgb(236, 241, 248));
        EXPECT_EQ(off.GetPixel(s.width - 1, mid), Rgb(236, 241, 248));
        const Colour separator = off.GetPixel(s.width / 2, s.height - 1);
        EXPECT_LT(Brightness(separator), Brightness(Rgb(236, 241, 248)));
        EXPECT_GT(Brightness(separator), Brightness(Rgb(236, 241, 248)) - 60);
        EXPECT_EQ(on.GetPixel(s.width / 2, s.height - 1), on.GetPixel(s.width / 2, mid));
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                ASSERT_FALSE(Bluish(off.GetPixel(x, y)));
    }
}

TEST(HeadingAccentArtwork, BlueBarWithRoundedEnds)
{
    for (const Size& s : kAccentSizes) {
        SCOPED_TRACE(s.height);
        const RasterCanvas a = Painted(s.width, s.height, DrawHeadingAccent);
        for (int y = s.width / 2; y < s.height - s.width / 2; ++y)
            for (int x = 0; x < s.width; ++x)
                ASSERT_TRUE(Bluish(a.GetPixel(x, y))) << x << "," << y;
        // Corners fade towards the white page; the middle of each end does not.
        for (int y : {0, s.height - 1}) {
            EXPECT_GT(Brightness(a.GetPixel(0, y)), Brightness(a.GetPixel(s.width / 2, y)) + 100);
            EXPECT_EQ(a.GetPixel(0, y), a.GetPixel(s.width - 1, y));
            EXPECT_TRUE(Bluish(a.GetPixel(s.width / 2, y)));
        }
        EXPECT_GT(Brightness(a.GetPixel(s.width / 2, 0)), Brightness(a.GetPixel(s.width / 2, s.height - 1)));
    }
}

TEST(ChromeArtwork, EveryDrawingPaintsTheWholeCanvasAndStaysInside)
{
    const std::pair<const char*, std::function<void(Canvas&)>> drawings[] = {
        {"caption", DrawCaptionBar},
        {"tab", [](Canvas& c) { DrawTab(c, false); }},
        {"selected tab", [](Canvas& c) { DrawTab(c, true); }},
        {"accent", DrawHeadingAccent},
        {"minimise", [](Canvas& c) { DrawWindowButton(c, WindowButton::Minimise, 0); }},
        {"minimise hover", [](Canvas& c) { DrawWindowButton(c, WindowButton::Minimise, 1); }},
        {"minimise pressed", [](Canvas& c) { DrawWindowButton(c, WindowButton::Minimise, 2); }},
        {"close", [](Canvas& c) { DrawWindowButton(c, WindowButton::Close, 0); }},
        {"close hover", [](Canvas& c) { DrawWindowButton(c, WindowButton::Close, 1); }},
        {"close pressed", [](Canvas& c) { DrawWindowButton(c, WindowButton::Close, 2); }},
        {"close low on bar", [](Canvas& c) { DrawWindowButton(c, WindowButton::Close, 0, 30, 7); }},
    };
    std::vector<Size> sizes;
    for (int w = 0; w <= 12; ++w)
        for (int h = 0; h <= 12; ++h)
            sizes.push_back({w, h});
    for (const Size& s : {kCaptionSizes[0], kButtonSizes[1], kTabSizes[2], kAccentSizes[0], Size{3, 200}})
        sizes.push_back(s);
    for (const auto& [name, draw] : drawings) {
        for (const Size& s : sizes) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(s.width) + "x" + std::to_string(s.height));
            BoundsCheckingCanvas canvas(s.width, s.height);
            draw(canvas);
            EXPECT_EQ(canvas.outside, 0);
            EXPECT_EQ(canvas.strayCalls, 0);
            for (int y = 0; y < s.height; ++y)
                for (int x = 0; x < s.width; ++x)
                    ASSERT_NE(canvas.Raster().GetPixel(x, y), kUnpainted) << x << "," << y;
        }
    }
}
