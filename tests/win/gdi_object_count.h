#pragma once

#include <cstring>

#include <windows.h>
#include <winternl.h>

// Live GDI objects of this process. GetGuiResources is the real count on
// Windows; Wine does not implement it (it answers 0), so there the process's
// GDI handle table, which the PEB points to, is counted instead: an entry in
// use has a nonzero type byte.
inline DWORD GdiObjectCount()
{
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0)
        return reported;
    constexpr std::size_t kTableOffsetInPeb = 0xF8; // GdiSharedHandleTable, x64
    constexpr std::size_t kEntrySize = 24;
    constexpr std::size_t kTypeOffset = 14;
    constexpr std::size_t kEntries = 0x10000;
    using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const FARPROC address = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess");
    if (!address)
        return 0;
    QueryProcess query;
    std::memcpy(&query, &address, sizeof query);
    PROCESS_BASIC_INFORMATION basic = {};
    if (query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return 0;
    const auto* peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const unsigned char* const*>(peb + kTableOffsetInPeb);
    if (!table)
        return 0;
    DWORD live = 0;
    for (std::size_t i = 0; i < kEntries; ++i)
        live += table[i * kEntrySize + kTypeOffset] != 0 ? 1 : 0;
    return live;
}
