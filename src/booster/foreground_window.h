#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvane {

// A window inside another, as a frame's content.
struct ChildWindow {
    std::uintptr_t window = 0;
    std::wstring className;
    std::uint32_t processId = 0;
};

class ForegroundWindow {
public:
    virtual ~ForegroundWindow() = default;
    // The window in the foreground; 0 when there is none.
    virtual std::uintptr_t Window() = 0;
    // A window's title as read into a 255-byte ANSI buffer, up to its first NUL.
    virtual std::wstring Title(std::uintptr_t window) = 0;
    // The file name of the program that owns a window; empty when it cannot
    // be found out.
    virtual std::wstring ProgramName(std::uintptr_t window) = 0;
    // The windows directly inside a window, in the system's order.
    virtual std::vector<ChildWindow> Children(std::uintptr_t window) = 0;
};

} // namespace torvane
