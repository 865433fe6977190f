#include "controls/win_button_region.h"

#include "controls/button_region.h"

namespace torvane {

bool ButtonRegion::HandTo(HWND window, bool redraw)
{
    if (!region_ || !SetWindowRgn(window, region_.get(), redraw ? TRUE : FALSE))
        return false;
    region_.release();
    return true;
}

ButtonRegion BuildRegion(int buttonType, int width, int height)
{
    ButtonRegion region(CreateRectRgn(0, 0, width, height));
    if (!region.get())
        return region;
    for (const PixelPoint& cut : CutCornerPixels(buttonType, width, height)) {
        const ScopedRegion pixel(CreateRectRgn(cut.x, cut.y, cut.x + 1, cut.y + 1));
        CombineRgn(region.get(), region.get(), pixel.get(), RGN_DIFF);
    }
    return region;
}

} // namespace torvane
