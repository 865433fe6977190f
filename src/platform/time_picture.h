#pragma once

#include <string>

namespace torvane {

// A time format picture as the system's time formatting reads it
// ("H:mm:ss", "tt h:mm:ss"), with the locale's morning and afternoon markers.
struct TimePicture {
    std::wstring picture;
    std::wstring am;
    std::wstring pm;
};

// The time of day in that picture, as the system's time formatting gives it:
// h and hh on the 12-hour clock, H and HH on the 24-hour one, m, mm, s and
// ss, t the marker's first character and tt all of it (a longer run counts
// as two letters); text in single quotes as it stands ('' inside: a quote);
// every other character as it stands.
std::wstring FormatTimeOfDay(const TimePicture& format, int hour, int minute, int second);

} // namespace torvane
