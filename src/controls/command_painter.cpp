#include "controls/command_painter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "drawing/drawing_primitives.h"
#include "drawing/gradients.h"

namespace torvane {

namespace {

constexpr unsigned kNoClip = 0x0100; // DT_NOCLIP
constexpr unsigned kSingleLine = TextFlags::Center | TextFlags::VCenter | TextFlags::SingleLine | kNoClip;
constexpr unsigned kWrapped = TextFlags::Center | TextFlags::WordBreak;

constexpr Colour kXpFrame = Rgb(0, 60, 115);
constexpr Colour kXpCorner = Rgb(16, 77, 123);
constexpr Colour kXpTwoHot = Rgb(228, 144, 80);
constexpr Colour kGreenRim = Rgb(122, 184, 98);
constexpr Colour kGlossFrame = Rgb(81, 107, 148);

// Everything one paint reads and writes.
struct Paint {
    Canvas& canvas;
    const CommandProperties& p;
    const SchemeColours& scheme;
    CommandState& st;
    int w;
    int h;
    bool focused;   // HasFocus, counted only when the cue is allowed
    bool asDefault; // the focus condition of styles 1 to 4
};

// Round half to even, like the rest of the drawing arithmetic.
int NearestWhole(float value)
{
    return static_cast<int>(value - std::remainder(value, 1.0f));
}

// The top that centres a caption wrapped into the button's width. A button of
// width 0 cannot wrap; it counts as one pixel so the division stays defined.
int WrappedTop(const Paint& x, const PixelSize& size)
{
    const long long lines = size.width / std::max(x.w, 1) + 1;
    const long long top = (x.h - size.height * lines) / 2;
    return static_cast<int>(std::clamp<long long>(top, INT_MIN, INT_MAX));
}

PixelSize MeasureCaption(Paint& x)
{
    return x.canvas.MeasureText(x.p.caption, 0, 0);
}

// A caption that fits is one centred line at the rectangle's current top;
// a wider one wraps as a block whose top centres it. The pressed rectangle
// follows the up one, 2 pixels lower.
void Caption(Paint& x, bool pressed, Colour colour)
{
    PixelRect& rect = pressed ? x.st.pressedTextRect : x.st.textRect;
    const PixelSize size = MeasureCaption(x);
    if (size.width <= x.w) {
        x.canvas.Text(x.p.caption, rect, kSingleLine, colour);
        return;
    }
    rect.top = pressed ? x.st.textRect.top + 2 : WrappedTop(x, size);
    x.canvas.Text(x.p.caption, rect, kWrapped, colour);
}

void Box(Paint& x, int left, int top, int width, int height, Colour colour, bool outline = false)
{
    DrawBox(x.canvas, left, top, width, height, colour, outline);
}

void Line(Paint& x, int x1, int y1, int x2, int y2, Colour colour)
{
    DrawLine(x.canvas, x1, y1, x2, y2, colour);
}

void Pixel(Paint& x, int px, int py, Colour colour)
{
    PutPixel(x.canvas, px, py, colour);
}

void HotRing(Paint& x, Colour c)
{
    const int w = x.w, h = x.h;
    Box(x, 2, 1, w - 4, h - 2, c, true);
    Line(x, 1, 2, 1, h - 2, c);
    Line(x, 3, 2, w - 3, 2, c);
    Line(x, w - 2, 2, w - 2, h - 2, c);
    Line(x, 3, h - 3, w - 3, h - 3, c);
}

// The focus rim, in its blue shades or all in one colour; style 2 runs its
// third line one pixel further each way.
void FocusRim(Paint& x, const Colour* single, bool wideThirdLine)
{
    const int w = x.w, h = x.h;
    auto pick = [single](Colour blue) { return single ? *single : blue; };
    Box(x, 1, 2, w - 2, h - 4, pick(Rgb(140, 174, 231)), true);
    Line(x, 2, h - 2, w - 2, h - 2, pick(Rgb(107, 130, 239)));
    Line(x, 2, 1, w - 2, 1, pick(Rgb(206, 231, 255)));
    if (wideThirdLine)
        Line(x, 1, 2, w - 1, 2, pick(Rgb(189, 215, 247)));
    else
        Line(x, 2, 2, w - 2, 2, pick(Rgb(189, 215, 247)));
    Line(x, 2, 3, 2, h - 3, pick(Rgb(181, 209, 240)));
    Line(x, w - 3, 3, w - 3, h - 3, pick(Rgb(181, 209, 240)));
}

void FocusCue(Paint& x)
{
    DrawFocusCue(x.canvas, x.scheme.text);
}

// Rows darkening from the face lifted by 48, the blue channel in proportion.
void ShadedFace(Paint& x)
{
    const float step = 25.0f / static_cast<float>(x.h);
    const Colour base = ShiftColor(x.scheme.face, 48, true);
    for (int y = 1; y <= x.h - 2; ++y)
        Line(x, 0, y, x.w, y, ShiftColor(base, -NearestWhole(step * static_cast<float>(y)), true));
}

void UpStyle1(Paint& x)
{
    if (x.p.colorScheme == 2 || x.p.colorScheme == 3) {
        ShadedFace(x);
    } else if (x.p.xpType == 1) {
        DrawFadeToWhite(x.canvas, Rgb(198, 197, 215), x.h - 2, 1, -1);
    } else if (x.p.xpType == 2) {
        Colour c = Rgb(242, 237, 218);
        for (int y = x.h - 2; y >= 1; --y) {
            c = ShiftColor(c, 1, false);
            Line(x, 1, y, x.w - 2, y, c);
        }
    } else if (x.p.xpType == 3) {
        DrawFadeToWhite(x.canvas, Rgb(236, 235, 230), x.h - 2, 1, -1);
    }
    DrawRoundFrame(x.canvas, kXpFrame, kXpCorner);
    if (x.st.isHot) {
        HotRing(x, x.p.xpType == 2 ? kXpTwoHot : x.p.rectcolor);
    } else if (x.asDefault) {
        if (x.p.xpType == 1 || x.p.xpType == 3)
            FocusRim(x, nullptr, false);
        else if (x.p.xpType == 2)
            FocusRim(x, &kGreenRim, false);
        FocusCue(x);
    }
}

// The 3-D edges of style 2's up look, inside the light fill.
void RaisedEdges(Paint& x)
{
    const int w = x.w, h = x.h;
    const SchemeColours& s = x.scheme;
    DrawRoundFrame(x.canvas, s.darkShadow, s.darkShadow);
    Pixel(x, 1, 2, s.face);
    Pixel(x, 2, 1, s.face);
    Line(x, 3, 2, w - 3, 2, s.highlight);
    Line(x, 2, 2, 2, h - 3, s.highlight);
    Pixel(x, 3, 3, s.highlight);
    Line(x, w - 3, 1, w - 3, h - 3, s.face);
    Line(x, 1, h - 3, w - 3, h - 3, s.face);
    Pixel(x, w - 4, h - 4, s.face);
    Line(x, w - 2, 3, w - 2, h - 2, s.shadow);
    Line(x, 3, h - 2, w - 2, h - 2, s.shadow);
    Pixel(x, w - 3, h - 3, s.shadow);
    Pixel(x, 2, h - 2, s.face);
    Pixel(x, 2, h - 3, s.light);
    Pixel(x, w - 2, 2, s.face);
    Pixel(x, w - 3, 2, s.light);
}

void UpStyle2(Paint& x)
{
    Box(x, 1, 1, x.w - 2, x.h - 2, x.scheme.light);
    RaisedEdges(x);
    if (x.st.isHot)
        HotRing(x, x.p.rectcolor);
    else if (x.asDefault)
        FocusRim(x, nullptr, true);
}

void UpStyle3(Paint& x)
{
    const bool system = x.p.colorScheme == 1;
    DrawSplitGradient(x.canvas, x.p.midColor, system ? Rgb(183, 183, 183) : Rgb(1, 109, 1), x.p.endColor,
                      x.p.percent, false);
    if (x.st.isHot)
        DrawSplitGradient(x.canvas, x.p.mouseMoveMidColor, system ? Rgb(82, 134, 182) : Rgb(1, 109, 1),
                          x.p.mouseMoveEndColor, x.p.percent, false);
    if (x.asDefault)
        FocusCue(x);
}

void UpStyle4(Paint& x)
{
    if (x.st.isHot)
        DrawGlossGradient(x.canvas, x.p.mouseMoveMidColor, kGlossFrame, x.p.mouseMoveEndColor, x.p.percent);
    else
        DrawGlossGradient(x.canvas, x.p.midColor, kGlossFrame, x.p.endColor, x.p.percent);
    if (x.asDefault)
        FocusCue(x);
}

// Style 5 consults only its own focus, never the default-button report.
void UpStyle5(Paint& x)
{
    const bool hot = x.st.isHot;
    Box(x, 0, 0, x.w, x.h, hot ? x.p.officeXpMousemoveFrameColor : x.p.officeXpFrameColor, true);
    Box(x, 1, 1, x.w - 2, x.h - 2, hot ? x.p.officeXpMousemoveFillColor : x.p.officeXpFillColor);
    if (x.focused)
        FocusCue(x);
}

void UpLook(Paint& x)
{
    switch (x.p.buttonType) {
    case 1: UpStyle1(x); break;
    case 2: UpStyle2(x); break;
    case 3: UpStyle3(x); break;
    case 4: UpStyle4(x); break;
    case 5: UpStyle5(x); break;
    default: break;
    }
    Caption(x, false, x.scheme.text);
}

void DownStyle1(Paint& x)
{
    if (x.p.xpType == 1) {
        DrawFadeToWhite(x.canvas, Rgb(171, 170, 188), 1, x.h - 2, 1);
    } else if (x.p.xpType == 2) {
        const float step = 15.0f / static_cast<float>(x.h);
        const Colour base = ShiftColor(ShiftColor(x.scheme.face, 48, true), -32, true);
        for (int i = 1; i <= x.h; ++i)
            Line(x, 0, x.h - i, x.w, x.h - i, ShiftColor(base, -NearestWhole(step * static_cast<float>(i)), true));
    } else if (x.p.xpType == 3) {
        DrawFadeToWhite(x.canvas, Rgb(224, 224, 216), 1, x.h - 2, 1);
    }
    Caption(x, true, x.scheme.text);
    DrawRoundFrame(x.canvas, kXpFrame, kXpCorner);
    if (x.focused)
        FocusCue(x);
}

void DownStyle2(Paint& x)
{
    const int w = x.w, h = x.h;
    const Colour dark = x.scheme.darkShadow;
    const Colour shadow = x.scheme.shadow;
    const Colour less16 = ShiftColor(shadow, -16, false);
    const Colour less32 = ShiftColor(shadow, -32, false);
    const Colour less64 = ShiftColor(shadow, -64, false);
    Box(x, 1, 1, w - 2, h - 2, less16);
    Line(x, 2, 0, w - 2, 0, dark);
    Line(x, 2, h - 1, w - 2, h - 1, dark);
    Line(x, 0, 2, 0, h - 2, dark);
    Line(x, w - 1, 2, w - 1, h - 2, dark);
    Box(x, 1, 1, w - 2, h - 2, less64, true);
    Box(x, 2, 2, w - 4, h - 4, less32, true);
    Pixel(x, 2, 2, less64);
    Pixel(x, 3, 3, less32);
    Pixel(x, 1, 1, dark);
    Pixel(x, 1, h - 2, dark);
    Pixel(x, w - 2, 1, dark);
    Pixel(x, w - 2, h - 2, dark);
    Line(x, w - 3, 1, w - 3, h - 3, shadow);
    Line(x, 1, h - 3, w - 2, h - 3, shadow);
    Pixel(x, w - 4, h - 4, shadow);
    Line(x, w - 2, 3, w - 2, h - 2, less16);
    Line(x, 3, h - 2, w - 2, h - 2, less16);
    for (const auto& [px, py] : {std::pair{w - 2, h - 3}, {w - 3, h - 2}, {2, h - 2}, {w - 2, 2}})
        Pixel(x, px, py, less32);
    for (const auto& [px, py] : {std::pair{2, h - 3}, {1, h - 3}, {w - 3, 2}, {w - 3, 1}})
        Pixel(x, px, py, less16);
    Caption(x, true, x.scheme.light);
}

void DownStyle3(Paint& x)
{
    if (x.p.colorScheme == 1)
        DrawSplitGradient(x.canvas, x.p.mouseDownMidColor, Rgb(203, 130, 62), x.p.mouseDownEndColor, x.p.percent,
                          false);
    else
        DrawSplitGradient(x.canvas, x.p.mouseDownMidColor, Rgb(84, 157, 84), x.p.mouseDownEndColor, x.p.percent,
                          true);
    Caption(x, true, x.scheme.text);
    if (x.focused)
        FocusCue(x);
}

void DownStyle4(Paint& x)
{
    DrawGlossGradient(x.canvas, x.p.mouseDownMidColor, kGlossFrame, x.p.mouseDownEndColor, x.p.percent);
    Caption(x, true, x.scheme.text);
    if (x.focused)
        FocusCue(x);
}

void DownStyle5(Paint& x)
{
    const Colour fill = x.p.colorScheme == 3
                            ? AddColorClamped(x.p.officeXpMousemoveFillColor, -40, -30, -15, Rgb(250, 250, 250))
                            : AddColorClamped(x.p.officeXpMousemoveFillColor, -30, -30, -60, Rgb(250, 250, 250));
    Box(x, 0, 0, x.w, x.h, x.p.officeXpMousemoveFrameColor, true);
    Box(x, 1, 1, x.w - 2, x.h - 2, fill);
    Caption(x, true, x.scheme.text);
    if (x.focused)
        FocusCue(x);
}

void DownLook(Paint& x)
{
    switch (x.p.buttonType) {
    case 1: DownStyle1(x); break;
    case 2: DownStyle2(x); break;
    case 3: DownStyle3(x); break;
    case 4: DownStyle4(x); break;
    case 5: DownStyle5(x); break;
    default: break;
    }
}

// Style 2 disabled: a shadow caption with a highlight copy offset by the
// pressed rectangle, which reads as embossed.
void DisabledStyle2(Paint& x)
{
    Box(x, 1, 1, x.w - 2, x.h - 2, x.scheme.light);
    x.canvas.Text(x.p.caption, x.st.textRect, kSingleLine, x.scheme.shadow);
    RaisedEdges(x);
    const PixelSize size = MeasureCaption(x);
    if (size.width <= x.w) {
        x.canvas.Text(x.p.caption, x.st.pressedTextRect, kSingleLine, x.scheme.highlight);
        return;
    }
    x.st.pressedTextRect.top = WrappedTop(x, size) + 2;
    x.canvas.Text(x.p.caption, x.st.textRect, kWrapped, x.scheme.highlight);
}

void DisabledStyle5(Paint& x)
{
    const bool grey = x.p.colorScheme == 3;
    const Colour frame = grey ? x.p.officeXpFrameColor : Rgb(188, 188, 64);
    Box(x, 0, 0, x.w, x.h, frame, true);
    Box(x, 1, 1, x.w - 2, x.h - 2, grey ? x.p.officeXpFillColor : Rgb(238, 239, 208));
    Caption(x, false, frame);
}

void DisabledLook(Paint& x)
{
    switch (x.p.buttonType) {
    case 1:
        Box(x, 0, 0, x.w, x.h, Rgb(244, 244, 234));
        Caption(x, false, Rgb(161, 162, 146));
        DrawRoundFrame(x.canvas, Rgb(201, 199, 186), Rgb(201, 199, 186));
        break;
    case 2: DisabledStyle2(x); break;
    case 3:
        Box(x, 1, 1, x.w - 2, x.h - 2, Rgb(241, 242, 237));
        DrawRoundFrame(x.canvas, Rgb(204, 204, 202), Rgb(204, 204, 202));
        Caption(x, false, Rgb(171, 168, 153));
        break;
    case 4:
        DrawGlossGradient(x.canvas, Rgb(198, 218, 255), Rgb(128, 140, 162), Rgb(232, 242, 255), 53);
        Caption(x, false, Rgb(171, 168, 153));
        break;
    case 5: DisabledStyle5(x); break;
    default: break;
    }
}

} // namespace

bool TakeButtonPaint(Command& command, int state, bool force)
{
    CommandState& st = command.state();
    if (!force && command.Caption() == st.lastCaption && state == st.visualState)
        return false;
    if (st.height == 0)
        return false;
    st.visualState = state;
    st.lastCaption = command.Caption();
    return true;
}

void RenderButton(Command& command, Canvas& canvas, bool isDefaultButton)
{
    // The window keeps its canvas at least 1 x 1, so the control's own height
    // is the one that tells a button of height 0.
    CommandState& st = command.state();
    if (canvas.Height() == 0 || st.height == 0)
        return;

    // A focused button counts as focused only while its cue is allowed; the
    // flag itself is left as it is.
    const bool focused = st.hasFocus && command.ShowFocusRect();
    Paint x{canvas,
            command.properties(),
            command.scheme(),
            st,
            canvas.Width(),
            canvas.Height(),
            focused,
            (command.ShowFocusRect() && isDefaultButton) || focused};

    canvas.Clear();
    Box(x, 0, 0, x.w, x.h, x.scheme.face);
    if (!command.Enabled())
        DisabledLook(x);
    else if (st.visualState == 0)
        UpLook(x);
    else
        DownLook(x);
}

void DrawButton(Command& command, Canvas& canvas, int state, bool force, bool isDefaultButton)
{
    if (canvas.Height() != 0 && TakeButtonPaint(command, state, force))
        RenderButton(command, canvas, isDefaultButton);
}

} // namespace torvane
