#include "booster/switch_settle.h"

namespace torvane {

bool SwitchSettle::Reported(std::uintptr_t window, std::uint64_t now)
{
    if (window == 0)
        return false;
    if (window != pending_) {
        pending_ = window;
        since_ = now;
    }
    if (armed_)
        return false;
    armed_ = true;
    return true;
}

SwitchSettle::Due SwitchSettle::TimerFired(std::uint64_t now)
{
    Due due;
    if (!armed_)
        return due;
    const std::uint64_t waited = now >= since_ ? now - since_ : 0;
    if (waited < kSettleMs) {
        due.wait = static_cast<std::uint32_t>(kSettleMs - waited);
        return due;
    }
    armed_ = false;
    due.window = pending_;
    pending_ = 0;
    return due;
}

} // namespace torvane
