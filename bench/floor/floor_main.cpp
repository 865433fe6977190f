// The floor: the least a window with a live 361x73 chart can cost. A 500 ms
// timer repaints the chart area (a fill and a moving line) through a memory
// bitmap, the way Torvane's monitor does.
#include <windows.h>

namespace {

constexpr int kWidth = 361;
constexpr int kHeight = 73;
constexpr UINT_PTR kTimer = 1;

HDC g_memory = nullptr;
HBITMAP g_bitmap = nullptr;
HGDIOBJ g_oldBitmap = nullptr;
int g_step = 0;

void Redraw()
{
    RECT all = {0, 0, kWidth, kHeight};
    HBRUSH back = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(g_memory, &all, back);
    DeleteObject(back);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 160, 0));
    HGDIOBJ oldPen = SelectObject(g_memory, pen);
    const int x = g_step % kWidth;
    MoveToEx(g_memory, x, 0, nullptr);
    LineTo(g_memory, kWidth - 1 - x, kHeight - 1);
    SelectObject(g_memory, oldPen);
    DeleteObject(pen);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        HDC screen = GetDC(window);
        g_memory = CreateCompatibleDC(screen);
        g_bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(window, screen);
        g_oldBitmap = SelectObject(g_memory, g_bitmap);
        Redraw();
        SetTimer(window, kTimer, 500, nullptr);
        return 0;
    }
    case WM_TIMER:
        ++g_step;
        Redraw();
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        BitBlt(dc, 0, 0, kWidth, kHeight, g_memory, 0, 0, SRCCOPY);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_DESTROY:
        KillTimer(window, kTimer);
        SelectObject(g_memory, g_oldBitmap);
        DeleteObject(g_bitmap);
        DeleteDC(g_memory);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
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
    RECT frame = {0, 0, kWidth, kHeight};
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
