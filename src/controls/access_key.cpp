#include "controls/access_key.h"

#include <cwctype>

namespace torvane {

namespace {

std::optional<wchar_t> KeyAt(const std::wstring& caption, std::wstring::size_type ampersand)
{
    if (ampersand == std::wstring::npos || ampersand + 1 >= caption.size())
        return std::nullopt;
    const wchar_t next = caption[ampersand + 1];
    if (next == L'&')
        return std::nullopt;
    return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(next)));
}

} // namespace

std::optional<wchar_t> AccessKeyOf(const std::wstring& caption)
{
    if (caption.size() < 2)
        return std::nullopt;
    const std::wstring::size_type first = caption.find(L'&');
    if (first == std::wstring::npos || first + 1 >= caption.size())
        return std::nullopt;
    if (caption[first + 1] != L'&')
        return KeyAt(caption, first);
    // "&&" is a literal ampersand: only the next "&" after it can mark a key.
    return KeyAt(caption, caption.find(L'&', first + 2));
}

std::wstring CaptionWithoutMarks(const std::wstring& caption)
{
    std::wstring text;
    text.reserve(caption.size());
    for (std::wstring::size_type i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && ++i == caption.size())
            break;
        text += caption[i];
    }
    return text;
}

std::wstring AccessKeyShortcut(const std::wstring& accessKeys)
{
    if (accessKeys.empty())
        return {};
    return L"Alt+" + std::wstring(1, static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(accessKeys[0]))));
}

} // namespace torvane
