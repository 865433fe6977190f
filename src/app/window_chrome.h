#pragma once

// An image control array: several images in one place, one of them shown.
class ImageSet {
public:
    virtual ~ImageSet() = default;
    virtual void ShowOnly(int index) = 0;
    virtual bool IsVisible(int index) = 0;
};

// What the chrome's handlers ask of the main window.
class ChromeHost {
public:
    virtual ~ChromeHost() = default;
    // Lets the system move the window with the mouse, as a title bar would.
    virtual void StartDrag() = 0;
    virtual void Minimise() = 0;
    // Unloads the main window (which, while not exiting, hides it).
    virtual void Unload() = 0;
};

// The caption bar and the minimise and close buttons, drawn from images:
// resting (0), hover (1) and pressed (2).
class WindowChrome {
public:
    WindowChrome(ImageSet& minimise, ImageSet& exit, ChromeHost& host);

    void ImageCaption_MouseDown(int button);
    void ImageMin_MouseMove();
    void ImageMin_MouseDown();
    void ImageMin_MouseUp();
    void ImageExit_MouseMove();
    void ImageExit_MouseDown();
    void ImageExit_MouseUp();
    void ImageExit_Click();
    // The pointer over the window's background.
    void Form_MouseMove();

private:
    ImageSet& minimise_;
    ImageSet& exit_;
    ChromeHost& host_;
};
