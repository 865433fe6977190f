#include "app/status_page_window.h"

#include <cwchar>

#include "app/control_ids.h"
#include "app/design_values.h"
#include "monitor/monitor_series.h"
#include "platform/win_handles.h"

namespace torvane {

namespace {

constexpr int kCaptionLeft = 480;
constexpr int kValueLeft = 1680;
constexpr int kCaptionWidth = 1200;
constexpr int kMonitorTop = 2160;

// The series a legend entry (0 to 4, left to right) stands for.
const MonitorSeries& LegendEntry(int index)
{
    return kMonitorSeries[kLegendOrder[index]];
}

void DrawSwatch(HDC dc, const RECT& place, Colour colour)
{
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &place, brush.get());
    FrameRect(dc, &place, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

} // namespace

bool StatusPageWindow::Create(const PageCreateArgs& args, CpuMonitorSupport& support)
{
    if (!RegisterOnce(L"TorvaneStatusPage") || !CreatePageWindow(args, L"TorvaneStatusPage", this))
        return false;
    CreateControls(args, support);
    return true;
}

void StatusPageWindow::CreateControls(const PageCreateArgs& args, CpuMonitorSupport& support)
{
    const ChildFactory factory = PageControls(hwnd_, args);
    factory.Heading({240, 120, 3000, 360}, L"提速状态", args.fonts->heading());

    factory.Label(0, {kCaptionLeft, 600, kCaptionWidth}, L"当前时间：");
    time_.Attach(factory.Label(ControlId::LabelTime, {kValueLeft, 600, 3000}, L"0"));

    factory.Label(0, {kCaptionLeft, 960, kCaptionWidth}, L"提速效果：");
    factory.Label(0, {kValueLeft, 960, 1740}, L"系统整体速度已提升");
    speed_.Attach(factory.Label(ControlId::LabelSpeed, {kValueLeft + 1740, 960, 1200}, L"0%"));

    factory.Label(0, {kCaptionLeft, 1320, kCaptionWidth}, L"提速目标：");
    speedupTarget_.Attach(
        factory.Label(ControlId::LabelSpeedupTarget, {kValueLeft, 1320, 6240}, L"无", SS_ENDELLIPSIS));

    factory.Label(0, {kCaptionLeft, 1680, kCaptionWidth}, L"提速统计：");
    speedCount_.Attach(factory.Label(ControlId::LabelSpeedCount, {kValueLeft, 1680, 6240}, L"0"));

    // 361 x 73 pixels at 96 DPI.
    MemoryPropertyBag properties = CpuMonitor1Properties();
    CpuMonitorCreateArgs monitor;
    monitor.parent = hwnd_;
    monitor.id = ControlId::CpuMonitor1;
    monitor.left = factory.Pixels(kCaptionLeft);
    monitor.top = factory.Pixels(kMonitorTop);
    monitor.width = factory.Pixels(5415);
    monitor.height = factory.Pixels(1095);
    monitor.support = &support;
    monitor.properties = &properties;
    monitor.tooltip = args.tooltip;
    monitor_ = CpuMonitorWindow::Create(monitor);

    const int legendTop = kMonitorTop + 1095 + 150;
    // The swatches are painted with the page's background: a window apiece
    // would cost start-up for a square of colour.
    const int swatchTop = factory.Pixels(legendTop + 60);
    const int swatchSide = factory.Pixels(150);
    int left = kCaptionLeft;
    for (int i = 0; i < kLegendEntries; ++i) {
        swatches_[i] = {factory.Pixels(left), swatchTop, factory.Pixels(left) + swatchSide, swatchTop + swatchSide};
        const wchar_t* caption = LegendEntry(i).caption;
        const int width = 120 + 240 * static_cast<int>(std::wcslen(caption));
        factory.Label(0, {left + 210, legendTop, width}, caption);
        left += 210 + width;
    }
}

void StatusPageWindow::Show(const BoostTick& tick) const
{
    if (tick.ran)
        time_.SetText(tick.time);
    if (tick.recorded && !tick.failed) {
        speedupTarget_.SetText(tick.title);
        speedCount_.SetText(tick.speedCountSentence);
        speed_.SetText(tick.gain);
    }
}

void StatusPageWindow::RestartMonitorTimer() const
{
    if (monitor_)
        monitor_->monitor().RestartTimer();
}

LRESULT StatusPageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = PageDefaultMessage(hwnd_, message, wParam, lParam);
    if (message == WM_ERASEBKGND) {
        for (int i = 0; i < kLegendEntries; ++i)
            DrawSwatch(reinterpret_cast<HDC>(wParam), swatches_[i], LegendEntry(i).colour);
    }
    return result;
}

} // namespace torvane
