// tv_bench_boost <window title> [TIMEOUT_MS] [report]: brings the top-level
// window with that title to the foreground, as a user's click would, and
// prints how many milliseconds passed from the switch until its process's
// priority class read back above normal (high or real-time): "boost_ms=
// class= before= front=", front=1 when the window was in front already
// before the switch. With "report", the switch is also reported as Windows reports
// it (EVENT_SYSTEM_FOREGROUND), which Wine does not do itself.
// Polled every millisecond from inside Wine, so no loader start is counted.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tv_bench_boost TITLE [TIMEOUT_MS]\n");
        return 2;
    }
    const DWORD timeout = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 10000;
    const bool report = argc > 3 && wcscmp(argv[3], L"report") == 0;
    HWND window = FindWindowW(nullptr, argv[1]);
    DWORD pid = 0;
    if (!window || !GetWindowThreadProcessId(window, &pid)) {
        std::fprintf(stderr, "no window with that title\n");
        return 3;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process) {
        std::fprintf(stderr, "OpenProcess failed: %lu\n", GetLastError());
        return 3;
    }
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    const auto elapsedMs = [&] {
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    };
    const DWORD before = GetPriorityClass(process);
    const bool frontBefore = GetForegroundWindow() == window;
    QueryPerformanceCounter(&start);
    SetForegroundWindow(window);
    double foregroundMs = -1;
    int rc = 1;
    for (;;) {
        const double ms = elapsedMs();
        if (foregroundMs < 0 && GetForegroundWindow() == window) {
            foregroundMs = ms;
            if (report)
                NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
        }
        const DWORD read = GetPriorityClass(process);
        if (read == HIGH_PRIORITY_CLASS || read == REALTIME_PRIORITY_CLASS) {
            std::printf("boost_ms=%.1f foreground_ms=%.1f class=0x%lx before=0x%lx front=%d\n", ms, foregroundMs,
                        read, before, frontBefore ? 1 : 0);
            rc = 0;
            break;
        }
        if (ms > timeout) {
            std::printf("boost_ms=-1 foreground_ms=%.1f class=0x%lx before=0x%lx\n", foregroundMs, read, before);
            break;
        }
        Sleep(1);
    }
    CloseHandle(process);
    return rc;
}
