// tv_bench_launch <window class> <program>: starts the program in its own
// folder and prints how many milliseconds passed until a visible top-level
// window of that class existed, then leaves it running. Measured inside Wine
// so the loader start of this helper is not counted.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: tv_bench_launch CLASS PROGRAM [TIMEOUT_MS]\n");
        return 2;
    }
    const wchar_t* windowClass = argv[1];
    std::wstring program = argv[2];
    const DWORD timeout = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 30000;
    std::wstring folder = program;
    const std::wstring::size_type slash = folder.find_last_of(L"\\/");
    folder = slash == std::wstring::npos ? L"." : folder.substr(0, slash);
    std::wstring commandLine = L"\"" + program + L"\"";

    // On Windows the shell's desktop is always up. Under Wine its process
    // ends a moment after the last program of a prefix does, and the next
    // program to start pays for starting it again; bring it up first so that
    // every program is timed against a running desktop.
    GetDesktopWindow();

    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
        std::fprintf(stderr, "CreateProcess failed: %lu\n", GetLastError());
        return 3;
    }
    for (;;) {
        HWND window = FindWindowW(windowClass, nullptr);
        QueryPerformanceCounter(&now);
        const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        if (window && IsWindowVisible(window)) {
            std::printf("visible_ms=%.1f pid=%lu\n", ms, pi.dwProcessId);
            break;
        }
        if (ms > timeout || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(pi.hProcess, &code);
            std::printf("visible_ms=-1 pid=%lu after_ms=%.0f exit=%lu\n", pi.dwProcessId, ms, code);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
            return 1;
        }
        Sleep(2);
    }
    std::fflush(stdout);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}
