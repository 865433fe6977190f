// The floors' chart: a 361x73 picture in a memory bitmap, a fill and a
// moving line drawn anew by a 500 ms timer and painted through WM_PAINT, the
// least a window with a live chart of Torvane's size can cost.
#pragma once

#include <windows.h>

namespace floor_chart {

constexpr int kWidth = 361;
constexpr int kHeight = 73;
constexpr UINT_PTR kTimer = 1;

// One frame of the chart into a DC holding a kWidth x kHeight bitmap.
inline void Draw(HDC memory, int step)
{
    RECT all = {0, 0, kWidth, kHeight};
    HBRUSH back = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(memory, &all, back);
    DeleteObject(back);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 160, 0));
    HGDIOBJ oldPen = SelectObject(memory, pen);
    const int x = step % kWidth;
    MoveToEx(memory, x, 0, nullptr);
    LineTo(memory, kWidth - 1 - x, kHeight - 1);
    SelectObject(memory, oldPen);
    DeleteObject(pen);
}

// The chart window's messages (one chart a program); false for any other,
// which the caller handles.
inline bool Handle(HWND window, UINT message)
{
    static HDC memory = nullptr;
    static HBITMAP bitmap = nullptr;
    static HGDIOBJ oldBitmap = nullptr;
    static int step = 0;
    switch (message) {
    case WM_CREATE: {
        HDC screen = GetDC(window);
        memory = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(window, screen);
        oldBitmap = SelectObject(memory, bitmap);
        Draw(memory, step);
        SetTimer(window, kTimer, 500, nullptr);
        return true;
    }
    case WM_TIMER:
        Draw(memory, ++step);
        InvalidateRect(window, nullptr, FALSE);
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        BitBlt(dc, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY);
        EndPaint(window, &ps);
        return true;
    }
    case WM_DESTROY:
        KillTimer(window, kTimer);
        SelectObject(memory, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
        return true;
    default:
        return false;
    }
}

} // namespace floor_chart
