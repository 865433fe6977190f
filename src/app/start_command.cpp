#include "app/start_command.h"

#include <cwctype>

namespace torvane {

StartCommand ParseStartCommand(const std::wstring& arguments)
{
    const std::wstring::size_type first = arguments.find_first_not_of(L" \t");
    const std::wstring::size_type last = arguments.find_last_not_of(L" \t");
    if (first == std::wstring::npos)
        return StartCommand::Run;
    std::wstring word = arguments.substr(first, last - first + 1);
    for (wchar_t& c : word)
        c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
    if (word == L"/exit" || word == L"-exit")
        return StartCommand::Exit;
    if (word == L"/uninstall" || word == L"-uninstall")
        return StartCommand::Uninstall;
    return StartCommand::Run;
}

} // namespace torvane
