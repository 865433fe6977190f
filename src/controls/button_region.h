#pragma once

#include <vector>

namespace torvane {

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// Styles 3 (two-part gradient) and 4 (glossy) cut their window's corners;
// every other style keeps the plain rectangle.
bool HasCutCorners(int buttonType);

// The pixels taken from the width x height window rectangle: three at each
// corner (top left, top right, bottom left, bottom right), none for styles
// without cut corners. On a tiny window some coincide or fall outside the
// rectangle; taking them away there changes nothing.
std::vector<PixelPoint> CutCornerPixels(int buttonType, int width, int height);

// Whether the style's window region keeps the pixel.
bool InButtonRegion(int buttonType, int width, int height, int x, int y);

} // namespace torvane
