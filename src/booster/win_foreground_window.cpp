#include "booster/win_foreground_window.h"

#include <windows.h>

#include "platform/ansi_text.h"

namespace torvane {

ForegroundSnapshot WinForegroundWindow::Read()
{
    ForegroundSnapshot snapshot;
    const HWND window = GetForegroundWindow();
    snapshot.handle = reinterpret_cast<std::uintptr_t>(window);
    // The ANSI call with a 255-byte buffer keeps at most 254 bytes of title.
    constexpr int kTitleBufferBytes = 255;
    char titleBytes[kTitleBufferBytes] = {};
    GetWindowTextA(window, titleBytes, kTitleBufferBytes);
    snapshot.title = FromAnsi(std::string(titleBytes));
    return snapshot;
}

} // namespace torvane
