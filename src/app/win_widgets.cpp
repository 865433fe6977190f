#include "app/win_widgets.h"

#include "platform/win_window_queries.h"

namespace torvane {

std::wstring Widget::Text() const
{
    return WindowText(hwnd_);
}

void Widget::SetText(const std::wstring& text) const
{
    // The same text again would still be sent to the window manager and
    // repainted; reading it back stays inside the program.
    if (Text() == text)
        return;
    SetWindowTextW(hwnd_, text.c_str());
}

void Label::Notified(int code)
{
    if (code == STN_CLICKED && onClick)
        onClick();
}

bool CheckBox::Checked() const
{
    return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) const
{
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::Notified(int code)
{
    if (code == BN_CLICKED && onChanged)
        onChanged();
}

void DropDownList::AddItem(const std::wstring& item) const
{
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void DropDownList::SelectItem(const std::wstring& item) const
{
    const LRESULT index =
        SendMessageW(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(hwnd_, CB_SETCURSEL, index == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(index), 0);
}

std::wstring DropDownList::SelectedText() const
{
    const LRESULT index = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::wstring();
    const LRESULT length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return std::wstring();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void DropDownList::Notified(int code)
{
    if (code == CBN_SELCHANGE && onChanged)
        onChanged();
}

void ListBox::SetItems(const std::vector<std::wstring>& items)
{
    // A list of thousands is filled unseen and shown once.
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
    widest_ = 0;
    for (const std::wstring& item : items)
        AddItem(item);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListBox::AddItem(const std::wstring& item)
{
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    Widen(item);
}

void ListBox::RemoveItem(int index) const
{
    SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

int ListBox::Selected() const
{
    const LRESULT index = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void ListBox::Select(int index) const
{
    SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ListBox::Notified(int code)
{
    if (code == LBN_SELCHANGE && onSelectionChanged)
        onSelectionChanged();
}

void ListBox::Widen(const std::wstring& item)
{
    const HDC dc = GetDC(hwnd_);
    if (!dc)
        return;
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32W(dc, item.c_str(), static_cast<int>(item.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    // A few pixels beyond the text, as the list's own margin.
    if (size.cx + 8 > widest_) {
        widest_ = size.cx + 8;
        SendMessageW(hwnd_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_), 0);
    }
}

void HistoryBox::Append(const std::wstring& text) const
{
    const LRESULT end = GetWindowTextLengthW(hwnd_);
    SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool WidgetRouter::Route(WPARAM wParam, LPARAM lParam) const
{
    const auto sender = reinterpret_cast<HWND>(lParam);
    for (Widget* widget : widgets_) {
        if (sender && widget->hwnd() == sender) {
            widget->Notified(HIWORD(wParam));
            return true;
        }
    }
    return false;
}

} // namespace torvane
