#pragma once

#include "booster/foreground_window.h"

namespace torvane {

class WinForegroundWindow : public ForegroundWindow {
public:
    std::uintptr_t Window() override;
    std::wstring Title(std::uintptr_t window) override;
    std::wstring ProgramName(std::uintptr_t window) override;
    std::vector<ChildWindow> Children(std::uintptr_t window) override;
};

} // namespace torvane
