#pragma once

#include <string>

#include "settings/run_key.h"

namespace torvane {

// Keeps the "TV" start-with-system value in line with the AutoRun setting.
class Autorun {
public:
    // executablePath: program directory, a backslash, the executable's name.
    Autorun(RunKey& runKey, std::wstring executablePath);

    // Writes the quoted path under the machine's Run key; where that is refused,
    // under the user's, so that the option takes effect either way.
    void AddAutorun();
    // Removes the value from both keys.
    void RemoveAutorun();
    // Removes the value from each key where it starts this copy of the
    // program, and leaves one that starts another copy alone: what an
    // uninstall of this copy must do.
    void RemoveIfPointingHere();

    // The value's data: the path in quotes, so a path with spaces is not
    // open to an unquoted-search-path start of another program.
    std::wstring ValueData() const;

private:
    RunKey& runKey_;
    std::wstring executablePath_;
};

inline const wchar_t kRunValueName[] = L"TV";

} // namespace torvane
