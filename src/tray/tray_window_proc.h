#pragma once

#include <cstdint>

namespace torvane {

// The icon's notifications arrive as this message, with the mouse message in lParam.
constexpr unsigned kTrayCallbackMessage = 2025;
constexpr unsigned kTrayLeftDoubleClick = 0x203; // WM_LBUTTONDBLCLK
constexpr unsigned kTrayRightButtonDown = 0x204; // WM_RBUTTONDOWN

// What the main window does with a message, as far as the tray goes.
enum class TrayAction {
    PassOn,     // not the tray's: the window handles it as it would anyway
    Nothing,    // the tray's, and nothing is to be done
    ShowWindow, // show, then restore
    ShowMenu,   // take the foreground, then the menu at the cursor
    AddIcon,    // the shell restarted: the icon again
};

// The icon's double click and right press, and the shell's "TaskbarCreated"
// (0 until it is registered). A window already on screen, minimised or not,
// is left alone by the double click.
TrayAction TrayMessageAction(unsigned taskbarCreatedMessage, unsigned message, std::intptr_t lParam,
                             bool windowVisible);

} // namespace torvane
