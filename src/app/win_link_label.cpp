#include "app/win_link_label.h"

#include <commctrl.h>

#include "platform/win_handles.h"

namespace torvane {

namespace {

constexpr UINT_PTR kLinkSubclass = 1;

} // namespace

LinkLabel::~LinkLabel()
{
    if (subclassed_ && IsWindow(hwnd_))
        RemoveWindowSubclass(hwnd_, Subclass, kLinkSubclass);
}

void LinkLabel::MakeReachable()
{
    SetWindowLongPtrW(hwnd_, GWL_STYLE, GetWindowLongPtrW(hwnd_, GWL_STYLE) | WS_TABSTOP);
    subclassed_ = SetWindowSubclass(hwnd_, Subclass, kLinkSubclass, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

LRESULT CALLBACK LinkLabel::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self)
{
    if (message == WM_NCDESTROY) {
        reinterpret_cast<LinkLabel*>(self)->subclassed_ = false;
        RemoveWindowSubclass(window, Subclass, kLinkSubclass);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return reinterpret_cast<LinkLabel*>(self)->Handle(message, wParam, lParam);
}

LRESULT LinkLabel::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter opens the link instead of going to the window's default command.
        const auto* keys = reinterpret_cast<const MSG*>(lParam);
        const LRESULT code = DefSubclassProc(hwnd_, message, wParam, lParam);
        return keys && keys->message == WM_KEYDOWN && keys->wParam == VK_RETURN ? code | DLGC_WANTMESSAGE : code;
    }
    case WM_KEYDOWN:
        if ((wParam == VK_RETURN || wParam == VK_SPACE) && onClick) {
            onClick();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd_, nullptr, TRUE);
        if (message == WM_SETFOCUS)
            NotifyAccessible(hwnd_, EVENT_OBJECT_FOCUS);
        break;
    case WM_PAINT: {
        const LRESULT painted = DefSubclassProc(hwnd_, message, wParam, lParam);
        if (GetFocus() == hwnd_)
            DrawFocusCue();
        return painted;
    }
    case WM_GETOBJECT: {
        const LRESULT answer = accessible_.Answer(hwnd_, wParam, lParam);
        if (answer)
            return answer;
        break;
    }
    default:
        break;
    }
    return DefSubclassProc(hwnd_, message, wParam, lParam);
}

void LinkLabel::DrawFocusCue() const
{
    // Round the text, not the whole width of the label.
    const WindowDc dc(hwnd_);
    const std::wstring text = Text();
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    const ScopedSelect selected(dc.get(), font);
    SIZE extent = {};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    RECT client = {};
    GetClientRect(hwnd_, &client);
    RECT cue = {0, 0, extent.cx + 2 < client.right ? extent.cx + 2 : client.right, client.bottom};
    DrawFocusRect(dc.get(), &cue);
}

long LinkLabel::AccessibleState() const
{
    return WindowAccessibleState(hwnd_) | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
}

bool LinkLabel::DoDefaultAction()
{
    if (!onClick)
        return false;
    onClick();
    return true;
}

} // namespace torvane
