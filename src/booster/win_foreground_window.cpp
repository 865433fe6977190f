#include "booster/win_foreground_window.h"

#include <windows.h>

#include "platform/ansi_text.h"
#include "platform/win_handles.h"

namespace torvane {

std::uintptr_t WinForegroundWindow::Window()
{
    return reinterpret_cast<std::uintptr_t>(GetForegroundWindow());
}

std::wstring WinForegroundWindow::Title(std::uintptr_t window)
{
    // The ANSI call with a 255-byte buffer keeps at most 254 bytes of title.
    constexpr int kTitleBufferBytes = 255;
    char titleBytes[kTitleBufferBytes] = {};
    GetWindowTextA(reinterpret_cast<HWND>(window), titleBytes, kTitleBufferBytes);
    std::string title(titleBytes);
    if (title.size() == kTitleBufferBytes - 1)
        DropSplitCharacter(title);
    return FromAnsi(title);
}

std::wstring WinForegroundWindow::ProgramName(std::uintptr_t window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &pid);
    const ScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process)
        return std::wstring();
    wchar_t path[MAX_PATH * 2] = {};
    DWORD length = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process.get(), 0, path, &length))
        return std::wstring();
    const std::wstring full(path, length);
    return full.substr(full.find_last_of(L"\\/") + 1);
}

std::vector<ChildWindow> WinForegroundWindow::Children(std::uintptr_t window)
{
    // A frame holds a handful; a window with thousands is read no further.
    constexpr std::size_t kChildrenMax = 256;
    std::vector<ChildWindow> children;
    for (HWND child = GetWindow(reinterpret_cast<HWND>(window), GW_CHILD); child && children.size() < kChildrenMax;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        DWORD id = 0;
        GetWindowThreadProcessId(child, &id);
        children.push_back({reinterpret_cast<std::uintptr_t>(child), className, id});
    }
    return children;
}

} // namespace torvane
