#pragma once

#include <optional>
#include <string>

namespace torvane {

// The character after the caption's first "&" that is not part of a literal
// "&&", lower-cased; nothing when the caption has no such character.
std::optional<wchar_t> AccessKeyOf(const std::wstring& caption);

} // namespace torvane
