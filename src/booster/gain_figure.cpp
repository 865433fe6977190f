#include "booster/gain_figure.h"

namespace torvane {

std::wstring GainFigure(SpeedMode mode, RandomSource& random)
{
    if (mode == SpeedMode::Normal)
        return RandomDigits(1, random) + L"%";
    int value = std::stoi(RandomDigits(2, random));
    while (value > 30)
        value -= 30;
    return std::to_wstring(value) + L"%";
}

} // namespace torvane
