#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace torvane {

// Thin wrappers over the standard controls of a page. The page hands each
// WM_COMMAND to its WidgetRouter, which calls the sending control's callback.
class Widget {
public:
    virtual ~Widget() = default;
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    HWND hwnd() const { return hwnd_; }
    std::wstring Text() const;
    void SetText(const std::wstring& text) const;

    // A notification code the control sent to its parent.
    virtual void Notified(int code) { (void)code; }

protected:
    HWND hwnd_ = nullptr;
};

// A static label; clicks reach onClick when it has SS_NOTIFY.
class Label : public Widget {
public:
    std::function<void()> onClick;
    void Notified(int code) override;
};

// An auto check box: onChanged runs after the user has toggled it. Setting
// its state from the program runs nothing.
class CheckBox : public Widget {
public:
    std::function<void()> onChanged;
    bool Checked() const;
    void SetChecked(bool checked) const;
    void Notified(int code) override;
};

// A drop-down list: onChanged runs when the user picks an item.
class DropDownList : public Widget {
public:
    std::function<void()> onChanged;
    void AddItem(const std::wstring& item) const;
    // Selects the item with exactly this text, or none when there is none.
    void SelectItem(const std::wstring& item) const;
    // The selected item's text, empty when none is selected.
    std::wstring SelectedText() const;
    void Notified(int code) override;
};

// A list of texts in the order added: onSelectionChanged runs when the user
// selects another item. It scrolls sideways for a text wider than itself.
class ListBox : public Widget {
public:
    std::function<void()> onSelectionChanged;
    void SetItems(const std::vector<std::wstring>& items);
    void AddItem(const std::wstring& item);
    void RemoveItem(int index) const;
    // -1 when none is selected.
    int Selected() const;
    void Select(int index) const;
    void Notified(int code) override;

private:
    void Widen(const std::wstring& item);
    int widest_ = 0;
};

// A read-only multi-line edit box that text is added to at its end.
class HistoryBox : public Widget {
public:
    void Append(const std::wstring& text) const;
};

class WidgetRouter {
public:
    void Add(Widget& widget) { widgets_.push_back(&widget); }
    // Passes a WM_COMMAND to the control that sent it; false when it is none
    // of this router's.
    bool Route(WPARAM wParam, LPARAM lParam) const;

private:
    std::vector<Widget*> widgets_;
};

} // namespace torvane
