#include "app/win_page_parts.h"

#include <utility>

#include <commctrl.h>

#include "controls/win_command.h"

namespace torvane {

HWND CreatePagesTooltip()
{
    // No prefix: a window title with "&" shows as it is.
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

CommandWindow* CreatePageButton(HWND page, const ChildFactory& factory, const PageButtonPlace& place,
                                PropertyBag& properties, std::function<void()> onClick)
{
    CommandCreateArgs button;
    button.parent = page;
    button.id = place.id;
    button.left = factory.Pixels(place.left);
    button.top = factory.Pixels(3450);
    button.width = factory.Pixels(place.width);
    button.height = factory.Pixels(345);
    button.name = place.name;
    button.properties = &properties;
    button.events.onClick = std::move(onClick);
    return CommandWindow::Create(button);
}

HWND CreatePageWindow(const PageCreateArgs& args, const wchar_t* className, void* self)
{
    return CreateWindowExW(WS_EX_CONTROLPARENT, className, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                           0, 0, args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                           GetModuleHandleW(nullptr), self);
}

LRESULT PageDefaultMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client = {};
        GetClientRect(page, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, white);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(white);
    case WM_NEXTDLGCTL: {
        // A multi-line edit asks its parent to move the focus on Tab.
        const HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                         : GetNextDlgTabItem(GetAncestor(page, GA_ROOT), GetFocus(), wParam != 0);
        if (next)
            SetFocus(next);
        return 0;
    }
    case WM_CLOSE:
        // ... and to close on Esc: that is the window's close, never the
        // page's own end.
        return SendMessageW(GetAncestor(page, GA_ROOT), WM_CLOSE, 0, 0);
    default:
        return DefWindowProcW(page, message, wParam, lParam);
    }
}

} // namespace torvane
