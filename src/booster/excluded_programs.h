#pragma once

#include <string>
#include <vector>

namespace torvane {

// The programs Torvane never raises or lowers: `[Exclude] Programs`, names
// separated by ";". Each name is compared without its folder, without a
// final ".exe", and ASCII letters without case; spaces and quotes around a
// name and empty items are ignored.
class ExcludedPrograms {
public:
    ExcludedPrograms() = default;
    explicit ExcludedPrograms(const std::wstring& list);

    bool empty() const { return names_.empty(); }
    // Whether an executable (a file name or a full path) is one of them.
    bool Contains(const std::wstring& executable) const;

private:
    std::vector<std::wstring> names_;
};

} // namespace torvane
