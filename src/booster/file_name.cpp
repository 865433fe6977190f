#include "booster/file_name.h"

#include <cstdint>

#include "booster/upper_case_table.h"

namespace torvane {

namespace {

wchar_t Folded(wchar_t c)
{
    if (c < 0x80)
        return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    // Beyond UTF-16's code units (a wide character of another platform)
    // there is no case to fold.
    if ((static_cast<std::uint32_t>(c) & ~std::uint32_t{0xFFFF}) != 0)
        return c;
    return static_cast<wchar_t>(UpperCaseOf(static_cast<char16_t>(c)));
}

} // namespace

bool SameFileName(const wchar_t* a, std::size_t aLength, const wchar_t* b, std::size_t bLength)
{
    if (aLength != bLength)
        return false;
    for (std::size_t i = 0; i < aLength; ++i)
        if (a[i] != b[i] && Folded(a[i]) != Folded(b[i]))
            return false;
    return true;
}

std::wstring FoldedFileName(std::wstring name)
{
    for (wchar_t& c : name)
        c = Folded(c);
    return name;
}

} // namespace torvane
