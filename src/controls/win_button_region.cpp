#include "controls/win_button_region.h"

#include "controls/button_region.h"
#include "platform/win_handles.h"

ButtonRegion& ButtonRegion::operator=(ButtonRegion&& other) noexcept
{
    if (this != &other) {
        Delete();
        region_ = other.region_;
        other.region_ = nullptr;
    }
    return *this;
}

bool ButtonRegion::HandTo(HWND window, bool redraw)
{
    if (!region_ || !SetWindowRgn(window, region_, redraw ? TRUE : FALSE))
        return false;
    region_ = nullptr;
    return true;
}

void ButtonRegion::Delete()
{
    if (region_)
        DeleteObject(region_);
    region_ = nullptr;
}

ButtonRegion BuildRegion(int buttonType, int width, int height)
{
    ButtonRegion region(CreateRectRgn(0, 0, width, height));
    if (!region.get())
        return region;
    for (const PixelPoint& cut : CutCornerPixels(buttonType, width, height)) {
        const ScopedGdiObject<HRGN> pixel(CreateRectRgn(cut.x, cut.y, cut.x + 1, cut.y + 1));
        CombineRgn(region.get(), region.get(), pixel.get(), RGN_DIFF);
    }
    return region;
}
