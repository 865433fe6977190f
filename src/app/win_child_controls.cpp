#include "app/win_child_controls.h"

#include "app/twips.h"

namespace torvane {

namespace {

constexpr DWORD kLabelStyle = SS_LEFT | SS_NOPREFIX | SS_NOTIFY;

} // namespace

int ChildFactory::Pixels(int twips) const
{
    return TwipsToPixels(twips, dpi_);
}

HWND ChildFactory::Create(const wchar_t* className, int id, const ControlPlace& place,
                          const wchar_t* text, DWORD style, DWORD exStyle, HFONT font) const
{
    HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style,
                                   Pixels(place.left), Pixels(place.top), Pixels(place.width),
                                   Pixels(place.height), parent_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_), FALSE);
    return control;
}

HWND ChildFactory::Label(int id, const ControlPlace& place, const wchar_t* text, DWORD extraStyle) const
{
    return Create(L"STATIC", id, place, text, kLabelStyle | extraStyle);
}

HWND ChildFactory::Heading(const ControlPlace& place, const wchar_t* text, HFONT font) const
{
    // Given its font once: under Wine each setting is a request to the
    // window server, and start-up makes thousands of them.
    return Create(L"STATIC", 0, place, text, kLabelStyle, 0, font);
}

HWND ChildFactory::CheckBox(int id, const ControlPlace& place, const wchar_t* text) const
{
    return Create(L"BUTTON", id, place, text, WS_TABSTOP | BS_AUTOCHECKBOX);
}

HWND ChildFactory::DropDownList(int id, const ControlPlace& place) const
{
    // The height given to a combo box is that of its open list.
    ControlPlace withList = place;
    withList.height = place.height * 8;
    return Create(L"COMBOBOX", id, withList, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
}

HWND ChildFactory::HistoryBox(int id, const ControlPlace& place) const
{
    return Create(L"EDIT", id, place, L"",
                  WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_NOHIDESEL,
                  WS_EX_CLIENTEDGE);
}

HWND ChildFactory::ListBox(int id, const ControlPlace& place) const
{
    return Create(L"LISTBOX", id, place, L"",
                  WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS |
                      LBS_WANTKEYBOARDINPUT,
                  WS_EX_CLIENTEDGE);
}

} // namespace torvane
