#include "booster/booster.h"

#include <limits>

#include "booster/gain_figure.h"
#include "settings/setting_value.h"

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

void Booster::Tick(BoosterPage& page)
{
    if (!page.SpeedUpChecked())
        return;

    const std::wstring time = clock_.CurrentTimeText();
    page.SetTime(time);

    const ForegroundSnapshot now = foreground_.Read();
    previousWindow_ = currentWindow_;
    currentWindow_ = now.handle;
    if (currentWindow_ == previousWindow_)
        return;
    if (TrimNull(now.title).empty())
        return;
    if (SameAsLastBoosted(now.title, page.LastBoostedTitle()))
        return;

    const SpeedMode mode = SpeedModeFromText(page.SpeedModeText());
    priority_.SetProcessPriority(0, previousWindow_, kNormalPriorityClass);
    priority_.SetProcessPriority(0, currentWindow_, BoostPriorityClass(mode));

    page.SetBoostedTitle(now.title);
    if (page.RecordingChecked())
        Record(page, time, now.title, mode);

    boostCount_ = NextBoostCount(boostCount_);
    page.SetBoostCount(std::to_wstring(boostCount_));
}

bool Booster::SameAsLastBoosted(const std::wstring& title, const std::wstring& lastBoosted) const
{
    const std::wstring::size_type n = TrimNull(lastBoosted).size();
    return title.size() >= n && lastBoosted.size() >= n && title.compare(0, n, lastBoosted, 0, n) == 0;
}

void Booster::Record(BoosterPage& page, const std::wstring& time, const std::wstring& title,
                     SpeedMode mode)
{
    // The history is emptied once it has grown past the limit; the new line
    // goes in after, so the box can exceed the limit by up to one line.
    const double limit = SettingValue(page.AutoCleanLimitText());
    if (limit < static_cast<double>(page.HistoryLength()))
        page.ClearHistory();
    page.AppendHistory(time + L" " + title);
    page.SetSpeedupTarget(title);
    page.SetSpeedCountSentence(L"已为系统提速 " + std::to_wstring(NextBoostCount(boostCount_)) + L" 次。");
    const std::wstring gain = GainFigure(mode, random_);
    page.AppendHistory(RecordModeText(mode) + gain + L"\r\n");
    page.SetSpeedGain(gain);
}
