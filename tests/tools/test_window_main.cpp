// A plain top-level window with the title given on the command line (none
// for an empty one), for the booster to find in the foreground. It ends when
// closed; sent kCloseWindowOnly, its window goes and the process runs on, as
// a program that lives on in the notification area does.
#include <windows.h>

#include "unquoted.h"

namespace {

constexpr UINT kCloseWindowOnly = WM_APP + 1;
bool keepRunning = false;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCloseWindowOnly) {
        keepRunning = true;
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        if (!keepRunning)
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    const std::wstring title = Unquoted(commandLine);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"TorvaneTestWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  40, 40, 360, 200, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
