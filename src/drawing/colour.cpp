#include "drawing/colour.h"

#include <algorithm>

namespace torvane {

namespace {

int Clamped(int channel) { return std::clamp(channel, 0, 255); }

} // namespace

Colour ShiftColor(Colour colour, int amount, bool scaleBlue)
{
    const int red = RedOf(colour) + amount;
    const int green = GreenOf(colour) + amount;
    const int blue = scaleBlue ? BlueOf(colour) + (BlueOf(colour) * amount) / 192 : BlueOf(colour) + amount;
    return Rgb(Clamped(red), Clamped(green), Clamped(blue));
}

} // namespace torvane
