#include "controls/button_region.h"

namespace torvane {

bool HasCutCorners(int buttonType)
{
    return buttonType == 3 || buttonType == 4;
}

std::vector<PixelPoint> CutCornerPixels(int buttonType, int width, int height)
{
    if (!HasCutCorners(buttonType))
        return {};
    const int w = width;
    const int h = height;
    return {
        {0, 0},         {1, 0},         {0, 1},
        {w - 2, 0},     {w - 1, 0},     {w - 1, 1},
        {0, h - 1},     {1, h - 1},     {0, h - 2},
        {w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2},
    };
}

bool InButtonRegion(int buttonType, int width, int height, int x, int y)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return false;
    for (const PixelPoint& cut : CutCornerPixels(buttonType, width, height))
        if (cut.x == x && cut.y == y)
            return false;
    return true;
}

} // namespace torvane
