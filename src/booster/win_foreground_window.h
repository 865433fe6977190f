#pragma once

#include "booster/foreground_window.h"

namespace torvane {

class WinForegroundWindow : public ForegroundWindow {
public:
    ForegroundSnapshot Read() override;
    std::wstring ProgramName(std::uintptr_t window) override;
};

} // namespace torvane
