#pragma once

#include "drawing/colour.h"
#include "monitor/system_levels.h"

namespace torvane {

// The five series the monitor draws, in its own order (the order of its
// levels and properties): caption as the legend shows it, default colour,
// and the percentage of a measurement that the series draws.
struct MonitorSeries {
    const wchar_t* caption;
    Colour colour;
    float SystemLevels::*level;
};

inline constexpr MonitorSeries kMonitorSeries[5] = {
    {L"CPU", 0x00FF00, &SystemLevels::CPULoadPercent},                 // green
    {L"内存", 0x00FFFF, &SystemLevels::MemoryLoadPercent},             // yellow
    {L"页面文件", 0x0000FF, &SystemLevels::PageFileAvailablePercent},  // red
    {L"虚拟内存", 0xFF0000, &SystemLevels::VirtualMemoryAvailablePercent}, // blue
    {L"磁盘空间", 0xFF80FF, &SystemLevels::HDAvailablePercent},        // light magenta
};

// The legend lists the disk before virtual memory.
inline constexpr int kLegendOrder[5] = {0, 1, 2, 4, 3};

} // namespace torvane
