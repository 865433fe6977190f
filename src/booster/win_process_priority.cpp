#include "booster/win_process_priority.h"

#include "platform/win_handles.h"

namespace torvane {

std::uint32_t WinProcessPriority::SetProcessPriority(std::uint32_t processId,
                                                     std::uintptr_t windowHandle,
                                                     std::uint32_t priorityClass)
{
    DWORD pid = processId;
    if (pid == 0) {
        if (windowHandle != 0)
            GetWindowThreadProcessId(reinterpret_cast<HWND>(windowHandle), &pid);
        else
            pid = GetCurrentProcessId();
    }
    ScopedHandle process(OpenProcess(PROCESS_SET_INFORMATION | PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (process) {
        SetPriorityClass(process.get(), priorityClass);
        return GetPriorityClass(process.get());
    }
    ScopedHandle queryOnly(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
    return queryOnly ? GetPriorityClass(queryOnly.get()) : 0;
}

} // namespace torvane
