#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/design_values.h"
#include "drawing/raster_canvas.h"
#include "monitor/cpu_monitor.h"
#include "platform/memory_property_bag.h"

using namespace torvane;

namespace {

// Memory load and CPU times as a test scripts them; no disk.
class ScriptedMonitorSource : public SystemSource {
public:
    bool IsWindowsNT() override { return true; }
    bool ReadCpuTimes(CpuTimes& times) override
    {
        time += 10000000;
        times = {idle, time, 1};
        return true;
    }
    void ReadMemory(MemoryReading& memory) override
    {
        memory = {};
        memory.memoryLoad = load;
        memory.totalPhysical = memory.totalPageFile = memory.totalVirtual = 100;
        memory.availablePageFile = spare;
        memory.availableVirtual = spare / 2;
    }
    bool HasDiskFreeSpaceEx() override { return true; }
    bool DiskFreeSpaceEx(const std::wstring& root, std::uint64_t& available, std::uint64_t& total,
                         std::uint64_t& free) override
    {
        roots.push_back(root);
        available = free = diskFree;
        total = 1000;
        return diskFree != 0;
    }
    bool DiskFreeSpace(const std::wstring&, DiskClusters&) override { return false; }

    std::uint32_t load = 0;
    std::uint64_t spare = 0; // page file and twice the virtual memory free, of 100
    std::int64_t idle = 0;
    std::int64_t time = 0;
    std::vector<std::wstring> roots;
    std::uint64_t diskFree = 0; // of 1000; 0: the call fails
};

class FakeMonitorHost : public CpuMonitorHost {
public:
    FakeMonitorHost(int width, int height) : picture(width, height, 0x123456) {}
    bool RunMode() override { return runMode; }
    void SetTimer(int intervalMs, bool on) override
    {
        timerInterval = intervalMs;
        timerEnabled = on;
    }
    int OuterWidth() override { return picture.Width(); }
    Canvas& Picture() override { return picture; }
    void RefreshWindow() override { ++refreshes; }
    int WindowAppearance() override { return appearance; }
    void SetWindowAppearance(int value) override { appearance = value; }
    int WindowBorderStyle() override { return borderStyle; }
    void SetWindowBorderStyle(int value) override { borderStyle = value; }
    bool WindowEnabled() override { return enabled; }
    void SetWindowEnabled(bool value) override { enabled = value; }
    void SetWindowBackColour(Colour colour) override { back = colour; }
    std::wstring WindowsDirectory() override { return L"C:\\WINDOWS"; }
    NumberPunctuation Punctuation() override { return {L".", L","}; }
    void PropertyChanged(const wchar_t* key) override { changed.push_back(key); }

    RasterCanvas picture;
    bool runMode = true;
    int timerInterval = 0;
    bool timerEnabled = false;
    int refreshes = 0;
    int appearance = 0;
    int borderStyle = 0;
    bool enabled = true;
    Colour back = 0;
    std::vector<std::wstring> changed;
};

struct Monitor {
    Monitor(int width = 361, int height = 73) : host(width, height) {}
    ScriptedMonitorSource source;
    CpuMonitorSupport support{source};
    FakeMonitorHost host;
    CpuMonitor monitor{host, support};
};

std::vector<Colour> PixelsOf(const Canvas& canvas)
{
    std::vector<Colour> pixels;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            pixels.push_back(canvas.GetPixel(x, y));
    return pixels;
}

} // namespace

TEST(CpuMonitorProperties, FirstCreationDefaults)
{
    Monitor m;
    m.monitor.InitProperties();
    EXPECT_EQ(m.monitor.HDDriveLetter(), L"C:\\");
    EXPECT_EQ(m.host.appearance, 1);
    EXPECT_EQ(m.host.borderStyle, 1);
    EXPECT_EQ(m.monitor.BackColor(), 0u);
    EXPECT_EQ(m.monitor.UpdateInterval(), 1000);
    EXPECT_EQ(m.monitor.DisplayGridColor(), 0x008000u);
    EXPECT_EQ(m.monitor.MemoryLoadColor(), 0x00FFFFu);
    EXPECT_EQ(m.monitor.HDMonitorColor(), 0xFF80FFu);
    EXPECT_TRUE(m.monitor.CPUMonitorDisplayed() && m.monitor.HDMonitorDisplayed() && m.monitor.ScrollGrid());
    EXPECT_TRUE(m.host.changed.empty());
}

TEST(CpuMonitorProperties, AStoreWithoutKeysReadsTheSavedDefaultsAndStarts)
{
    Monitor m;
    MemoryPropertyBag bag;
    bag.Set(L"MemoryLoadColor", std::int32_t{0x111111});
    m.monitor.ReadProperties(bag);
    EXPECT_EQ(m.monitor.HDDriveLetter(), L"");
    EXPECT_EQ(m.monitor.MemoryLoadColor(), 0x00FFFFu);
    EXPECT_EQ(m.host.appearance, 1);
    EXPECT_EQ(m.host.borderStyle, 1);
    EXPECT_EQ(m.host.timerInterval, 1000);
    EXPECT_TRUE(m.host.timerEnabled);
    EXPECT_EQ(m.monitor.LevelHistory().size(), 362u);
    EXPECT_EQ(m.monitor.UnfilledColumns(), 360);

    MemoryPropertyBag written;
    m.monitor.WriteProperties(written);
    EXPECT_TRUE(written.values().empty());
}

TEST(CpuMonitorProperties, TheMainWindowsValuesRoundTrip)
{
    Monitor m;
    MemoryPropertyBag bag = CpuMonitor1Properties();
    bag.Set(L"MemoryColor", std::int32_t{0x0A0B0C});
    m.monitor.ReadProperties(bag);
    EXPECT_EQ(m.host.back, 0xFFFFFFu);
    EXPECT_EQ(m.host.borderStyle, 0);
    EXPECT_EQ(m.host.timerInterval, 500);
    EXPECT_EQ(m.monitor.MemoryLoadColor(), 0x0A0B0Cu);

    MemoryPropertyBag written;
    m.monitor.WriteProperties(written);
    EXPECT_EQ(written.values().size(), 6u);
    EXPECT_TRUE(written.Has(L"MemoryColor"));
    EXPECT_FALSE(written.Has(L"MemoryLoadColor"));
}

TEST(CpuMonitorProperties, DriveLetterIsNormalised)
{
    struct Case {
        std::wstring set;
        std::wstring stored;
        bool notified;
    };
    const Case cases[] = {
        {L"e:", L"E:\\", true}, {L"", L"E:\\", false}, {L"x", L"x", true}, {L"d:\\temp", L"D:\\", true},
    };
    Monitor m;
    for (const Case& c : cases) {
        m.host.changed.clear();
        m.monitor.SetHDDriveLetter(c.set);
        EXPECT_EQ(m.monitor.HDDriveLetter(), c.stored);
        EXPECT_EQ(m.host.changed.size(), c.notified ? 1u : 0u);
    }
}

TEST(CpuMonitorProperties, SettersRedrawAndNotifyUnderTheirKeys)
{
    Monitor m;
    m.monitor.InitProperties();
    struct Case {
        std::function<void(CpuMonitor&)> set;
        const wchar_t* key;
        bool redraws;
    };
    const Case cases[] = {
        {[](CpuMonitor& c) { c.SetMemoryLoadColor(1); }, L"MemoryColor", true},
        {[](CpuMonitor& c) { c.SetHDMonitorColor(1); }, L"HDMonitorColor", false},
        {[](CpuMonitor& c) { c.SetUpdateInterval(250); }, L"UpdateInterval", false},
        {[](CpuMonitor& c) { c.SetDiagramStyle(2); }, L"DiagramStyle", true},
        {[](CpuMonitor& c) { c.SetBackColor(5); }, L"BackColor", true},
        {[](CpuMonitor& c) { c.SetBorderStyle(0); }, L"BorderStyle", true},
        {[](CpuMonitor& c) { c.SetEnabled(false); }, L"Enabled", true},
        {[](CpuMonitor& c) { c.SetDisplayGrid(false); }, L"DisplayGrid", true},
    };
    for (const Case& c : cases) {
        m.host.changed.clear();
        const int before = m.host.refreshes;
        c.set(m.monitor);
        EXPECT_EQ(m.host.changed, std::vector<std::wstring>{c.key});
        EXPECT_EQ(m.host.refreshes > before, c.redraws) << std::wstring(c.key).size();
    }
    EXPECT_EQ(m.host.timerInterval, 250);
}

TEST(CpuMonitorProperties, DesignModeOnlyStoresTheInterval)
{
    Monitor m;
    m.host.runMode = false;
    m.monitor.SetUpdateInterval(300);
    EXPECT_EQ(m.monitor.UpdateInterval(), 300);
    EXPECT_EQ(m.host.timerInterval, 0);
}

TEST(CpuMonitorPicture, DiskColourAndRefreshLeaveThePictureUntilTheNextRedraw)
{
    Monitor m;
    MemoryPropertyBag bag;
    m.monitor.ReadProperties(bag);
    m.monitor.DrawDiagram();
    const std::vector<Colour> before = PixelsOf(m.host.picture);
    m.monitor.SetHDMonitorColor(0x000001);
    m.monitor.Refresh();
    EXPECT_EQ(PixelsOf(m.host.picture), before);
}

// The timer's pictures move the last one on where they can; each must be,
// pixel for pixel, what a whole redraw of the same state gives, through
// levels off both edges, the grid's wrap, a look changed and a sample taken
// between two ticks.
TEST(CpuMonitorPicture, EveryTicksPictureIsTheWholeRedrawOfItsState)
{
    struct ScrollCounter : RasterCanvas {
        using RasterCanvas::RasterCanvas;
        bool ScrollLeft(int columns) override
        {
            ++scrolls;
            return RasterCanvas::ScrollLeft(columns);
        }
        int scrolls = 0;
    };
    struct Host : FakeMonitorHost {
        Host() : FakeMonitorHost(61, 23) {}
        Canvas& Picture() override { return counted; }
        ScrollCounter counted{61, 23, 0};
    };
    struct Case {
        const char* name;
        int style;
        bool grid;
        bool scrollGrid;
        bool movesOn;
    };
    const Case cases[] = {
        {"lines", 0, true, true, true},    {"dots", 1, true, true, true},
        {"bars", 2, true, true, true},     {"lines without grid", 0, false, true, true},
        {"fixed grid", 0, true, false, false},
    };
    for (const Case& c : cases) {
        ScriptedMonitorSource source;
        CpuMonitorSupport support(source);
        Host host;
        CpuMonitor monitor(host, support);
        MemoryPropertyBag bag;
        monitor.ReadProperties(bag);
        monitor.SetDiagramStyle(c.style);
        monitor.SetDisplayGrid(c.grid);
        monitor.SetScrollGrid(c.scrollGrid);
        for (int tick = 0; tick < 150; ++tick) {
            // Memory past the top now and then, CPU from 100.5 % to below 0.
            source.load = static_cast<std::uint32_t>(tick * 37 % 160);
            source.spare = static_cast<std::uint64_t>(tick * 23 % 100);
            source.idle += (tick * 13 % 150) * 100000LL;
            if (tick == 90)
                monitor.SetHDMonitorColor(0x00FF00FF);
            if (tick == 120)
                monitor.GetCurrentSystemLevels();
            int gridOffset = monitor.GridOffset() - 1;
            monitor.Timer1_Timer();

            DiagramInput whole;
            whole.backColor = monitor.BackColor();
            whole.displayGrid = monitor.DisplayGrid();
            whole.gridColor = monitor.DisplayGridColor();
            whole.scrollGrid = monitor.ScrollGrid();
            whole.diagramStyle = monitor.DiagramStyle();
            whole.series[0] = {monitor.CPUMonitorDisplayed(), monitor.CPUMonitorColor()};
            whole.series[1] = {monitor.MemoryLoadDisplayed(), monitor.MemoryLoadColor()};
            whole.series[2] = {monitor.PageFileDisplayed(), monitor.PageFileColor()};
            whole.series[3] = {monitor.VirtualMemoryDisplayed(), monitor.VirtualMemoryColor()};
            whole.series[4] = {monitor.HDMonitorDisplayed(), monitor.HDMonitorColor()};
            whole.history = &monitor.LevelHistory();
            whole.unfilledColumns = monitor.UnfilledColumns();
            RasterCanvas expected(61, 23, 0);
            DrawDiagram(expected, whole, gridOffset);
            ASSERT_EQ(PixelsOf(host.counted), PixelsOf(expected)) << c.name << ", tick " << tick;
        }
        // Only the grid's wraps, the colour and the sample between ticks
        // call for whole redraws.
        EXPECT_EQ(host.counted.scrolls >= 140, c.movesOn) << c.name << ": " << host.counted.scrolls;
    }
}

TEST(CpuMonitorSampling, EachSampleShiftsTheHistoryOneColumn)
{
    Monitor m;
    MemoryPropertyBag bag;
    bag.Set(L"HDDriveLetter", std::wstring(L"C:\\"));
    m.monitor.ReadProperties(bag);
    m.source.load = 10;
    m.monitor.GetCurrentSystemLevels();
    m.source.load = 20;
    const ReportedLevels reported = m.monitor.GetCurrentSystemLevels();
    EXPECT_EQ(reported.MemoryLoadPercent, 20);
    const std::vector<SystemLevels>& history = m.monitor.LevelHistory();
    EXPECT_EQ(history[360].MemoryLoadPercent, 20.0f);
    EXPECT_EQ(history[359].MemoryLoadPercent, 10.0f);
    EXPECT_EQ(history[358].MemoryLoadPercent, 0.0f);
    EXPECT_EQ(m.monitor.UnfilledColumns(), 358);
    EXPECT_EQ(m.source.roots, (std::vector<std::wstring>{L"C:\\", L"C:\\"}));
}

TEST(CpuMonitorSampling, TheTimerAsksForTheDiskEveryTenthSampleAndRepeatsItsLastAnswer)
{
    Monitor m(40, 20);
    MemoryPropertyBag bag;
    bag.Set(L"HDDriveLetter", std::wstring(L"C:\\"));
    m.monitor.ReadProperties(bag);
    std::vector<float> drawn; // the disk's free share, sample by sample
    for (int tick = 0; tick < 25; ++tick) {
        m.source.diskFree = 100 + 10 * static_cast<std::uint64_t>(tick);
        m.monitor.Timer1_Timer();
        drawn.push_back(m.monitor.NewestLevels().HDAvailablePercent);
    }
    // Asked at the 1st, 11th and 21st sample; the samples between repeat the
    // answer, every disk figure of it.
    EXPECT_EQ(m.source.roots.size(), 3u);
    EXPECT_EQ(drawn[0], 10.0f);
    EXPECT_EQ(drawn[9], 10.0f);
    EXPECT_EQ(drawn[10], 20.0f);
    EXPECT_EQ(drawn[24], 30.0f);
    EXPECT_EQ(m.monitor.NewestLevels().HDTotalBytes, CurrencyFromWhole(1000));
    EXPECT_EQ(m.monitor.NewestLevels().HDTotalBytesUsed, CurrencyFromWhole(700));

    // Another drive, or the form asking, is answered at once.
    m.monitor.SetHDDriveLetter(L"D:\\");
    m.monitor.Timer1_Timer();
    EXPECT_EQ(m.source.roots.back(), L"D:\\");
    const std::size_t asked = m.source.roots.size();
    m.monitor.GetCurrentSystemLevels();
    EXPECT_EQ(m.source.roots.size(), asked + 1);
}

TEST(CpuMonitorSampling, ANarrowControlMeasuresIntoElementZero)
{
    Monitor m(1, 10);
    MemoryPropertyBag bag;
    m.monitor.ReadProperties(bag);
    m.source.load = 42;
    m.monitor.GetCurrentSystemLevels();
    EXPECT_EQ(m.monitor.LevelHistory()[0].MemoryLoadPercent, 42.0f);
}

TEST(CpuMonitorTimer, TicksSampleRedrawAndRaiseUpdateOnlyWhenEnabledAtRunTime)
{
    struct Recorder {
        std::vector<int> loads;
    } events;
    ScriptedMonitorSource source;
    CpuMonitorSupport support(source);
    FakeMonitorHost host(50, 20);
    CpuMonitorEvents raised;
    raised.onUpdate = [&events](const ReportedLevels& levels) { events.loads.push_back(levels.MemoryLoadPercent); };
    CpuMonitor monitor(host, support, raised);
    MemoryPropertyBag bag;
    monitor.ReadProperties(bag);
    source.load = 7;
    monitor.Timer1_Timer();
    EXPECT_EQ(events.loads, std::vector<int>{7});
    EXPECT_EQ(monitor.GridOffset(), -1);

    host.enabled = false;
    monitor.Timer1_Timer();
    host.enabled = true;
    host.runMode = false;
    monitor.Timer1_Timer();
    EXPECT_EQ(events.loads.size(), 1u);
    EXPECT_EQ(monitor.GridOffset(), -1);
    EXPECT_EQ(monitor.Reset(), 0);
    EXPECT_EQ(monitor.GridOffset(), 0);
}

TEST(CpuMonitorSampling, AControlGrownWiderKeepsItsNewestSample)
{
    ScriptedMonitorSource source;
    CpuMonitorSupport support(source);
    FakeMonitorHost host(20, 10);
    CpuMonitor monitor(host, support);
    MemoryPropertyBag bag;
    monitor.ReadProperties(bag);
    host.picture = RasterCanvas(40, 10, 0);
    source.load = 33;
    monitor.GetCurrentSystemLevels();
    ASSERT_GE(monitor.LevelHistory().size(), 40u);
    EXPECT_EQ(monitor.LevelHistory()[39].MemoryLoadPercent, 33.0f);
}

TEST(CpuMonitorFormat, FormatFilesizeUsesTheLocalesPunctuation)
{
    Monitor m;
    EXPECT_EQ(m.monitor.FormatFilesize(1024), L"1.024 B");
    EXPECT_EQ(m.monitor.FormatFilesize(5368709120.0), L"5,00 GB");
}
