#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "booster/foreground_window.h"
#include "platform/local_clock.h"

namespace torvane {

// The windows of a desktop by handle (title, program, the windows inside),
// the one in front, and a clock that always says the same time.
struct Desktop : ForegroundWindow, LocalClock {
    std::uintptr_t Window() override { return front; }
    std::wstring Title(std::uintptr_t window) override { return titles.count(window) ? titles[window] : L""; }
    std::wstring ProgramName(std::uintptr_t window) override
    {
        return programs.count(window) ? programs[window] : L"app.exe";
    }
    std::vector<ChildWindow> Children(std::uintptr_t window) override { return children[window]; }
    std::wstring CurrentTimeText() override { return L"09:00:00"; }

    std::uintptr_t front = 0;
    std::map<std::uintptr_t, std::wstring> titles;
    std::map<std::uintptr_t, std::wstring> programs;
    std::map<std::uintptr_t, std::vector<ChildWindow>> children;
};

} // namespace torvane
