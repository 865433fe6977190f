#pragma once

namespace torvane {

// An image control array: several images in one place, one of them shown.
class ImageSet {
public:
    virtual ~ImageSet() = default;
    virtual void ShowOnly(int index) = 0;
    virtual bool IsVisible(int index) = 0;
};

// What a chrome event asks of the main window.
enum class ChromeAction {
    None,
    StartDrag, // let the system move the window with the mouse, as a title bar would
    Minimise,
    Unload,    // unload the main window (which, while not exiting, hides it)
};

// The caption bar and the minimise and close buttons, drawn from images:
// resting (0), hover (1) and pressed (2). Each event sets the images and
// says what the window is to do.
class WindowChrome {
public:
    WindowChrome(ImageSet& minimise, ImageSet& exit);

    ChromeAction ImageCaption_MouseDown(int button);
    ChromeAction ImageMin_MouseMove();
    ChromeAction ImageMin_MouseDown();
    ChromeAction ImageMin_MouseUp();
    ChromeAction ImageExit_MouseMove();
    ChromeAction ImageExit_MouseDown();
    ChromeAction ImageExit_MouseUp();
    ChromeAction ImageExit_Click();
    // The pointer over the window's background.
    ChromeAction Form_MouseMove();

private:
    ImageSet& minimise_;
    ImageSet& exit_;
};

} // namespace torvane
