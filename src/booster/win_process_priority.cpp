#include "booster/win_process_priority.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <vector>

#include "booster/file_name.h"
#include "platform/win_handles.h"

namespace torvane {

namespace {

class WinOpenedProcess : public OpenedProcess {
public:
    WinOpenedProcess(std::uint32_t id, HANDLE process) : id_(id), process_(process) {}

    ProcessIdentity Identity() override
    {
        FILETIME created = {}, exited = {}, kernel = {}, user = {};
        if (!GetProcessTimes(process_.get(), &created, &exited, &kernel, &user))
            return {id_, 0};
        return {id_, (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime};
    }
    bool Running() override
    {
        DWORD exitCode = 0;
        return GetExitCodeProcess(process_.get(), &exitCode) && exitCode == STILL_ACTIVE;
    }
    std::uint32_t PriorityClass() override { return GetPriorityClass(process_.get()); }
    bool SetPriorityClass(std::uint32_t priorityClass) override
    {
        return ::SetPriorityClass(process_.get(), priorityClass) != 0;
    }
    std::wstring ProgramPath() override
    {
        wchar_t path[MAX_PATH * 2] = {};
        DWORD length = MAX_PATH * 2;
        if (!QueryFullProcessImageNameW(process_.get(), 0, path, &length))
            return std::wstring();
        return std::wstring(path, length);
    }

private:
    std::uint32_t id_;
    ScopedHandle process_;
};

} // namespace

std::uint32_t WinProcessPriority::WindowProcessId(std::uintptr_t window)
{
    if (window == 0)
        return GetCurrentProcessId();
    DWORD id = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &id);
    return id;
}

std::unique_ptr<OpenedProcess> WinProcessPriority::Open(std::uint32_t id, std::uint32_t& error)
{
    HANDLE process = OpenProcess(PROCESS_SET_INFORMATION | PROCESS_QUERY_INFORMATION, FALSE, id);
    if (!process) {
        error = GetLastError();
        return nullptr;
    }
    error = 0;
    return std::make_unique<WinOpenedProcess>(id, process);
}

std::vector<ListedProcess> WinProcessPriority::ListNamed(const std::wstring& fileName)
{
    // The system's own list, asked directly: the Toolhelp snapshot is built
    // from this same list and, under Wine, costs six times as much
    // (1.9 ms against 0.33 ms for eight processes).
    constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
    std::vector<ListedProcess> listed;
    std::vector<unsigned char> buffer;
    NTSTATUS status = kLengthMismatch;
    for (int attempt = 0; attempt < 4 && status == kLengthMismatch; ++attempt) {
        buffer.resize(listBytes_);
        ULONG needed = 0;
        status = NtQuerySystemInformation(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                          &needed);
        // Room for the processes that start meanwhile.
        if (status == kLengthMismatch)
            listBytes_ = std::max<std::size_t>(listBytes_ * 2, needed + needed / 4);
    }
    if (!NT_SUCCESS(status))
        return listed;
    for (std::size_t at = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
        // The image name may hold a folder; only its file name is compared.
        const wchar_t* name = entry->ImageName.Buffer;
        std::size_t length = name ? entry->ImageName.Length / sizeof(wchar_t) : 0;
        for (std::size_t i = length; i-- > 0;) {
            if (name[i] == L'\\' || name[i] == L'/') {
                name += i + 1;
                length -= i + 1;
                break;
            }
        }
        if (length != 0 && SameFileName(name, length, fileName.data(), fileName.size()))
            listed.push_back({static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(entry->UniqueProcessId)),
                              static_cast<std::uint32_t>(
                                  reinterpret_cast<std::uintptr_t>(entry->InheritedFromUniqueProcessId))});
        if (entry->NextEntryOffset == 0 || at + entry->NextEntryOffset >= buffer.size())
            break;
        at += entry->NextEntryOffset;
    }
    return listed;
}

} // namespace torvane
