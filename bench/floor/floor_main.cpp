// The floor: the least a window with a live 361x73 chart can cost. A 500 ms
// timer repaints the chart area (a fill and a moving line) through a memory
// bitmap, the way Torvane's monitor does.
#include <windows.h>

#include "floor/floor_chart.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!floor_chart::Handle(window, message))
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"TorvaneBenchFloor";
    if (!RegisterClassW(&wc))
        return 1;
    RECT frame = {0, 0, floor_chart::kWidth, floor_chart::kHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowW(wc.lpszClassName, L"Floor", WS_OVERLAPPEDWINDOW, 600, 40,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
