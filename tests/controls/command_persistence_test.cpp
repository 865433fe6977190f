#include <gtest/gtest.h>

#include <set>

#include "controls/command.h"
#include "fakes/fake_command_surface.h"
#include "platform/memory_property_bag.h"

using namespace torvane;

namespace {

// Notes the keys in the order they are read.
class ReadOrderBag : public MemoryPropertyBag {
public:
    std::int32_t ReadInt32(const std::wstring& key, std::int32_t fallback) override { keys.push_back(key); return MemoryPropertyBag::ReadInt32(key, fallback); }
    std::int16_t ReadInt16(const std::wstring& key, std::int16_t fallback) override { keys.push_back(key); return MemoryPropertyBag::ReadInt16(key, fallback); }
    bool ReadBool(const std::wstring& key, bool fallback) override { keys.push_back(key); return MemoryPropertyBag::ReadBool(key, fallback); }
    std::wstring ReadString(const std::wstring& key, const std::wstring& fallback) override { keys.push_back(key); return MemoryPropertyBag::ReadString(key, fallback); }
    FontDescription ReadFont(const std::wstring& key, const FontDescription& fallback) override { keys.push_back(key); return MemoryPropertyBag::ReadFont(key, fallback); }
    std::vector<std::wstring> keys;
};

} // namespace

TEST(CommandPersistence, AnEmptyStoreReadsAsDefaultsWithTheStoredCaptionDefault)
{
    FakeCommandSurface surface;
    FakeSystemColours system;
    Command command(surface, system);
    ReadOrderBag bag;
    command.ReadProperties(bag);

    const std::vector<std::wstring> order = {
        L"BackColor", L"ForeColor", L"Enabled", L"Font", L"ButtonType", L"XpType", L"Caption", L"ColorScheme",
        L"ShowFocusRect", L"rectcolor", L"Percent", L"MidColor", L"EndColor", L"MouseMoveEndColor",
        L"MouseMoveMidColor", L"MouseDownEndColor", L"MouseDownMidColor", L"OfficeXpFillColor",
        L"OfficeXpFrameColor", L"OfficeXpMousemoveFillColor", L"OfficeXpMousemoveFrameColor",
    };
    EXPECT_EQ(bag.keys, order);
    EXPECT_EQ(command.Caption(), L"qxbutton");
    EXPECT_EQ(command.Font(), surface.containerFont);
    EXPECT_EQ(command.BackColor(), Rgb(240, 240, 240));
    EXPECT_EQ(command.Percent(), 16);
    EXPECT_EQ(surface.accessKeys, L"");
    // The surface takes the enabled state and font, and the button is painted once at the end.
    const std::vector<std::wstring> calls = {L"enable", L"font Container Sans", L"keys ", L"repaint"};
    EXPECT_EQ(surface.calls, calls);
}

TEST(CommandPersistence, StoredGradientColoursWinOverTheScheme)
{
    FakeCommandSurface surface;
    FakeSystemColours system;
    Command command(surface, system);
    MemoryPropertyBag bag;
    bag.Set(L"ButtonType", std::int32_t{4});
    bag.Set(L"MidColor", std::int32_t{0x123456});
    bag.Set(L"ColorScheme", std::int32_t{3});
    bag.Set(L"OfficeXpFillColor", std::int32_t{0x0A0B0C});
    bag.Set(L"Caption", std::wstring(L"保存(&S)"));
    command.ReadProperties(bag);

    EXPECT_EQ(command.MidColor(), 0x123456u);
    // Not stored: the default, not what the scheme would have set.
    EXPECT_EQ(command.EndColor(), 14153431u);
    EXPECT_EQ(command.OfficeXpFillColor(), 0x0A0B0Cu);
    EXPECT_EQ(command.OfficeXpFrameColor(), 4373692u);
    EXPECT_EQ(command.scheme().face, Rgb(192, 192, 192));
    EXPECT_EQ(surface.accessKeys, L"s");
}

TEST(CommandPersistence, DefaultsAreNotStoredAndEverythingElseRoundTrips)
{
    FakeCommandSurface surface;
    FakeSystemColours system;
    Command fresh(surface, system);
    fresh.InitProperties();
    fresh.SetCaption(L"qxbutton");
    fresh.SetFont(surface.containerFont);
    MemoryPropertyBag empty;
    fresh.WriteProperties(empty);
    EXPECT_TRUE(empty.values().empty());

    Command changed(surface, system);
    changed.InitProperties();
    changed.SetBackColor(1);
    changed.SetForeColor(2);
    changed.SetEnabled(false);
    changed.SetFont({L"Other", 11, true, true});
    changed.SetButtonType(3);
    changed.SetXpType(2);
    changed.SetCaption(L"清空");
    changed.SetColorScheme(2);
    changed.SetShowFocusRect(false);
    changed.Setrectcolor(3);
    changed.SetPercent(77);
    changed.SetMidColor(4);
    changed.SetEndColor(5);
    changed.SetMouseMoveMidColor(6);
    changed.SetMouseMoveEndColor(7);
    changed.SetMouseDownMidColor(8);
    changed.SetMouseDownEndColor(9);
    changed.SetOfficeXpFillColor(10);
    changed.SetOfficeXpFrameColor(11);
    changed.SetOfficeXpMousemoveFillColor(12);
    changed.SetOfficeXpMousemoveFrameColor(13);
    MemoryPropertyBag bag;
    changed.WriteProperties(bag);
    EXPECT_EQ(bag.values().size(), 21u);
    EXPECT_TRUE(std::holds_alternative<std::int16_t>(bag.values().at(L"Percent")));
    EXPECT_TRUE(std::holds_alternative<bool>(bag.values().at(L"Enabled")));
    EXPECT_TRUE(std::holds_alternative<FontDescription>(bag.values().at(L"Font")));

    Command read(surface, system);
    read.ReadProperties(bag);
    const CommandProperties& a = changed.properties();
    const CommandProperties& b = read.properties();
    EXPECT_EQ(a.backColor, b.backColor);
    EXPECT_EQ(a.foreColor, b.foreColor);
    EXPECT_EQ(a.enabled, b.enabled);
    EXPECT_EQ(a.font, b.font);
    EXPECT_EQ(a.buttonType, b.buttonType);
    EXPECT_EQ(a.xpType, b.xpType);
    EXPECT_EQ(a.caption, b.caption);
    EXPECT_EQ(a.colorScheme, b.colorScheme);
    EXPECT_EQ(a.showFocusRect, b.showFocusRect);
    EXPECT_EQ(a.rectcolor, b.rectcolor);
    EXPECT_EQ(a.percent, b.percent);
    EXPECT_EQ(a.midColor, b.midColor);
    EXPECT_EQ(a.endColor, b.endColor);
    EXPECT_EQ(a.mouseMoveMidColor, b.mouseMoveMidColor);
    EXPECT_EQ(a.mouseMoveEndColor, b.mouseMoveEndColor);
    EXPECT_EQ(a.mouseDownMidColor, b.mouseDownMidColor);
    EXPECT_EQ(a.mouseDownEndColor, b.mouseDownEndColor);
    EXPECT_EQ(a.officeXpFillColor, b.officeXpFillColor);
    EXPECT_EQ(a.officeXpFrameColor, b.officeXpFrameColor);
    EXPECT_EQ(a.officeXpMousemoveFillColor, b.officeXpMousemoveFillColor);
    EXPECT_EQ(a.officeXpMousemoveFrameColor, b.officeXpMousemoveFrameColor);
}
