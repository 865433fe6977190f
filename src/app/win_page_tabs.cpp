#include "app/win_page_tabs.h"

#include <memory>
#include <vector>

#include "app/chrome_artwork.h"
#include "app/page_table.h"
#include "app/twips.h"
#include "app/win_child_controls.h"

namespace torvane {

namespace {

constexpr int kTabLeft = 110;
constexpr int kTabWidth = 3020;
constexpr int kTabHeight = 500;
constexpr int kTabLabelHeight = 300;
// The label stops short of the tab's right edge, where the focus cue runs.
constexpr int kTabLabelRightGap = 120;

} // namespace

void PageTabs::Create(HWND window, int dpi, const UiFonts& fonts)
{
    // The tabs look alike: they share one drawing of each state.
    const int width = TwipsToPixels(kTabWidth, dpi);
    const int height = TwipsToPixels(kTabHeight, dpi);
    const std::vector<ImageView::SharedPicture> pictures = {
        std::make_shared<const ImageView::Picture>(width, height, [](Canvas& c) { DrawTab(c, false); }),
        std::make_shared<const ImageView::Picture>(width, height, [](Canvas& c) { DrawTab(c, true); })};
    for (int i = 0; i < kPageCount; ++i) {
        const PageRow& row = kPageRows[i];
        Tab& tab = tabs_[i];
        tab.owner = this;
        tab.page = row.page;
        ImageView::Events onTab;
        onTab.onClick = [this, page = row.page] { Choose(page); };
        onTab.onKeyDown = [this](WPARAM key) { return KeyDown(key); };
        const int left = TwipsToPixels(kTabLeft, dpi);
        const int top = TwipsToPixels(row.tabTop, dpi);
        tab.image = ImageView::Create(window, row.tabImageId, {left, top, left + width, top + height}, pictures, onTab);
        tab.image->MakeFocusable(tab);
        // Centred on its tab: the tab's height less the label's, halved.
        const ChildFactory onImage(tab.image->hwnd(), dpi, fonts.regular());
        tab.label.Attach(onImage.Label(row.tabLabelId,
                                       {240, kTabHeight / 2 - kTabLabelHeight / 2,
                                        kTabWidth - 240 - kTabLabelRightGap, kTabLabelHeight},
                                       row.tabCaption));
        // The tab's window text is its caption, as automation tools look for it.
        SetWindowTextW(tab.image->hwnd(), row.tabCaption);
        // A tab's label does what a click on its image does.
        tab.label.onClick = onTab.onClick;
        router_.Add(tab.label);
        tab.image->SetLabelColour(RGB(40, 48, 64));
    }
}

void PageTabs::Choose(Page page) const
{
    if (onChoose)
        onChoose(page);
}

void PageTabs::Mark(Page page, bool selected)
{
    Tab& tab = tabs_[static_cast<int>(page)];
    const bool wasSelected = selected_ == page;
    tab.image->ShowOnly(selected ? 1 : 0);
    tab.image->SetTabStop(selected);
    // The label on the image is drawn again over the new picture.
    InvalidateRect(tab.label.hwnd(), nullptr, TRUE);
    if (selected)
        selected_ = page;
    if (selected != wasSelected) {
        NotifyAccessible(tab.image->hwnd(), EVENT_OBJECT_STATECHANGE);
        if (selected)
            NotifyAccessible(tab.image->hwnd(), EVENT_OBJECT_SELECTION);
    }
}

void PageTabs::Move(int step, bool wrap)
{
    int next = static_cast<int>(selected_) + step;
    if (wrap)
        next = (next % kPageCount + kPageCount) % kPageCount;
    if (next < 0 || next >= kPageCount)
        return;
    Choose(kPageRows[next].page);
    SetFocus(TabWindow(kPageRows[next].page));
}

bool PageTabs::KeyDown(WPARAM key)
{
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        Move(-1, false);
        return true;
    case VK_DOWN:
    case VK_RIGHT:
        Move(1, false);
        return true;
    case VK_HOME:
        Move(-static_cast<int>(selected_), false);
        return true;
    case VK_END:
        Move(kPageCount - 1 - static_cast<int>(selected_), false);
        return true;
    default:
        return false;
    }
}

std::wstring PageTabs::Tab::AccessibleName() const
{
    return PageRowOf(page).tabCaption;
}

long PageTabs::Tab::AccessibleState() const
{
    long state = WindowAccessibleState(image->hwnd()) | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (owner->selected_ == page)
        state |= STATE_SYSTEM_SELECTED;
    return state;
}

bool PageTabs::Tab::DoDefaultAction()
{
    owner->Choose(page);
    return true;
}

} // namespace torvane
