#pragma once

#include <cstdint>

namespace torvane {

// The currency type the disk figures are kept in: a signed 64-bit integer
// holding the value times 10,000 (four decimal places).
using Currency = std::int64_t;
constexpr Currency kCurrencyScale = 10000;
constexpr Currency CurrencyFromWhole(std::int64_t whole) { return whole * kCurrencyScale; }

// One measurement of the system's levels.
struct SystemLevels {
    float CPULoadPercent = 0;
    float MemoryLoadPercent = 0;
    std::int32_t PhysicalMemoryTotal = 0;
    std::int32_t PhysicalMemoryAvailable = 0;
    float PhysicalMemoryAvailablePercent = 0; // share in use
    std::int32_t PageFileTotal = 0;
    std::int32_t PageFileAvailable = 0;
    float PageFileAvailablePercent = 0; // share in use
    std::int32_t VirtualMemoryTotal = 0;
    std::int32_t VirtualMemoryAvailable = 0;
    float VirtualMemoryAvailablePercent = 0; // share in use
    Currency HDTotalBytes = 0;
    Currency HDTotalFreeBytes = 0;
    Currency HDAvailableFreeBytes = 0;
    Currency HDTotalBytesUsed = 0;
    float HDAvailablePercent = 0; // free share
};

} // namespace torvane
