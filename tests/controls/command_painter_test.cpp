#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/command.h"
#include "controls/command_painter.h"
#include "drawing/drawing_primitives.h"
#include "drawing/gradients.h"
#include "drawing/raster_canvas.h"
#include "fakes/fake_command_surface.h"
#include "support/canvas_compare.h"

using namespace torvane;

namespace {

constexpr Colour kBackground = Rgb(9, 99, 199);
// The fake system colours the scheme-1 button takes.
constexpr Colour kFace = Rgb(240, 240, 240);
constexpr Colour kLight = Rgb(227, 227, 227);
constexpr Colour kHighlight = Rgb(255, 255, 254);
constexpr Colour kShadow = Rgb(160, 160, 160);
constexpr Colour kDark = Rgb(105, 105, 105);
constexpr Colour kText = Rgb(1, 2, 3);
constexpr Colour kRectColor = Rgb(250, 195, 88);
constexpr Colour kXpFrame = Rgb(0, 60, 115);
constexpr Colour kXpCorner = Rgb(16, 77, 123);
constexpr unsigned kSingleLine = TextFlags::Center | TextFlags::VCenter | TextFlags::SingleLine | 0x100;
constexpr unsigned kWrapped = TextFlags::Center | TextFlags::WordBreak;

// What the dotted focus cue leaves on a pixel it covers.
constexpr Colour Inverted(Colour colour) { return colour ^ 0x00FFFFFFu; }

struct Look {
    int type = 1;
    int scheme = 1;
    int xp = 1;
    int state = 0;
    bool enabled = true;
    bool hot = false;
    bool focused = false;
    bool isDefault = false;
};

// One button on a fake surface, sized as the window sizes it.
struct Button {
    FakeCommandSurface surface;
    FakeSystemColours system;
    Command command{surface, system};

    explicit Button(int width = 75, int height = 23)
    {
        command.InitProperties();
        Resize(width, height);
    }

    void Resize(int width, int height)
    {
        CommandState& st = command.state();
        st.width = width;
        st.height = height;
        st.textRect = {0, st.textRect.top, width, height};
        st.pressedTextRect = {2, 2, width, height};
        st.focusRect = {2, 2, width - 2, height - 2};
    }

    // The scheme goes last but one: under scheme 1 it turns style 4's blue
    // set grey, as it does for a user.
    void Apply(const Look& s)
    {
        command.SetButtonType(s.type);
        command.SetColorScheme(s.scheme);
        command.SetXpType(s.xp);
        command.SetEnabled(s.enabled);
        command.state().isHot = s.hot;
        command.state().hasFocus = s.focused;
    }

    RasterCanvas Draw(int state, bool isDefault = false)
    {
        RasterCanvas canvas(command.state().width, command.state().height, kBackground);
        DrawButton(command, canvas, state, true, isDefault);
        return canvas;
    }

    RasterCanvas Draw(const Look& s)
    {
        Apply(s);
        return Draw(s.state, s.isDefault);
    }
};

// Records the focus cues drawn, passing everything on.
class CueCounter : public Canvas {
public:
    explicit CueCounter(RasterCanvas& inner) : inner_(inner) {}
    int Width() const override { return inner_.Width(); }
    int Height() const override { return inner_.Height(); }
    void Clear() override { inner_.Clear(); }
    void FillBox(const PixelRect& box, Colour colour) override { inner_.FillBox(box, colour); }
    void FrameBox(const PixelRect& box, Colour colour) override { inner_.FrameBox(box, colour); }
    void Line(int x1, int y1, int x2, int y2, Colour colour) override { inner_.Line(x1, y1, x2, y2, colour); }
    void SetPixel(int x, int y, Colour colour) override { inner_.SetPixel(x, y, colour); }
    Colour GetPixel(int x, int y) const override { return inner_.GetPixel(x, y); }
    void FocusRect(const PixelRect& box, Colour textColour) override
    {
        cues.push_back(box);
        cueColours.push_back(textColour);
        inner_.FocusRect(box, textColour);
    }
    void Text(const std::wstring& text, const PixelRect& box, unsigned flags, Colour colour) override
    {
        inner_.Text(text, box, flags, colour);
    }
    PixelSize MeasureText(const std::wstring& text, int wrapWidth, unsigned flags) override
    {
        return inner_.MeasureText(text, wrapWidth, flags);
    }

    std::vector<PixelRect> cues;
    std::vector<Colour> cueColours;

private:
    RasterCanvas& inner_;
};

struct Probe {
    int x;
    int y;
    Colour colour;
};

struct ProbedCase {
    const char* name;
    Look setup;
    std::vector<Probe> probes;
    Colour captionColour;
    bool pressedCaption;
};

} // namespace

TEST(DrawButton, EachLookShowsItsFrameRimRingAndFace)
{
    const Colour rimOuter = Rgb(140, 174, 231), rimBottom = Rgb(107, 130, 239), rimTop = Rgb(206, 231, 255),
                 rimThird = Rgb(189, 215, 247), rimSide = Rgb(181, 209, 240);
    const Colour green = Rgb(122, 184, 98);
    const ProbedCase looks[] = {
        {"style 1 up", {1}, {{10, 0, kXpFrame}, {0, 10, kXpFrame}, {74, 10, kXpFrame}, {10, 22, kXpFrame},
                             {1, 1, kXpCorner}, {73, 21, kXpCorner}, {0, 0, kFace}, {0, 1, kFace}}, kText, false},
        {"style 1 hot", {1, 1, 1, 0, true, true}, {{10, 1, kRectColor}, {1, 10, kRectColor}, {10, 2, kRectColor},
                                                   {73, 10, kRectColor}, {10, 20, kRectColor}, {10, 21, kRectColor},
                                                   {10, 0, kXpFrame}}, kText, false},
        {"style 1 XpType 2 hot", {1, 1, 2, 0, true, true}, {{10, 1, Rgb(228, 144, 80)}, {1, 10, Rgb(228, 144, 80)}},
         kText, false},
        // The cue inverts the rim where x + y is even.
        {"style 1 focused", {1, 1, 1, 0, true, false, true}, {{10, 1, rimTop}, {5, 2, rimThird},
                                                              {4, 2, Inverted(rimThird)}, {1, 10, rimOuter},
                                                              {11, 20, rimOuter}, {10, 20, Inverted(rimOuter)},
                                                              {10, 21, rimBottom}, {2, 11, rimSide},
                                                              {2, 10, Inverted(rimSide)}, {72, 11, rimSide}},
         kText, false},
        {"style 1 default button", {1, 1, 3, 0, true, false, false, true}, {{10, 1, rimTop}, {4, 2, Inverted(rimThird)}},
         kText, false},
        {"style 1 XpType 2 focused", {1, 1, 2, 0, true, false, true}, {{10, 1, green}, {5, 2, green},
                                                                       {10, 21, green}, {4, 2, Inverted(green)}},
         kText, false},
        // XpType 2 ramps one level per row from the bottom, in rows ending at W - 2.
        {"style 1 XpType 2 up", {1, 1, 2}, {{10, 21, Rgb(243, 238, 219)}, {10, 20, Rgb(244, 239, 220)},
                                            {10, 1, Rgb(255, 255, 239)}, {73, 10, kFace}}, kText, false},
        // Face 240: lifted by 48 and down 32 gives (223,223,213), then row 0
        // is 15 levels darker and row 22 one level.
        {"style 1 XpType 2 down", {1, 1, 2, 2}, {{0, 0, Rgb(208, 208, 197)}, {1, 22, Rgb(222, 222, 212)},
                                                 {10, 0, kXpFrame}}, kText, true},
        {"style 1 disabled", {1, 1, 1, 0, false}, {{0, 0, Rgb(244, 244, 234)}, {10, 10, Rgb(244, 244, 234)},
                                                   {10, 0, Rgb(201, 199, 186)}, {1, 1, Rgb(201, 199, 186)}},
         Rgb(161, 162, 146), false},
        {"style 2 up", {2}, {{0, 0, kFace}, {10, 10, kLight}, {10, 0, kDark}, {0, 10, kDark}, {1, 1, kDark},
                             {73, 21, kDark}, {1, 2, kFace}, {2, 1, kFace}, {10, 2, kHighlight}, {2, 10, kHighlight},
                             {3, 3, kHighlight}, {72, 10, kFace}, {10, 20, kFace}, {71, 19, kFace},
                             {73, 10, kShadow}, {10, 21, kShadow}, {72, 20, kShadow}, {2, 21, kFace},
                             {2, 20, kLight}, {73, 2, kFace}, {72, 2, kLight}}, kText, false},
        {"style 2 hot", {2, 1, 1, 0, true, true}, {{10, 1, kRectColor}, {1, 10, kRectColor}, {10, 2, kRectColor},
                                                   {10, 0, kDark}}, kText, false},
        // Style 2's rim runs its third line from x = 1 to W - 2, and no cue.
        {"style 2 focused", {2, 1, 1, 0, true, false, true}, {{1, 2, rimThird}, {73, 2, rimThird}, {4, 2, rimThird},
                                                              {10, 1, rimTop}, {10, 21, rimBottom},
                                                              {2, 10, rimSide}},
         kText, false},
        {"style 2 down", {2, 1, 1, 2}, {{10, 10, Rgb(144, 144, 144)}, {1, 10, Rgb(96, 96, 96)},
                                        {2, 10, Rgb(128, 128, 128)}, {10, 0, kDark}, {1, 1, kDark},
                                        {72, 10, kShadow}, {10, 20, kShadow}, {73, 10, Rgb(144, 144, 144)},
                                        {10, 21, Rgb(144, 144, 144)}, {73, 20, Rgb(128, 128, 128)},
                                        {2, 2, Rgb(96, 96, 96)}, {3, 3, Rgb(128, 128, 128)}},
         kLight, true},
        {"style 3 disabled", {3, 1, 1, 0, false}, {{0, 0, kFace}, {10, 10, Rgb(241, 242, 237)},
                                                   {10, 0, Rgb(204, 204, 202)}, {1, 1, Rgb(204, 204, 202)}},
         Rgb(171, 168, 153), false},
        {"style 3 scheme 2 pressed", {3, 2, 1, 2}, {{10, 10, Rgb(132, 208, 133)}, {10, 20, Rgb(132, 208, 133)},
                                                    {10, 0, Rgb(84, 157, 84)}}, kText, true},
        {"style 3 scheme 3 pressed", {3, 3, 1, 2}, {{10, 10, Rgb(132, 208, 133)}, {10, 3, Rgb(132, 208, 133)},
                                                    {10, 0, Rgb(84, 157, 84)}}, 0, true},
        {"style 5 up", {5}, {{0, 0, Rgb(188, 188, 66)}, {74, 22, Rgb(188, 188, 66)}, {10, 10, Rgb(222, 222, 160)}},
         kText, false},
        {"style 5 hot", {5, 1, 1, 0, true, true}, {{0, 0, Rgb(127, 128, 1)}, {10, 10, Rgb(220, 220, 186)}}, kText,
         false},
        {"style 5 down", {5, 1, 1, 2}, {{0, 0, Rgb(127, 128, 1)}, {10, 10, Rgb(190, 190, 126)}}, kText, true},
        {"style 5 scheme 3 down", {5, 3, 1, 2}, {{0, 0, Rgb(49, 105, 198)}, {10, 10, Rgb(153, 180, 223)}}, 0, true},
        {"style 5 disabled", {5, 1, 1, 0, false}, {{0, 0, Rgb(188, 188, 64)}, {10, 10, Rgb(238, 239, 208)}},
         Rgb(188, 188, 64), false},
        {"style 5 scheme 3 disabled", {5, 3, 1, 0, false}, {{0, 0, Rgb(172, 169, 154)}, {10, 10, Rgb(236, 233, 216)}},
         Rgb(172, 169, 154), false},
    };
    for (const ProbedCase& look : looks) {
        SCOPED_TRACE(look.name);
        Button button;
        const RasterCanvas canvas = button.Draw(look.setup);
        for (const Probe& probe : look.probes)
            EXPECT_EQ(ColourName(canvas.GetPixel(probe.x, probe.y)), ColourName(probe.colour))
                << "at (" << probe.x << "," << probe.y << ")";
        ASSERT_FALSE(canvas.TextCalls().empty());
        const TextCall& caption = canvas.TextCalls().back();
        EXPECT_EQ(caption.text, L"Command1");
        EXPECT_EQ(caption.flags, kSingleLine);
        EXPECT_EQ(ColourName(caption.colour), ColourName(look.captionColour));
        EXPECT_EQ(caption.box.left, look.pressedCaption ? 2 : 0);
        EXPECT_EQ(caption.box.right, 75);
        EXPECT_EQ(caption.box.bottom, 23);
    }
}

TEST(DrawButton, ShadedFaceDarkensDownTheRowsUnderSchemesTwoAndThree)
{
    // Back colour (100,120,140) lifted by 48, blue by 140 * 48 / 192 = 35:
    // (148,168,175). Row y is round(25 * y / 23) levels darker, blue by its
    // share truncated.
    Button button;
    button.command.SetBackColor(Rgb(100, 120, 140));
    const RasterCanvas canvas = button.Draw({1, 2});
    EXPECT_EQ(ColourName(canvas.GetPixel(0, 1)), ColourName(Rgb(147, 167, 175)));
    EXPECT_EQ(ColourName(canvas.GetPixel(10, 21)), ColourName(Rgb(125, 145, 155)));
    EXPECT_EQ(ColourName(canvas.GetPixel(10, 0)), ColourName(kXpFrame));
    EXPECT_EQ(ColourName(canvas.GetPixel(0, 0)), ColourName(Rgb(100, 120, 140)));
}

TEST(DrawButton, GradientFacesAreThePrimitivesWithTheLookColours)
{
    using Reference = std::function<void(Canvas&, const CommandProperties&)>;
    struct Case {
        const char* name;
        Look setup;
        Reference reference;
    };
    const Case cases[] = {
        {"style 1 up", {1}, [](Canvas& c, const CommandProperties&) {
             DrawFadeToWhite(c, Rgb(198, 197, 215), 21, 1, -1);
             DrawRoundFrame(c, kXpFrame, kXpCorner);
         }},
        {"style 1 XpType 3 up", {1, 1, 3}, [](Canvas& c, const CommandProperties&) {
             DrawFadeToWhite(c, Rgb(236, 235, 230), 21, 1, -1);
             DrawRoundFrame(c, kXpFrame, kXpCorner);
         }},
        {"style 1 down", {1, 1, 1, 2}, [](Canvas& c, const CommandProperties&) {
             DrawFadeToWhite(c, Rgb(171, 170, 188), 1, 21, 1);
             DrawRoundFrame(c, kXpFrame, kXpCorner);
         }},
        {"style 1 XpType 3 down", {1, 1, 3, 2}, [](Canvas& c, const CommandProperties&) {
             DrawFadeToWhite(c, Rgb(224, 224, 216), 1, 21, 1);
             DrawRoundFrame(c, kXpFrame, kXpCorner);
         }},
        {"style 1 other XpType", {1, 1, 7}, [](Canvas& c, const CommandProperties&) {
             DrawRoundFrame(c, kXpFrame, kXpCorner);
         }},
        {"style 3 up", {3}, [](Canvas& c, const CommandProperties& p) {
             DrawSplitGradient(c, p.midColor, Rgb(183, 183, 183), p.endColor, p.percent, false);
         }},
        {"style 3 scheme 2 up", {3, 2}, [](Canvas& c, const CommandProperties& p) {
             DrawSplitGradient(c, p.midColor, Rgb(1, 109, 1), p.endColor, p.percent, false);
         }},
        {"style 3 hot", {3, 1, 1, 0, true, true}, [](Canvas& c, const CommandProperties& p) {
             DrawSplitGradient(c, p.midColor, Rgb(183, 183, 183), p.endColor, p.percent, false);
             DrawSplitGradient(c, p.mouseMoveMidColor, Rgb(82, 134, 182), p.mouseMoveEndColor, p.percent, false);
         }},
        {"style 3 down", {3, 1, 1, 2}, [](Canvas& c, const CommandProperties& p) {
             DrawSplitGradient(c, p.mouseDownMidColor, Rgb(203, 130, 62), p.mouseDownEndColor, p.percent, false);
         }},
        {"style 4 up", {4, 2}, [](Canvas& c, const CommandProperties& p) {
             DrawGlossGradient(c, p.midColor, Rgb(81, 107, 148), p.endColor, p.percent);
         }},
        {"style 4 hot", {4, 2, 1, 0, true, true}, [](Canvas& c, const CommandProperties& p) {
             DrawGlossGradient(c, p.mouseMoveMidColor, Rgb(81, 107, 148), p.mouseMoveEndColor, p.percent);
         }},
        {"style 4 down", {4, 2, 1, 2}, [](Canvas& c, const CommandProperties& p) {
             DrawGlossGradient(c, p.mouseDownMidColor, Rgb(81, 107, 148), p.mouseDownEndColor, p.percent);
         }},
        {"style 4 disabled", {4, 1, 1, 0, false}, [](Canvas& c, const CommandProperties&) {
             DrawGlossGradient(c, Rgb(198, 218, 255), Rgb(128, 140, 162), Rgb(232, 242, 255), 53);
         }},
        {"other style", {9}, [](Canvas&, const CommandProperties&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Button button;
        const RasterCanvas canvas = button.Draw(c.setup);
        RasterCanvas expected(75, 23, kBackground);
        expected.FillBox({0, 0, 75, 23}, button.command.scheme().face);
        c.reference(expected, button.command.properties());
        EXPECT_TRUE(SameCanvas(canvas, expected));
    }
}

TEST(DrawButton, OtherStylesDrawTheCaptionOnlyWhenUpAndEnabled)
{
    const Look setups[] = {{0}, {6, 1, 1, 2}, {6, 1, 1, 0, false}};
    const std::size_t texts[] = {1, 0, 0};
    for (int i = 0; i < 3; ++i) {
        Button button;
        EXPECT_EQ(button.Draw(setups[i]).TextCalls().size(), texts[i]) << i;
    }
}

TEST(DrawButton, StyleTwoDisabledEmbossesTheCaption)
{
    struct Case {
        std::wstring caption;
        int pressedTop;
        std::vector<TextCall> calls;
    };
    // "Command1" fits; the long caption is 160 pixels wide: three lines of
    // 16, so the wrapped top is (23 - 48) / 2 truncated, -12.
    const std::wstring wide = L"Save all the records";
    const Case cases[] = {
        {L"Command1", 2, {{L"Command1", {0, 0, 75, 23}, kSingleLine, kShadow},
                          {L"Command1", {2, 2, 75, 23}, kSingleLine, kHighlight}}},
        {wide, -10, {{wide, {0, 0, 75, 23}, kSingleLine, kShadow}, {wide, {0, 0, 75, 23}, kWrapped, kHighlight}}},
    };
    for (const Case& c : cases) {
        Button button;
        button.command.SetCaption(c.caption);
        const RasterCanvas canvas = button.Draw({2, 1, 1, 0, false});
        EXPECT_EQ(canvas.GetPixel(10, 10), kLight);
        EXPECT_EQ(canvas.GetPixel(10, 2), kHighlight);
        EXPECT_EQ(canvas.GetPixel(73, 10), kShadow);
        ASSERT_EQ(canvas.TextCalls().size(), c.calls.size());
        for (std::size_t i = 0; i < c.calls.size(); ++i) {
            const TextCall& got = canvas.TextCalls()[i];
            EXPECT_EQ(got.flags, c.calls[i].flags) << i;
            EXPECT_EQ(got.colour, c.calls[i].colour) << i;
            EXPECT_EQ(got.box.left, c.calls[i].box.left) << i;
            EXPECT_EQ(got.box.top, c.calls[i].box.top) << i;
        }
        EXPECT_EQ(button.command.state().pressedTextRect.top, c.pressedTop);
        EXPECT_EQ(button.command.state().textRect.top, 0);
    }
}

TEST(DrawButton, WideCaptionWrapsWithACentringTop)
{
    struct Case {
        int width;
        int height;
        std::wstring caption;
        bool wraps;
        int top;
    };
    // 8 pixels a character, 16 a line; "&" only marks the access key.
    const Case cases[] = {
        {75, 23, L"Save all the records", true, -12}, // 3 lines: (23 - 48) / 2 rounds toward zero
        {75, 60, L"Save all the records", true, 6},   // (60 - 48) / 2
        {80, 23, L"0123456789", false, 0},           // exactly the width: one line
        {80, 23, L"012345678&9", false, 0},
        {79, 23, L"0123456789", true, -4},           // 2 lines: (23 - 32) / 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.caption.size());
        Button button(c.width, c.height);
        button.command.SetCaption(c.caption);
        const RasterCanvas canvas = button.Draw(0);
        ASSERT_EQ(canvas.TextCalls().size(), 1u);
        const TextCall& call = canvas.TextCalls()[0];
        EXPECT_EQ(call.flags, c.wraps ? kWrapped : kSingleLine);
        EXPECT_EQ(call.box.top, c.top);
        EXPECT_EQ(call.box.left, 0);
        EXPECT_EQ(call.box.right, c.width);
        EXPECT_EQ(button.command.state().textRect.top, c.top);
    }
}

TEST(DrawButton, DownCaptionSitsTwoPixelsRightAndBelow)
{
    for (const std::wstring& caption : {std::wstring(L"Go"), std::wstring(L"Save all the records")}) {
        for (int style = 1; style <= 5; ++style) {
            SCOPED_TRACE(testing::Message() << "style " << style << " caption length " << caption.size());
            Button button;
            button.command.SetCaption(caption);
            button.command.SetButtonType(style);
            const TextCall up = button.Draw(0).TextCalls().back();
            const TextCall down = button.Draw(2).TextCalls().back();
            EXPECT_EQ(down.box.left, up.box.left + 2);
            EXPECT_EQ(down.flags, up.flags);
            // A single line is centred from the pressed top of 2.
            EXPECT_EQ(down.box.top, caption.size() > 9 ? up.box.top + 2 : 2);
            EXPECT_EQ(button.command.state().pressedTextRect.top, down.box.top);
        }
    }
}

TEST(DrawButton, HeightZeroIsNeverPainted)
{
    struct Case {
        int canvasHeight;
        int controlHeight;
    };
    // The window keeps a zero-height control's canvas at one row.
    const Case cases[] = {{1, 0}, {0, 0}, {0, 23}};
    for (const Case& c : cases) {
        Button button(75, c.controlHeight);
        button.command.state().lastCaption = L"old";
        RasterCanvas canvas(75, c.canvasHeight, kBackground);
        DrawButton(button.command, canvas, 2, true, true);
        for (int x = 0; x < 75; ++x)
            ASSERT_EQ(canvas.GetPixel(x, 0), c.canvasHeight ? kBackground : kInvalidColour) << x;
        EXPECT_TRUE(canvas.TextCalls().empty());
        EXPECT_EQ(button.command.state().visualState, 0);
        EXPECT_EQ(button.command.state().lastCaption, L"old");
    }
}

TEST(DrawButton, RepaintsWithoutForceOnlyWhenCaptionOrStateChanged)
{
    struct Case {
        const char* name;
        std::function<void(Command&)> change;
        int state;
        bool force;
        bool repaints;
    };
    const Case cases[] = {
        {"nothing changed", [](Command&) {}, 0, false, false},
        {"forced", [](Command&) {}, 0, true, true},
        {"state changed", [](Command&) {}, 2, false, true},
        {"caption changed", [](Command& c) { c.SetCaption(L"New"); }, 0, false, true},
        {"colour changed only", [](Command& c) { c.SetBackColor(Rgb(1, 2, 3)); }, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Button button;
        RasterCanvas canvas(75, 23, kBackground);
        DrawButton(button.command, canvas, 0, true, false);
        canvas.SetPixel(40, 10, kBackground);
        c.change(button.command);
        DrawButton(button.command, canvas, c.state, c.force, false);
        EXPECT_EQ(canvas.GetPixel(40, 10) != kBackground, c.repaints);
        EXPECT_EQ(button.command.state().visualState, c.state);
        EXPECT_EQ(button.command.state().lastCaption, button.command.Caption());
    }
}

TEST(DrawButton, FocusCueFollowsFocusDefaultButtonAndHover)
{
    struct Case {
        Look setup;
        bool cue;
    };
    // Style 5 listens to the focus only; styles 3 and 4 keep the cue while
    // hot, style 1 does not; a pressed button shows its focus only; style 2
    // shows a rim instead.
    const Case cases[] = {
        {{5, 1, 1, 0, true, false, true}, true},         {{5, 1, 1, 0, true, false, false, true}, false},
        {{5, 1, 1, 2, true, false, true}, true},         {{3, 1, 1, 0, true, false, false, true}, true},
        {{3, 1, 1, 0, true, true, true}, true},          {{4, 2, 1, 0, true, true, false, true}, true},
        {{1, 1, 1, 0, true, false, false, true}, true},  {{1, 1, 1, 0, true, true, true}, false},
        {{1, 1, 1, 2, true, false, true}, true},         {{1, 1, 1, 2, true, false, false, true}, false},
        {{3, 1, 1, 2, true, false, false, true}, false}, {{4, 2, 1, 2, true, false, true}, true},
        {{2, 1, 1, 0, true, false, true}, false},        {{2, 1, 1, 2, true, false, true}, false},
        {{1, 1, 7, 0, true, false, true}, true},         {{3, 1, 1, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.setup.type << " state " << c.setup.state << " hot "
                                        << c.setup.hot << " focused " << c.setup.focused << " default "
                                        << c.setup.isDefault);
        Button button;
        button.Apply(c.setup);
        RasterCanvas raster(75, 23, kBackground);
        CueCounter canvas(raster);
        DrawButton(button.command, canvas, c.setup.state, true, c.setup.isDefault);
        ASSERT_EQ(canvas.cues.size(), c.cue ? 1u : 0u);
        if (c.cue) {
            EXPECT_EQ(canvas.cues[0].left, 2);
            EXPECT_EQ(canvas.cues[0].bottom, 21);
            EXPECT_EQ(canvas.cueColours[0], kText);
        }
    }
}

TEST(DrawButton, HotOrDefaultWithoutFocusLeavesStyleOneAndFiveUnmarked)
{
    // Pairs that must paint alike: the hot look hides the rim; style 5 and a
    // pressed style 1 ignore the default-button report.
    const Look pairs[][2] = {
        {{1, 1, 1, 0, true, true, true, true}, {1, 1, 1, 0, true, true}},
        {{2, 1, 1, 0, true, true, true, true}, {2, 1, 1, 0, true, true}},
        {{5, 1, 1, 0, true, false, false, true}, {5}},
        {{1, 1, 1, 2, true, false, false, true}, {1, 1, 1, 2}},
    };
    for (const auto& pair : pairs) {
        Button a, b;
        EXPECT_TRUE(SameCanvas(a.Draw(pair[0]), b.Draw(pair[1]))) << "style " << pair[0].type;
    }
}

TEST(DrawButton, HiddenFocusRectShowsNoCueOrRimAndKeepsTheFlag)
{
    for (int style = 1; style <= 5; ++style) {
        for (int state : {0, 2}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " state " << state);
            Button focused;
            focused.command.SetShowFocusRect(false);
            const RasterCanvas hidden = focused.Draw({style, 1, 1, state, true, false, true, true});
            EXPECT_TRUE(focused.command.state().hasFocus);
            Button plain;
            EXPECT_TRUE(SameCanvas(hidden, plain.Draw({style, 1, 1, state})));
            // With the cue allowed the same button looks different, except
            // style 2 pressed, which never shows focus.
            Button shown;
            const RasterCanvas visible = shown.Draw({style, 1, 1, state, true, false, true, true});
            EXPECT_TRUE(shown.command.state().hasFocus);
            EXPECT_EQ(!SameCanvas(hidden, visible), !(style == 2 && state == 2));
        }
    }
}

TEST(DrawButton, DisabledShowsNeitherCueNorRing)
{
    for (int style = 1; style <= 5; ++style) {
        for (int state : {0, 2}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " state " << state);
            Button busy;
            const RasterCanvas flagged = busy.Draw({style, 1, 1, state, false, true, true, true});
            Button plain;
            const RasterCanvas reference = plain.Draw({style, 1, 1, state, false});
            EXPECT_TRUE(SameCanvas(flagged, reference));
            EXPECT_EQ(busy.command.state().visualState, state);
        }
    }
}

TEST(DrawButton, EveryLookAtEverySmallSizeStaysInsideTheCanvas)
{
    for (int style = 0; style <= 6; ++style) {
        for (int scheme = 1; scheme <= 3; ++scheme) {
            for (int xp = style == 1 ? 0 : 1; xp <= (style == 1 ? 3 : 1); ++xp) {
                for (int flags = 0; flags < 16; ++flags) {
                    const Look setup{style, scheme, xp, (flags & 1) ? 2 : 0, (flags & 2) == 0, (flags & 4) != 0,
                                      (flags & 8) != 0, (flags & 8) != 0};
                    auto button = std::make_unique<Button>();
                    button->Apply(setup);
                    for (int w = 1; w <= 12; ++w) {
                        for (int h = 1; h <= 12; ++h) {
                            button->Resize(w, h);
                            RasterCanvas canvas(w, h, kBackground);
                            DrawButton(button->command, canvas, setup.state, true, setup.isDefault);
                            // Whatever the style, the button covers its canvas.
                            ASSERT_NE(canvas.GetPixel(w / 2, h / 2), kBackground)
                                << style << " " << scheme << " " << xp << " " << flags << " " << w << "x" << h;
                        }
                    }
                }
            }
        }
    }
}
