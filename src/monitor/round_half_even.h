#pragma once

#include <cmath>

namespace torvane {

// Halves go to the even neighbour, the way a currency conversion rounds and
// every whole-pixel quantity of the diagram is placed. Infinities and NaN
// come back as they are.
inline double RoundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        return below + 1.0;
    return below;
}

} // namespace torvane
