#pragma once

#include <string>

#include "monitor/system_levels.h"
#include "monitor/system_source.h"

namespace torvane {

// The measurements behind the monitor. One instance
// per program; it keeps the CPU baseline between readings.
class CpuMonitorSupport {
public:
    explicit CpuMonitorSupport(SystemSource& source);

    bool IsWindowsNT();
    void InitCpuCounter(bool isNT);
    // CPU usage in percent since the previous reading, or -1.
    float QueryCpuUsage(bool isNT);
    void StopCpuCounter(bool isNT);
    // Fields 2 to 11.
    void QueryMemoryStatus(SystemLevels& levels);
    // Fields 12 to 16.
    void QueryDiskSpace(const std::wstring& rootPath, SystemLevels& levels);

private:
    SystemSource& source_;
    std::int64_t previousIdleTime_ = 0;
    std::int64_t previousSystemTime_ = 0;
};

// How the user's locale writes numbers.
struct NumberPunctuation {
    std::wstring groupSeparator = L",";
    std::wstring decimalSeparator = L".";
};

// A byte count as "1,024 B", "2 K", "1.00 MB" or "5.00 GB".
std::wstring FormatFilesize(double value, const NumberPunctuation& punctuation);

} // namespace torvane
