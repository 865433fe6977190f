#pragma once

#include <string>

#include <gtest/gtest.h>

#include "drawing/canvas.h"

namespace torvane {

// "RGB(r,g,b)", so that a failed comparison of colours reads as colours.
inline std::string ColourName(Colour colour)
{
    if (colour == kInvalidColour)
        return "invalid";
    return "RGB(" + std::to_string(RedOf(colour)) + "," + std::to_string(GreenOf(colour)) + "," +
           std::to_string(BlueOf(colour)) + ")";
}

// The same size and every pixel the same; else the first that differs.
inline testing::AssertionResult SameCanvas(const Canvas& a, const Canvas& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return testing::AssertionFailure() << "sizes differ";
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y))
                return testing::AssertionFailure() << "(" << x << "," << y << "): " << ColourName(a.GetPixel(x, y))
                                                   << " vs " << ColourName(b.GetPixel(x, y));
    return testing::AssertionSuccess();
}

} // namespace torvane
