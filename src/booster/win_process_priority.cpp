#include "booster/win_process_priority.h"

#include "platform/win_handles.h"

namespace torvane {

namespace {

std::uint64_t StartTime(HANDLE process)
{
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

} // namespace

PriorityChange WinProcessPriority::SetWindowProcessClass(std::uintptr_t window, std::uint32_t priorityClass)
{
    DWORD pid = 0;
    if (window != 0)
        GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &pid);
    else
        pid = GetCurrentProcessId();

    PriorityChange change;
    ScopedHandle process(OpenProcess(PROCESS_SET_INFORMATION | PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (!process) {
        change.error = GetLastError();
        // What it has now can still be read, where the system allows it.
        ScopedHandle queryOnly(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
        if (queryOnly)
            change.before = change.after = GetPriorityClass(queryOnly.get());
        return change;
    }
    change.opened = true;
    change.process = {pid, StartTime(process.get())};
    change.before = GetPriorityClass(process.get());
    SetPriorityClass(process.get(), priorityClass);
    change.after = GetPriorityClass(process.get());
    return change;
}

bool WinProcessPriority::SetProcessClass(const ProcessIdentity& identity, std::uint32_t priorityClass)
{
    ScopedHandle process(OpenProcess(PROCESS_SET_INFORMATION | PROCESS_QUERY_INFORMATION, FALSE, identity.id));
    if (!process || StartTime(process.get()) != identity.startTime)
        return false;
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.get(), &exitCode) || exitCode != STILL_ACTIVE)
        return false;
    return SetPriorityClass(process.get(), priorityClass) != 0;
}

} // namespace torvane
