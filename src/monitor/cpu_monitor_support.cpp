#include "monitor/cpu_monitor_support.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "monitor/round_half_even.h"

namespace torvane {

namespace {

// A value that ends in exactly half a ten-thousandth or half a unit is exact
// in a double, so rounding in doubles keeps the halves that matter.
double RoundToFourDecimals(double value)
{
    return RoundHalfEven(value * kCurrencyScale) / kCurrencyScale;
}

// The byte fields are 32-bit signed; figures above 2 GiB show as the largest
// value rather than wrapping to a negative one.
std::int32_t ClampToInt32(std::uint64_t bytes)
{
    constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(bytes > largest ? largest : bytes);
}

constexpr std::uint64_t kLargestWholeCurrency =
    static_cast<std::uint64_t>(std::numeric_limits<Currency>::max() / kCurrencyScale);

// Disks beyond the currency range (about 922 TB) saturate instead of overflowing.
Currency BytesToCurrency(std::uint64_t bytes)
{
    return CurrencyFromWhole(static_cast<std::int64_t>(bytes > kLargestWholeCurrency ? kLargestWholeCurrency : bytes));
}

// Cluster arithmetic out of the currency range is an error: the line is skipped
// and the figure stays 0.
Currency ClusterBytes(const DiskClusters& clusters, std::uint32_t count)
{
    const std::uint64_t perCluster = std::uint64_t{clusters.sectorsPerCluster} * clusters.bytesPerSector;
    if (count != 0 && perCluster > kLargestWholeCurrency / count)
        return 0;
    return CurrencyFromWhole(static_cast<std::int64_t>(perCluster * count));
}

// Share in use; false when the total is 0, which leaves this percentage and
// the ones after it as they were.
bool SetShareInUse(std::uint64_t available, std::uint64_t total, float& percent)
{
    if (total == 0)
        return false;
    percent = static_cast<float>((1.0 - static_cast<double>(available) / static_cast<double>(total)) * 100.0);
    return true;
}

// Free share; a disk that reports no size keeps the 0 it was reset to.
float FreePercent(Currency part, Currency total)
{
    if (total == 0)
        return 0;
    const float single = static_cast<float>(static_cast<double>(part) / static_cast<double>(total) * 100.0);
    return static_cast<float>(RoundToFourDecimals(single));
}

} // namespace

CpuMonitorSupport::CpuMonitorSupport(SystemSource& source) : source_(source) {}

bool CpuMonitorSupport::IsWindowsNT()
{
    return source_.IsWindowsNT();
}

// Both families take the idle-time baseline: every platform we run on has the
// idle counters, so the older family's registry counter is not needed.
void CpuMonitorSupport::InitCpuCounter(bool /*isNT*/)
{
    CpuTimes times;
    if (!source_.ReadCpuTimes(times))
        return;
    previousIdleTime_ = times.idleTime;
    previousSystemTime_ = times.systemTime;
}

float CpuMonitorSupport::QueryCpuUsage(bool /*isNT*/)
{
    CpuTimes times;
    // A reading without processors could only divide by zero; treat it as failed.
    if (!source_.ReadCpuTimes(times) || times.processorCount < 1)
        return -1;

    const std::int64_t idleDelta = times.idleTime - previousIdleTime_;
    const std::int64_t sysDelta = times.systemTime - previousSystemTime_;
    // Two readings within one clock tick: the idle count is taken as a
    // four-decimal fixed-point ratio instead of dividing by zero.
    const double ratio = sysDelta != 0
                             ? RoundToFourDecimals(static_cast<double>(idleDelta) / static_cast<double>(sysDelta))
                             : static_cast<double>(idleDelta) / kCurrencyScale;
    const double usage = 100.0 - (ratio * 100.0) / times.processorCount + 0.5;

    previousIdleTime_ = times.idleTime;
    previousSystemTime_ = times.systemTime;
    return static_cast<float>(RoundHalfEven(RoundToFourDecimals(usage)));
}

// Nothing was started that needs stopping.
void CpuMonitorSupport::StopCpuCounter(bool /*isNT*/) {}

void CpuMonitorSupport::QueryMemoryStatus(SystemLevels& levels)
{
    MemoryReading memory;
    source_.ReadMemory(memory);

    levels.MemoryLoadPercent = static_cast<float>(memory.memoryLoad);
    levels.PhysicalMemoryAvailable = ClampToInt32(memory.availablePhysical);
    levels.PageFileAvailable = ClampToInt32(memory.availablePageFile);
    levels.VirtualMemoryAvailable = ClampToInt32(memory.availableVirtual);
    levels.PhysicalMemoryTotal = ClampToInt32(memory.totalPhysical);
    levels.PageFileTotal = ClampToInt32(memory.totalPageFile);
    levels.VirtualMemoryTotal = ClampToInt32(memory.totalVirtual);

    // The percentages come from the full 64-bit figures, not the clamped ones.
    if (!SetShareInUse(memory.availablePhysical, memory.totalPhysical, levels.PhysicalMemoryAvailablePercent))
        return;
    if (!SetShareInUse(memory.availablePageFile, memory.totalPageFile, levels.PageFileAvailablePercent))
        return;
    SetShareInUse(memory.availableVirtual, memory.totalVirtual, levels.VirtualMemoryAvailablePercent);
}

void CpuMonitorSupport::QueryDiskSpace(const std::wstring& rootPath, SystemLevels& levels)
{
    levels.HDTotalBytes = 0;
    levels.HDTotalFreeBytes = 0;
    levels.HDAvailableFreeBytes = 0;
    levels.HDTotalBytesUsed = 0;
    levels.HDAvailablePercent = 0;

    if (source_.HasDiskFreeSpaceEx()) {
        std::uint64_t available = 0;
        std::uint64_t total = 0;
        std::uint64_t totalFree = 0;
        if (!source_.DiskFreeSpaceEx(rootPath, available, total, totalFree))
            return;
        levels.HDTotalBytes = BytesToCurrency(total);
        levels.HDTotalFreeBytes = BytesToCurrency(totalFree);
        levels.HDAvailableFreeBytes = BytesToCurrency(available);
        // Used space counts what this user may not use, so a quota shows as used.
        levels.HDTotalBytesUsed = levels.HDTotalBytes - levels.HDAvailableFreeBytes;
        levels.HDAvailablePercent = FreePercent(levels.HDAvailableFreeBytes, levels.HDTotalBytes);
        return;
    }

    DiskClusters clusters;
    if (!source_.DiskFreeSpace(rootPath, clusters))
        return;
    const Currency total = ClusterBytes(clusters, clusters.totalClusters);
    const Currency free = ClusterBytes(clusters, clusters.freeClusters);
    levels.HDTotalBytesUsed = total - free;
    levels.HDAvailablePercent = FreePercent(free, total);
    levels.HDTotalBytes = total;
    levels.HDTotalFreeBytes = free;
    levels.HDAvailableFreeBytes = free;
}

} // namespace torvane
