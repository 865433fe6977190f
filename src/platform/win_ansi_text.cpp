#include "platform/ansi_text.h"

#include <windows.h>

namespace torvane {

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

std::wstring FromAnsi(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    const int size = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), needed);
    return text;
}

void DropSplitCharacter(std::string& bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (IsDBCSLeadByte(static_cast<BYTE>(bytes[i]))) {
            if (i + 1 == bytes.size()) {
                bytes.pop_back();
                return;
            }
            i += 2;
        } else {
            ++i;
        }
    }
}

} // namespace torvane
