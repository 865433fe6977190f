#pragma once

#include <windows.h>

#include "platform/property_bag.h"
#include "platform/win_handles.h"

namespace torvane {

// A font as stored, made real at a DPI, and read back from a font handle.
HFONT CreateFontFromDescription(const FontDescription& font, int dpi);
FontDescription DescribeFont(HFONT font, int dpi);

} // namespace torvane
