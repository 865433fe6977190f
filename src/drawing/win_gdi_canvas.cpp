#include "drawing/win_gdi_canvas.h"

#include <vector>

namespace torvane {

namespace {

RECT ToRect(const PixelRect& box)
{
    return {box.left, box.top, box.right, box.bottom};
}

// Top-down 32-bit pixels keep every colour exact whatever the display depth.
HBITMAP CreatePicture(HDC dc, int width, int height, void*& bits)
{
    bits = nullptr;
    if (width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

} // namespace

GdiCanvas::GdiCanvas(int width, int height, Colour background)
    : dc_(CreateCompatibleDC(nullptr)), background_(background)
{
    Resize(width, height);
}

GdiCanvas::~GdiCanvas()
{
    if (dc_ && originalBitmap_)
        SelectObject(dc_.get(), originalBitmap_);
}

void GdiCanvas::Resize(int width, int height)
{
    if (!dc_)
        return;
    void* bits = nullptr;
    HBITMAP picture = CreatePicture(dc_.get(), width, height, bits);
    HGDIOBJ previous = SelectObject(dc_.get(), picture ? static_cast<HGDIOBJ>(picture) : originalBitmap_);
    if (!originalBitmap_)
        originalBitmap_ = previous;
    bitmap_.reset(picture);
    bits_ = picture ? static_cast<std::uint32_t*>(bits) : nullptr;
    width_ = picture ? width : 0;
    height_ = picture ? height : 0;
    Clear();
}

void GdiCanvas::Clear()
{
    FillBox({0, 0, width_, height_}, background_);
}

void GdiCanvas::FillBox(const PixelRect& box, Colour colour)
{
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    const RECT rect = ToRect(box);
    FillRect(dc_.get(), &rect, brush.get());
}

void GdiCanvas::FrameBox(const PixelRect& box, Colour colour)
{
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    const RECT rect = ToRect(box);
    FrameRect(dc_.get(), &rect, brush.get());
}

void GdiCanvas::Line(int x1, int y1, int x2, int y2, Colour colour)
{
    const ScopedSelect pen(dc_.get(), GetStockObject(DC_PEN));
    SetDCPenColor(dc_.get(), colour);
    MoveToEx(dc_.get(), x1, y1, nullptr);
    LineTo(dc_.get(), x2, y2);
}

void GdiCanvas::Polyline(const std::vector<CanvasPoint>& points, Colour colour)
{
    if (points.size() < 2)
        return;
    std::vector<POINT> corners;
    corners.reserve(points.size());
    for (const CanvasPoint& point : points)
        corners.push_back({point.x, point.y});
    const ScopedSelect pen(dc_.get(), GetStockObject(DC_PEN));
    SetDCPenColor(dc_.get(), colour);
    ::Polyline(dc_.get(), corners.data(), static_cast<int>(corners.size()));
}

void GdiCanvas::SetPixel(int x, int y, Colour colour)
{
    SetPixelV(dc_.get(), x, y, colour);
}

Colour GdiCanvas::GetPixel(int x, int y) const
{
    // Without a bitmap the DC still holds its own 1 x 1 one.
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return kInvalidColour;
    return ::GetPixel(dc_.get(), x, y);
}

void GdiCanvas::FocusRect(const PixelRect& box, Colour textColour)
{
    SetTextColor(dc_.get(), textColour);
    const RECT rect = ToRect(box);
    DrawFocusRect(dc_.get(), &rect);
}

void GdiCanvas::Text(const std::wstring& text, const PixelRect& box, unsigned flags, Colour colour)
{
    const ScopedSelect font(dc_.get(), font_);
    SetBkMode(dc_.get(), TRANSPARENT);
    SetTextColor(dc_.get(), colour);
    RECT rect = ToRect(box);
    DrawTextW(dc_.get(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

PixelSize GdiCanvas::MeasureText(const std::wstring& text, int wrapWidth, unsigned flags)
{
    const ScopedSelect font(dc_.get(), font_);
    RECT rect{0, 0, wrapWidth, 0};
    DrawTextW(dc_.get(), text.c_str(), static_cast<int>(text.size()), &rect, flags | TextFlags::CalcRect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool GdiCanvas::ScrollLeft(int columns)
{
    // The bitmap copies onto itself, overlapping: GDI copies in the order
    // that keeps every source pixel until it has been read.
    if (columns > 0 && columns < width_)
        BitBlt(dc_.get(), 0, 0, width_ - columns, height_, dc_.get(), columns, 0, SRCCOPY);
    return true;
}

void GdiCanvas::SetClip(const PixelRect* box)
{
    SelectClipRgn(dc_.get(), nullptr);
    if (box)
        IntersectClipRect(dc_.get(), box->left, box->top, box->right, box->bottom);
}

} // namespace torvane
