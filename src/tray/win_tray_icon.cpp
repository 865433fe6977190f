#include "tray/win_tray_icon.h"

#include <cstring>

#include "tray/tray_window_proc.h"

namespace torvane {

void TrayIcon::Add(HWND window)
{
    HICON icon = static_cast<HICON>(LoadImageW(nullptr, iconPath_.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    // A copy without tv.ico beside it (only the program was copied) shows the
    // program's own icon: an icon-less entry is no entry at all, and with the
    // window hidden at start the program could not be reached.
    if (!icon)
        icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
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
