#include "tray/tray_window_proc.h"

std::intptr_t WindowProc(TrayHost& host, unsigned taskbarCreatedMessage, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam)
{
    if (message == kTrayCallbackMessage && lParam == kTrayLeftDoubleClick) {
        // A window already on screen, minimised or not, is left alone.
        if (!host.MainWindowVisible())
            host.ShowMainWindow();
        return 0;
    }
    if (message == kTrayCallbackMessage && lParam == kTrayRightButtonDown) {
        host.SetForeground();
        host.ShowTrayMenu();
        return 0;
    }
    if (taskbarCreatedMessage != 0 && message == taskbarCreatedMessage) {
        host.AddTrayIcon();
        return 0;
    }
    return host.CallOldWindowProc(message, wParam, lParam);
}
