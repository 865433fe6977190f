// tv_foreground "<window title>": brings the top-level window with that exact
// title to the foreground, as a user's click would. Exit code 0 when it got there.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR title, int)
{
    HWND window = FindWindowW(nullptr, title);
    if (!window)
        return 2;
    SetForegroundWindow(window);
    for (int i = 0; i < 60 && GetForegroundWindow() != window; ++i)
        Sleep(50);
    return GetForegroundWindow() == window ? 0 : 1;
}
