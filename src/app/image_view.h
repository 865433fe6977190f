#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <windows.h>

#include "app/window_chrome.h"
#include "controls/gdi_canvas.h"
#include "platform/base_window.h"
#include "platform/scoped_handles.h"

// An image control array in one child window: its images are drawn once, at
// the control's pixel size, and one of them is shown. It reports the mouse
// like an image control: move, press, release and click.
class ImageView : public BaseWindow<ImageView>, public ImageSet {
public:
    using Painter = std::function<void(Canvas&)>;

    struct Callbacks {
        std::function<void()> mouseMove;
        std::function<void(int button)> mouseDown;
        std::function<void(int button)> mouseUp;
        std::function<void()> click;
    };

    static ImageView* Create(HWND parent, int id, const RECT& place, const std::vector<Painter>& images,
                             Callbacks callbacks = {});

    // The colour of labels placed on the image.
    void SetLabelColour(COLORREF colour) { labelColour_ = colour; }

    void ShowOnly(int index) override;
    bool IsVisible(int index) override { return index == shown_; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ImageView(Callbacks callbacks) : callbacks_(std::move(callbacks)) {}
    void OnFinalMessage() override { delete this; }
    LRESULT Mouse(UINT message, LPARAM lParam);

    Callbacks callbacks_;
    std::vector<std::unique_ptr<GdiCanvas>> images_;
    // Each image as a brush, so labels on it can paint their background with
    // the part of the image behind them.
    std::vector<std::unique_ptr<ScopedGdiObject<HBRUSH>>> backgrounds_;
    int shown_ = 0;
    COLORREF labelColour_ = 0;
};
