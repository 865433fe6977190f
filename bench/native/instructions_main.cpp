// Instruction counts of one booster tick, one monitor redraw at 361x73 and
// one button paint at 75x23 per style, each in its own function. Under
// callgrind (--collect-atstart=no) every measured call is collected alone and
// dumped under its name; run bare, it only checks that the work is done.
#include <valgrind/callgrind.h>

#include <cstdio>
#include <vector>

#include "app/design_values.h"
#include "booster/booster.h"
#include "controls/command_painter.h"
#include "drawing/raster_canvas.h"
#include "monitor/cpu_monitor.h"
#include "monitor/diagram.h"
#include "platform/memory_property_bag.h"
#include "fakes.h"

using namespace torvane;

namespace {

template <typename F>
void Measured(const char* name, F&& work)
{
    CALLGRIND_ZERO_STATS;
    CALLGRIND_TOGGLE_COLLECT;
    work();
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT(name);
}

// A tick that finds a new foreground window: restore, raise and record, the
// most a tick does.
__attribute__((noinline)) void BoosterTick(Booster& booster, BenchBoosterPage& page)
{
    page.Show(booster.Tick(page.settings));
}

__attribute__((noinline)) void MonitorRedraw(Canvas& canvas, const DiagramInput& input, int& gridOffset)
{
    DrawDiagram(canvas, input, gridOffset);
}

__attribute__((noinline)) void ButtonPaint(Command& command, Canvas& canvas)
{
    DrawButton(command, canvas, 0, true, false);
}

// Takes every drawing call and draws nothing: what the diagram itself costs,
// without any canvas's pixel work.
class NullCanvas final : public Canvas {
public:
    int Width() const override { return 361; }
    int Height() const override { return 73; }
    void Clear() override { ++calls; }
    void FillBox(const PixelRect&, Colour) override { ++calls; }
    void FrameBox(const PixelRect&, Colour) override { ++calls; }
    void Line(int, int, int, int, Colour) override { ++calls; }
    void SetPixel(int, int, Colour) override { ++calls; }
    Colour GetPixel(int, int) const override { return 0; }
    void FocusRect(const PixelRect&, Colour) override { ++calls; }
    void Text(const std::wstring&, const PixelRect&, unsigned, Colour) override { ++calls; }
    PixelSize MeasureText(const std::wstring&, int, unsigned) override { return {}; }
    long long calls = 0;
};

bool Fails(const char* what)
{
    std::fprintf(stderr, "instructions: %s\n", what);
    return true;
}

} // namespace

int main()
{
    bool failed = false;

    BenchForeground foreground;
    BenchPriority priority;
    BenchLedgerStore ledgerStore;
    BenchClock clock;
    BenchRandom random;
    BenchBoosterPage page;
    // A desktop's hundred processes, none of them a helper of the window's.
    const wchar_t* const names[] = {L"svchost.exe", L"explorer.exe", L"RuntimeBroker.exe", L"chrome.exe"};
    for (std::uint32_t id = 4; id < 104; ++id)
        priority.listed.push_back({{id * 4, 4}, names[id % 4]});
    Booster booster(foreground, priority, ledgerStore, clock, random);
    // Warm up with a few switches so the page holds a typical history.
    for (int i = 0; i < 6; ++i) {
        foreground.Show(static_cast<std::uintptr_t>(0x100 + i % 2), i % 2 ? L"画图 - 演示乙" : L"记事本 - 演示甲");
        page.Show(booster.Tick(page.settings));
    }
    foreground.Show(0x200, L"计算器 - 新窗口");
    const int before = booster.BoostCount();
    Measured("booster_tick", [&] { BoosterTick(booster, page); });
    if (booster.BoostCount() != before + 1)
        failed = Fails("the measured tick did not boost");

    // The status page's monitor with the main window's values, its history
    // filled by more samples than it has columns.
    BenchSource source;
    CpuMonitorSupport support(source);
    BenchMonitorHost host(361, 73);
    CpuMonitorEvents events;
    CpuMonitor monitor(host, support, events);
    MemoryPropertyBag bag = CpuMonitor1Properties();
    monitor.ReadProperties(bag);
    for (int i = 0; i < 400; ++i)
        monitor.Timer1_Timer();
    if (monitor.UnfilledColumns() != 0)
        failed = Fails("the history is not full");
    DiagramInput input;
    input.backColor = monitor.BackColor();
    input.displayGrid = monitor.DisplayGrid();
    input.gridColor = monitor.DisplayGridColor();
    input.scrollGrid = monitor.ScrollGrid();
    input.diagramStyle = monitor.DiagramStyle();
    input.runMode = true;
    input.series[0] = {monitor.CPUMonitorDisplayed(), monitor.CPUMonitorColor()};
    input.series[1] = {monitor.MemoryLoadDisplayed(), monitor.MemoryLoadColor()};
    input.series[2] = {monitor.PageFileDisplayed(), monitor.PageFileColor()};
    input.series[3] = {monitor.VirtualMemoryDisplayed(), monitor.VirtualMemoryColor()};
    input.series[4] = {monitor.HDMonitorDisplayed(), monitor.HDMonitorColor()};
    input.history = &monitor.LevelHistory();
    input.unfilledColumns = monitor.UnfilledColumns();
    RasterCanvas chart(361, 73, 0x123456);
    int gridOffset = monitor.GridOffset();
    Measured("monitor_redraw", [&] { MonitorRedraw(chart, input, gridOffset); });
    if (chart.GetPixel(0, 0) == 0x123456u)
        failed = Fails("the redraw left the chart untouched");

    NullCanvas nothing;
    int nullOffset = monitor.GridOffset();
    Measured("monitor_redraw_without_pixels", [&] { MonitorRedraw(nothing, input, nullOffset); });
    if (nothing.calls < 361)
        failed = Fails("the redraw drew fewer lines than columns");

    BenchCommandSurface surface;
    BenchSystemColours system;
    for (int style = 1; style <= 5; ++style) {
        Command command(surface, system);
        command.InitProperties();
        command.SetCaption(L"保存");
        command.SetButtonType(style);
        CommandState& st = command.state();
        st.width = 75;
        st.height = 23;
        st.textRect = {0, st.textRect.top, 75, 23};
        st.pressedTextRect = {2, 2, 75, 23};
        st.focusRect = {2, 2, 73, 21};
        RasterCanvas canvas(75, 23, 0x123456);
        char name[32];
        std::snprintf(name, sizeof name, "button_paint_style_%d", style);
        Measured(name, [&] { ButtonPaint(command, canvas); });
        if (canvas.GetPixel(37, 11) == 0x123456u)
            failed = Fails("a button paint left the face untouched");
    }
    return failed ? 1 : 0;
}
