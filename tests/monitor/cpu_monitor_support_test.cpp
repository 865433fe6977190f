#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <string>

#include "monitor/cpu_monitor_support.h"

using namespace torvane;

namespace {

constexpr std::uint64_t kGiB = 1073741824ull;
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// Plays back CPU readings in order (nullopt fails) and answers memory and disk
// questions from its fields, counting the calls.
class ScriptedSource : public SystemSource {
public:
    bool nt = true;
    std::deque<std::optional<CpuTimes>> cpuReadings;
    MemoryReading memory;

    bool hasEx = true;
    bool exSucceeds = true;
    std::uint64_t exAvailable = 0;
    std::uint64_t exTotal = 0;
    std::uint64_t exFree = 0;
    bool clustersSucceed = true;
    DiskClusters clusters;

    int exLookups = 0;
    int exCalls = 0;
    int clusterCalls = 0;
    std::wstring lastRoot;

    bool IsWindowsNT() override { return nt; }

    bool ReadCpuTimes(CpuTimes& times) override
    {
        std::optional<CpuTimes> next = cpuReadings.front();
        cpuReadings.pop_front();
        if (!next) {
            // A failed call may still scribble over the record.
            times = CpuTimes{123456789, 987654321, 3};
            return false;
        }
        times = *next;
        return true;
    }

    void ReadMemory(MemoryReading& reading) override { reading = memory; }

    bool HasDiskFreeSpaceEx() override
    {
        ++exLookups;
        return hasEx;
    }

    bool DiskFreeSpaceEx(const std::wstring& root, std::uint64_t& availableToCaller, std::uint64_t& total,
                         std::uint64_t& totalFree) override
    {
        ++exCalls;
        lastRoot = root;
        if (!exSucceeds)
            return false;
        availableToCaller = exAvailable;
        total = exTotal;
        totalFree = exFree;
        return true;
    }

    bool DiskFreeSpace(const std::wstring& root, DiskClusters& result) override
    {
        ++clusterCalls;
        lastRoot = root;
        if (!clustersSucceed)
            return false;
        result = clusters;
        return true;
    }
};

CpuTimes Times(std::int64_t idle, std::int64_t system, int processors = 1)
{
    return CpuTimes{idle, system, processors};
}

// Fields that a query must overwrite start out as something else.
SystemLevels Stale()
{
    SystemLevels levels;
    levels.PhysicalMemoryAvailablePercent = 11;
    levels.PageFileAvailablePercent = 22;
    levels.VirtualMemoryAvailablePercent = 33;
    levels.HDTotalBytes = 1;
    levels.HDTotalFreeBytes = 2;
    levels.HDAvailableFreeBytes = 3;
    levels.HDTotalBytesUsed = 4;
    levels.HDAvailablePercent = 5;
    return levels;
}

} // namespace

TEST(CpuMonitorSupport, CpuUsageRoundsToFourDecimalsThenHalfToEven)
{
    struct Case {
        const char* name;
        int processors;
        std::int64_t idleDelta;
        std::int64_t sysDelta;
        float usage;
    };
    const Case cases[] = {
        {"exactly 36", 1, 6400000, 10000000, 36},
        {"exactly 37", 1, 6300000, 10000000, 38},
        {"37.2", 1, 6280000, 10000000, 38},
        {"99.7", 1, 30000, 10000000, 100},
        {"0", 1, 10000000, 10000000, 0},
        {"100", 1, 0, 10000000, 100},
        {"same clock tick, no idle", 1, 0, 0, 100},
        {"same clock tick, idle as fixed point", 1, 3000, 0, 70},
        {"two processors, 37", 2, 12600000, 10000000, 38},
        {"two processors, 36", 2, 12800000, 10000000, 36},
        {"four processors, 50", 4, 20000000, 10000000, 50},
        {"ratio rounded to four decimals", 1, 6399600, 10000000, 36},
        {"usage rounded to four decimals", 250, 1599999000, 10000000, 36},
        {"below 0 is not clamped", 1, 15000000, 10000000, -50},
        {"above 100 is not clamped", 1, -2000000, 10000000, 120},
        {"clock set back", 1, 6400000, -10000000, 164},
    };
    for (const Case& c : cases) {
        ScriptedSource source;
        const std::int64_t idle = 4000000000;
        const std::int64_t system = 130000000000000000;
        source.cpuReadings = {Times(idle, system, c.processors),
                              Times(idle + c.idleDelta, system + c.sysDelta, c.processors)};
        CpuMonitorSupport support(source);
        support.InitCpuCounter(true);
        EXPECT_EQ(support.QueryCpuUsage(true), c.usage) << c.name;
    }
}

TEST(CpuMonitorSupport, FirstReadingCoversTheTimeSinceStart)
{
    ScriptedSource source;
    source.cpuReadings = {Times(500000000, 9000000000), Times(506400000, 9010000000)};
    CpuMonitorSupport support(source);
    support.InitCpuCounter(true);
    EXPECT_EQ(support.QueryCpuUsage(true), 36);
}

TEST(CpuMonitorSupport, WithoutABaselineTheFirstReadingIsTheIdleShareSinceBoot)
{
    struct Case {
        const char* name;
        bool started;
    };
    const Case cases[] = {{"never started", false}, {"start failed", true}};
    for (const Case& c : cases) {
        ScriptedSource source;
        if (c.started)
            source.cpuReadings.push_back(std::nullopt);
        source.cpuReadings.push_back(Times(6300000000, 10000000000));
        CpuMonitorSupport support(source);
        if (c.started)
            support.InitCpuCounter(true);
        EXPECT_EQ(support.QueryCpuUsage(true), 38) << c.name;
    }
}

TEST(CpuMonitorSupport, AFailedReadingGivesMinusOneAndKeepsTheBaseline)
{
    ScriptedSource source;
    source.cpuReadings = {
        Times(500000000, 9000000000),
        std::nullopt,
        Times(506400000, 9010000000, 0), // no processors
        Times(506400000, 9010000000),    // against the start
        Times(512700000, 9020000000),    // against the previous good one
    };
    CpuMonitorSupport support(source);
    support.InitCpuCounter(true);
    EXPECT_EQ(support.QueryCpuUsage(true), -1);
    EXPECT_EQ(support.QueryCpuUsage(true), -1);
    EXPECT_EQ(support.QueryCpuUsage(true), 36);
    EXPECT_EQ(support.QueryCpuUsage(true), 38);
}

TEST(CpuMonitorSupport, TheOlderFamilyMeasuresTheSameWayAndStopChangesNothing)
{
    ScriptedSource source;
    source.cpuReadings = {Times(500000000, 9000000000), Times(506400000, 9010000000),
                          Times(512700000, 9020000000)};
    CpuMonitorSupport support(source);
    support.InitCpuCounter(false);
    EXPECT_EQ(support.QueryCpuUsage(false), 36);
    support.StopCpuCounter(false);
    support.StopCpuCounter(true);
    EXPECT_EQ(support.QueryCpuUsage(true), 38);
    EXPECT_TRUE(source.cpuReadings.empty());
}

TEST(CpuMonitorSupport, IsWindowsNTAsksThePlatform)
{
    for (bool nt : {true, false}) {
        ScriptedSource source;
        source.nt = nt;
        CpuMonitorSupport support(source);
        EXPECT_EQ(support.IsWindowsNT(), nt);
    }
}

TEST(CpuMonitorSupport, MemoryFieldsAndSharesInUse)
{
    ScriptedSource source;
    source.memory = {42, 4000, 1000, 8000, 5000, 2000, 1500};
    CpuMonitorSupport support(source);
    SystemLevels levels = Stale();
    support.QueryMemoryStatus(levels);
    EXPECT_EQ(levels.MemoryLoadPercent, 42);
    EXPECT_EQ(levels.PhysicalMemoryTotal, 4000);
    EXPECT_EQ(levels.PhysicalMemoryAvailable, 1000);
    EXPECT_EQ(levels.PhysicalMemoryAvailablePercent, 75);
    EXPECT_EQ(levels.PageFileTotal, 8000);
    EXPECT_EQ(levels.PageFileAvailable, 5000);
    EXPECT_EQ(levels.PageFileAvailablePercent, 37.5f);
    EXPECT_EQ(levels.VirtualMemoryTotal, 2000);
    EXPECT_EQ(levels.VirtualMemoryAvailable, 1500);
    EXPECT_EQ(levels.VirtualMemoryAvailablePercent, 25);
    EXPECT_EQ(levels.CPULoadPercent, 0);
    EXPECT_EQ(levels.HDTotalBytes, 1);
}

TEST(CpuMonitorSupport, MemoryAbove2GiBIsClampedAndItsSharesUseTheFullFigures)
{
    ScriptedSource source;
    source.memory = {77, 25 * kGiB, 25 * kGiB / 4, 4 * kGiB, kGiB, 128ull * 1024 * kGiB, 96ull * 1024 * kGiB};
    CpuMonitorSupport support(source);
    SystemLevels levels;
    support.QueryMemoryStatus(levels);
    EXPECT_EQ(levels.PhysicalMemoryTotal, kInt32Max);
    EXPECT_EQ(levels.PhysicalMemoryAvailable, kInt32Max);
    EXPECT_EQ(levels.PhysicalMemoryAvailablePercent, 75);
    EXPECT_EQ(levels.PageFileTotal, kInt32Max);
    EXPECT_EQ(levels.PageFileAvailable, static_cast<std::int32_t>(kGiB));
    EXPECT_EQ(levels.PageFileAvailablePercent, 75);
    EXPECT_EQ(levels.VirtualMemoryTotal, kInt32Max);
    EXPECT_EQ(levels.VirtualMemoryAvailable, kInt32Max);
    EXPECT_EQ(levels.VirtualMemoryAvailablePercent, 25);
}

TEST(CpuMonitorSupport, MemoryByteFieldsNeverWrap)
{
    struct Case {
        std::uint64_t bytes;
        std::int32_t field;
    };
    const Case cases[] = {
        {0, 0},
        {2 * kGiB - 1, kInt32Max},
        {2 * kGiB, kInt32Max},
        {4 * kGiB - 1, kInt32Max},
        {4 * kGiB, kInt32Max},
        {4 * kGiB + 5, kInt32Max},
        {std::numeric_limits<std::uint64_t>::max(), kInt32Max},
    };
    for (const Case& c : cases) {
        ScriptedSource source;
        source.memory = {0, c.bytes, c.bytes, c.bytes, c.bytes, c.bytes, c.bytes};
        CpuMonitorSupport support(source);
        SystemLevels levels;
        support.QueryMemoryStatus(levels);
        for (std::int32_t field : {levels.PhysicalMemoryTotal, levels.PhysicalMemoryAvailable, levels.PageFileTotal,
                                   levels.PageFileAvailable, levels.VirtualMemoryTotal, levels.VirtualMemoryAvailable})
            EXPECT_EQ(field, c.field) << c.bytes;
    }
}

TEST(CpuMonitorSupport, AMemoryTotalOfZeroKeepsThatShareAndTheOnesAfterIt)
{
    struct Case {
        const char* name;
        std::uint64_t physicalTotal;
        std::uint64_t pageTotal;
        std::uint64_t virtualTotal;
        float physical;
        float page;
        float virt;
    };
    // Fresh shares would be 50, 75 and 25; stale ones are 11, 22 and 33.
    const Case cases[] = {
        {"physical", 0, 4000, 4000, 11, 22, 33},
        {"page file", 4000, 0, 4000, 50, 22, 33},
        {"virtual", 4000, 4000, 0, 50, 75, 33},
        {"all", 0, 0, 0, 11, 22, 33},
        {"none", 4000, 4000, 4000, 50, 75, 25},
    };
    for (const Case& c : cases) {
        ScriptedSource source;
        source.memory = {9, c.physicalTotal, 2000, c.pageTotal, 1000, c.virtualTotal, 3000};
        CpuMonitorSupport support(source);
        SystemLevels levels = Stale();
        support.QueryMemoryStatus(levels);
        EXPECT_EQ(levels.PhysicalMemoryAvailablePercent, c.physical) << c.name;
        EXPECT_EQ(levels.PageFileAvailablePercent, c.page) << c.name;
        EXPECT_EQ(levels.VirtualMemoryAvailablePercent, c.virt) << c.name;
        EXPECT_EQ(levels.MemoryLoadPercent, 9) << c.name;
        EXPECT_EQ(levels.PhysicalMemoryTotal, static_cast<std::int32_t>(c.physicalTotal)) << c.name;
        EXPECT_EQ(levels.PageFileTotal, static_cast<std::int32_t>(c.pageTotal)) << c.name;
        EXPECT_EQ(levels.VirtualMemoryTotal, static_cast<std::int32_t>(c.virtualTotal)) << c.name;
        EXPECT_EQ(levels.VirtualMemoryAvailable, 3000) << c.name;
    }
}

TEST(CpuMonitorSupport, DiskWithAPerUserQuotaCountsWhatTheUserCannotUseAsUsed)
{
    ScriptedSource source;
    source.exAvailable = 30 * kGiB;
    source.exTotal = 100 * kGiB;
    source.exFree = 40 * kGiB;
    CpuMonitorSupport support(source);
    SystemLevels levels = Stale();
    support.QueryDiskSpace(L"D:\\", levels);
    EXPECT_EQ(source.lastRoot, L"D:\\");
    EXPECT_EQ(source.clusterCalls, 0);
    EXPECT_EQ(levels.HDTotalBytes, CurrencyFromWhole(100 * kGiB));
    EXPECT_EQ(levels.HDTotalFreeBytes, CurrencyFromWhole(40 * kGiB));
    EXPECT_EQ(levels.HDAvailableFreeBytes, CurrencyFromWhole(30 * kGiB));
    EXPECT_EQ(levels.HDTotalBytesUsed, CurrencyFromWhole(70 * kGiB));
    EXPECT_EQ(levels.HDAvailablePercent, 30);
}

TEST(CpuMonitorSupport, DiskFreeShareIsRoundedToSingleThenToFourDecimals)
{
    struct Case {
        std::uint64_t available;
        std::uint64_t total;
        float percent;
    };
    const Case cases[] = {
        {1, 4, 25},
        {2, 3, 66.6667f},
        {1, 3, 33.3333f},
        {23, 31, 74.1936f}, // 74.19354838... in double, 74.1935501 in single
        {39, 41, 95.1219f}, // 95.12195121... in double, 95.1219482 in single
        {0, 7, 0},
        {7, 7, 100},
        {5, 0, 0},
    };
    for (const Case& c : cases) {
        ScriptedSource source;
        source.exAvailable = c.available;
        source.exTotal = c.total;
        source.exFree = c.available;
        CpuMonitorSupport support(source);
        SystemLevels levels = Stale();
        support.QueryDiskSpace(L"C:\\", levels);
        EXPECT_EQ(levels.HDAvailablePercent, c.percent) << c.available << " of " << c.total;
    }
}

TEST(CpuMonitorSupport, AFailedDiskCallZeroesEveryDiskField)
{
    struct Case {
        const char* name;
        bool hasEx;
    };
    for (const Case& c : {Case{"free space", true}, Case{"clusters", false}}) {
        ScriptedSource source;
        source.hasEx = c.hasEx;
        source.exSucceeds = false;
        source.clustersSucceed = false;
        CpuMonitorSupport support(source);
        SystemLevels levels = Stale();
        support.QueryDiskSpace(L"Q:\\", levels);
        EXPECT_EQ(levels.HDTotalBytes, 0) << c.name;
        EXPECT_EQ(levels.HDTotalFreeBytes, 0) << c.name;
        EXPECT_EQ(levels.HDAvailableFreeBytes, 0) << c.name;
        EXPECT_EQ(levels.HDTotalBytesUsed, 0) << c.name;
        EXPECT_EQ(levels.HDAvailablePercent, 0) << c.name;
        EXPECT_EQ(levels.PageFileAvailablePercent, 22) << c.name;
    }
}

TEST(CpuMonitorSupport, WithoutTheFreeSpaceCallTheClustersAreCounted)
{
    ScriptedSource source;
    source.hasEx = false;
    source.clusters = {8, 512, 1000, 4000};
    CpuMonitorSupport support(source);
    SystemLevels levels = Stale();
    support.QueryDiskSpace(L"E:\\", levels);
    EXPECT_EQ(source.exCalls, 0);
    EXPECT_EQ(source.lastRoot, L"E:\\");
    EXPECT_EQ(levels.HDTotalBytes, CurrencyFromWhole(16384000));
    EXPECT_EQ(levels.HDTotalFreeBytes, CurrencyFromWhole(4096000));
    EXPECT_EQ(levels.HDAvailableFreeBytes, CurrencyFromWhole(4096000));
    EXPECT_EQ(levels.HDTotalBytesUsed, CurrencyFromWhole(12288000));
    EXPECT_EQ(levels.HDAvailablePercent, 25);
}

TEST(CpuMonitorSupport, TheFreeSpaceCallIsLookedUpOnEveryQuery)
{
    ScriptedSource source;
    source.exAvailable = 10;
    source.exTotal = 40;
    source.exFree = 10;
    source.clusters = {1, 1, 30, 40};
    CpuMonitorSupport support(source);
    SystemLevels levels;
    support.QueryDiskSpace(L"C:\\", levels);
    EXPECT_EQ(levels.HDAvailablePercent, 25);
    source.hasEx = false;
    support.QueryDiskSpace(L"C:\\", levels);
    EXPECT_EQ(levels.HDAvailablePercent, 75);
    EXPECT_EQ(source.exLookups, 2);
    EXPECT_EQ(source.exCalls, 1);
    EXPECT_EQ(source.clusterCalls, 1);
}

TEST(CpuMonitorSupport, DiskFiguresBeyondTheCurrencyRangeDoNotOverflow)
{
    constexpr Currency largestWhole = std::numeric_limits<Currency>::max() / kCurrencyScale;
    ScriptedSource source;
    source.exAvailable = std::numeric_limits<std::uint64_t>::max();
    source.exTotal = std::numeric_limits<std::uint64_t>::max();
    source.exFree = 1ull << 62;
    CpuMonitorSupport support(source);
    SystemLevels levels;
    support.QueryDiskSpace(L"C:\\", levels);
    EXPECT_EQ(levels.HDTotalBytes, CurrencyFromWhole(largestWhole));
    EXPECT_EQ(levels.HDTotalFreeBytes, CurrencyFromWhole(largestWhole));
    EXPECT_EQ(levels.HDTotalBytesUsed, 0);
    EXPECT_EQ(levels.HDAvailablePercent, 100);

    // Cluster products out of range are skipped and stay 0.
    source.hasEx = false;
    source.clusters = {0x10000u, 0x10000u, 1000, 0xFFFFFFFFu};
    support.QueryDiskSpace(L"C:\\", levels);
    EXPECT_EQ(levels.HDTotalBytes, 0);
    EXPECT_EQ(levels.HDTotalFreeBytes, CurrencyFromWhole(1000 * 0x100000000ll));
    EXPECT_EQ(levels.HDTotalBytesUsed, -levels.HDTotalFreeBytes);
    EXPECT_EQ(levels.HDAvailablePercent, 0);
}
