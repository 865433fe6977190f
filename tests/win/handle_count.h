#pragma once

#include <cstdint>

#include <windows.h>

// A figure that grows when the process leaks kernel handles. Windows counts
// them (GetProcessHandleCount); Wine answers 0 there, but hands out the lowest
// free handle value, so the value a new handle gets rises with every leak.
inline std::uintptr_t HandleLeakGauge()
{
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0)
        return count;
    HANDLE probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    const auto value = reinterpret_cast<std::uintptr_t>(probe);
    CloseHandle(probe);
    return value;
}
