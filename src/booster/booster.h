#pragma once

#include <cstdint>

#include "platform/random_digits.h"
#include "platform/trim_null.h"
#include "booster/boost_tick.h"
#include "booster/booster_settings.h"
#include "booster/foreground_window.h"
#include "booster/history.h"
#include "booster/process_priority.h"
#include "booster/speed_mode.h"
#include "platform/local_clock.h"

namespace torvane {

// The count after one more boost; it stops at the largest 32-bit value
// instead of wrapping negative.
std::int32_t NextBoostCount(std::int32_t count);

// The foreground priority booster: once a second it raises the process of a
// newly focused window and returns the one before it to normal. It keeps the
// last boosted title, the count and the history; a tick says what it did.
class Booster {
public:
    Booster(ForegroundWindow& foreground, ProcessPriority& priority, LocalClock& clock,
            RandomSource& random);

    void Reset();
    BoostTick Tick(const BoosterSettings& settings);
    // Gives the process raised last the class it had before, if it still
    // runs: on exit, and when speed-up is paused.
    void RestoreLastRaised();

    std::uintptr_t CurrentWindow() const { return currentWindow_; }
    std::uintptr_t PreviousWindow() const { return previousWindow_; }
    std::int32_t BoostCount() const { return boostCount_; }
    const std::wstring& LastBoostedTitle() const { return lastBoosted_; }
    History& history() { return history_; }

private:
    bool SameAsLastBoosted(const std::wstring& title) const;
    void LeavePrevious(bool restoreOriginal);
    void Record(BoostTick& tick, double limit, SpeedMode mode);
    void RecordFailure(BoostTick& tick, double limit, const std::wstring& reason);
    void MakeRoom(BoostTick& tick, double limit);

    ForegroundWindow& foreground_;
    ProcessPriority& priority_;
    LocalClock& clock_;
    RandomSource& random_;

    std::uintptr_t currentWindow_ = 0;
    std::uintptr_t excludedWindow_ = 0;
    std::uintptr_t previousWindow_ = 0;
    std::int32_t boostCount_ = 0;
    // The records page's caption before any boost; a title it begins is not
    // boosted either.
    std::wstring lastBoosted_ = L"无";
    History history_;
    // The process raised last and its class before; none once it is restored.
    struct Raised {
        bool valid = false;
        std::uintptr_t window = 0;
        ProcessIdentity process;
        std::uint32_t before = 0;
    } lastRaised_;
};

} // namespace torvane
