#pragma once

#include <windows.h>

#include "platform/win_handles.h"

namespace torvane {

// The tray menu as a popup, built from its entries on first use.
class TrayPopupMenu {
public:
    // Shows the menu at the cursor, "启用提速" checked while speed-up is on;
    // the chosen entry reaches `owner` as a WM_COMMAND with the entry's id.
    // Returns when the menu closes.
    void Show(HWND owner, bool speedUp);

private:
    ScopedMenu menu_;
};

} // namespace torvane
