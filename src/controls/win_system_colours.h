#pragma once

#include "controls/system_colours.h"

namespace torvane {

class WinSystemColours : public SystemColours {
public:
    Colour Get(int index) override;
};

} // namespace torvane
