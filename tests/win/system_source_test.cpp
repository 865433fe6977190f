#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <limits>

#include "monitor/cpu_monitor_support.h"
#include "monitor/win_system_source.h"

using namespace torvane;

namespace {

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

void BusyFor(DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    volatile std::uint64_t spin = 0;
    while (GetTickCount64() < end)
        spin = spin + 1;
}

std::int32_t Expected32(ULONGLONG bytes)
{
    return bytes > static_cast<ULONGLONG>(kInt32Max) ? kInt32Max : static_cast<std::int32_t>(bytes);
}

} // namespace

TEST(WinSystemSource, IsTheNtFamily)
{
    WinSystemSource source;
    CpuMonitorSupport support(source);
    EXPECT_TRUE(support.IsWindowsNT());
}

TEST(WinSystemSource, CpuTimesAreRealFigures)
{
    WinSystemSource source;
    CpuTimes first;
    CpuTimes second;
    ASSERT_TRUE(source.ReadCpuTimes(first));
    Sleep(50);
    ASSERT_TRUE(source.ReadCpuTimes(second));
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    EXPECT_EQ(second.processorCount, static_cast<int>(info.dwNumberOfProcessors));
    EXPECT_GT(second.systemTime, first.systemTime);
    EXPECT_GE(second.idleTime, first.idleTime);
    // A system time is counted from 1601: after the year 2020.
    EXPECT_GT(second.systemTime, 132223104000000000LL);
}

TEST(WinSystemSource, CpuUsageBetweenTwoReadingsIsAPercentage)
{
    WinSystemSource source;
    CpuMonitorSupport support(source);
    support.InitCpuCounter(true);
    for (int reading = 0; reading < 3; ++reading) {
        BusyFor(100);
        const float usage = support.QueryCpuUsage(true);
        EXPECT_NE(usage, -1.0f) << reading;
        EXPECT_GE(usage, 0.0f) << reading;
        EXPECT_LE(usage, 100.0f) << reading;
        EXPECT_EQ(usage, static_cast<float>(static_cast<int>(usage))) << reading;
    }
}

TEST(WinSystemSource, MemoryFiguresAreClampedAndSharesComeFromTheFullFigures)
{
    WinSystemSource source;
    CpuMonitorSupport support(source);
    SystemLevels levels;
    support.QueryMemoryStatus(levels);

    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    ASSERT_TRUE(GlobalMemoryStatusEx(&status));
    EXPECT_GT(levels.PhysicalMemoryTotal, 0);
    EXPECT_GT(levels.VirtualMemoryTotal, 0);
    EXPECT_EQ(levels.PhysicalMemoryTotal, Expected32(status.ullTotalPhys));
    EXPECT_EQ(levels.PageFileTotal, Expected32(status.ullTotalPageFile));
    EXPECT_EQ(levels.VirtualMemoryTotal, Expected32(status.ullTotalVirtual));
    for (std::int32_t available : {levels.PhysicalMemoryAvailable, levels.PageFileAvailable,
                                   levels.VirtualMemoryAvailable})
        EXPECT_GE(available, 0);

    EXPECT_GE(levels.MemoryLoadPercent, 0);
    EXPECT_LE(levels.MemoryLoadPercent, 100);
    for (float share : {levels.PhysicalMemoryAvailablePercent, levels.PageFileAvailablePercent,
                        levels.VirtualMemoryAvailablePercent}) {
        EXPECT_GE(share, 0);
        EXPECT_LE(share, 100);
    }
    // Taken from the 64-bit figures: above 2 GiB the clamped fields would give 0.
    const auto inUse = [](ULONGLONG available, ULONGLONG total) {
        return (1.0 - static_cast<double>(available) / static_cast<double>(total)) * 100.0;
    };
    EXPECT_NEAR(levels.PhysicalMemoryAvailablePercent, inUse(status.ullAvailPhys, status.ullTotalPhys), 1.0);
    EXPECT_NEAR(levels.VirtualMemoryAvailablePercent, inUse(status.ullAvailVirtual, status.ullTotalVirtual), 1.0);
}

TEST(WinSystemSource, DiskOfDriveCAndOfAMissingDrive)
{
    WinSystemSource source;
    EXPECT_TRUE(source.HasDiskFreeSpaceEx());
    CpuMonitorSupport support(source);

    SystemLevels present;
    support.QueryDiskSpace(L"C:\\", present);
    EXPECT_GT(present.HDTotalBytes, 0);
    EXPECT_EQ(present.HDTotalBytes % kCurrencyScale, 0);
    EXPECT_GE(present.HDTotalFreeBytes, present.HDAvailableFreeBytes);
    EXPECT_EQ(present.HDTotalBytesUsed, present.HDTotalBytes - present.HDAvailableFreeBytes);
    EXPECT_GE(present.HDAvailablePercent, 0);
    EXPECT_LE(present.HDAvailablePercent, 100);

    DiskClusters clusters;
    EXPECT_TRUE(source.DiskFreeSpace(L"C:\\", clusters));
    EXPECT_GT(clusters.totalClusters, 0u);
    EXPECT_GT(clusters.bytesPerSector, 0u);

    SystemLevels missing = present;
    missing.HDAvailablePercent = 5;
    support.QueryDiskSpace(L"Q:\\", missing);
    EXPECT_EQ(missing.HDTotalBytes, 0);
    EXPECT_EQ(missing.HDTotalFreeBytes, 0);
    EXPECT_EQ(missing.HDAvailableFreeBytes, 0);
    EXPECT_EQ(missing.HDTotalBytesUsed, 0);
    EXPECT_EQ(missing.HDAvailablePercent, 0);
    EXPECT_FALSE(source.DiskFreeSpace(L"Q:\\", clusters));
}

TEST(WinSystemSource, UserPunctuationMatchesTheLocale)
{
    const NumberPunctuation punctuation = UserNumberPunctuation();
    EXPECT_FALSE(punctuation.groupSeparator.empty());
    EXPECT_FALSE(punctuation.decimalSeparator.empty());
    EXPECT_NE(punctuation.groupSeparator, punctuation.decimalSeparator);
    wchar_t decimal[8] = {};
    ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8), 0);
    EXPECT_EQ(punctuation.decimalSeparator, decimal);
}
