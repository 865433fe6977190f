#pragma once

#include <string>

namespace torvane {

// Cuts a text at its first NUL and removes leading and trailing spaces (only
// the space character: tabs stay).
std::wstring TrimNull(const std::wstring& text);

} // namespace torvane
