#include "platform/public_function.h"

#include <algorithm>

std::wstring TrimNull(const std::wstring& text)
{
    const std::wstring::size_type nul = text.find(L'\0');
    const std::wstring head = nul == std::wstring::npos ? text : text.substr(0, nul);
    const std::wstring::size_type first = head.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return std::wstring();
    const std::wstring::size_type last = head.find_last_not_of(L' ');
    return head.substr(first, last - first + 1);
}

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
