#include <gtest/gtest.h>

#include <functional>

#include "controls/command.h"
#include "fakes/fake_command_surface.h"
#include "platform/memory_property_bag.h"

using namespace torvane;

namespace {

class CommandTest : public ::testing::Test {
protected:
    CommandTest() { command.InitProperties(); surface.calls.clear(); }

    GradientColours Gradients() const
    {
        const CommandProperties& p = command.properties();
        return {p.midColor, p.endColor, p.mouseMoveMidColor, p.mouseMoveEndColor, p.mouseDownMidColor,
                p.mouseDownEndColor};
    }

    FakeCommandSurface surface;
    FakeSystemColours system;
    Command command{surface, system};
};

bool operator==(const GradientColours& a, const GradientColours& b)
{
    return a.mid == b.mid && a.end == b.end && a.mouseMoveMid == b.mouseMoveMid && a.mouseMoveEnd == b.mouseMoveEnd &&
           a.mouseDownMid == b.mouseDownMid && a.mouseDownEnd == b.mouseDownEnd;
}

} // namespace

TEST_F(CommandTest, NewButtonTakesTheTableDefaultsAndItsOwnName)
{
    const CommandProperties& p = command.properties();
    EXPECT_EQ(p.caption, L"Command1");
    EXPECT_EQ(p.backColor, Rgb(240, 240, 240));
    EXPECT_EQ(p.foreColor, Rgb(1, 2, 3));
    EXPECT_EQ(p.percent, 16);
    EXPECT_EQ(p.midColor, Rgb(116, 200, 115));
    EXPECT_EQ(p.mouseDownEndColor, 0u);
    EXPECT_EQ(p.officeXpMousemoveFrameColor, Rgb(127, 128, 1));
    EXPECT_EQ(p.rectcolor, Rgb(250, 195, 88));
    EXPECT_EQ(p.font, surface.surfaceFont);
    EXPECT_EQ(p.buttonType, 1);
    EXPECT_TRUE(p.enabled && p.showFocusRect);
    EXPECT_EQ(command.scheme().text, Rgb(1, 2, 3));
    EXPECT_EQ(command.scheme().face, Rgb(240, 240, 240));
    EXPECT_EQ(command.state().lastButton, 1);
    EXPECT_EQ(command.state().pressedTextRect.left, 2);
    EXPECT_EQ(command.state().pressedTextRect.top, 2);
}

TEST_F(CommandTest, SettersRunTheirEffectsInOrder)
{
    struct Case {
        const char* name;
        std::function<void(Command&)> set;
        std::vector<std::wstring> calls;
    };
    const Case cases[] = {
        {"BackColor", [](Command& c) { c.SetBackColor(Rgb(1, 1, 1)); }, {L"repaint", L"changed BackColor"}},
        {"ForeColor", [](Command& c) { c.SetForeColor(Rgb(1, 1, 1)); }, {L"repaint", L"changed ForeColor"}},
        {"ColorScheme", [](Command& c) { c.SetColorScheme(2); }, {L"repaint", L"changed ColorScheme"}},
        {"MidColor", [](Command& c) { c.SetMidColor(5); }, {L"repaint", L"changed MidColor"}},
        {"OfficeXpMousemoveFrameColor", [](Command& c) { c.SetOfficeXpMousemoveFrameColor(5); },
         {L"repaint", L"changed OfficeXpMousemoveFrameColor"}},
        {"XpType", [](Command& c) { c.SetXpType(2); }, {L"repaint", L"changed XpType"}},
        {"ShowFocusRect", [](Command& c) { c.SetShowFocusRect(false); }, {L"repaint", L"changed ShowFocusRect"}},
        {"rectcolor", [](Command& c) { c.Setrectcolor(5); }, {L"changed rectcolor"}},
        {"Enabled", [](Command& c) { c.SetEnabled(false); }, {L"disable", L"resize", L"changed Enabled"}},
        {"Font", [](Command& c) { c.SetFont({L"Other", 12, true, true}); },
         {L"font Other", L"repaint", L"changed Font"}},
        {"ButtonType", [](Command& c) { c.SetButtonType(3); }, {L"resize", L"changed ButtonType"}},
        {"Caption", [](Command& c) { c.SetCaption(L"&Go"); }, {L"keys g", L"repaint", L"changed Caption"}},
        {"Percent", [](Command& c) { c.SetPercent(40); }, {L"repaint", L"changed Percent"}},
    };
    for (const Case& c : cases) {
        surface.calls.clear();
        c.set(command);
        EXPECT_EQ(surface.calls, c.calls) << c.name;
    }
}

TEST_F(CommandTest, PercentOutsideTheRangeIsRefusedAndKept)
{
    struct Case {
        int value;
        PropertyError error;
        int kept;
    };
    const Case cases[] = {
        {0, PropertyError::None, 0},       {100, PropertyError::None, 100},    {101, PropertyError::InvalidValue, 100},
        {-1, PropertyError::InvalidValue, 100}, {70000, PropertyError::InvalidValue, 100}, {50, PropertyError::None, 50},
    };
    for (const Case& c : cases) {
        surface.calls.clear();
        EXPECT_EQ(command.SetPercent(c.value), c.error) << c.value;
        EXPECT_EQ(command.Percent(), c.kept) << c.value;
        EXPECT_EQ(surface.calls.empty(), c.error != PropertyError::None) << c.value;
    }
}

TEST_F(CommandTest, HandleIsReadOnlyWithTheReasonOfTheFormsMode)
{
    EXPECT_EQ(command.hWnd(), 0x1234u);
    surface.runMode = true;
    EXPECT_EQ(command.SethWnd(5), PropertyError::SetNotSupportedAtRuntime);
    surface.runMode = false;
    EXPECT_EQ(command.SethWnd(5), PropertyError::SetNotPermitted);
    EXPECT_EQ(command.hWnd(), 0x1234u);
    EXPECT_TRUE(surface.calls.empty());
}

TEST_F(CommandTest, GlossyStyleUnderSystemSchemeLoadsBlueThenBackColorGivesGrey)
{
    command.SetButtonType(4);
    EXPECT_EQ(command.Percent(), 53);
    EXPECT_TRUE(Gradients() == kBlueGradients);

    command.SetBackColor(Rgb(9, 9, 9));
    EXPECT_TRUE(Gradients() == kGreyGradients);
    EXPECT_EQ(command.Percent(), 53);

    // Under scheme 2 the glossy style keeps its gradient colours.
    command.SetColorScheme(2);
    command.SetMidColor(Rgb(1, 2, 3));
    command.SetForeColor(Rgb(4, 5, 6));
    EXPECT_EQ(command.MidColor(), Rgb(1, 2, 3));
}

TEST_F(CommandTest, SchemeThreeOverwritesOfficeXpColoursForGood)
{
    command.SetColorScheme(3);
    EXPECT_EQ(command.OfficeXpFillColor(), Rgb(236, 233, 216));
    EXPECT_EQ(command.OfficeXpFrameColor(), Rgb(172, 169, 154));
    EXPECT_EQ(command.OfficeXpMousemoveFillColor(), Rgb(193, 210, 238));
    EXPECT_EQ(command.OfficeXpMousemoveFrameColor(), Rgb(49, 105, 198));
    EXPECT_EQ(command.scheme().face, Rgb(192, 192, 192));
    EXPECT_EQ(command.scheme().text, 0u);

    command.SetColorScheme(1);
    EXPECT_EQ(command.OfficeXpFillColor(), Rgb(236, 233, 216));
    EXPECT_EQ(command.OfficeXpMousemoveFrameColor(), Rgb(49, 105, 198));
    EXPECT_EQ(command.scheme().face, Rgb(240, 240, 240));
}

TEST_F(CommandTest, SchemeColoursFollowTheirSource)
{
    struct Case {
        int scheme;
        SchemeColours expected;
    };
    const Case cases[] = {
        {2, {Rgb(100, 150, 200), Rgb(131, 181, 231), Rgb(147, 197, 247), Rgb(36, 86, 136), Rgb(0, 0, 8), Rgb(7, 8, 9)}},
        {3, {Rgb(192, 192, 192), Rgb(223, 223, 223), Rgb(255, 255, 255), Rgb(128, 128, 128), 0, 0}},
        {1, {Rgb(240, 240, 240), Rgb(227, 227, 227), Rgb(255, 255, 254), Rgb(160, 160, 160), Rgb(105, 105, 105), Rgb(7, 8, 9)}},
        {7, {Rgb(240, 240, 240), Rgb(227, 227, 227), Rgb(255, 255, 254), Rgb(160, 160, 160), Rgb(105, 105, 105), Rgb(7, 8, 9)}},
    };
    command.SetBackColor(Rgb(100, 150, 200));
    command.SetForeColor(Rgb(7, 8, 9));
    for (const Case& c : cases) {
        command.SetColorScheme(c.scheme);
        const SchemeColours& s = command.scheme();
        EXPECT_EQ(s.face, c.expected.face) << c.scheme;
        EXPECT_EQ(s.light, c.expected.light) << c.scheme;
        EXPECT_EQ(s.highlight, c.expected.highlight) << c.scheme;
        EXPECT_EQ(s.shadow, c.expected.shadow) << c.scheme;
        EXPECT_EQ(s.darkShadow, c.expected.darkShadow) << c.scheme;
        EXPECT_EQ(s.text, c.expected.text) << c.scheme;
    }
}
