#include "drawing/raster_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace torvane {

namespace {

constexpr Colour kRgbMask = 0x00FFFFFF;

// A reversed span as PatBlt normalises it, which FillRect relies on: one
// pixel over, so left > right covers right + 1 ... left.
void Ordered(long long from, long long to, long long& low, long long& high)
{
    if (from <= to) {
        low = from;
        high = to;
    } else {
        low = to + 1;
        high = from + 1;
    }
}

// What DrawText shows of a text with prefixes on: "&x" shows x, "&&" one "&".
std::wstring Shown(const std::wstring& text)
{
    std::wstring shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == L'&')
            continue;
        shown += text[i];
    }
    return shown;
}

// Line lengths in cells: hard breaks at '\n', and with wrapCells > 0 words
// (split at spaces) filled greedily; a word longer than a line keeps its own.
std::vector<long long> LineLengths(const std::wstring& text, long long wrapCells)
{
    std::vector<long long> lengths;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(L'\n', start);
        const std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        long long current = -1;
        std::size_t wordStart = 0;
        while (wordStart <= line.size()) {
            const std::size_t space = line.find(L' ', wordStart);
            const std::size_t wordEnd = space == std::wstring::npos ? line.size() : space;
            const auto word = static_cast<long long>(wordEnd - wordStart);
            if (current < 0) {
                current = word;
            } else if (wrapCells > 0 && current + 1 + word > wrapCells) {
                lengths.push_back(current);
                current = word;
            } else {
                current += 1 + word;
            }
            wordStart = wordEnd + 1;
        }
        lengths.push_back(current);
        if (end == std::wstring::npos)
            return lengths;
        start = end + 1;
    }
}

} // namespace

RasterCanvas::RasterCanvas(int width, int height, Colour background, FixedTextMetrics metrics)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), background_(background & kRgbMask),
      metrics_(metrics), pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background_),
      clip_{0, 0, width_, height_}
{
}

RasterCanvas::RasterCanvas(std::uint32_t* bitmapPixels, int width, int height, Colour background)
    : width_(bitmapPixels ? std::max(width, 0) : 0), height_(bitmapPixels ? std::max(height, 0) : 0),
      background_(background & kRgbMask), bitmapPixels_(bitmapPixels), clip_{0, 0, width_, height_}
{
}

std::uint32_t RasterCanvas::Stored(Colour colour) const
{
    colour &= kRgbMask;
    if (!bitmapPixels_)
        return colour;
    // Red and blue change places; doing it twice gives the colour back.
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

bool RasterCanvas::Inside(long long x, long long y) const
{
    return x >= clip_.left && y >= clip_.top && x < clip_.right && y < clip_.bottom;
}

bool RasterCanvas::ScrollLeft(int columns)
{
    if (columns <= 0 || columns >= width_)
        return true;
    for (int y = 0; y < height_; ++y) {
        std::uint32_t* row = Pixels() + static_cast<std::ptrdiff_t>(y) * width_;
        std::copy(row + columns, row + width_, row);
    }
    return true;
}

void RasterCanvas::SetClip(const PixelRect* box)
{
    clip_ = {0, 0, width_, height_};
    if (!box)
        return;
    clip_.left = std::max(clip_.left, std::min(box->left, box->right));
    clip_.top = std::max(clip_.top, std::min(box->top, box->bottom));
    clip_.right = std::min(clip_.right, std::max(box->left, box->right));
    clip_.bottom = std::min(clip_.bottom, std::max(box->top, box->bottom));
}

void RasterCanvas::Plot(long long x, long long y, Colour colour)
{
    if (Inside(x, y))
        Pixels()[y * width_ + x] = Stored(colour);
}

void RasterCanvas::Invert(long long x, long long y)
{
    if (Inside(x, y))
        Pixels()[y * width_ + x] ^= kRgbMask;
}

void RasterCanvas::FillSpan(long long left, long long top, long long right, long long bottom, Colour colour)
{
    left = std::max<long long>(left, clip_.left);
    top = std::max<long long>(top, clip_.top);
    right = std::min<long long>(right, clip_.right);
    bottom = std::min<long long>(bottom, clip_.bottom);
    if (left >= right)
        return;
    // Clipped once: each row is one contiguous run of the buffer.
    const std::uint32_t stored = Stored(colour);
    for (long long y = top; y < bottom; ++y) {
        std::uint32_t* first = Pixels() + y * width_ + left;
        std::fill(first, first + (right - left), stored);
    }
}

void RasterCanvas::Clear()
{
    FillSpan(0, 0, width_, height_, background_);
    texts_.clear();
}

void RasterCanvas::FillBox(const PixelRect& box, Colour colour)
{
    long long left = 0, right = 0, top = 0, bottom = 0;
    Ordered(box.left, box.right, left, right);
    Ordered(box.top, box.bottom, top, bottom);
    FillSpan(left, top, right, bottom, colour);
}

void RasterCanvas::FrameBox(const PixelRect& box, Colour colour)
{
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    FillSpan(box.left, box.top, box.left + 1, box.bottom, colour);
    FillSpan(box.right - 1LL, box.top, box.right, box.bottom, colour);
    FillSpan(box.left, box.top, box.right, box.top + 1LL, colour);
    FillSpan(box.left, box.bottom - 1LL, box.right, box.bottom, colour);
}

void RasterCanvas::Line(int x1, int y1, int x2, int y2, Colour colour)
{
    long long low = 0, high = 0;
    if (y1 == y2) {
        Ordered(x1, x2, low, high);
        FillSpan(low, y1, high, y1 + 1LL, colour);
    } else if (x1 == x2) {
        Ordered(y1, y2, low, high);
        FillSpan(x1, low, x1 + 1LL, high, colour);
    } else {
        SlantedLine(x1, y1, x2, y2, colour);
    }
}

// Bresenham as GDI runs it: the major axis steps every pixel, and octants 3,
// 5, 6 and 8 take the minor step already when the error reaches zero.
void RasterCanvas::SlantedLine(int x1, int y1, int x2, int y2, Colour colour)
{
    const long long dx = static_cast<long long>(x2) - x1;
    const long long dy = static_cast<long long>(y2) - y1;
    const long long adx = std::llabs(dx);
    const long long ady = std::llabs(dy);
    const bool xMajor = adx > ady;
    const bool bias = dy > 0 ? (dx <= 0 && -dx <= dy) : (dx < 0 || dx > -dy);
    const long long major = xMajor ? adx : ady;
    const long long minor = xMajor ? ady : adx;
    const long long xStep = dx > 0 ? 1 : -1;
    const long long yStep = dy > 0 ? 1 : -1;
    long long x = x1;
    long long y = y1;
    long long error = 2 * minor - major;
    for (long long n = 0; n < major; ++n) {
        // Once past the surface along the major axis nothing more can show.
        if ((xMajor && ((xStep > 0 && x >= width_) || (xStep < 0 && x < 0))) ||
            (!xMajor && ((yStep > 0 && y >= height_) || (yStep < 0 && y < 0))))
            return;
        Plot(x, y, colour);
        if (error + (bias ? 1 : 0) > 0) {
            (xMajor ? y : x) += xMajor ? yStep : xStep;
            error += 2 * minor - 2 * major;
        } else {
            error += 2 * minor;
        }
        (xMajor ? x : y) += xMajor ? xStep : yStep;
    }
}

void RasterCanvas::SetPixel(int x, int y, Colour colour)
{
    Plot(x, y, colour);
}

Colour RasterCanvas::GetPixel(int x, int y) const
{
    if (!Inside(x, y))
        return kInvalidColour;
    return Read(Pixels()[static_cast<long long>(y) * width_ + x]);
}

// DrawFocusRect as Wine draws it on a memory bitmap: it inverts every other
// pixel of the box's outline, whatever the text colour, namely those whose
// x + y has the parity of (right - 1) + top. A box one pixel wide or high is
// walked there and back, so only its ends keep a dot (the far end when the
// length is odd); a 1 x 1 box shows nothing. Reversed boxes are turned round.
void RasterCanvas::FocusRect(const PixelRect& box, Colour)
{
    const long long left = std::min(box.left, box.right);
    const long long right = std::max(box.left, box.right);
    const long long top = std::min(box.top, box.bottom);
    const long long bottom = std::max(box.top, box.bottom);
    const long long width = right - left;
    const long long height = bottom - top;
    if (width == 0 || height == 0 || (width == 1 && height == 1))
        return;
    if (width == 1 || height == 1) {
        Invert(right - 1, top);
        if (std::max(width, height) % 2 == 1)
            Invert(left, bottom - 1);
        return;
    }
    const long long phase = (right - 1 + top) & 1;
    auto dot = [&](long long x, long long y) {
        if (((x + y) & 1) == phase)
            Invert(x, y);
    };
    for (long long x = std::max(left, 0LL); x < std::min<long long>(right, width_); ++x) {
        dot(x, top);
        dot(x, bottom - 1);
    }
    for (long long y = std::max(top + 1, 0LL); y < std::min<long long>(bottom - 1, height_); ++y) {
        dot(left, y);
        dot(right - 1, y);
    }
}

void RasterCanvas::Text(const std::wstring& text, const PixelRect& box, unsigned flags, Colour colour)
{
    texts_.push_back({text, box, flags, colour & kRgbMask});
}

PixelSize RasterCanvas::MeasureText(const std::wstring& text, int wrapWidth, unsigned flags)
{
    const std::wstring shown = Shown(text);
    const bool singleLine = (flags & TextFlags::SingleLine) != 0;
    if (singleLine) {
        const long long cells = static_cast<long long>(shown.size());
        return {static_cast<int>(cells * metrics_.cellWidth), metrics_.lineHeight};
    }
    const long long cell = std::max(metrics_.cellWidth, 1);
    const long long wrapCells = (flags & TextFlags::WordBreak) ? std::max(wrapWidth / cell, 1LL) : 0;
    const std::vector<long long> lengths = LineLengths(shown, wrapCells);
    const long long longest = *std::max_element(lengths.begin(), lengths.end());
    return {static_cast<int>(longest * metrics_.cellWidth),
            static_cast<int>(static_cast<long long>(lengths.size()) * metrics_.lineHeight)};
}

} // namespace torvane
