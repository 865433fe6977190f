#include "booster/win_process_priority.h"

#include <windows.h>
#include <tlhelp32.h>

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

std::vector<ListedProcess> WinProcessPriority::List()
{
    std::vector<ListedProcess> listed;
    const ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return listed;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        listed.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
    return listed;
}

} // namespace torvane
