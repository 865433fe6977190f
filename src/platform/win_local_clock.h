#pragma once

#include "platform/local_clock.h"

class WinLocalClock : public LocalClock {
public:
    std::wstring CurrentTimeText() override;
};
