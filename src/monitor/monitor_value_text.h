#pragma once

#include <string>

#include "monitor/system_levels.h"

namespace torvane {

// A measurement as the monitor's accessible value and tooltip give it: the
// figure each series draws, whole percent, in the legend's order —
// "CPU 23%，内存 61%，页面文件 12%，磁盘空间 48%，虚拟内存 30%".
std::wstring MonitorValueText(const SystemLevels& levels);

} // namespace torvane
