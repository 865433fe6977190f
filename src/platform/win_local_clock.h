#pragma once

#include "platform/local_clock.h"

namespace torvane {

class WinLocalClock : public LocalClock {
public:
    std::wstring CurrentTimeText() override;
};

} // namespace torvane
