#pragma once

#include <string>

namespace torvane {

// Conversions at the boundary where text is defined in the system's ANSI code
// page (code page 936 on the systems Torvane is made for).
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& bytes);

} // namespace torvane
