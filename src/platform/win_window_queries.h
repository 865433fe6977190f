#pragma once

#include <cstddef>
#include <string>

#include <windows.h>

#include "platform/win_handles.h"

namespace torvane {

// The screen's logical DPI; 96 when it cannot be read.
inline int ScreenDpi()
{
    const WindowDc screen;
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

inline std::wstring WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    // The length may be an overestimate; what was copied is what counts.
    const int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

} // namespace torvane
