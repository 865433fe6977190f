#pragma once

#include <cstdint>
#include <string>

namespace torvane {

// The platform's figures the monitor measures with. The Win32 source reads
// them from the system; tests script them.
struct CpuTimes {
    std::int64_t idleTime = 0;   // all processors, 100-ns units
    std::int64_t systemTime = 0; // current system time, 100-ns units
    int processorCount = 1;
};

struct MemoryReading {
    std::uint32_t memoryLoad = 0; // percent
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint64_t totalPageFile = 0;
    std::uint64_t availablePageFile = 0;
    std::uint64_t totalVirtual = 0;
    std::uint64_t availableVirtual = 0;
};

struct DiskClusters {
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t bytesPerSector = 0;
    std::uint32_t freeClusters = 0;
    std::uint32_t totalClusters = 0;
};

class SystemSource {
public:
    virtual ~SystemSource() = default;
    virtual bool IsWindowsNT() = 0;
    // False when the system would not tell.
    virtual bool ReadCpuTimes(CpuTimes& times) = 0;
    virtual void ReadMemory(MemoryReading& memory) = 0;
    // Whether the 64-bit free-space call exists; asked before every use.
    virtual bool HasDiskFreeSpaceEx() = 0;
    virtual bool DiskFreeSpaceEx(const std::wstring& root, std::uint64_t& availableToCaller, std::uint64_t& total,
                                 std::uint64_t& totalFree) = 0;
    virtual bool DiskFreeSpace(const std::wstring& root, DiskClusters& clusters) = 0;
};

} // namespace torvane
