#pragma once

#include "drawing/colour.h"

namespace torvane {

// The five series the monitor draws, in its own order (the order of its
// levels and properties): caption as the legend shows it, and default colour.
struct MonitorSeries {
    const wchar_t* caption;
    Colour colour;
};

inline constexpr MonitorSeries kMonitorSeries[5] = {
    {L"CPU", 0x00FF00},       // green
    {L"内存", 0x00FFFF},      // yellow
    {L"页面文件", 0x0000FF},  // red
    {L"虚拟内存", 0xFF0000},  // blue
    {L"磁盘空间", 0xFF80FF},  // light magenta
};

// The legend lists the disk before virtual memory.
inline constexpr int kLegendOrder[5] = {0, 1, 2, 4, 3};

} // namespace torvane
