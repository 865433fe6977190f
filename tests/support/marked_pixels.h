#pragma once

#include <string>

#include "drawing/canvas.h"

namespace torvane {

// The pixels of a canvas that are not the background, row by row, as
// "(x,y) (x,y) ...": a failed expectation shows exactly what was drawn.
inline std::string MarkedPixels(const Canvas& canvas, Colour background)
{
    std::string marked;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.GetPixel(x, y) != background)
                marked += (marked.empty() ? "(" : " (") + std::to_string(x) + "," + std::to_string(y) + ")";
    return marked;
}

} // namespace torvane
