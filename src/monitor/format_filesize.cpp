#include <cmath>
#include <cstdio>
#include <string>

#include "monitor/cpu_monitor_support.h"

namespace torvane {

namespace {

constexpr double kKilo = 1024.0;
constexpr double kMega = 1048576.0;
constexpr double kGiga = 1073741824.0;

// Digits of a whole, non-negative double; exact for every whole double.
std::wstring WholeDigits(double whole)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", whole);
    return std::wstring(buffer, buffer + std::char_traits<char>::length(buffer));
}

std::wstring Grouped(const std::wstring& digits, const std::wstring& separator)
{
    std::wstring result;
    const std::size_t count = digits.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i != 0 && (count - i) % 3 == 0)
            result += separator;
        result += digits[i];
    }
    return result;
}

// Rounded half away from zero to the shown decimals, as number formats round.
std::wstring FormatNumber(double value, int decimals, const NumberPunctuation& punctuation)
{
    const double scale = decimals == 2 ? 100.0 : 1.0;
    const double scaled = std::round(std::fabs(value) * scale);
    std::wstring digits = WholeDigits(scaled);
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), L'0');

    const std::size_t integerLength = digits.size() - static_cast<std::size_t>(decimals);
    std::wstring text = Grouped(digits.substr(0, integerLength), punctuation.groupSeparator);
    if (decimals > 0)
        text += punctuation.decimalSeparator + digits.substr(integerLength);
    // A value that rounds to nothing shows no sign.
    if (value < 0 && scaled != 0)
        text.insert(0, 1, L'-');
    return text;
}

} // namespace

// Exactly 1,048,576 shows as "1.00 MB", like exactly 1,073,741,824 shows as
// "1.00 GB": a whole unit is shown in that unit.
std::wstring FormatFilesize(double value, const NumberPunctuation& punctuation)
{
    if (!std::isfinite(value))
        return std::wstring();
    if (value <= kKilo)
        return FormatNumber(value, 0, punctuation) + L" B";
    if (value < kMega)
        return FormatNumber(value / kKilo, 0, punctuation) + L" K";
    if (value < kGiga)
        return FormatNumber(value / kMega, 2, punctuation) + L" MB";
    return FormatNumber(value / kGiga, 2, punctuation) + L" GB";
}

} // namespace torvane
