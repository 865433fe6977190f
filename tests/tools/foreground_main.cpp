// tv_foreground "<window title>": brings the top-level window with that exact
// title to the foreground, as a user's click would. Exit code 0 when it got there.
#include <windows.h>

#include "unquoted.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    const std::wstring title = Unquoted(commandLine);
    HWND window = FindWindowW(nullptr, title.c_str());
    if (!window)
        return 2;
    SetForegroundWindow(window);
    for (int i = 0; i < 60 && GetForegroundWindow() != window; ++i)
        Sleep(50);
    return GetForegroundWindow() == window ? 0 : 1;
}
