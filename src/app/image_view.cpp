#include "app/image_view.h"

namespace torvane {

namespace {

const wchar_t kImageClass[] = L"TorvaneImage";

} // namespace

ImageView::Picture::Picture(int width, int height, const Painter& paint)
    : canvas_(std::make_unique<GdiCanvas>(width > 0 ? width : 1, height > 0 ? height : 1, 0))
{
    paint(*canvas_);
}

HBRUSH ImageView::Picture::Brush() const
{
    if (!brush_.get())
        brush_.reset(CreatePatternBrush(static_cast<HBITMAP>(GetCurrentObject(canvas_->Dc(), OBJ_BITMAP))));
    return brush_.get();
}

ImageView* ImageView::Create(HWND parent, int id, const RECT& place, const std::vector<Painter>& images,
                             Events events)
{
    std::vector<SharedPicture> pictures;
    for (const Painter& paint : images)
        pictures.push_back(std::make_shared<const Picture>(place.right - place.left, place.bottom - place.top, paint));
    return Create(parent, id, place, std::move(pictures), std::move(events));
}

ImageView* ImageView::Create(HWND parent, int id, const RECT& place, std::vector<SharedPicture> pictures,
                             Events events)
{
    const bool registered = RegisterOnce(kImageClass);
    if (!registered)
        return nullptr;
    auto* view = new ImageView(std::move(events));
    view->images_ = std::move(pictures);
    if (!CreateWindowExW(0, kImageClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place.left, place.top,
                         place.right - place.left, place.bottom - place.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), view)) {
        if (!view->hwnd())
            delete view;
        return nullptr;
    }
    return view;
}

void ImageView::MakeFocusable(AccessibleSource& source)
{
    accessible_ = std::make_unique<AccessibleAnswer>(source);
}

void ImageView::SetTabStop(bool tabStop)
{
    const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    SetWindowLongPtrW(hwnd_, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
}

void ImageView::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    if (!images_.empty()) {
        const GdiCanvas& image = images_[static_cast<std::size_t>(shown_)]->canvas();
        BitBlt(dc, 0, 0, image.Width(), image.Height(), image.Dc(), 0, 0, SRCCOPY);
    }
    if (accessible_ && GetFocus() == hwnd_) {
        RECT cue = {};
        GetClientRect(hwnd_, &cue);
        InflateRect(&cue, -3, -3);
        DrawFocusRect(dc, &cue);
    }
    EndPaint(hwnd_, &paint);
}

void ImageView::ShowOnly(int index)
{
    if (index == shown_ || index < 0 || index >= static_cast<int>(images_.size()))
        return;
    shown_ = index;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT ImageView::Mouse(UINT message, LPARAM lParam)
{
    const int button = message == WM_RBUTTONDOWN || message == WM_RBUTTONUP ? 2 : 1;
    switch (message) {
    case WM_MOUSEMOVE:
        if (events_.onMouseMove)
            events_.onMouseMove();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        SetCapture(hwnd_);
        if (events_.onMouseDown)
            events_.onMouseDown(button);
        break;
    default: {
        // The handlers may have let the capture go already (a drag does).
        const bool captured = GetCapture() == hwnd_;
        if (captured)
            ReleaseCapture();
        if (events_.onMouseUp)
            events_.onMouseUp(button);
        RECT client;
        GetClientRect(hwnd_, &client);
        const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (button == 1 && captured && PtInRect(&client, at) && events_.onClick)
            events_.onClick();
        break;
    }
    }
    return 0;
}

LRESULT ImageView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        return Mouse(message, lParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_GETDLGCODE:
        return accessible_ ? DLGC_WANTARROWS : DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_KEYDOWN:
        if (events_.onKeyDown && events_.onKeyDown(wParam))
            return 0;
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // The focus cue comes and goes; labels on the image are drawn again
        // over it.
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        if (message == WM_SETFOCUS && accessible_)
            NotifyAccessible(hwnd_, EVENT_OBJECT_FOCUS);
        return 0;
    case WM_GETOBJECT: {
        const LRESULT answer = accessible_ ? accessible_->Answer(hwnd_, wParam, lParam) : 0;
        return answer ? answer : DefWindowProcW(hwnd_, message, wParam, lParam);
    }
    case WM_CTLCOLORSTATIC: {
        // Labels on an image show the image through their background.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, labelColour_);
        if (images_.empty())
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        POINT origin = {0, 0};
        MapWindowPoints(reinterpret_cast<HWND>(lParam), hwnd_, &origin, 1);
        SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
        return reinterpret_cast<LRESULT>(images_[static_cast<std::size_t>(shown_)]->Brush());
    }
    case WM_COMMAND:
        return SendMessageW(GetParent(hwnd_), message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

} // namespace torvane
