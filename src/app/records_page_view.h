#pragma once

#include <string>

#include <windows.h>

#include "app/child_controls.h"

// The records page: the history box and the last boost's title and count.
// Save and Clear buttons go under the history box.
class RecordsPageView {
public:
    RecordsPageView() = default;
    ~RecordsPageView();
    RecordsPageView(const RecordsPageView&) = delete;
    RecordsPageView& operator=(const RecordsPageView&) = delete;

    void Create(const ChildFactory& factory);

    void AppendHistory(const std::wstring& text) const;
    // LabelInfo's caption and its tooltip.
    void SetInfo(const std::wstring& title) const;

    HWND textHistory = nullptr;
    HWND labelInfo = nullptr;
    HWND labelCount = nullptr;

private:
    HWND tooltip_ = nullptr;
};
