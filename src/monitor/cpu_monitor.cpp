#include "monitor/cpu_monitor.h"

#include <utility>

#include <cmath>
#include <limits>

namespace torvane {

namespace {

std::int32_t RoundedToWhole(float value)
{
    if (!std::isfinite(value))
        return 0;
    const double rounded = std::nearbyint(static_cast<double>(value));
    if (rounded > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (rounded < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(rounded);
}

} // namespace

ReportedLevels ReportedFrom(const SystemLevels& l)
{
    ReportedLevels r;
    r.CPULoadPercent = RoundedToWhole(l.CPULoadPercent);
    r.MemoryLoadPercent = RoundedToWhole(l.MemoryLoadPercent);
    r.PhysicalMemoryTotal = l.PhysicalMemoryTotal;
    r.PhysicalMemoryAvailable = l.PhysicalMemoryAvailable;
    r.PhysicalMemoryAvailablePercent = l.PhysicalMemoryAvailablePercent;
    r.PageFileTotal = l.PageFileTotal;
    r.PageFileAvailable = l.PageFileAvailable;
    r.PageFileAvailablePercent = l.PageFileAvailablePercent;
    r.VirtualMemoryTotal = l.VirtualMemoryTotal;
    r.VirtualMemoryAvailable = l.VirtualMemoryAvailable;
    r.VirtualMemoryAvailablePercent = l.VirtualMemoryAvailablePercent;
    r.HDTotalBytes = l.HDTotalBytes;
    r.HDTotalFreeBytes = l.HDTotalFreeBytes;
    r.HDAvailableFreeBytes = l.HDAvailableFreeBytes;
    r.HDTotalBytesUsed = l.HDTotalBytesUsed;
    r.HDAvailablePercent = l.HDAvailablePercent;
    return r;
}

CpuMonitor::CpuMonitor(CpuMonitorHost& host, CpuMonitorSupport& support, CpuMonitorEvents events)
    : host_(host), support_(support), events_(std::move(events))
{
    for (int i = 0; i < 5; ++i)
        series_[i] = {true, kMonitorSeries[i].colour};
}

CpuMonitor::~CpuMonitor()
{
    if (started_)
        support_.StopCpuCounter(runningOnNT_);
}

int CpuMonitor::NewestIndex() const
{
    const int s = host_.Picture().Width();
    return s - 1 >= 1 ? s - 1 : 0;
}

void CpuMonitor::StartMonitor()
{
    if (host_.RunMode())
        host_.SetTimer(updateInterval_, true);
    const int w = host_.OuterWidth();
    history_.assign(static_cast<std::size_t>(w > 0 ? w : 0) + 1, SystemLevels{});
    runningOnNT_ = support_.IsWindowsNT();
    support_.InitCpuCounter(runningOnNT_);
    started_ = true;
    unfilledColumns_ = host_.Picture().Width() - 1;
    host_.SetWindowAppearance(storedAppearance_);
    host_.SetWindowBorderStyle(storedBorderStyle_);
    host_.SetWindowBackColour(backColor_);
    host_.SetWindowEnabled(storedEnabled_);
}

void CpuMonitor::RestartTimer()
{
    if (started_ && host_.RunMode() && updateInterval_ > 0)
        host_.SetTimer(updateInterval_, true);
}

namespace {

// The disk's free space changes slowly, and each question costs a file open
// and close in the system: the timer asks every tenth sample.
constexpr int kDiskSampleEvery = 10;

void CopyDiskFigures(const SystemLevels& from, SystemLevels& to)
{
    to.HDTotalBytes = from.HDTotalBytes;
    to.HDTotalFreeBytes = from.HDTotalFreeBytes;
    to.HDAvailableFreeBytes = from.HDAvailableFreeBytes;
    to.HDTotalBytesUsed = from.HDTotalBytesUsed;
    to.HDAvailablePercent = from.HDAvailablePercent;
}

} // namespace

void CpuMonitor::SamplingStep(bool freshDisk)
{
    ++samplesSinceDraw_;
    const int s = host_.Picture().Width();
    // A control grown wider than at start gets a longer history, so the
    // newest measurement always has its column.
    if (static_cast<std::size_t>(s) > history_.size())
        history_.insert(history_.begin(), static_cast<std::size_t>(s) - history_.size(), SystemLevels{});
    for (int x = 1; x <= s - 1; ++x)
        history_[static_cast<std::size_t>(x - 1)] = history_[static_cast<std::size_t>(x)];
    if (unfilledColumns_ >= 1)
        --unfilledColumns_;
    if (history_.empty())
        return;
    SystemLevels& newest = history_[static_cast<std::size_t>(NewestIndex())];
    support_.QueryMemoryStatus(newest);
    if (freshDisk || diskSamplesLeft_ <= 0 || lastDiskRoot_ != hdDriveLetter_) {
        support_.QueryDiskSpace(hdDriveLetter_, newest);
        CopyDiskFigures(newest, lastDisk_);
        lastDiskRoot_ = hdDriveLetter_;
        diskSamplesLeft_ = kDiskSampleEvery - 1;
    } else {
        CopyDiskFigures(lastDisk_, newest);
        --diskSamplesLeft_;
    }
    newest.CPULoadPercent = support_.QueryCpuUsage(runningOnNT_);
}

void CpuMonitor::Timer1_Timer()
{
    if (!host_.WindowEnabled() || !host_.RunMode())
        return;
    --gridOffset_;
    SamplingStep(false);
    PaintDiagram(true);
    if (!history_.empty() && events_.onUpdate)
        events_.onUpdate(ReportedFrom(history_[static_cast<std::size_t>(NewestIndex())]));
}

void CpuMonitor::DrawDiagram()
{
    PaintDiagram(false);
}

void CpuMonitor::PaintDiagram(bool afterOneSample)
{
    const DiagramInput input = CurrentInput();
    Canvas& picture = host_.Picture();
    const int offsetUsed = gridOffset_;
    if (afterOneSample && CanScroll(input, picture))
        ScrollDiagram(picture, input, gridOffset_);
    else
        torvane::DrawDiagram(picture, input, gridOffset_);
    drawn_ = {true, input, picture.Width(), picture.Height(), offsetUsed};
    samplesSinceDraw_ = 0;
    host_.RefreshWindow();
}

bool CpuMonitor::CanScroll(const DiagramInput& input, const Canvas& picture) const
{
    // The picture must be the one drawn before this one sample, in the same
    // look and size, with the grid one column further left or not shown.
    if (!drawn_.valid || samplesSinceDraw_ != 1 || picture.Width() != drawn_.width ||
        picture.Height() != drawn_.height || !SameLook(input, drawn_.look))
        return false;
    return !input.displayGrid || (input.scrollGrid && gridOffset_ == drawn_.gridOffset - 1);
}

DiagramInput CpuMonitor::CurrentInput() const
{
    DiagramInput input;
    input.backColor = backColor_;
    input.displayGrid = displayGrid_;
    input.gridColor = displayGridColor_;
    input.scrollGrid = scrollGrid_;
    input.diagramStyle = diagramStyle_;
    input.runMode = host_.RunMode();
    for (int i = 0; i < 5; ++i)
        input.series[i] = series_[i];
    input.history = &history_;
    input.unfilledColumns = unfilledColumns_;
    return input;
}

void CpuMonitor::Resize()
{
    DrawDiagram();
}

void CpuMonitor::DblClick()
{
    if (events_.onDblClick)
        events_.onDblClick();
}

void CpuMonitor::Refresh()
{
    host_.RefreshWindow();
}

short CpuMonitor::Reset()
{
    gridOffset_ = 0;
    DrawDiagram();
    return 0;
}

SystemLevels CpuMonitor::NewestLevels() const
{
    return history_.empty() ? SystemLevels{} : history_[static_cast<std::size_t>(NewestIndex())];
}

ReportedLevels CpuMonitor::GetCurrentSystemLevels()
{
    // Asked for by the form: every figure is measured now.
    SamplingStep(true);
    return history_.empty() ? ReportedLevels{} : ReportedFrom(history_[static_cast<std::size_t>(NewestIndex())]);
}

std::wstring CpuMonitor::FormatFilesize(double nValue)
{
    return torvane::FormatFilesize(nValue, host_.Punctuation());
}

} // namespace torvane
