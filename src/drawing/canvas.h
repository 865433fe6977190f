#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "drawing/colour.h"

namespace torvane {

// A rectangle in pixels: left and top inside, right and bottom just outside.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct CanvasPoint {
    int x = 0;
    int y = 0;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

// DrawText flags the button uses, with the platform's values.
namespace TextFlags {
constexpr unsigned Center = 0x0001;
constexpr unsigned VCenter = 0x0004;
constexpr unsigned WordBreak = 0x0010;
constexpr unsigned SingleLine = 0x0020;
constexpr unsigned CalcRect = 0x0400;
} // namespace TextFlags

// What the owner-drawn controls paint with, in pixels from the top-left
// corner. The Win32 canvas draws into the control's persistent memory bitmap;
// a raster canvas in memory lets tests check exact pixels.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Fills the whole surface with its background colour.
    virtual void Clear() = 0;
    // FillRect: every pixel of the rectangle.
    virtual void FillBox(const PixelRect& box, Colour colour) = 0;
    // FrameRect: the rectangle's one-pixel outline.
    virtual void FrameBox(const PixelRect& box, Colour colour) = 0;
    // MoveToEx + LineTo: from the start up to, not including, the end pixel.
    // Only horizontal and vertical lines are drawn by the controls.
    virtual void Line(int x1, int y1, int x2, int y2, Colour colour) = 0;
    // Joined segments through the points, each coloured as Line colours it.
    // One call for a whole series is far cheaper on a real device context.
    virtual void Polyline(const std::vector<CanvasPoint>& points, Colour colour)
    {
        for (std::size_t i = 1; i < points.size(); ++i)
            Line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, colour);
    }
    virtual void SetPixel(int x, int y, Colour colour) = 0;
    // kInvalidColour outside the surface.
    virtual Colour GetPixel(int x, int y) const = 0;
    // DrawFocusRect with textColour as the surface's text colour: the dotted
    // focus rectangle.
    virtual void FocusRect(const PixelRect& box, Colour textColour) = 0;
    // DrawText in the surface's current font, transparent background.
    virtual void Text(const std::wstring& text, const PixelRect& box, unsigned flags, Colour colour) = 0;
    // DrawText with CalcRect: the size the text takes within wrapWidth.
    virtual PixelSize MeasureText(const std::wstring& text, int wrapWidth, unsigned flags) = 0;

    // Moves every pixel `columns` to the left; the columns left behind at the
    // right keep what they held. False on a canvas that cannot: the caller
    // draws the whole picture instead. One that can also clips (SetClip).
    virtual bool ScrollLeft(int columns)
    {
        (void)columns;
        return false;
    }
    // Later drawing changes only the pixels inside box; nullptr: all again.
    virtual void SetClip(const PixelRect* box) { (void)box; }
};

} // namespace torvane
