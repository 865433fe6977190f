#include "platform/random_digits.h"

#include <algorithm>

namespace torvane {

std::wstring RandomDigits(int count, RandomSource& random)
{
    std::wstring digits;
    for (int i = 1; i <= count; ++i) {
        random.Reseed();
        // A source that strays to 1.0 must still give a digit of 2 to 8.
        const double r = std::clamp(random.Next(), 0.0, 1.0);
        const int digit = std::min(8, static_cast<int>(r * 7 + 2));
        digits += static_cast<wchar_t>(L'0' + digit);
    }
    return digits;
}

} // namespace torvane
