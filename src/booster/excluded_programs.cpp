#include "booster/excluded_programs.h"

#include <algorithm>

namespace torvane {

namespace {

// The name as compared: no folder, no ".exe", ASCII letters in lower case.
std::wstring Comparable(std::wstring name)
{
    const std::wstring::size_type slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    for (wchar_t& c : name) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    const std::wstring extension = L".exe";
    if (name.size() > extension.size() && name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
        name.resize(name.size() - extension.size());
    return name;
}

bool IsPadding(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'"' || c == L'\'';
}

} // namespace

ExcludedPrograms::ExcludedPrograms(const std::wstring& list)
{
    std::wstring::size_type start = 0;
    while (start <= list.size()) {
        std::wstring::size_type end = list.find(L';', start);
        if (end == std::wstring::npos)
            end = list.size();
        std::wstring::size_type first = start;
        std::wstring::size_type last = end;
        while (first < last && IsPadding(list[first]))
            ++first;
        while (last > first && IsPadding(list[last - 1]))
            --last;
        const std::wstring name = Comparable(list.substr(first, last - first));
        if (!name.empty())
            names_.push_back(name);
        start = end + 1;
    }
}

bool ExcludedPrograms::Contains(const std::wstring& executable) const
{
    if (names_.empty() || executable.empty())
        return false;
    const std::wstring name = Comparable(executable);
    return std::find(names_.begin(), names_.end(), name) != names_.end();
}

} // namespace torvane
