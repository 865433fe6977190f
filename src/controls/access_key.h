#pragma once

#include <optional>
#include <string>

namespace torvane {

// The character after the caption's first "&" that is not part of a literal
// "&&", lower-cased; nothing when the caption has no such character.
std::optional<wchar_t> AccessKeyOf(const std::wstring& caption);

// The caption as it reads: each "&" mark dropped, "&&" read as one "&".
std::wstring CaptionWithoutMarks(const std::wstring& caption);

// How the access key is announced: "Alt+S"; empty without a key.
std::wstring AccessKeyShortcut(const std::wstring& accessKeys);

} // namespace torvane
