#pragma once

#include "booster/foreground_window.h"

namespace torvane {

class WinForegroundWindow : public ForegroundWindow {
public:
    ForegroundSnapshot Read() override;
};

} // namespace torvane
