#pragma once

#include <optional>

#include "platform/local_clock.h"
#include "platform/time_picture.h"

namespace torvane {

class WinLocalClock : public LocalClock {
public:
    std::wstring CurrentTimeText() override;
    void FormatChanged() override { picture_.reset(); }

private:
    // The user's picture, read when first needed: formatting by the system
    // looks the locale up anew every second.
    std::optional<TimePicture> picture_;
};

} // namespace torvane
