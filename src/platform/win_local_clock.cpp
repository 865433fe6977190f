#include "platform/win_local_clock.h"

#include <windows.h>

namespace torvane {

std::wstring WinLocalClock::CurrentTimeText()
{
    wchar_t text[64] = {};
    // The user's own time format, which shows seconds.
    const int length = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, text, 64);
    return length > 0 ? std::wstring(text) : std::wstring();
}

} // namespace torvane
