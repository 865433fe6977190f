#include "tray/win_tray_popup_menu.h"

#include "tray/tray_menu.h"

namespace torvane {

void TrayPopupMenu::Show(HWND owner, bool speedUp)
{
    if (!menu_) {
        menu_.reset(CreatePopupMenu());
        for (const TrayMenuEntry& entry : TrayMenuEntries()) {
            if (entry.id == 0)
                AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr);
            else
                AppendMenuW(menu_.get(), MF_STRING, static_cast<UINT_PTR>(entry.id), entry.caption);
        }
    }
    CheckMenuItem(menu_.get(), TrayMenuId::EnableSpeed, MF_BYCOMMAND | (speedUp ? MF_CHECKED : MF_UNCHECKED));
    POINT at = {};
    GetCursorPos(&at);
    TrackPopupMenu(menu_.get(), 0, at.x, at.y, 0, owner, nullptr);
    // Lets the menu close when the user clicks elsewhere.
    PostMessageW(owner, WM_NULL, 0, 0);
}

} // namespace torvane
