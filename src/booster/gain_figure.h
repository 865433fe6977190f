#pragma once

#include <string>

#include "platform/random_digits.h"
#include "booster/speed_mode.h"

namespace torvane {

// The speed-gain figure shown for a boost: 2% to 8% in normal mode; 2-8%,
// 12-18% or 22-28% in crazy mode.
std::wstring GainFigure(SpeedMode mode, RandomSource& random);

} // namespace torvane
