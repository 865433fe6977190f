#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <windows.h>

#include "app/window_chrome.h"
#include "drawing/win_gdi_canvas.h"
#include "platform/win_accessible.h"
#include "platform/win_base_window.h"
#include "platform/win_handles.h"

namespace torvane {

// An image control array in one child window: its images are drawn once, at
// the control's pixel size, and one of them is shown. It reports the mouse
// like an image control: move, press, release and click.
class ImageView : public BaseWindow<ImageView>, public ImageSet {
public:
    using Painter = std::function<void(Canvas&)>;

    // One drawn image, which several views of the same size may show.
    class Picture {
    public:
        Picture(int width, int height, const Painter& paint);
        const GdiCanvas& canvas() const { return *canvas_; }
        // The image as a pattern brush, so labels on it can paint their
        // background with the part of the image behind them. Made on first
        // use: most images carry no label.
        HBRUSH Brush() const;

    private:
        std::unique_ptr<GdiCanvas> canvas_;
        mutable ScopedGdiObject<HBRUSH> brush_;
    };
    using SharedPicture = std::shared_ptr<const Picture>;

    // What the view tells its owner, each run when set.
    struct Events {
        std::function<void()> onMouseMove;
        std::function<void(int button)> onMouseDown;
        std::function<void(int button)> onMouseUp;
        std::function<void()> onClick;
        // A key pressed while the view has the focus; false leaves it to the
        // system.
        std::function<bool(WPARAM key)> onKeyDown;
    };

    static ImageView* Create(HWND parent, int id, const RECT& place, const std::vector<Painter>& images,
                             Events events = {});
    // The same, showing pictures drawn beforehand at the size of `place`.
    static ImageView* Create(HWND parent, int id, const RECT& place, std::vector<SharedPicture> pictures,
                             Events events = {});

    // The colour of labels placed on the image.
    void SetLabelColour(COLORREF colour) { labelColour_ = colour; }

    // Lets the keyboard reach the view: it takes the arrow keys, draws a focus
    // cue while it has the focus, and tells assistive technology what
    // `source` says of it.
    void MakeFocusable(AccessibleSource& source);
    void SetTabStop(bool tabStop);

    void ShowOnly(int index) override;
    bool IsVisible(int index) override { return index == shown_; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ImageView(Events events) : events_(std::move(events)) {}
    void OnFinalMessage() override { delete this; }
    LRESULT Mouse(UINT message, LPARAM lParam);
    void Paint();

    Events events_;
    std::vector<SharedPicture> images_;
    int shown_ = 0;
    COLORREF labelColour_ = 0;
    std::unique_ptr<AccessibleAnswer> accessible_;
};

} // namespace torvane
