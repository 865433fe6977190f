#pragma once

#include <windows.h>

#include "platform/win_handles.h"

namespace torvane {

// The interface's fonts at a given DPI: a CJK face that is installed, in a
// regular and a bold weight for headings.
class UiFonts {
public:
    explicit UiFonts(int dpi);
    HFONT regular() const { return regular_.get(); }
    HFONT heading() const { return heading_.get(); }
    const wchar_t* face() const { return face_; }

private:
    const wchar_t* face_;
    ScopedGdiObject<HFONT> regular_;
    ScopedGdiObject<HFONT> heading_;
};

} // namespace torvane
