#pragma once

#include <string>

// The command line's text without the quotes a launcher puts around an
// argument that holds spaces.
inline std::wstring Unquoted(const wchar_t* commandLine)
{
    std::wstring text = commandLine ? commandLine : L"";
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        text = text.substr(1, text.size() - 2);
    return text;
}
