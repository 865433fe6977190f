#pragma once

#include <string>

#include "platform/page.h"

namespace torvane {

// The main window's side of page switching.
class PageView {
public:
    virtual ~PageView() = default;
    // Shows a tab as selected or not.
    virtual void MarkTab(Page tab, bool selected) = 0;
    virtual void ShowPage(Page page, bool visible) = 0;
    virtual void SetTip(const std::wstring& text) = 0;
};

// The line LabelTip shows while a page is shown.
const wchar_t* PageTip(Page page);

// Marks the chosen tab, shows its page alone and its tip. Choosing the page
// already shown changes nothing that can be seen.
void SelectPage(PageView& view, Page chosen);

} // namespace torvane
