#pragma once

#include <cstdint>

// The icon's notifications arrive as this message, with the mouse message in lParam.
constexpr unsigned kTrayCallbackMessage = 2025;
constexpr unsigned kTrayLeftDoubleClick = 0x203; // WM_LBUTTONDBLCLK
constexpr unsigned kTrayRightButtonDown = 0x204; // WM_RBUTTONDOWN

// What WindowProc needs of the main window and the tray.
class TrayHost {
public:
    virtual ~TrayHost() = default;
    virtual bool MainWindowVisible() = 0;
    virtual void ShowMainWindow() = 0;   // show, then SC_RESTORE
    virtual void SetForeground() = 0;
    virtual void ShowTrayMenu() = 0;     // at the cursor; returns when it closes
    virtual void AddTrayIcon() = 0;
    // The window's previous procedure, given the message unchanged.
    virtual std::intptr_t CallOldWindowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

// The main window's subclass procedure: the icon's double click and right
// press, the shell's "TaskbarCreated"; everything else passes on unchanged.
std::intptr_t WindowProc(TrayHost& host, unsigned taskbarCreatedMessage, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam);
