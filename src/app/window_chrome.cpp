#include "app/window_chrome.h"

namespace torvane {

namespace {
constexpr int kLeftButton = 1;
constexpr int kResting = 0;
constexpr int kHover = 1;
constexpr int kPressed = 2;
} // namespace

WindowChrome::WindowChrome(ImageSet& minimise, ImageSet& exit) : minimise_(minimise), exit_(exit) {}

ChromeAction WindowChrome::ImageCaption_MouseDown(int button)
{
    return button == kLeftButton ? ChromeAction::StartDrag : ChromeAction::None;
}

ChromeAction WindowChrome::ImageMin_MouseMove()
{
    minimise_.ShowOnly(kHover);
    return ChromeAction::None;
}

ChromeAction WindowChrome::ImageMin_MouseDown()
{
    minimise_.ShowOnly(kPressed);
    return ChromeAction::None;
}

ChromeAction WindowChrome::ImageMin_MouseUp()
{
    return minimise_.IsVisible(kPressed) ? ChromeAction::Minimise : ChromeAction::None;
}

ChromeAction WindowChrome::ImageExit_MouseMove()
{
    exit_.ShowOnly(kHover);
    return ChromeAction::None;
}

ChromeAction WindowChrome::ImageExit_MouseDown()
{
    exit_.ShowOnly(kPressed);
    return ChromeAction::None;
}

ChromeAction WindowChrome::ImageExit_MouseUp()
{
    return exit_.IsVisible(kPressed) ? ChromeAction::Unload : ChromeAction::None;
}

ChromeAction WindowChrome::ImageExit_Click()
{
    return ChromeAction::Unload;
}

ChromeAction WindowChrome::Form_MouseMove()
{
    minimise_.ShowOnly(kResting);
    exit_.ShowOnly(kResting);
    return ChromeAction::None;
}

} // namespace torvane
