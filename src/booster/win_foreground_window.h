#pragma once

#include "booster/foreground_window.h"

class WinForegroundWindow : public ForegroundWindow {
public:
    ForegroundSnapshot Read() override;
};
