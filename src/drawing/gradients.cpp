#include "drawing/gradients.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "drawing/drawing_primitives.h"

namespace torvane {

namespace {

// Round half to even, whatever the floating-point rounding mode.
double Nearest(double value)
{
    return value - std::remainder(value, 1.0);
}

int NearestInt(double value)
{
    return static_cast<int>(Nearest(value));
}

// Percent is held in 0..100 by the control; holding it here too keeps every
// loop within the canvas height whoever calls.
int Bounded(int percent)
{
    return std::clamp(percent, 0, 100);
}

void Row(Canvas& canvas, int y, Colour colour)
{
    DrawLine(canvas, 1, y, canvas.Width() - 1, y, colour);
}

// Three channels moving by a fixed step per row, each held within 0..255
// after every step. T is the arithmetic of channels and steps: float for
// single precision, int for steps rounded to whole numbers.
template <typename T>
struct Ramp {
    T value[3];
    T step[3] = {0, 0, 0};

    explicit Ramp(Colour start, T lift = 0)
        : value{static_cast<T>(RedOf(start) + lift), static_cast<T>(GreenOf(start) + lift),
                static_cast<T>(BlueOf(start) + lift)}
    {
    }

    void Aim(Colour from, Colour to, double divisor)
    {
        const int differences[3] = {RedOf(to) - RedOf(from), GreenOf(to) - GreenOf(from), BlueOf(to) - BlueOf(from)};
        for (int k = 0; k < 3; ++k) {
            if constexpr (std::is_integral_v<T>)
                step[k] = NearestInt(differences[k] / divisor);
            else
                step[k] = static_cast<T>(differences[k] / divisor);
        }
    }

    // A start lifted above 255 draws as 255.
    Colour Current() const
    {
        auto byte = [](T channel) { return static_cast<int>(std::clamp(Nearest(channel), 0.0, 255.0)); };
        return Rgb(byte(value[0]), byte(value[1]), byte(value[2]));
    }

    void Advance()
    {
        for (int k = 0; k < 3; ++k)
            value[k] = std::clamp<T>(value[k] + step[k], 0, 255);
    }
};

// Pixels from (2, row) on, fading from white to second at i = divisor and on
// toward black. A divisor of zero or below (a narrow button) skips the row.
void HighlightRow(Canvas& canvas, int row, int last, int divisor, Colour second)
{
    if (divisor <= 0)
        return;
    auto channel = [&](int end, int i) { return std::max(0, 255 - (255 - end) * i / divisor); };
    for (int i = 0; i <= last; ++i)
        PutPixel(canvas, i + 2, row,
                 Rgb(channel(RedOf(second), i), channel(GreenOf(second), i), channel(BlueOf(second), i)));
}

} // namespace

void DrawFadeToWhite(Canvas& canvas, Colour start, int fromRow, int toRow, int step)
{
    // At H = 5 the step would divide by zero, below it fade away from white.
    const int divisor = canvas.Height() - 5;
    if (divisor <= 0 || step == 0)
        return;
    // The steps toward white are never negative: only 255 ever holds them.
    Ramp<double> ramp(start);
    ramp.Aim(start, Rgb(255, 255, 255), divisor);
    for (long long y = fromRow; step > 0 ? y <= toRow : y >= toRow; y += step) {
        ramp.Advance();
        Row(canvas, static_cast<int>(y), ramp.Current());
    }
}

void DrawSplitGradient(Canvas& canvas, Colour first, Colour frameColour, Colour second, int percent, bool flat)
{
    const int w = canvas.Width();
    const int h = canvas.Height();
    if (flat) {
        DrawBox(canvas, 1, 1, w - 2, h - 2, first, false);
        DrawRoundFrame(canvas, frameColour, frameColour);
        return;
    }
    const double s = h * Bounded(percent) / 100.0;

    Ramp<float> upper(first);
    // With s <= 1 at most row 1 is drawn, in first: no slope is needed.
    if (s > 1)
        upper.Aim(first, second, s - 1);
    for (int y = NearestInt(s); y >= 1; --y) {
        Row(canvas, y, upper.Current());
        upper.Advance();
    }

    HighlightRow(canvas, 1, w - 4, w - 10, second);
    HighlightRow(canvas, 2, w - w / 3 - 2, w - (2 * w) / 3 - 2, second);

    Row(canvas, NearestInt(s + 1), first);
    Row(canvas, NearestInt(s + 2), first);
    Ramp<float> lower(first);
    // With H - s - 4 <= 0 the rows below start past H - 4: none are drawn.
    const double below = h - s - 4;
    if (below > 0)
        lower.Aim(first, second, below);
    for (int y = NearestInt(s + 3); y <= h - 4; ++y) {
        Row(canvas, y, lower.Current());
        lower.Advance();
    }

    if (h < 10)
        return;
    Colour sampled = canvas.GetPixel(2, h - 10);
    if (sampled == kInvalidColour)
        sampled = 0;
    Row(canvas, h - 9, sampled);
    Row(canvas, h - 8, sampled);
    Row(canvas, NearestInt(s + 5), first);
    DrawLine(canvas, 1, h - 3, w - 2, h - 3, sampled);
    DrawLine(canvas, 1, h - 2, w - 2, h - 2, sampled);
    DrawRoundFrame(canvas, frameColour, frameColour);
}

void DrawGlossGradient(Canvas& canvas, Colour first, Colour frameColour, Colour second, int percent)
{
    const int w = canvas.Width();
    const int h = canvas.Height();
    percent = Bounded(percent);
    const double s = percent * h / 100.0;

    // Only a split below row 2 has an upper part; its divisor s - 1 is then
    // above 1.5.
    const int split = NearestInt(s);
    if (split > 2) {
        Ramp<int> upper(first, 10);
        upper.Aim(first, second, s - 1);
        for (int y = split; y >= 3; --y) {
            Row(canvas, y, upper.Current());
            upper.Advance();
        }
    }

    for (int y = NearestInt(s + 1); y <= NearestInt(s + 0.27 * h); ++y)
        Row(canvas, y, first);

    Ramp<int> lower(first, 5);
    // With H - s - 4 <= 0 the rows below start past H - 4: none are drawn.
    const double below = h - s - 4;
    if (below > 0)
        lower.Aim(first, second, below);
    for (int y = NearestInt((percent + 27) * h / 100.0); y <= h - 4; ++y) {
        Row(canvas, y, lower.Current());
        lower.Advance();
    }

    DrawBox(canvas, 1, 1, w - 2, h - 2, Rgb(211, 229, 255), true);
    DrawBox(canvas, 2, 2, w - 4, h - 4, Rgb(201, 216, 255), true);
    DrawLine(canvas, 1, h - 3, w - 1, h - 3, Rgb(207, 234, 255));
    DrawRoundFrame(canvas, frameColour, frameColour);
}

} // namespace torvane
