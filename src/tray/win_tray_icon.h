#pragma once

#include <functional>
#include <string>

#include <windows.h>

#include <shellapi.h>

#include "platform/win_handles.h"

namespace torvane {

// The program's one notification-area icon. The icon file is loaded anew on
// every add, so a new shell gets the file as it is now.
class TrayIcon {
public:
    // The shell's call; tests hand in their own to see what it is told.
    using ShellCall = std::function<BOOL(DWORD, NOTIFYICONDATAA*)>;

    explicit TrayIcon(std::wstring iconPath, ShellCall shell = Shell_NotifyIconA);
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // AddTrayIcon, with the tip as last set: the icon file, or the program's
    // own icon when the file is missing or unreadable.
    void Add(HWND window);
    // RemoveTrayIcon, with the record as last filled.
    void Remove();
    // The tip, in the system code page, cut to the tip's 63 bytes without
    // half a character. The shell is told only when it changes.
    void SetTip(const std::wstring& text);

private:
    void FillTip();

    std::wstring iconPath_;
    ShellCall shell_;
    NOTIFYICONDATAA data_ = {};
    ScopedIcon icon_;
    std::string tip_ = "Torvane";
    bool added_ = false;
};

} // namespace torvane
