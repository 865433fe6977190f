#include "app/win_chrome_controls.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/chrome_artwork.h"
#include "app/win_child_controls.h"
#include "app/control_ids.h"
#include "app/page_table.h"
#include "app/twips.h"

namespace torvane {

namespace {

using namespace MainWindowLayout;

constexpr int kCaptionHeight = 600;
constexpr int kButtonWidth = 480;
constexpr int kButtonHeight = 330;
constexpr int kTabLeft = 110;
constexpr int kTabWidth = 3020;
constexpr int kTabHeight = 500;
constexpr int kTabLabelHeight = 300;

RECT PlaceOf(int left, int top, int width, int height, int dpi)
{
    const int x = TwipsToPixels(left, dpi);
    const int y = TwipsToPixels(top, dpi);
    return {x, y, x + TwipsToPixels(width, dpi), y + TwipsToPixels(height, dpi)};
}

} // namespace

void ChromeControls::Create(HWND window, int dpi, const UiFonts& fonts, const HWND (&pages)[4])
{
    window_ = window;
    std::copy(std::begin(pages), std::end(pages), pages_);
    CreateTabs(window, dpi, fonts);
    CreateCaptionBar(window, dpi, fonts);

    ImageView::Callbacks onMin;
    onMin.mouseMove = [this] { Act(chrome_->ImageMin_MouseMove()); };
    onMin.mouseDown = [this](int) { Act(chrome_->ImageMin_MouseDown()); };
    onMin.mouseUp = [this](int) { Act(chrome_->ImageMin_MouseUp()); };
    ImageView::Callbacks onExit;
    onExit.mouseMove = [this] { Act(chrome_->ImageExit_MouseMove()); };
    onExit.mouseDown = [this](int) { Act(chrome_->ImageExit_MouseDown()); };
    onExit.mouseUp = [this](int) { Act(chrome_->ImageExit_MouseUp()); };
    const int barTop = TwipsToPixels(90, dpi);
    const int barHeight = TwipsToPixels(kCaptionHeight, dpi);
    const auto buttonImages = [barTop, barHeight](WindowButton button) {
        std::vector<ImageView::Painter> images;
        for (int state = 0; state < 3; ++state)
            images.push_back(
                [button, state, barTop, barHeight](Canvas& c) { DrawWindowButton(c, button, state, barTop, barHeight); });
        return images;
    };
    ImageView* minimise = ImageView::Create(window, ControlId::ImageMin,
                                            PlaceOf(10800, 90, kButtonWidth, kButtonHeight, dpi),
                                            buttonImages(WindowButton::Minimise), onMin);
    ImageView* exit = ImageView::Create(window, ControlId::ImageExit, PlaceOf(11280, 90, kButtonWidth, kButtonHeight, dpi),
                                        buttonImages(WindowButton::Close), onExit);
    // The buttons sit on the caption bar.
    SetWindowPos(minimise->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(exit->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    chrome_ = std::make_unique<WindowChrome>(*minimise, *exit);

    const ChildFactory onWindow(window, dpi, fonts.regular());
    tip_.Attach(onWindow.Label(ControlId::LabelTip, {kPageLeft + 240, 1680, kPageWidth - 240, 360}, L""));
    onWindow.Label(ControlId::LabelVersion, {kWidth - 900, kPageTop + kPageHeight + 15, 780, 225}, L"v7.2", SS_RIGHT);
}

void ChromeControls::CreateTabs(HWND window, int dpi, const UiFonts& fonts)
{
    // The four tabs look alike: they share one drawing of each state.
    const int width = TwipsToPixels(kTabWidth, dpi);
    const int height = TwipsToPixels(kTabHeight, dpi);
    const std::vector<ImageView::SharedPicture> pictures = {
        std::make_shared<const ImageView::Picture>(width, height, [](Canvas& c) { DrawTab(c, false); }),
        std::make_shared<const ImageView::Picture>(width, height, [](Canvas& c) { DrawTab(c, true); })};
    for (int i = 0; i < 4; ++i) {
        const PageRow& row = kPageRows[i];
        const Page page = row.page;
        ImageView::Callbacks onTab;
        onTab.click = [this, page] { SelectPage(*this, page); };
        tabImages_[i] = ImageView::Create(window, row.tabImageId, PlaceOf(kTabLeft, row.tabTop, kTabWidth, kTabHeight, dpi),
                                          pictures, onTab);
        // Centred on its tab: the tab's height less the label's, halved.
        const ChildFactory onImage(tabImages_[i]->hwnd(), dpi, fonts.regular());
        tabLabels_[i].Attach(onImage.Label(
            row.tabLabelId, {240, kTabHeight / 2 - kTabLabelHeight / 2, kTabWidth - 240, kTabLabelHeight},
            row.tabCaption));
        // A tab's label does what a click on its image does.
        tabLabels_[i].onClick = [this, page] { SelectPage(*this, page); };
        router_.Add(tabLabels_[i]);
        tabImages_[i]->SetLabelColour(RGB(40, 48, 64));
    }
}

void ChromeControls::CreateCaptionBar(HWND window, int dpi, const UiFonts& fonts)
{
    ImageView::Callbacks onCaption;
    onCaption.mouseDown = [this](int button) { Act(chrome_->ImageCaption_MouseDown(button)); };
    ImageView* caption = ImageView::Create(window, ControlId::ImageCaption, PlaceOf(0, 0, kWidth, kCaptionHeight, dpi),
                                           {[](Canvas& c) { DrawCaptionBar(c); }}, onCaption);
    caption->SetLabelColour(RGB(255, 255, 255));
    const ChildFactory onBar(caption->hwnd(), dpi, fonts.heading());
    HWND title = onBar.Label(ControlId::LabelCaption, {0, kCaptionHeight / 2 - 180, 3000, 360}, L"Torvane");
    // The title is part of the bar: a press on it falls through to the bar and
    // drags the window.
    SetWindowLongPtrW(title, GWL_STYLE, GetWindowLongPtrW(title, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_NOTIFY));
    const int titleLeft = CaptionMarkRight(TwipsToPixels(kCaptionHeight, dpi)) + TwipsToPixels(90, dpi);
    SetWindowPos(title, nullptr, titleLeft, TwipsToPixels(kCaptionHeight / 2 - 180, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

void ChromeControls::MarkTab(Page tab, bool selected)
{
    const int i = static_cast<int>(tab);
    tabImages_[i]->ShowOnly(selected ? 1 : 0);
    // The label on the image is drawn again over the new picture.
    InvalidateRect(tabLabels_[i].hwnd(), nullptr, TRUE);
}

void ChromeControls::Act(ChromeAction action) const
{
    switch (action) {
    case ChromeAction::None:
        break;
    case ChromeAction::StartDrag: {
        // The point the drag starts from, in screen coordinates, as a title
        // bar press would report it.
        POINT at = {};
        GetCursorPos(&at);
        ReleaseCapture();
        SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
        break;
    }
    case ChromeAction::Minimise:
        SendMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case ChromeAction::Unload:
        SendMessageW(window_, WM_CLOSE, 0, 0);
        break;
    }
}

void ChromeControls::ShowPage(Page page, bool visible)
{
    ShowWindow(pages_[static_cast<int>(page)], visible ? SW_SHOW : SW_HIDE);
}

} // namespace torvane
