#pragma once

#include <functional>

#include <windows.h>

#include "app/image_view.h"
#include "app/win_ui_font.h"
#include "app/win_widgets.h"
#include "platform/page.h"
#include "platform/win_accessible.h"

namespace torvane {

// The page tabs down the window's left side: pictures with a label,
// which the mouse clicks, the keyboard reaches (the shown page's tab is the
// one tab stop, the arrow keys move between pages) and assistive technology
// reads as page tabs.
class PageTabs {
public:
    // A page chosen by a click, a key or a request from assistive
    // technology; set before Create.
    std::function<void(Page)> onChoose;

    void Create(HWND window, int dpi, const UiFonts& fonts);

    void Mark(Page tab, bool selected);
    // The shown page's tab, as Mark last left it.
    Page Selected() const { return selected_; }
    // Shows the page `step` tabs away from the shown one (no wrapping for the
    // arrow keys, wrapping for Ctrl+Tab) and puts the focus on its tab.
    void Move(int step, bool wrap);
    HWND TabWindow(Page page) const { return tabs_[static_cast<int>(page)].image->hwnd(); }
    // The tabs' labels' clicks.
    const WidgetRouter& router() const { return router_; }

private:
    struct Tab : AccessibleSource {
        PageTabs* owner = nullptr;
        Page page = Page::Status;
        ImageView* image = nullptr;
        Label label;

        long AccessibleRole() const override { return ROLE_SYSTEM_PAGETAB; }
        std::wstring AccessibleName() const override;
        long AccessibleState() const override;
        std::wstring DefaultActionName() const override { return L"切换"; }
        bool DoDefaultAction() override;
    };

    bool KeyDown(WPARAM key);
    void Choose(Page page) const;

    Tab tabs_[kPageCount];
    Page selected_ = Page::Status;
    WidgetRouter router_;
};

} // namespace torvane
