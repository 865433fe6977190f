#pragma once

#include <cstdint>

#include "platform/random_digits.h"
#include "platform/trim_null.h"
#include "booster/boost_tick.h"
#include "booster/booster_settings.h"
#include "booster/foreground_window.h"
#include "booster/history.h"
#include "booster/priority_ledger.h"
#include "booster/process_priority.h"
#include "booster/speed_mode.h"
#include "platform/local_clock.h"

namespace torvane {

// The count after one more boost; it stops at the largest 32-bit value
// instead of wrapping negative.
std::int32_t NextBoostCount(std::int32_t count);

// The foreground priority booster: once a second, and when the system
// reports a switch, it raises the application of a newly focused window (its
// process and that program's helpers, or the app behind a UWP frame) and
// returns the one before it to normal. It keeps the last boosted title, the
// count and the history; a tick says what it did. What it raised is held in
// its ledger until given back.
class Booster {
public:
    Booster(ForegroundWindow& foreground, ProcessPriority& priority, LedgerStore& ledgerStore,
            LocalClock& clock, RandomSource& random);

    void Reset();
    BoostTick Tick(const BoosterSettings& settings);
    // The system reported `window` in front (and it stayed there a moment):
    // the tick's decision, for that window, now. A window that is gone, or
    // none, changes nothing.
    BoostTick Switched(std::uintptr_t window, const BoosterSettings& settings);
    // Speed-up paused: everything raised gets its class back, and the next
    // tick with speed-up on raises the window in front again.
    void Pause();
    // Exit, log-off, the window's end: everything raised gets its class back.
    void GiveBackAll();
    // At start, before the first tick: what a copy that was killed left raised.
    void GiveBackLeftBehind();
    // The list of excluded programs changed: an application boosted last
    // that is now excluded gets its class back at once and is left alone
    // from then on.
    void ExclusionsChanged(const ExcludedPrograms& excluded);

    std::uintptr_t CurrentWindow() const { return currentWindow_; }
    std::uintptr_t PreviousWindow() const { return previousWindow_; }
    std::int32_t BoostCount() const { return boostCount_; }
    const std::wstring& LastBoostedTitle() const { return lastBoosted_; }
    // The file name of the program of the application boosted last (the one
    // the title names); empty before the first boost or when it is unknown.
    const std::wstring& LastBoostedProgram() const { return lastBoostedProgram_; }
    History& history() { return history_; }

private:
    // Whether the window now in front is one to boost; Boost raises its
    // application (applicationWindow: the app inside a UWP frame, else the
    // window itself), counts and records it.
    void Decide(std::uintptr_t now, const BoosterSettings& settings, BoostTick& tick);
    void Boost(std::uintptr_t now, std::uintptr_t applicationWindow, const std::wstring& title,
               const BoosterSettings& settings, BoostTick& tick);
    bool Excluded(std::uintptr_t window, const ExcludedPrograms& excluded);
    Application OpenApplication(std::uint32_t id, std::uint32_t& error);
    void RaiseNewHelpers();
    bool SameAsLastBoosted(const std::wstring& title) const;
    bool LastBoostedStillRuns();
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
    std::wstring lastBoostedProgram_;
    History history_;
    PriorityLedger ledger_;
    // The process of the title boosted last, while known: the same-title
    // rule holds only while it runs.
    bool lastBoostedKnown_ = false;
    ProcessIdentity lastBoostedProcess_;
    // Pausing gave the window in front its class back: the next tick raises it.
    bool resuming_ = false;
    // The window whose application the boost in force raised, while it stays
    // in front: the helpers it starts are raised as they come.
    std::uintptr_t boostedWindow_ = 0;
    int ticksSinceHelperScan_ = 0;
};

} // namespace torvane
