// tv_bench_probe <program.exe> [control id]: prints, for the running process of that
// name, "handles= gdi= user= private_bytes= (sources)". Each figure is read
// the documented way first; where Wine answers 0 (GetGuiResources, and the
// handle count of another process) it is read another way from outside:
// handles from the system handle list, GDI objects from the target's GDI
// handle table (PEB), USER objects as the target's windows. With a control
// id, the text of that control of the process's windows is added as label=.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
using QuerySystem = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

template <typename F>
F NtProc(const char* name)
{
    const FARPROC address = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name);
    F f = nullptr;
    if (address)
        std::memcpy(&f, &address, sizeof f);
    return f;
}

DWORD FindProcess(const wchar_t* exe)
{
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32FirstW(snap, &entry); more && !found; more = Process32NextW(snap, &entry))
        if (lstrcmpiW(entry.szExeFile, exe) == 0)
            found = entry.th32ProcessID;
    CloseHandle(snap);
    return found;
}

// SystemExtendedHandleInformation (64): one 40-byte record per open handle.
long HandlesFromSystemList(DWORD pid)
{
    const auto query = NtProc<QuerySystem>("NtQuerySystemInformation");
    if (!query)
        return -1;
    std::vector<unsigned char> buffer(1 << 20);
    for (int attempt = 0; attempt < 6; ++attempt) {
        ULONG needed = 0;
        const LONG status = query(64, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) {
            ULONG_PTR count = 0;
            std::memcpy(&count, buffer.data(), sizeof count);
            long mine = 0;
            for (ULONG_PTR i = 0; i < count; ++i) {
                ULONG_PTR owner = 0;
                std::memcpy(&owner, buffer.data() + 16 + i * 40 + 8, sizeof owner);
                mine += owner == pid ? 1 : 0;
            }
            return mine;
        }
        buffer.resize(buffer.size() * 2 > needed ? buffer.size() * 2 : needed + 4096);
    }
    return -1;
}

long GdiFromTable(HANDLE process)
{
    constexpr std::size_t kTableOffsetInPeb = 0xF8; // GdiSharedHandleTable, x64
    constexpr std::size_t kEntrySize = 24;
    constexpr std::size_t kTypeOffset = 14;
    constexpr std::size_t kEntries = 0x10000;
    const auto query = NtProc<QueryProcess>("NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return -1;
    unsigned char* table = nullptr;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, static_cast<unsigned char*>(static_cast<void*>(basic.PebBaseAddress)) +
                                        kTableOffsetInPeb,
                           &table, sizeof table, &got) ||
        !table)
        return -1;
    std::vector<unsigned char> entries(kEntries * kEntrySize);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), &got) || got != entries.size())
        return -1;
    long live = 0;
    for (std::size_t i = 0; i < kEntries; ++i)
        live += entries[i * kEntrySize + kTypeOffset] != 0 ? 1 : 0;
    return live;
}

struct WindowTally {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM param)
{
    auto* tally = reinterpret_cast<WindowTally*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    tally->count += owner == tally->pid ? 1 : 0;
    return TRUE;
}

BOOL CALLBACK CountTop(HWND window, LPARAM param)
{
    CountChild(window, param);
    EnumChildWindows(window, CountChild, param);
    return TRUE;
}

struct LabelSearch {
    DWORD pid;
    int id;
    wchar_t text[256];
};

BOOL CALLBACK FindLabel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<LabelSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->pid && GetDlgCtrlID(window) == search->id) {
        GetWindowTextW(window, search->text, 256);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindLabelUnder(HWND window, LPARAM param)
{
    EnumChildWindows(window, FindLabel, param);
    return reinterpret_cast<LabelSearch*>(param)->text[0] == 0;
}

long WindowsOf(DWORD pid)
{
    WindowTally tally{pid, 0};
    EnumWindows(CountTop, reinterpret_cast<LPARAM>(&tally));
    // Message-only windows are USER objects too.
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
        CountChild(w, reinterpret_cast<LPARAM>(&tally));
    return tally.count;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tv_bench_probe PROGRAM.exe\n");
        return 2;
    }
    const DWORD pid = FindProcess(argv[1]);
    if (!pid) {
        std::fprintf(stderr, "no process %ls\n", argv[1]);
        return 1;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) {
        std::fprintf(stderr, "OpenProcess failed: %lu\n", GetLastError());
        return 1;
    }
    DWORD handleCount = 0;
    long handles = GetProcessHandleCount(process, &handleCount) ? static_cast<long>(handleCount) : 0;
    const char* handleSource = "GetProcessHandleCount";
    if (handles == 0) {
        handles = HandlesFromSystemList(pid);
        handleSource = "system-handle-list";
    }
    long gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
    const char* gdiSource = "GetGuiResources";
    if (gdi == 0) {
        gdi = GdiFromTable(process);
        gdiSource = "peb-gdi-table";
    }
    long user = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
    const char* userSource = "GetGuiResources";
    if (user == 0) {
        user = WindowsOf(pid);
        userSource = "window-count";
    }
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    long long privateBytes = -1;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        privateBytes = static_cast<long long>(memory.PrivateUsage);
    CloseHandle(process);
    std::printf("pid=%lu handles=%ld gdi=%ld user=%ld private_bytes=%lld handles_from=%s gdi_from=%s user_from=%s",
                pid, handles, gdi, user, privateBytes, handleSource, gdiSource, userSource);
    if (argc > 2) {
        LabelSearch search{pid, _wtoi(argv[2]), {}};
        EnumWindows(FindLabelUnder, reinterpret_cast<LPARAM>(&search));
        char utf8[768] = {};
        WideCharToMultiByte(CP_UTF8, 0, search.text, -1, utf8, sizeof utf8, nullptr, nullptr);
        std::printf(" label=%s", utf8);
    }
    std::printf("\n");
    return 0;
}
