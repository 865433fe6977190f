#include "platform/visible_text.h"

namespace torvane {

std::wstring ControlCharactersAsSpaces(std::wstring text)
{
    for (wchar_t& c : text) {
        if ((c > 0 && c < 0x20) || (c >= 0x7F && c <= 0x9F))
            c = L' ';
    }
    return text;
}

} // namespace torvane
