#pragma once

#include <windows.h>

#include "platform/property_bag.h"
#include "platform/win_handles.h"

// A font as stored, made real at a DPI, and read back from a font handle.
HFONT CreateFontFromSpec(const FontSpec& font, int dpi);
FontSpec SpecFromFont(HFONT font, int dpi);
