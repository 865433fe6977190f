#pragma once

#include <string>
#include <vector>

namespace torvane {

// The items of a stored `[Exclude] Programs` list as they are read: split at
// ";", spaces and quotes around each trimmed off, empty items dropped.
std::vector<std::wstring> ExcludedProgramItems(const std::wstring& list);
// The list stored for those items, in their order.
std::wstring ExcludedProgramsText(const std::vector<std::wstring>& items);
// Whether two names (file names or full paths) name the same program: the
// folder and a final ".exe" left out, compared as Windows compares file names.
bool SameProgram(const std::wstring& a, const std::wstring& b);

// The programs Torvane never raises or lowers: `[Exclude] Programs`.
class ExcludedPrograms {
public:
    ExcludedPrograms() = default;
    explicit ExcludedPrograms(const std::wstring& list);

    bool empty() const { return names_.empty(); }
    // Whether an executable (a file name or a full path) is one of them.
    bool Contains(const std::wstring& executable) const;

private:
    std::vector<std::wstring> names_; // as compared
};

} // namespace torvane
