#pragma once

#include "controls/system_colors.h"

class WinSystemColors : public SystemColors {
public:
    Colour Get(int index) override;
};
