#pragma once

#include <windows.h>

#include "platform/win_handles.h"

namespace torvane {

// The button's window region. Until it is handed to a window it belongs to
// this owner, which deletes it; once SetWindowRgn has taken it, the window
// system owns it and the owner lets go of the handle without deleting it.
class ButtonRegion {
public:
    ButtonRegion() = default;
    explicit ButtonRegion(HRGN region) : region_(region) {}

    // The region while this owner holds it, else null.
    HRGN get() const { return region_.get(); }

    // SetWindowRgn; on success the window owns the region. On failure it
    // stays here (and is deleted with the owner).
    bool HandTo(HWND window, bool redraw);

private:
    ScopedRegion region_;
};

// The W x H rectangle, less the corner pixels of styles 3 and 4.
ButtonRegion BuildRegion(int buttonType, int width, int height);

} // namespace torvane
