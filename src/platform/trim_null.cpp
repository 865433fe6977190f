#include "platform/trim_null.h"

namespace torvane {

std::wstring TrimNull(const std::wstring& text)
{
    const std::wstring::size_type nul = text.find(L'\0');
    const std::wstring head = nul == std::wstring::npos ? text : text.substr(0, nul);
    const std::wstring::size_type first = head.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return std::wstring();
    const std::wstring::size_type last = head.find_last_not_of(L' ');
    return head.substr(first, last - first + 1);
}

} // namespace torvane
