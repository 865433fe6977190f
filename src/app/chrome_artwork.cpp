#include "app/chrome_artwork.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "drawing/colour.h"

namespace torvane {

namespace {

constexpr Colour kBrandLight = Rgb(47, 128, 237);
constexpr Colour kBrandDark = Rgb(18, 62, 156);
constexpr Colour kCaptionEdge = Rgb(11, 42, 112);
constexpr Colour kAccentBottom = Rgb(29, 94, 202);
constexpr Colour kMark = Rgb(255, 214, 72);
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kWindowSurface = Rgb(236, 241, 248);
constexpr Colour kTabSeparator = Rgb(220, 228, 239);
constexpr Colour kSelectedTint = Rgb(229, 239, 253);
constexpr Colour kCloseHover = Rgb(232, 17, 35);
constexpr Colour kClosePressed = Rgb(172, 12, 26);

int MixChannel(int from, int to, int num, int den)
{
    const int delta = (to - from) * num;
    return from + (delta >= 0 ? (delta + den / 2) / den : -((-delta + den / 2) / den));
}

// num/den of the way from one colour to another, rounded; den <= 0 stays.
Colour Mix(Colour from, Colour to, int num, int den)
{
    if (den <= 0)
        return from;
    return Rgb(MixChannel(RedOf(from), RedOf(to), num, den), MixChannel(GreenOf(from), GreenOf(to), num, den),
               MixChannel(BlueOf(from), BlueOf(to), num, den));
}

// A length num/den of another, rounded, so that sizes follow the DPI.
int Scaled(int length, int num, int den) { return (length * num + den / 2) / den; }

// The largest length up to want that centres exactly in total.
int CentredLength(int want, int total)
{
    int length = std::min(want, total);
    if ((total - length) % 2 != 0)
        --length;
    return length;
}

void FillRow(Canvas& canvas, int y, int left, int right, Colour colour)
{
    canvas.FillBox({left, y, right, y + 1}, colour);
}

// Row of the caption bar: one gradient step per row, then a darker edge.
Colour CaptionRowColour(int row, int height)
{
    if (height <= 0)
        return kBrandLight;
    row = std::clamp(row, 0, height - 1);
    const int bandRows = height >= 3 ? height - 1 : height;
    if (row >= bandRows)
        return kCaptionEdge;
    return Mix(kBrandLight, kBrandDark, row, bandRows - 1);
}

struct Point {
    double x;
    double y;
};

bool InsidePolygon(const std::vector<Point>& shape, double x, double y)
{
    bool inside = false;
    for (std::size_t i = 0, j = shape.size() - 1; i < shape.size(); j = i++) {
        const Point& a = shape[i];
        const Point& b = shape[j];
        if ((a.y <= y) != (b.y <= y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y))
            inside = !inside;
    }
    return inside;
}

// Fills the polygon, blending edge pixels by their 4 x 4 sampled coverage so
// that slanted edges stay smooth at small sizes.
void FillPolygon(Canvas& canvas, const std::vector<Point>& shape, Colour colour)
{
    constexpr int kSamples = 4;
    double minX = shape.front().x, maxX = minX, minY = shape.front().y, maxY = minY;
    for (const Point& p : shape) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int left = std::max(0, static_cast<int>(std::floor(minX)));
    const int right = std::min(canvas.Width(), static_cast<int>(std::ceil(maxX)));
    const int top = std::max(0, static_cast<int>(std::floor(minY)));
    const int bottom = std::min(canvas.Height(), static_cast<int>(std::ceil(maxY)));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    hits += InsidePolygon(shape, x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples) ? 1 : 0;
            if (hits > 0)
                canvas.SetPixel(x, y, Mix(canvas.GetPixel(x, y), colour, hits, kSamples * kSamples));
        }
    }
}

struct MarkBox {
    int left;
    int top;
    int width;
    int height;
};

MarkBox CaptionMark(int barHeight)
{
    const int height = Scaled(barHeight, 18, 40);
    return {Scaled(barHeight, 2, 40), (barHeight - height) / 2, Scaled(barHeight, 9, 40), height};
}

void DrawLightning(Canvas& canvas, const MarkBox& box)
{
    if (box.width < 3 || box.height < 5)
        return;
    // A bolt in a unit square: down-left stroke, a step, down-left to a point.
    static const Point kBolt[] = {{0.58, 0.0}, {0.0, 0.58}, {0.42, 0.58}, {0.22, 1.0},
                                  {1.0, 0.38}, {0.56, 0.38}, {0.86, 0.0}};
    std::vector<Point> shape;
    for (const Point& p : kBolt)
        shape.push_back({box.left + p.x * box.width, box.top + p.y * box.height});
    FillPolygon(canvas, shape, kMark);
}

// A vertical bar with round ends, in a vertical gradient, blended at its
// corners with what the canvas already shows there.
void DrawPill(Canvas& canvas, const PixelRect& box, Colour top, Colour bottom)
{
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (width <= 0 || height <= 0)
        return;
    const double radius = std::min(width, height) / 2.0;
    for (int y = 0; y < height; ++y) {
        const Colour colour = Mix(top, bottom, y, height - 1);
        const double py = y + 0.5;
        const double dy = py - std::clamp(py, radius, height - radius);
        for (int x = 0; x < width; ++x) {
            const double px = x + 0.5;
            const double dx = px - std::clamp(px, radius, width - radius);
            const double cover = std::clamp(radius - std::sqrt(dx * dx + dy * dy) + 0.5, 0.0, 1.0);
            Colour under = canvas.GetPixel(box.left + x, box.top + y);
            if (under == kInvalidColour)
                under = kWhite;
            canvas.SetPixel(box.left + x, box.top + y, Mix(under, colour, static_cast<int>(cover * 255 + 0.5), 255));
        }
    }
}

// The X, centred in the canvas: strokes along both diagonals of a square of
// the given side, blended by 4 x 4 sampled coverage. Coverage is worked out
// in one quarter and mirrored, so the glyph is exactly symmetric.
void DrawCross(Canvas& canvas, double side, double thickness, Colour ink)
{
    constexpr int kSamples = 4;
    const int width = canvas.Width();
    const int height = canvas.Height();
    const double half = side / 2.0;
    const double reach = thickness / 2.0 * std::sqrt(2.0);
    for (int y = 0; y < (height + 1) / 2; ++y) {
        for (int x = 0; x < (width + 1) / 2; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double u = x + (sx + 0.5) / kSamples - width / 2.0;
                    const double v = y + (sy + 0.5) / kSamples - height / 2.0;
                    const bool inBox = std::abs(u) <= half && std::abs(v) <= half;
                    hits += inBox && (std::abs(u - v) <= reach || std::abs(u + v) <= reach) ? 1 : 0;
                }
            }
            if (hits == 0)
                continue;
            const int xs[] = {x, width - 1 - x};
            const int ys[] = {y, height - 1 - y};
            for (int j = 0; j < (ys[0] == ys[1] ? 1 : 2); ++j)
                for (int i = 0; i < (xs[0] == xs[1] ? 1 : 2); ++i)
                    canvas.SetPixel(xs[i], ys[j], Mix(canvas.GetPixel(xs[i], ys[j]), ink, hits, kSamples * kSamples));
        }
    }
}

} // namespace

int CaptionMarkRight(int barHeight)
{
    const MarkBox box = CaptionMark(std::max(barHeight, 0));
    return box.left + box.width + Scaled(barHeight, 2, 40);
}

void DrawCaptionBar(Canvas& canvas)
{
    const int width = canvas.Width();
    const int height = canvas.Height();
    for (int y = 0; y < height; ++y)
        FillRow(canvas, y, 0, width, CaptionRowColour(y, height));
    const MarkBox mark = CaptionMark(height);
    if (mark.left + mark.width <= width)
        DrawLightning(canvas, mark);
}

void DrawWindowButton(Canvas& canvas, WindowButton button, int state)
{
    DrawWindowButton(canvas, button, state, 0, Scaled(canvas.Height(), 20, 11));
}

void DrawWindowButton(Canvas& canvas, WindowButton button, int state, int barTop, int barHeight)
{
    const int width = canvas.Width();
    const int height = canvas.Height();
    if (width <= 0 || height <= 0)
        return;
    for (int y = 0; y < height; ++y) {
        const Colour bar = CaptionRowColour(barTop + y, barHeight);
        Colour face = bar;
        if (button == WindowButton::Close && (state == 1 || state == 2))
            face = state == 1 ? kCloseHover : kClosePressed;
        else if (state == 1)
            face = Mix(bar, kWhite, 1, 5);
        else if (state == 2)
            face = Mix(bar, kBlack, 1, 5);
        FillRow(canvas, y, 0, width, face);
    }
    const int thickness = std::max(1, Scaled(height, 1, 11));
    const int side = std::max(1, Scaled(height, 10, 22));
    if (button == WindowButton::Close) {
        DrawCross(canvas, std::min({side, width, height}), thickness, kWhite);
        return;
    }
    // Whole pixels keep the bar crisp; an even margin each side centres it.
    const int barWidth = CentredLength(side, width);
    const int rows = std::min(thickness, height);
    const int left = (width - barWidth) / 2;
    const int top = (height - rows) / 2;
    if (barWidth > 0)
        canvas.FillBox({left, top, left + barWidth, top + rows}, kWhite);
}

void DrawTab(Canvas& canvas, bool selected)
{
    const int width = canvas.Width();
    const int height = canvas.Height();
    if (width <= 0 || height <= 0)
        return;
    if (!selected) {
        canvas.FillBox({0, 0, width, height}, kWindowSurface);
        int inset = Scaled(height, 8, 33);
        if (2 * inset >= width)
            inset = 0;
        if (height >= 2)
            FillRow(canvas, height - 1, inset, width - inset, kTabSeparator);
        return;
    }
    // Fading to white at the right edge, where the page starts.
    for (int x = 0; x < width; ++x)
        canvas.FillBox({x, 0, x + 1, height}, Mix(kSelectedTint, kWhite, x, width - 1));
    // The heading accent's shape, standing just off the left edge.
    int inset = Scaled(height, 2, 33);
    const int accent = std::min(width, std::max(1, Scaled(height, 3, 33)));
    if (inset + accent > width)
        inset = 0;
    int margin = Scaled(height, 7, 33);
    if (height - 2 * margin < accent)
        margin = 0;
    DrawPill(canvas, {inset, margin, inset + accent, height - margin}, kBrandLight, kAccentBottom);
}

void DrawHeadingAccent(Canvas& canvas)
{
    const int width = canvas.Width();
    const int height = canvas.Height();
    if (width <= 0 || height <= 0)
        return;
    canvas.FillBox({0, 0, width, height}, kWhite);
    DrawPill(canvas, {0, 0, width, height}, kBrandLight, kAccentBottom);
}

} // namespace torvane
