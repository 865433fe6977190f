#pragma once

#include <cstdint>

namespace torvane {

// The switches the system reports, let settle: a burst of them gives one
// decision, for the window that stayed in front. A report for the window
// already waiting does not start the wait again, so reports that never stop
// still give at most one decision a settle time.
class SwitchSettle {
public:
    static constexpr std::uint32_t kSettleMs = 50;

    // A switch to `window` at `now` (milliseconds): true when the timer is
    // to be started, false when it runs already or the window is none.
    bool Reported(std::uintptr_t window, std::uint64_t now);

    struct Due {
        std::uintptr_t window = 0; // the window that stayed; 0: none yet
        std::uint32_t wait = 0;    // when none yet: the milliseconds still to wait
    };
    // The timer went off at `now`.
    Due TimerFired(std::uint64_t now);

private:
    std::uintptr_t pending_ = 0;
    std::uint64_t since_ = 0;
    bool armed_ = false;
};

} // namespace torvane
