#include "platform/time_picture.h"

#include <cstddef>

namespace torvane {

namespace {

// One letter: no leading zero; two or more: two digits.
void AppendNumber(std::wstring& out, int value, std::size_t letters)
{
    if (letters >= 2 && value < 10)
        out += L'0';
    out += std::to_wstring(value);
}

} // namespace

std::wstring FormatTimeOfDay(const TimePicture& format, int hour, int minute, int second)
{
    const std::wstring& picture = format.picture;
    std::wstring out;
    std::size_t i = 0;
    while (i < picture.size()) {
        const wchar_t letter = picture[i];
        if (letter == L'\'') {
            for (++i; i < picture.size(); ++i) {
                if (picture[i] == L'\'') {
                    if (i + 1 >= picture.size() || picture[i + 1] != L'\'') {
                        ++i;
                        break;
                    }
                    ++i;
                }
                out += picture[i];
            }
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == letter)
            ++run;
        switch (letter) {
        case L'h':
            AppendNumber(out, hour % 12 == 0 ? 12 : hour % 12, run);
            break;
        case L'H':
            AppendNumber(out, hour, run);
            break;
        case L'm':
            AppendNumber(out, minute, run);
            break;
        case L's':
            AppendNumber(out, second, run);
            break;
        case L't': {
            const std::wstring& marker = hour < 12 ? format.am : format.pm;
            out += run == 1 ? marker.substr(0, 1) : marker;
            break;
        }
        default:
            out.append(run, letter);
            break;
        }
        i += run;
    }
    return out;
}

} // namespace torvane
