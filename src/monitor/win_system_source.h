#pragma once

#include "monitor/cpu_monitor_support.h"
#include "monitor/system_source.h"

namespace torvane {

// The monitor's figures from the running system.
class WinSystemSource : public SystemSource {
public:
    bool IsWindowsNT() override;
    bool ReadCpuTimes(CpuTimes& times) override;
    void ReadMemory(MemoryReading& memory) override;
    bool HasDiskFreeSpaceEx() override;
    bool DiskFreeSpaceEx(const std::wstring& root, std::uint64_t& availableToCaller, std::uint64_t& total,
                         std::uint64_t& totalFree) override;
    bool DiskFreeSpace(const std::wstring& root, DiskClusters& clusters) override;

private:
    // Asked once: the count does not change while the program runs.
    int processorCount_ = 0;
};

// The grouping and decimal characters of the user's locale.
NumberPunctuation UserNumberPunctuation();

} // namespace torvane
