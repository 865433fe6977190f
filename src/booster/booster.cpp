#include "booster/booster.h"

#include <limits>
#include <optional>
#include <utility>

#include "booster/file_name.h"
#include "booster/gain_figure.h"
#include "platform/visible_text.h"
#include "settings/setting_value.h"

namespace torvane {

namespace {

constexpr std::uint32_t kErrorAccessDenied = 5;
// Ticks between two looks for helpers the application in front started:
// one is raised within this many seconds of its start.
constexpr int kHelperScanTicks = 4;

// The mode the class read back amounts to: the one asked for, "普通提速" when
// high was granted where real-time was asked (no privilege for real-time),
// or nothing when the raise failed.
std::optional<SpeedMode> ObtainedMode(std::uint32_t asked, const PriorityChange& change)
{
    if (!change.opened)
        return std::nullopt;
    if (change.after == asked)
        return asked == kHighPriorityClass ? SpeedMode::Normal : SpeedMode::Crazy;
    if (asked == kRealtimePriorityClass && change.after == kHighPriorityClass)
        return SpeedMode::Normal;
    return std::nullopt;
}

std::wstring FailureReason(const PriorityChange& change)
{
    if (change.opened)
        return L"优先级未改变";
    if (change.error == kErrorAccessDenied)
        return L"拒绝访问（可能需要以管理员身份运行）";
    return L"无法打开该程序（错误 " + std::to_wstring(change.error) + L"）";
}

} // namespace

std::int32_t NextBoostCount(std::int32_t count)
{
    return count == std::numeric_limits<std::int32_t>::max() ? count : count + 1;
}

Booster::Booster(ForegroundWindow& foreground, ProcessPriority& priority, LedgerStore& ledgerStore,
                 LocalClock& clock, RandomSource& random)
    : foreground_(foreground), priority_(priority), clock_(clock), random_(random), ledger_(priority, ledgerStore)
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
    const std::uintptr_t now = foreground_.Window();
    Decide(now, settings, tick);
    // Helpers are looked for while the application stays in front, and
    // not under an excluded window in front of it.
    if (!tick.boosted && now != 0 && now == boostedWindow_ && now == currentWindow_)
        RaiseNewHelpers();
    return tick;
}

BoostTick Booster::Switched(std::uintptr_t window, const BoosterSettings& settings)
{
    BoostTick tick;
    if (!settings.speedUp || window == 0 || priority_.WindowProcessId(window) == 0)
        return tick;
    tick.ran = true;
    tick.time = clock_.CurrentTimeText();
    Decide(window, settings, tick);
    return tick;
}

void Booster::Decide(std::uintptr_t now, const BoosterSettings& settings, BoostTick& tick)
{
    // No foreground window at all (while the desktop switches, say): nothing
    // to boost, and the window raised last stays the one to restore. Its
    // "title" would be whatever the platform makes of no window.
    if (now == 0)
        return;
    // An excluded program's window is never raised or lowered, and does not
    // count as the window before: leaving it, the one raised last is still
    // the one to bring down.
    if (now == excludedWindow_)
        return;
    if (now != currentWindow_ && Excluded(now, settings.excluded)) {
        excludedWindow_ = now;
        return;
    }
    excludedWindow_ = 0;
    previousWindow_ = currentWindow_;
    currentWindow_ = now;
    if (currentWindow_ == previousWindow_)
        return;
    // The title matters only for a window new in front: an unchanged one
    // costs no read, which for another program's window is a request to the
    // window manager every second. A record is one line, whatever the title
    // holds.
    const std::wstring title = ControlCharactersAsSpaces(foreground_.Title(now));
    if (TrimNull(title).empty())
        return;
    // A UWP frame with no app inside cannot be boosted: it is tried again
    // when it comes in front again.
    const std::uintptr_t applicationWindow = ApplicationWindow(foreground_, priority_, now);
    if (applicationWindow == 0)
        return;
    // After a pause the window in front is raised again, whatever its title.
    const bool resuming = std::exchange(resuming_, false);
    if (!resuming && SameAsLastBoosted(title) && LastBoostedStillRuns())
        return;

    if (!resuming)
        LeavePrevious(settings.restoreOriginal);
    Boost(now, applicationWindow, title, settings, tick);
}

void Booster::Boost(std::uintptr_t now, std::uintptr_t applicationWindow, const std::wstring& title,
                    const BoosterSettings& settings, BoostTick& tick)
{
    const std::uint32_t asked = BoostPriorityClass(settings.mode);
    std::uint32_t error = 0;
    Application application = OpenApplication(priority_.WindowProcessId(applicationWindow), error);
    lastBoostedProgram_ = application.empty() ? foreground_.ProgramName(applicationWindow)
                                              : FileNameOf(application.front()->ProgramPath());
    PriorityChange change = ledger_.Raise(std::move(application), asked,
                                          settings.restoreOriginal ? GiveBackTo::ClassBefore : GiveBackTo::Normal);
    change.error = error;
    lastBoostedKnown_ = change.opened;
    lastBoostedProcess_ = change.process;
    boostedWindow_ = change.opened ? now : 0;
    ticksSinceHelperScan_ = 0;

    // The title is taken either way, so that a window that cannot be raised
    // is tried once, not every second.
    tick.boosted = true;
    tick.title = title;
    lastBoosted_ = title;
    const std::optional<SpeedMode> obtained = ObtainedMode(asked, change);
    if (!obtained) {
        tick.failed = true;
        tick.count = boostCount_;
        if (settings.recording)
            RecordFailure(tick, settings.recordLimit, FailureReason(change));
        return;
    }
    if (settings.recording)
        Record(tick, settings.recordLimit, *obtained);

    boostCount_ = NextBoostCount(boostCount_);
    tick.count = boostCount_;
}

bool Booster::Excluded(std::uintptr_t window, const ExcludedPrograms& excluded)
{
    if (excluded.empty())
        return false;
    const std::wstring program = foreground_.ProgramName(window);
    if (excluded.Contains(program))
        return true;
    // Behind a UWP frame, the app's own program is the one named.
    if (!IsFrameHost(program))
        return false;
    const std::uintptr_t app = ApplicationWindow(foreground_, priority_, window);
    return app != 0 && excluded.Contains(foreground_.ProgramName(app));
}

Application Booster::OpenApplication(std::uint32_t id, std::uint32_t& error)
{
    Application application;
    std::unique_ptr<OpenedProcess> first = priority_.Open(id, error);
    if (!first)
        return application;
    // Torvane starts no helpers: its own window in front costs no look at the list.
    Application helpers;
    if (id != priority_.WindowProcessId(0))
        helpers = SameProgramHelpers(priority_, *first, kApplicationProcessesMax - 1);
    application.push_back(std::move(first));
    for (std::unique_ptr<OpenedProcess>& helper : helpers)
        application.push_back(std::move(helper));
    return application;
}

void Booster::RaiseNewHelpers()
{
    if (++ticksSinceHelperScan_ < kHelperScanTicks || lastBoostedProcess_.id == priority_.WindowProcessId(0))
        return;
    ticksSinceHelperScan_ = 0;
    std::uint32_t error = 0;
    const std::unique_ptr<OpenedProcess> first = priority_.Open(lastBoostedProcess_.id, error);
    if (!first || first->Identity() != lastBoostedProcess_ || !first->Running())
        return;
    ledger_.RaiseHelpers(*first, SameProgramHelpers(priority_, *first, kApplicationProcessesMax - 1));
}

void Booster::LeavePrevious(bool restoreOriginal)
{
    // With "恢复原优先级" a window Torvane did not raise is left alone; one
    // it raised is the ledger's to give back either way.
    if (restoreOriginal)
        return;
    // The window 0 (none before the first boost) stands for Torvane itself.
    const std::uintptr_t application =
        previousWindow_ == 0 ? 0 : ApplicationWindow(foreground_, priority_, previousWindow_);
    if (previousWindow_ != 0 && application == 0)
        return;
    const std::uint32_t id = priority_.WindowProcessId(application);
    if (id == 0 || ledger_.Holds(id))
        return;
    // As designed: the window before goes to normal, whatever it had,
    // unless the user chose that class over Torvane's raise.
    std::uint32_t error = 0;
    const std::unique_ptr<OpenedProcess> process = priority_.Open(id, error);
    if (process && !ledger_.LeftToUser(process->Identity()))
        process->SetPriorityClass(kNormalPriorityClass);
}

void Booster::Pause()
{
    ledger_.GiveBackAll();
    currentWindow_ = 0;
    excludedWindow_ = 0;
    boostedWindow_ = 0;
    resuming_ = true;
}

void Booster::GiveBackAll()
{
    ledger_.GiveBackAll();
}

void Booster::GiveBackLeftBehind()
{
    ledger_.GiveBackLeftBehind();
}

void Booster::ExclusionsChanged(const ExcludedPrograms& excluded)
{
    if (lastBoostedProgram_.empty() || !excluded.Contains(lastBoostedProgram_))
        return;
    ledger_.GiveBackAll();
    // The window in front is decided again at the next tick: if it is the
    // excluded program's, it is skipped as excluded, and never lowered when
    // it is left.
    currentWindow_ = 0;
    excludedWindow_ = 0;
    boostedWindow_ = 0;
}

bool Booster::LastBoostedStillRuns()
{
    // No process known for the title (none boosted yet, or it could not be
    // opened): the title alone decides, as designed.
    if (!lastBoostedKnown_)
        return true;
    std::uint32_t error = 0;
    const std::unique_ptr<OpenedProcess> process = priority_.Open(lastBoostedProcess_.id, error);
    return process && process->Identity() == lastBoostedProcess_ && process->Running();
}

bool Booster::SameAsLastBoosted(const std::wstring& title) const
{
    const std::wstring::size_type n = TrimNull(lastBoosted_).size();
    return title.size() >= n && lastBoosted_.size() >= n && title.compare(0, n, lastBoosted_, 0, n) == 0;
}

void Booster::MakeRoom(BoostTick& tick, double limit)
{
    // The history is emptied once it has grown past the limit; the new line
    // goes in after, so it can exceed the limit by up to one line.
    if (limit < static_cast<double>(history_.Length())) {
        history_.Clear();
        tick.historyCleared = true;
    }
    tick.recorded = true;
}

void Booster::RecordFailure(BoostTick& tick, double limit, const std::wstring& reason)
{
    MakeRoom(tick, limit);
    tick.historyAdded = tick.time + L" " + tick.title + L" 未能提速：" + reason + L"\r\n";
    history_.Append(tick.historyAdded);
}

void Booster::Record(BoostTick& tick, double limit, SpeedMode mode)
{
    MakeRoom(tick, limit);
    tick.gain = GainFigure(mode, random_);
    tick.historyAdded = tick.time + L" " + tick.title + RecordModeText(mode) + tick.gain + L"\r\n";
    history_.Append(tick.historyAdded);
    tick.speedCountSentence = L"已为系统提速 " + std::to_wstring(NextBoostCount(boostCount_)) + L" 次。";
}

} // namespace torvane
