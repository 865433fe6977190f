#pragma once

#include <cstddef>
#include <string>

namespace torvane {

// File names as the file system compares them, for the letters that differ
// only in case in every code page Torvane meets: A to Z.
inline bool SameFileName(const wchar_t* a, std::size_t aLength, const wchar_t* b, std::size_t bLength)
{
    if (aLength != bLength)
        return false;
    const auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    for (std::size_t i = 0; i < aLength; ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

inline bool SameFileName(const std::wstring& a, const std::wstring& b)
{
    return SameFileName(a.data(), a.size(), b.data(), b.size());
}

// The name after the last folder separator.
inline std::wstring FileNameOf(const std::wstring& path)
{
    const std::wstring::size_type slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace torvane
