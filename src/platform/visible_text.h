#pragma once

#include <string>

namespace torvane {

// The text with every control character (U+0001-U+001F, U+007F-U+009F) shown
// as a space, so that it stays on one line wherever it is shown or written.
std::wstring ControlCharactersAsSpaces(std::wstring text);

} // namespace torvane
