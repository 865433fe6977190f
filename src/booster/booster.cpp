#include "booster/booster.h"

#include <limits>

#include "booster/gain_figure.h"
#include "settings/setting_value.h"

namespace torvane {

std::int32_t NextBoostCount(std::int32_t count)
{
    return count == std::numeric_limits<std::int32_t>::max() ? count : count + 1;
}

Booster::Booster(ForegroundWindow& foreground, ProcessPriority& priority, LocalClock& clock,
                 RandomSource& random)
    : foreground_(foreground), priority_(priority), clock_(clock), random_(random)
{
}

void Booster::Reset()
{
    currentWindow_ = 0;
    previousWindow_ = 0;
    boostCount_ = 0;
}

BoostTick Booster::Tick(const BoosterSettings& settings)
{
    BoostTick tick;
    if (!settings.speedUp)
        return tick;

    tick.ran = true;
    tick.time = clock_.CurrentTimeText();

    const ForegroundSnapshot now = foreground_.Read();
    previousWindow_ = currentWindow_;
    currentWindow_ = now.handle;
    if (currentWindow_ == previousWindow_)
        return tick;
    if (TrimNull(now.title).empty())
        return tick;
    if (SameAsLastBoosted(now.title))
        return tick;

    priority_.SetProcessPriority(0, previousWindow_, kNormalPriorityClass);
    priority_.SetProcessPriority(0, currentWindow_, BoostPriorityClass(settings.mode));

    tick.boosted = true;
    tick.title = now.title;
    lastBoosted_ = now.title;
    if (settings.recording)
        Record(tick, settings.recordLimit, settings.mode);

    boostCount_ = NextBoostCount(boostCount_);
    tick.count = boostCount_;
    return tick;
}

bool Booster::SameAsLastBoosted(const std::wstring& title) const
{
    const std::wstring::size_type n = TrimNull(lastBoosted_).size();
    return title.size() >= n && lastBoosted_.size() >= n && title.compare(0, n, lastBoosted_, 0, n) == 0;
}

void Booster::Record(BoostTick& tick, double limit, SpeedMode mode)
{
    // The history is emptied once it has grown past the limit; the new line
    // goes in after, so it can exceed the limit by up to one line.
    if (limit < static_cast<double>(history_.Length())) {
        history_.Clear();
        tick.historyCleared = true;
    }
    tick.recorded = true;
    tick.gain = GainFigure(mode, random_);
    tick.historyAdded = tick.time + L" " + tick.title + RecordModeText(mode) + tick.gain + L"\r\n";
    history_.Append(tick.historyAdded);
    tick.speedCountSentence = L"已为系统提速 " + std::to_wstring(NextBoostCount(boostCount_)) + L" 次。";
}

} // namespace torvane
