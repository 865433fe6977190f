#include "monitor/win_system_source.h"

#include <windows.h>

#include <string>

#include "platform/ansi_text.h"
#include "platform/win_locale_text.h"

namespace torvane {

namespace {

constexpr DWORD kNtPlatformId = 2;
static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is 148 bytes");

std::int64_t FromFileTime(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<std::int64_t>(value.QuadPart);
}

using DiskFreeSpaceExProc = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// Looked up on every use, as the free-space call may be missing.
DiskFreeSpaceExProc FindDiskFreeSpaceEx()
{
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel)
        return nullptr;
    return reinterpret_cast<DiskFreeSpaceExProc>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
}

} // namespace

bool WinSystemSource::IsWindowsNT()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version.dwPlatformId == kNtPlatformId;
}

// The documented calls give the 64-bit figures on every version, unlike the
// fixed-size system-information records, whose sizes differ on 64-bit Windows.
bool WinSystemSource::ReadCpuTimes(CpuTimes& times)
{
    FILETIME idle;
    FILETIME kernel;
    FILETIME user;
    if (!GetSystemTimes(&idle, &kernel, &user))
        return false;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    if (processorCount_ == 0) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        processorCount_ = static_cast<int>(info.dwNumberOfProcessors);
    }
    if (processorCount_ == 0)
        return false;
    times.idleTime = FromFileTime(idle);
    times.systemTime = FromFileTime(now);
    times.processorCount = processorCount_;
    return true;
}

// The 32-bit status call misreports above 2 GiB; a failed call leaves zeros.
void WinSystemSource::ReadMemory(MemoryReading& memory)
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) {
        memory = MemoryReading();
        return;
    }
    memory.memoryLoad = status.dwMemoryLoad;
    memory.totalPhysical = status.ullTotalPhys;
    memory.availablePhysical = status.ullAvailPhys;
    memory.totalPageFile = status.ullTotalPageFile;
    memory.availablePageFile = status.ullAvailPageFile;
    memory.totalVirtual = status.ullTotalVirtual;
    memory.availableVirtual = status.ullAvailVirtual;
}

bool WinSystemSource::HasDiskFreeSpaceEx()
{
    return FindDiskFreeSpaceEx() != nullptr;
}

bool WinSystemSource::DiskFreeSpaceEx(const std::wstring& root, std::uint64_t& availableToCaller,
                                      std::uint64_t& total, std::uint64_t& totalFree)
{
    const DiskFreeSpaceExProc freeSpace = FindDiskFreeSpaceEx();
    if (!freeSpace)
        return false;
    ULARGE_INTEGER available = {};
    ULARGE_INTEGER size = {};
    ULARGE_INTEGER free = {};
    if (!freeSpace(ToAnsi(root).c_str(), &available, &size, &free))
        return false;
    availableToCaller = available.QuadPart;
    total = size.QuadPart;
    totalFree = free.QuadPart;
    return true;
}

bool WinSystemSource::DiskFreeSpace(const std::wstring& root, DiskClusters& clusters)
{
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!GetDiskFreeSpaceA(ToAnsi(root).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
        return false;
    clusters.sectorsPerCluster = sectorsPerCluster;
    clusters.bytesPerSector = bytesPerSector;
    clusters.freeClusters = freeClusters;
    clusters.totalClusters = totalClusters;
    return true;
}

NumberPunctuation UserNumberPunctuation()
{
    NumberPunctuation punctuation;
    ReadLocaleText(LOCALE_STHOUSAND, punctuation.groupSeparator);
    ReadLocaleText(LOCALE_SDECIMAL, punctuation.decimalSeparator);
    return punctuation;
}

} // namespace torvane
