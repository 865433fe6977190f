#include "app/start_command.h"

#include <cwctype>

namespace torvane {

namespace {

std::wstring WithoutBlanksAround(const std::wstring& text)
{
    const std::wstring::size_type first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

} // namespace

StartCommand ParseStartCommand(const std::wstring& arguments)
{
    // An installer or a shortcut may quote the word, spaces and all:
    // "/exit", " /exit ", with a tab around it.
    std::wstring word = WithoutBlanksAround(arguments);
    if (word.size() >= 2 && word.front() == L'"' && word.back() == L'"')
        word = WithoutBlanksAround(word.substr(1, word.size() - 2));
    if (word.empty())
        return StartCommand::Run;
    for (wchar_t& c : word)
        c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
    if (word == L"/exit" || word == L"-exit")
        return StartCommand::Exit;
    if (word == L"/uninstall" || word == L"-uninstall")
        return StartCommand::Uninstall;
    return StartCommand::Run;
}

} // namespace torvane
