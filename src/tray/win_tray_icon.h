#pragma once

#include <string>

#include <windows.h>

#include <shellapi.h>

#include "platform/win_handles.h"

namespace torvane {

// The program's one notification-area icon. The icon file is loaded anew on
// every add, so a new shell gets the file as it is now.
class TrayIcon {
public:
    explicit TrayIcon(std::wstring iconPath) : iconPath_(std::move(iconPath)) {}
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // AddTrayIcon: the icon file, or the program's own icon when the file is
    // missing or unreadable.
    void Add(HWND window);
    // RemoveTrayIcon, with the record as last filled.
    void Remove();

private:
    std::wstring iconPath_;
    NOTIFYICONDATAA data_ = {};
    ScopedIcon icon_;
};

} // namespace torvane
