#include "tray/win_tray_icon.h"

#include <cstring>

#include "platform/ansi_text.h"
#include "tray/tray_window_proc.h"

namespace torvane {

void TrayIcon::Add(HWND window)
{
    HICON icon = static_cast<HICON>(
        LoadImageA(nullptr, ToAnsi(iconPath_).c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    data_ = {};
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.hWnd = window;
    data_.uID = 0;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = icon;
    // The product name, its NUL, then spaces to the end of the field.
    std::memset(data_.szTip, ' ', 64);
    std::memcpy(data_.szTip, "Torvane", 8);
    Shell_NotifyIconA(NIM_ADD, &data_);
    // The shell keeps its own copy; the one added before is no longer needed.
    icon_.reset(icon);
}

void TrayIcon::Remove()
{
    Shell_NotifyIconA(NIM_DELETE, &data_);
}

} // namespace torvane
