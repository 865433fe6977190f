#include "settings/setting_value.h"

#include <cstdlib>

namespace torvane {

namespace {

bool IsWideDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Length of the longest numeric prefix of text, 0 when there is none.
std::size_t NumberLength(const std::wstring& text, std::size_t start)
{
    std::size_t i = start;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsWideDigit(text[i])) { ++i; ++digits; }
    if (i < text.size() && text[i] == L'.') {
        ++i;
        while (i < text.size() && IsWideDigit(text[i])) { ++i; ++digits; }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
            ++j;
        const std::size_t exponentStart = j;
        while (j < text.size() && IsWideDigit(text[j]))
            ++j;
        if (j > exponentStart)
            i = j;
    }
    return i - start;
}

} // namespace

double SettingValue(const std::optional<std::wstring>& stored)
{
    if (!stored)
        return 0;
    const std::wstring& text = *stored;
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    const std::size_t length = NumberLength(text, start);
    if (length == 0)
        return 0;
    // Only ASCII is left in the prefix, so a narrow copy parses it exactly.
    const std::string number(text.begin() + static_cast<std::ptrdiff_t>(start),
                             text.begin() + static_cast<std::ptrdiff_t>(start + length));
    return std::strtod(number.c_str(), nullptr);
}

bool SettingIsOn(const std::optional<std::wstring>& stored)
{
    return SettingValue(stored) == 1.0;
}

} // namespace torvane
