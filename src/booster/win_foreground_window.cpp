#include "booster/win_foreground_window.h"

#include <windows.h>

#include "platform/ansi_text.h"

ForegroundSnapshot WinForegroundWindow::Read()
{
    ForegroundSnapshot snapshot;
    const HWND window = GetForegroundWindow();
    snapshot.handle = reinterpret_cast<std::uintptr_t>(window);
    // The ANSI call with a 255-byte buffer keeps at most 254 bytes of title.
    char buffer[255] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    snapshot.title = FromAnsi(std::string(buffer));
    return snapshot;
}
