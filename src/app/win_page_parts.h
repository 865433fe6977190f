#pragma once

#include <functional>

#include <windows.h>

#include "app/win_child_controls.h"
#include "app/win_ui_font.h"
#include "platform/property_bag.h"

namespace torvane {

// What every page is given when it is made: its parent (the main window), its
// control id, the screen's DPI, the interface fonts and the window's one
// tooltip, which holds the tips of every page.
struct PageCreateArgs {
    HWND parent = nullptr;
    int id = 0;
    int dpi = 96;
    const UiFonts* fonts = nullptr;
    HWND tooltip = nullptr;
};

// The window's one tooltip. Not owned by the window: under Wine an owned
// topmost tooltip pulls its owner out of the topmost band when the owner is
// shown. One for all: each is a top-level window, and each costs start-up
// several milliseconds under Wine.
HWND CreatePagesTooltip();

// A page is a white child window of the main window that Tab can walk into;
// it starts hidden and the main window places and shows it.
HWND CreatePageWindow(const PageCreateArgs& args, const wchar_t* className, void* self);

// What every page does with a message it does not handle itself: white
// behind itself and behind its labels and check boxes, the rest as usual.
LRESULT PageDefaultMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

class CommandWindow;

// A drawn button in the row under a page's list or history box; left and
// width in twips.
struct PageButtonPlace {
    int id;
    const wchar_t* name;
    int left;
    int width;
};

// Creates the button on the page with its stored properties; null when the
// window could not be made.
CommandWindow* CreatePageButton(HWND page, const ChildFactory& factory, const PageButtonPlace& place,
                                PropertyBag& properties, std::function<void()> onClick);

// The factory for the page's own controls.
inline ChildFactory PageControls(HWND page, const PageCreateArgs& args)
{
    return ChildFactory(page, args.dpi, args.fonts->regular());
}

} // namespace torvane
