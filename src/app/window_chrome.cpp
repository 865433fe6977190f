#include "app/window_chrome.h"

namespace {
constexpr int kLeftButton = 1;
constexpr int kResting = 0;
constexpr int kHover = 1;
constexpr int kPressed = 2;
} // namespace

WindowChrome::WindowChrome(ImageSet& minimise, ImageSet& exit, ChromeHost& host)
    : minimise_(minimise), exit_(exit), host_(host)
{
}

void WindowChrome::ImageCaption_MouseDown(int button)
{
    if (button == kLeftButton)
        host_.StartDrag();
}

void WindowChrome::ImageMin_MouseMove() { minimise_.ShowOnly(kHover); }
void WindowChrome::ImageMin_MouseDown() { minimise_.ShowOnly(kPressed); }

void WindowChrome::ImageMin_MouseUp()
{
    if (minimise_.IsVisible(kPressed))
        host_.Minimise();
}

void WindowChrome::ImageExit_MouseMove() { exit_.ShowOnly(kHover); }
void WindowChrome::ImageExit_MouseDown() { exit_.ShowOnly(kPressed); }

void WindowChrome::ImageExit_MouseUp()
{
    if (exit_.IsVisible(kPressed))
        host_.Unload();
}

void WindowChrome::ImageExit_Click()
{
    host_.Unload();
}

void WindowChrome::Form_MouseMove()
{
    minimise_.ShowOnly(kResting);
    exit_.ShowOnly(kResting);
}
