#pragma once

#include <functional>
#include <string>

#include <windows.h>

#include "app/win_child_controls.h"
#include "controls/win_command.h"

// Runs an action on a button's Click.
class ClickAction : public CommandEvents {
public:
    std::function<void()> action;
    void Click() override
    {
        if (action)
            action();
    }
};

// The records page: the history box with its Save and Clear buttons, and the
// last boost's title and count.
class RecordsPageView {
public:
    RecordsPageView() = default;
    ~RecordsPageView();
    RecordsPageView(const RecordsPageView&) = delete;
    RecordsPageView& operator=(const RecordsPageView&) = delete;

    void Create(const ChildFactory& factory, const FontSpec& buttonFont);

    void AppendHistory(const std::wstring& text) const;
    // LabelInfo's caption and its tooltip.
    void SetInfo(const std::wstring& title) const;

    HWND textHistory = nullptr;
    HWND labelInfo = nullptr;
    HWND labelCount = nullptr;
    ClickAction saveClicked;
    ClickAction clearClicked;

private:
    HWND tooltip_ = nullptr;
};
