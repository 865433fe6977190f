#pragma once

#include <cstdint>
#include <string>

namespace torvane {

struct ForegroundSnapshot {
    std::uintptr_t handle = 0;
    // The title as read into a 255-byte ANSI buffer, up to its first NUL.
    std::wstring title;
};

class ForegroundWindow {
public:
    virtual ~ForegroundWindow() = default;
    virtual ForegroundSnapshot Read() = 0;
    // The file name of the program that owns a window; empty when it cannot
    // be found out.
    virtual std::wstring ProgramName(std::uintptr_t window) = 0;
};

} // namespace torvane
