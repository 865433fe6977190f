#include "platform/win_local_clock.h"

#include <windows.h>

#include "platform/win_locale_text.h"

namespace torvane {

std::wstring WinLocalClock::CurrentTimeText()
{
    if (!picture_) {
        TimePicture read;
        if (ReadLocaleText(LOCALE_STIMEFORMAT, read.picture) && ReadLocaleText(LOCALE_S1159, read.am) &&
            ReadLocaleText(LOCALE_S2359, read.pm))
            picture_ = read;
    }
    if (picture_) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return FormatTimeOfDay(*picture_, now.wHour, now.wMinute, now.wSecond);
    }
    // The user's own time format, which shows seconds.
    wchar_t text[64] = {};
    const int length = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, text, 64);
    return length > 0 ? std::wstring(text) : std::wstring();
}

} // namespace torvane
