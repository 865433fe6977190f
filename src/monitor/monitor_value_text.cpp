#include "monitor/monitor_value_text.h"

#include <cmath>

#include "monitor/monitor_series.h"

namespace torvane {

namespace {

// What the diagram can show: a figure outside 0–100 (or none) is drawn at
// the edge, and reads as that edge.
long WholePercent(float value)
{
    if (!(value > 0))
        return 0;
    if (value >= 100)
        return 100;
    return std::lround(value);
}

} // namespace

std::wstring MonitorValueText(const SystemLevels& levels)
{
    std::wstring text;
    for (int index : kLegendOrder) {
        const MonitorSeries& series = kMonitorSeries[index];
        if (!text.empty())
            text += L"，";
        text += series.caption;
        text += L' ';
        text += std::to_wstring(WholePercent(levels.*series.level));
        text += L'%';
    }
    return text;
}

} // namespace torvane
