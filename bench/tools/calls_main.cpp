// tv_bench_calls [ROUNDS]: what each platform call of Torvane's periodic work
// costs under this Wine, in microseconds per call: the monitor's samples
// (CPU times, memory, disk space), the time text and its label, the
// booster's look at the foreground window and at the process list (taken
// once a boost and every fourth second while the application stays in
// front, to find its helpers), and a full repaint of a 361x73
// chart (grid and five 360-point lines) against the plain floor's repaint.
// Each figure is the fastest of ROUNDS batches, so other load on the
// machine inflates it least.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <vector>

#include "floor/floor_chart.h"

namespace {

constexpr int kWidth = floor_chart::kWidth;
constexpr int kHeight = floor_chart::kHeight;

HWND g_window = nullptr;
HWND g_label = nullptr;
HDC g_memory = nullptr;
int g_step = 0;

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Lets the window's pending paints and the surface flush happen, as the
// message loop would between two timer ticks.
void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Measure(const char* name, int rounds, int perRound, const std::function<void()>& call)
{
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < perRound; ++i)
            call();
        QueryPerformanceCounter(&end);
        const double each = Microseconds(start, end) / perRound;
        best = each < best ? each : best;
    }
    std::printf("%-44s %9.1f us\n", name, best);
    std::fflush(stdout);
}

void ChartRepaint()
{
    RECT all = {0, 0, kWidth, kHeight};
    HBRUSH back = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(g_memory, &all, back);
    DeleteObject(back);
    HGDIOBJ old = SelectObject(g_memory, GetStockObject(DC_PEN));
    SetDCPenColor(g_memory, RGB(0, 128, 64));
    const int shift = ++g_step % 33;
    for (int x = 32 - shift; x < kWidth; x += 33) {
        MoveToEx(g_memory, x, 0, nullptr);
        LineTo(g_memory, x, kHeight);
    }
    for (int y = 0; y < kHeight; y += 12) {
        MoveToEx(g_memory, 0, y, nullptr);
        LineTo(g_memory, kWidth, y);
    }
    std::vector<POINT> line(kWidth - 1);
    for (int s = 0; s < 5; ++s) {
        for (int x = 0; x < kWidth - 1; ++x)
            line[x] = {x, (x * 7 + s * 13 + g_step) % kHeight};
        SetDCPenColor(g_memory, RGB(50 * s, 255 - 40 * s, 128));
        Polyline(g_memory, line.data(), kWidth - 1);
    }
    SelectObject(g_memory, old);
}

void Show()
{
    InvalidateRect(g_window, nullptr, FALSE);
    UpdateWindow(g_window);
    Pump();
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        BitBlt(dc, 0, 0, kWidth, kHeight, g_memory, 0, 0, SRCCOPY);
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int rounds = argc > 1 ? _wtoi(argv[1]) : 9;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"TorvaneBenchCalls";
    RegisterClassW(&wc);
    HWND top = CreateWindowW(wc.lpszClassName, L"calls", WS_POPUP | WS_VISIBLE, 100, 100, 600, 300, nullptr, nullptr,
                             wc.hInstance, nullptr);
    g_window = CreateWindowW(wc.lpszClassName, nullptr, WS_CHILD | WS_VISIBLE, 10, 10, kWidth, kHeight, top, nullptr,
                             wc.hInstance, nullptr);
    g_label = CreateWindowW(L"STATIC", L"0", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 120, 200, 20, top, nullptr,
                            wc.hInstance, nullptr);
    HDC screen = GetDC(g_window);
    g_memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    SelectObject(g_memory, CreateDIBSection(g_memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ReleaseDC(g_window, screen);
    Pump();

    std::printf("%-44s %12s\n", "call (fastest batch of the rounds)", "per call");
    Measure("GetSystemTimes", rounds, 200, [] {
        FILETIME idle, kernel, user;
        GetSystemTimes(&idle, &kernel, &user);
    });
    Measure("GetSystemInfo", rounds, 200, [] {
        SYSTEM_INFO s;
        GetSystemInfo(&s);
    });
    Measure("GlobalMemoryStatusEx", rounds, 200, [] {
        MEMORYSTATUSEX m = {};
        m.dwLength = sizeof m;
        GlobalMemoryStatusEx(&m);
    });
    Measure("GetDiskFreeSpaceExA(\"C:\\\")", rounds, 200, [] {
        ULARGE_INTEGER a, b, c;
        GetDiskFreeSpaceExA("C:\\", &a, &b, &c);
    });
    Measure("GetTimeFormatEx", rounds, 200, [] {
        wchar_t text[64];
        GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, text, 64);
    });
    Measure("GetForegroundWindow + GetWindowTextA", rounds, 200, [] {
        char title[255];
        GetWindowTextA(GetForegroundWindow(), title, sizeof title);
    });
    int listed = 0;
    Measure("process list (toolhelp snapshot, walked)", rounds, 50, [&listed] {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof entry;
        listed = 0;
        for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
            ++listed;
        CloseHandle(snapshot);
    });
    std::printf("%-44s %9d\n", "  processes listed", listed);
    // What the booster asks (the snapshot above is built from the same list).
    using QuerySystem = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const FARPROC address = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation");
    QuerySystem query = nullptr;
    std::memcpy(&query, &address, sizeof query);
    std::vector<unsigned char> buffer(64 * 1024);
    Measure("process list (NtQuerySystemInformation)", rounds, 50, [&] {
        ULONG needed = 0;
        query(5, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    });
    Measure("label: SetWindowTextW, painted", rounds, 50, [] {
        wchar_t text[32];
        ++g_step;
        swprintf(text, 32, L"%d:%02d:%02d", 6, (g_step / 60) % 60, g_step % 60);
        SetWindowTextW(g_label, text);
        UpdateWindow(g_label);
        Pump();
    });
    Measure("label: SetWindowTextW, same text", rounds, 50, [] {
        SetWindowTextW(g_label, L"6:00:00");
        UpdateWindow(g_label);
        Pump();
    });
    Measure("plain floor repaint (draw + paint)", rounds, 50, [] {
        floor_chart::Draw(g_memory, ++g_step);
        Show();
    });
    Measure("chart repaint: draw only", rounds, 50, ChartRepaint);
    Measure("chart repaint (draw + paint)", rounds, 50, [] {
        ChartRepaint();
        Show();
    });
    Measure("paint only (InvalidateRect, BitBlt)", rounds, 50, Show);
    DestroyWindow(top);
    return 0;
}
