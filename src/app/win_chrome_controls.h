#pragma once

#include <memory>
#include <string>

#include <windows.h>

#include "app/image_view.h"
#include "app/page_navigation.h"
#include "app/win_page_tabs.h"
#include "app/win_ui_font.h"
#include "app/win_widgets.h"
#include "app/window_chrome.h"
#include "platform/page.h"

namespace torvane {

// The main window's drawn chrome: the caption bar with its title, the
// minimise and close buttons, the page tabs, the page tip and the
// version line; and which of the pages shows. The window's own
// WM_COMMAND goes to router(), for the tabs' labels.
class ChromeControls : public PageView {
public:
    // A click on a tab (its picture or its label) chooses its page; the
    // buttons and the caption bar act on `window` as their events ask.
    void Create(HWND window, int dpi, const UiFonts& fonts, const HWND (&pages)[kPageCount]);

    void MarkTab(Page tab, bool selected) override { tabs_.Mark(tab, selected); }
    void ShowPage(Page page, bool visible) override;
    void SetTip(const std::wstring& text) override { tip_.SetText(text); }
    // The pointer over the window's background puts the buttons to rest.
    void FormMouseMove() const { Act(chrome_->Form_MouseMove()); }
    const WidgetRouter& router() const { return tabs_.router(); }
    // The window's keys that no single control handles: Ctrl+Tab and
    // Ctrl+Shift+Tab between pages, Alt + a drawn button's access key. True
    // when the message was used.
    bool TranslateKey(const MSG& message);

private:
    void CreateCaptionBar(HWND window, int dpi, const UiFonts& fonts);

    // Does what a chrome event asks of the window: drag, minimise, unload.
    void Act(ChromeAction action) const;

    HWND window_ = nullptr;
    HWND pages_[kPageCount] = {};
    PageTabs tabs_;
    Label tip_;
    std::unique_ptr<WindowChrome> chrome_;
};

// The main window's size in twips, and where its pages go.
namespace MainWindowLayout {
constexpr int kWidth = 11760;
constexpr int kHeight = 7560;
constexpr int kPageLeft = 3240;
constexpr int kPageTop = 2160;
constexpr int kPageWidth = 8280;
constexpr int kPageHeight = 5160;
} // namespace MainWindowLayout

} // namespace torvane
