#pragma once

#include <string>

namespace torvane {

// Conversions at the boundary where text is defined in the system's ANSI code
// page (code page 936 on the systems Torvane is made for).
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& bytes);

// Drops a lone lead byte at the end: bytes cut at a limit can split a
// double-byte character, whose first half would show as a stray character.
void DropSplitCharacter(std::string& bytes);

} // namespace torvane
