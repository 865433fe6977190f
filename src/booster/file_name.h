#pragma once

#include <cstddef>
#include <string>

namespace torvane {

// File names as Windows compares them: without case, in every script
// ("Äpp.exe" is "äpp.exe").
bool SameFileName(const wchar_t* a, std::size_t aLength, const wchar_t* b, std::size_t bLength);

inline bool SameFileName(const std::wstring& a, const std::wstring& b)
{
    return SameFileName(a.data(), a.size(), b.data(), b.size());
}

// A name folded so that two names are the same file name exactly when
// their folded forms are equal.
std::wstring FoldedFileName(std::wstring name);

// The name after the last folder separator.
inline std::wstring FileNameOf(const std::wstring& path)
{
    const std::wstring::size_type slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace torvane
