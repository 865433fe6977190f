#pragma once

#include <string>

namespace torvane {

// Where the running executable lives, as the platform reports it.
struct ProgramLocation {
    std::wstring directory; // without a trailing backslash, except at a drive's root
    std::wstring baseName;  // file name without its extension
};

ProgramLocation CurrentProgramLocation();

} // namespace torvane
