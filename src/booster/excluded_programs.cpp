#include "booster/excluded_programs.h"

#include <algorithm>

#include "booster/file_name.h"

namespace torvane {

namespace {

// The name as compared: no folder, no ".exe", folded as file names are.
std::wstring Comparable(const std::wstring& name)
{
    std::wstring folded = FoldedFileName(FileNameOf(name));
    const std::wstring extension = L".EXE";
    if (folded.size() > extension.size() &&
        folded.compare(folded.size() - extension.size(), extension.size(), extension) == 0)
        folded.resize(folded.size() - extension.size());
    return folded;
}

bool IsPadding(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'"' || c == L'\'';
}

} // namespace

std::vector<std::wstring> ExcludedProgramItems(const std::wstring& list)
{
    std::vector<std::wstring> items;
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
        if (last > first)
            items.push_back(list.substr(first, last - first));
        start = end + 1;
    }
    return items;
}

std::wstring ExcludedProgramsText(const std::vector<std::wstring>& items)
{
    std::wstring text;
    for (const std::wstring& item : items) {
        if (!text.empty())
            text += L"; ";
        text += item;
    }
    return text;
}

bool SameProgram(const std::wstring& a, const std::wstring& b)
{
    return Comparable(a) == Comparable(b);
}

ExcludedPrograms::ExcludedPrograms(const std::wstring& list)
{
    for (const std::wstring& item : ExcludedProgramItems(list)) {
        std::wstring name = Comparable(item);
        if (!name.empty())
            names_.push_back(std::move(name));
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
