#include "monitor/cpu_monitor.h"

#include <cwctype>

#include "drawing/colour.h"

namespace torvane {

namespace {

// The saved defaults: a store without a key reads as these.
constexpr Colour kSavedBackColor = 0;
constexpr int kSavedAppearance = 1;
constexpr int kSavedBorderStyle = 1;
constexpr Colour kGridColour = 0x008000;
constexpr int kInterval = 1000;

} // namespace

void CpuMonitor::SetBackColor(Colour value)
{
    backColor_ = value;
    host_.SetWindowBackColour(value);
    DrawDiagram();
    Changed(L"BackColor");
}

int CpuMonitor::Appearance()
{
    return host_.WindowAppearance();
}

void CpuMonitor::SetAppearance(int value)
{
    host_.SetWindowAppearance(static_cast<short>(value));
    DrawDiagram();
    Changed(L"Appearance");
}

int CpuMonitor::BorderStyle()
{
    return host_.WindowBorderStyle();
}

void CpuMonitor::SetBorderStyle(int value)
{
    host_.SetWindowBorderStyle(static_cast<short>(value));
    DrawDiagram();
    Changed(L"BorderStyle");
}

bool CpuMonitor::Enabled()
{
    return host_.WindowEnabled();
}

void CpuMonitor::SetEnabled(bool value)
{
    host_.SetWindowEnabled(value);
    DrawDiagram();
    Changed(L"Enabled");
}

void CpuMonitor::SetHDMonitorColor(Colour value)
{
    // Shown from the next redraw on; setting it alone changes no picture.
    series_[4].colour = value;
    Changed(L"HDMonitorColor");
}

void CpuMonitor::SetHDDriveLetter(const std::wstring& value)
{
    if (value.empty())
        return;
    hdDriveLetter_ = value.size() > 1
                         ? std::wstring(1, static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(value[0])))) + L":\\"
                         : value;
    Changed(L"HDDriveLetter");
}

void CpuMonitor::SetDisplayGrid(bool value)
{
    SetShown(displayGrid_, value, L"DisplayGrid");
}

void CpuMonitor::SetDisplayGridColor(Colour value)
{
    SetShown(displayGridColor_, value, L"DisplayGridColor");
}

void CpuMonitor::SetUpdateInterval(int value)
{
    updateInterval_ = value;
    if (host_.RunMode())
        host_.SetTimer(value, true);
    Changed(L"UpdateInterval");
}

void CpuMonitor::SetScrollGrid(bool value)
{
    SetShown(scrollGrid_, value, L"ScrollGrid");
}

void CpuMonitor::SetDiagramStyle(int value)
{
    SetShown(diagramStyle_, value, L"DiagramStyle");
}

void CpuMonitor::InitProperties()
{
    series_[0].displayed = true;
    series_[2].displayed = true;
    series_[3].displayed = true;
    series_[0].colour = kMonitorSeries[0].colour;
    series_[1].displayed = true;
    series_[1].colour = kMonitorSeries[1].colour;
    series_[2].colour = kMonitorSeries[2].colour;
    series_[3].colour = kMonitorSeries[3].colour;
    displayGrid_ = true;
    displayGridColor_ = kGridColour;
    updateInterval_ = kInterval;
    scrollGrid_ = true;
    diagramStyle_ = 0;
    series_[4].displayed = true;
    series_[4].colour = kMonitorSeries[4].colour;
    hdDriveLetter_ = host_.WindowsDirectory().substr(0, 3);
    host_.SetWindowAppearance(1);
    host_.SetWindowBorderStyle(1);
    backColor_ = 0;
    host_.SetWindowBackColour(backColor_);
    DrawDiagram();
}

void CpuMonitor::WriteProperties(PropertyBag& bag)
{
    bag.WriteInt32(L"BackColor", StoredColour(backColor_), StoredColour(kSavedBackColor));
    bag.WriteInt32(L"Appearance", host_.WindowAppearance(), kSavedAppearance);
    bag.WriteInt32(L"BorderStyle", host_.WindowBorderStyle(), kSavedBorderStyle);
    bag.WriteBool(L"CPUMonitorDisplayed", series_[0].displayed, true);
    bag.WriteBool(L"PageFileDisplayed", series_[2].displayed, true);
    bag.WriteBool(L"VirtualMemoryDisplayed", series_[3].displayed, true);
    bag.WriteInt32(L"CPUMonitorColor", StoredColour(series_[0].colour), StoredColour(kMonitorSeries[0].colour));
    bag.WriteBool(L"MemoryLoadDisplayed", series_[1].displayed, true);
    bag.WriteInt32(L"MemoryColor", StoredColour(series_[1].colour), StoredColour(kMonitorSeries[1].colour));
    bag.WriteInt32(L"PageFileColor", StoredColour(series_[2].colour), StoredColour(kMonitorSeries[2].colour));
    bag.WriteInt32(L"VirtualMemoryColor", StoredColour(series_[3].colour), StoredColour(kMonitorSeries[3].colour));
    bag.WriteBool(L"Enabled", host_.WindowEnabled(), true);
    bag.WriteBool(L"DisplayGrid", displayGrid_, true);
    bag.WriteInt32(L"DisplayGridColor", StoredColour(displayGridColor_), StoredColour(kGridColour));
    bag.WriteInt32(L"UpdateInterval", updateInterval_, kInterval);
    bag.WriteBool(L"ScrollGrid", scrollGrid_, true);
    bag.WriteInt32(L"DiagramStyle", diagramStyle_, 0);
    bag.WriteBool(L"HDMonitorDisplayed", series_[4].displayed, true);
    bag.WriteInt32(L"HDMonitorColor", StoredColour(series_[4].colour), StoredColour(kMonitorSeries[4].colour));
    bag.WriteString(L"HDDriveLetter", hdDriveLetter_, L"");
}

void CpuMonitor::ReadProperties(PropertyBag& bag)
{
    series_[0].displayed = bag.ReadBool(L"CPUMonitorDisplayed", true);
    series_[2].displayed = bag.ReadBool(L"PageFileDisplayed", true);
    series_[3].displayed = bag.ReadBool(L"VirtualMemoryDisplayed", true);
    series_[0].colour = ColourFromStore(bag.ReadInt32(L"CPUMonitorColor", StoredColour(kMonitorSeries[0].colour)));
    series_[1].displayed = bag.ReadBool(L"MemoryLoadDisplayed", true);
    series_[1].colour = ColourFromStore(bag.ReadInt32(L"MemoryColor", StoredColour(kMonitorSeries[1].colour)));
    series_[2].colour = ColourFromStore(bag.ReadInt32(L"PageFileColor", StoredColour(kMonitorSeries[2].colour)));
    series_[3].colour = ColourFromStore(bag.ReadInt32(L"VirtualMemoryColor", StoredColour(kMonitorSeries[3].colour)));
    displayGrid_ = bag.ReadBool(L"DisplayGrid", true);
    displayGridColor_ = ColourFromStore(bag.ReadInt32(L"DisplayGridColor", StoredColour(kGridColour)));
    updateInterval_ = bag.ReadInt32(L"UpdateInterval", kInterval);
    scrollGrid_ = bag.ReadBool(L"ScrollGrid", true);
    diagramStyle_ = bag.ReadInt32(L"DiagramStyle", 0);
    storedAppearance_ = bag.ReadInt32(L"Appearance", kSavedAppearance);
    storedBorderStyle_ = bag.ReadInt32(L"BorderStyle", kSavedBorderStyle);
    backColor_ = ColourFromStore(bag.ReadInt32(L"BackColor", StoredColour(kSavedBackColor)));
    storedEnabled_ = bag.ReadBool(L"Enabled", true);
    series_[4].displayed = bag.ReadBool(L"HDMonitorDisplayed", true);
    series_[4].colour = ColourFromStore(bag.ReadInt32(L"HDMonitorColor", StoredColour(kMonitorSeries[4].colour)));
    hdDriveLetter_ = bag.ReadString(L"HDDriveLetter", L"");
    StartMonitor();
}

} // namespace torvane
