#pragma once

#include <windows.h>

#include <string>

namespace torvane {

// One item of the user's locale (a time picture, a separator). False when
// the locale will not say; the caller keeps its default then.
inline bool ReadLocaleText(LCTYPE item, std::wstring& text)
{
    wchar_t buffer[80] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, static_cast<int>(sizeof buffer / sizeof buffer[0])) ==
        0)
        return false;
    text = buffer;
    return true;
}

} // namespace torvane
