#pragma once

#include <windows.h>

namespace torvane {

// A window class as this program registers them: its own module and the
// arrow cursor, with what varies from class to class here.
struct WindowClassArgs {
    const wchar_t* name = nullptr;
    WNDPROC procedure = nullptr;
    UINT style = 0;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
};

// False when the system refuses, as it does a second class of the same name.
inline bool RegisterWindowClass(const WindowClassArgs& args)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = args.style;
    windowClass.lpfnWndProc = args.procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = args.icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = args.background;
    windowClass.lpszClassName = args.name;
    return RegisterClassExW(&windowClass) != 0;
}

} // namespace torvane
