#pragma once

namespace torvane {

// Window layout is given in twips (1/1440 inch) and placed in pixels at the
// window's DPI.
constexpr int TwipsToPixels(int twips, int dpi)
{
    return (twips * dpi + 720) / 1440;
}

} // namespace torvane
