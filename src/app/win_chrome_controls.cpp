#include "app/win_chrome_controls.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/chrome_artwork.h"
#include "app/win_child_controls.h"
#include "app/control_ids.h"
#include "app/page_table.h"
#include "app/twips.h"
#include "controls/win_command.h"

namespace torvane {

namespace {

using namespace MainWindowLayout;

constexpr int kCaptionHeight = 600;
constexpr int kButtonWidth = 480;
constexpr int kButtonHeight = 330;

RECT PlaceOf(int left, int top, int width, int height, int dpi)
{
    const int x = TwipsToPixels(left, dpi);
    const int y = TwipsToPixels(top, dpi);
    return {x, y, x + TwipsToPixels(width, dpi), y + TwipsToPixels(height, dpi)};
}

} // namespace

void ChromeControls::Create(HWND window, int dpi, const UiFonts& fonts, const HWND (&pages)[kPageCount])
{
    window_ = window;
    std::copy(std::begin(pages), std::end(pages), pages_);
    tabs_.onChoose = [this](Page page) { SelectPage(*this, page); };
    tabs_.Create(window, dpi, fonts);
    // The pages come after the tabs in the order Tab moves in.
    for (HWND page : pages_)
        SetWindowPos(page, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CreateCaptionBar(window, dpi, fonts);

    ImageView::Events onMin;
    onMin.onMouseMove = [this] { Act(chrome_->ImageMin_MouseMove()); };
    onMin.onMouseDown = [this](int) { Act(chrome_->ImageMin_MouseDown()); };
    onMin.onMouseUp = [this](int) { Act(chrome_->ImageMin_MouseUp()); };
    ImageView::Events onExit;
    onExit.onMouseMove = [this] { Act(chrome_->ImageExit_MouseMove()); };
    onExit.onMouseDown = [this](int) { Act(chrome_->ImageExit_MouseDown()); };
    onExit.onMouseUp = [this](int) { Act(chrome_->ImageExit_MouseUp()); };
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

void ChromeControls::CreateCaptionBar(HWND window, int dpi, const UiFonts& fonts)
{
    ImageView::Events onCaption;
    onCaption.onMouseDown = [this](int button) { Act(chrome_->ImageCaption_MouseDown(button)); };
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

bool ChromeControls::TranslateKey(const MSG& message)
{
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd))
        return false;
    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages wherever the focus is.
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        tabs_.Move(GetKeyState(VK_SHIFT) < 0 ? -1 : 1, true);
        return true;
    }
    // Alt and a letter: the drawn button whose caption marks it.
    if (message.message == WM_SYSCHAR)
        return CommandWindow::ClickAccessKey(window_, static_cast<wchar_t>(message.wParam));
    return false;
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
    const HWND pageWindow = pages_[static_cast<int>(page)];
    ShowWindow(pageWindow, visible ? SW_SHOW : SW_HIDE);
    // Keys never go to a control of a hidden page: the window takes the
    // focus, and Tab starts again from the shown page's tab.
    const HWND focus = GetFocus();
    if (!visible && focus && (focus == pageWindow || IsChild(pageWindow, focus)))
        SetFocus(window_);
}

} // namespace torvane
