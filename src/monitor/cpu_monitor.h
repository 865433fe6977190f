#pragma once

#include <functional>

#include <string>
#include <vector>

#include "drawing/canvas.h"
#include "monitor/cpu_monitor_support.h"
#include "monitor/diagram.h"
#include "monitor/monitor_series.h"
#include "monitor/system_levels.h"
#include "platform/property_bag.h"

namespace torvane {

// A measurement as the control reports it: the two load figures rounded to
// whole numbers.
struct ReportedLevels {
    std::int32_t CPULoadPercent = 0;
    std::int32_t MemoryLoadPercent = 0;
    std::int32_t PhysicalMemoryTotal = 0;
    std::int32_t PhysicalMemoryAvailable = 0;
    float PhysicalMemoryAvailablePercent = 0;
    std::int32_t PageFileTotal = 0;
    std::int32_t PageFileAvailable = 0;
    float PageFileAvailablePercent = 0;
    std::int32_t VirtualMemoryTotal = 0;
    std::int32_t VirtualMemoryAvailable = 0;
    float VirtualMemoryAvailablePercent = 0;
    Currency HDTotalBytes = 0;
    Currency HDTotalFreeBytes = 0;
    Currency HDAvailableFreeBytes = 0;
    Currency HDTotalBytesUsed = 0;
    float HDAvailablePercent = 0;
};

ReportedLevels ReportedFrom(const SystemLevels& levels);

// The events the monitor raises to the form that holds it, each run when set.
struct CpuMonitorEvents {
    std::function<void(const ReportedLevels& levels)> onUpdate;
    std::function<void()> onDblClick;
};

// What the monitor needs from its window.
class CpuMonitorHost {
public:
    virtual ~CpuMonitorHost() = default;
    // False while the hosting form is being designed.
    virtual bool RunMode() = 0;
    virtual void SetTimer(int intervalMs, bool enabled) = 0;
    // The control's outer width in pixels, border included.
    virtual int OuterWidth() = 0;
    // The persistent picture, at the drawing size.
    virtual Canvas& Picture() = 0;
    virtual void RefreshWindow() = 0;
    virtual int WindowAppearance() = 0;
    virtual void SetWindowAppearance(int appearance) = 0;
    virtual int WindowBorderStyle() = 0;
    virtual void SetWindowBorderStyle(int borderStyle) = 0;
    virtual bool WindowEnabled() = 0;
    virtual void SetWindowEnabled(bool enabled) = 0;
    virtual void SetWindowBackColour(Colour colour) = 0;
    virtual std::wstring WindowsDirectory() = 0;
    // How the user's locale groups digits and writes decimals.
    virtual NumberPunctuation Punctuation() = 0;
    // The persisted value under this key changed.
    virtual void PropertyChanged(const wchar_t* key) = 0;
};

// CpuMonitor: samples the system's levels on a timer and draws them as a
// scrolling strip chart.
class CpuMonitor {
public:
    CpuMonitor(CpuMonitorHost& host, CpuMonitorSupport& support, CpuMonitorEvents events = {});
    ~CpuMonitor();
    CpuMonitor(const CpuMonitor&) = delete;
    CpuMonitor& operator=(const CpuMonitor&) = delete;

    void InitProperties();
    void ReadProperties(PropertyBag& bag);
    void WriteProperties(PropertyBag& bag);

    void StartMonitor();
    // The samples' timer starts again from now. The window starts its
    // once-a-second tick at the same moment, so that a tick and a sample
    // wake the program once and reach the screen in one go.
    void RestartTimer();
    void Timer1_Timer();
    void DrawDiagram();
    void Resize();
    void DblClick();

    // Public methods.
    void Refresh();
    short Reset();
    ReportedLevels GetCurrentSystemLevels();
    std::wstring FormatFilesize(double nValue);

    // Properties.
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour value);
    int Appearance();
    void SetAppearance(int value);
    int BorderStyle();
    void SetBorderStyle(int value);
    bool Enabled();
    void SetEnabled(bool value);
    bool CPUMonitorDisplayed() const { return series_[0].displayed; }
    void SetCPUMonitorDisplayed(bool value) { SetDisplayed(0, value, L"CPUMonitorDisplayed"); }
    bool MemoryLoadDisplayed() const { return series_[1].displayed; }
    void SetMemoryLoadDisplayed(bool value) { SetDisplayed(1, value, L"MemoryLoadDisplayed"); }
    bool PageFileDisplayed() const { return series_[2].displayed; }
    void SetPageFileDisplayed(bool value) { SetDisplayed(2, value, L"PageFileDisplayed"); }
    bool VirtualMemoryDisplayed() const { return series_[3].displayed; }
    void SetVirtualMemoryDisplayed(bool value) { SetDisplayed(3, value, L"VirtualMemoryDisplayed"); }
    bool HDMonitorDisplayed() const { return series_[4].displayed; }
    void SetHDMonitorDisplayed(bool value) { SetDisplayed(4, value, L"HDMonitorDisplayed"); }
    Colour CPUMonitorColor() const { return series_[0].colour; }
    void SetCPUMonitorColor(Colour value) { SetSeriesColour(0, value, L"CPUMonitorColor"); }
    Colour MemoryLoadColor() const { return series_[1].colour; }
    void SetMemoryLoadColor(Colour value) { SetSeriesColour(1, value, L"MemoryColor"); }
    Colour PageFileColor() const { return series_[2].colour; }
    void SetPageFileColor(Colour value) { SetSeriesColour(2, value, L"PageFileColor"); }
    Colour VirtualMemoryColor() const { return series_[3].colour; }
    void SetVirtualMemoryColor(Colour value) { SetSeriesColour(3, value, L"VirtualMemoryColor"); }
    Colour HDMonitorColor() const { return series_[4].colour; }
    void SetHDMonitorColor(Colour value);
    const std::wstring& HDDriveLetter() const { return hdDriveLetter_; }
    void SetHDDriveLetter(const std::wstring& value);
    bool DisplayGrid() const { return displayGrid_; }
    void SetDisplayGrid(bool value);
    Colour DisplayGridColor() const { return displayGridColor_; }
    void SetDisplayGridColor(Colour value);
    int UpdateInterval() const { return updateInterval_; }
    void SetUpdateInterval(int value);
    bool ScrollGrid() const { return scrollGrid_; }
    void SetScrollGrid(bool value);
    int DiagramStyle() const { return diagramStyle_; }
    void SetDiagramStyle(int value);

    // State the drawing and the tests look at.
    const std::vector<SystemLevels>& LevelHistory() const { return history_; }
    // The latest measurement, as the diagram's right edge shows it.
    SystemLevels NewestLevels() const;
    int UnfilledColumns() const { return unfilledColumns_; }
    int GridOffset() const { return gridOffset_; }

private:
    // freshDisk: ask for the disk's figures whatever the timer's rhythm.
    void SamplingStep(bool freshDisk);
    // afterOneSample: the timer's redraw, which may move the picture on
    // instead of drawing it whole.
    void PaintDiagram(bool afterOneSample);
    bool CanScroll(const DiagramInput& input, const Canvas& picture) const;
    DiagramInput CurrentInput() const;
    int NewestIndex() const;
    // Stores a value that the picture shows, redraws and tells the host.
    template <typename T>
    void SetShown(T& field, T value, const wchar_t* key)
    {
        field = value;
        DrawDiagram();
        Changed(key);
    }
    void SetDisplayed(int series, bool value, const wchar_t* key) { SetShown(series_[series].displayed, value, key); }
    void SetSeriesColour(int series, Colour value, const wchar_t* key) { SetShown(series_[series].colour, value, key); }
    void Changed(const wchar_t* key) { host_.PropertyChanged(key); }

    CpuMonitorHost& host_;
    CpuMonitorSupport& support_;
    CpuMonitorEvents events_;

    Colour backColor_ = 0;
    // CPU, memory load, page file, virtual memory, disk.
    DiagramSeries series_[5];
    std::wstring hdDriveLetter_;
    bool displayGrid_ = true;
    Colour displayGridColor_ = 0x008000;
    int updateInterval_ = 1000;
    bool scrollGrid_ = true;
    int diagramStyle_ = 0;
    // Window attributes as read from the store, applied when the monitor starts.
    int storedAppearance_ = 1;
    int storedBorderStyle_ = 1;
    bool storedEnabled_ = true;

    std::vector<SystemLevels> history_;
    int unfilledColumns_ = 0;
    bool runningOnNT_ = false;
    bool started_ = false;
    int gridOffset_ = 0;
    // The timer's samples ask for the disk's figures every so often and
    // repeat the last answer in between.
    SystemLevels lastDisk_;
    std::wstring lastDiskRoot_;
    int diskSamplesLeft_ = 0;
    // What the picture was last drawn from, and how many samples came since.
    struct DrawnPicture {
        bool valid = false;
        DiagramInput look;
        int width = 0;
        int height = 0;
        int gridOffset = 0;
    };
    DrawnPicture drawn_;
    int samplesSinceDraw_ = 0;
};

} // namespace torvane
