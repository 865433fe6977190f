#include "controls/command.h"

namespace torvane {

namespace {

const wchar_t kStoredCaptionDefault[] = L"qxbutton";

std::int32_t AsInt(Colour colour) { return static_cast<std::int32_t>(colour); }
Colour AsColour(std::int32_t value) { return static_cast<Colour>(value); }

} // namespace

void Command::InitProperties()
{
    const CommandProperties defaults;
    p_ = defaults;
    p_.backColor = system_.Get(SystemColour::ButtonFace);
    p_.foreColor = system_.Get(SystemColour::ButtonText);
    p_.caption = surface_.ControlName();
    p_.font = surface_.SurfaceFont();
    state_.visualState = 0;
    // The derived colours follow the defaults just taken.
    ApplyColorScheme();
}

void Command::ReadProperties(PropertyBag& bag)
{
    const CommandProperties defaults;
    p_.backColor = AsColour(bag.ReadInt32(L"BackColor", AsInt(system_.Get(SystemColour::ButtonFace))));
    p_.foreColor = AsColour(bag.ReadInt32(L"ForeColor", AsInt(system_.Get(SystemColour::ButtonText))));
    p_.enabled = bag.ReadBool(L"Enabled", defaults.enabled);
    p_.font = bag.ReadFont(L"Font", surface_.ContainerFont());
    p_.buttonType = bag.ReadInt32(L"ButtonType", defaults.buttonType);
    p_.xpType = bag.ReadInt32(L"XpType", defaults.xpType);
    p_.caption = bag.ReadString(L"Caption", kStoredCaptionDefault);
    p_.colorScheme = bag.ReadInt32(L"ColorScheme", defaults.colorScheme);
    p_.showFocusRect = bag.ReadBool(L"ShowFocusRect", defaults.showFocusRect);
    surface_.SetSurfaceEnabled(p_.enabled);
    surface_.SetSurfaceFont(p_.font);
    ApplyColorScheme();
    UpdateAccessKey();

    // Read after the scheme so that stored gradient and Office XP colours win.
    p_.rectcolor = AsColour(bag.ReadInt32(L"rectcolor", AsInt(defaults.rectcolor)));
    p_.percent = bag.ReadInt16(L"Percent", defaults.percent);
    p_.midColor = AsColour(bag.ReadInt32(L"MidColor", AsInt(defaults.midColor)));
    p_.endColor = AsColour(bag.ReadInt32(L"EndColor", AsInt(defaults.endColor)));
    p_.mouseMoveEndColor = AsColour(bag.ReadInt32(L"MouseMoveEndColor", AsInt(defaults.mouseMoveEndColor)));
    p_.mouseMoveMidColor = AsColour(bag.ReadInt32(L"MouseMoveMidColor", AsInt(defaults.mouseMoveMidColor)));
    p_.mouseDownEndColor = AsColour(bag.ReadInt32(L"MouseDownEndColor", AsInt(defaults.mouseDownEndColor)));
    p_.mouseDownMidColor = AsColour(bag.ReadInt32(L"MouseDownMidColor", AsInt(defaults.mouseDownMidColor)));
    p_.officeXpFillColor = AsColour(bag.ReadInt32(L"OfficeXpFillColor", AsInt(defaults.officeXpFillColor)));
    p_.officeXpFrameColor = AsColour(bag.ReadInt32(L"OfficeXpFrameColor", AsInt(defaults.officeXpFrameColor)));
    p_.officeXpMousemoveFillColor =
        AsColour(bag.ReadInt32(L"OfficeXpMousemoveFillColor", AsInt(defaults.officeXpMousemoveFillColor)));
    p_.officeXpMousemoveFrameColor =
        AsColour(bag.ReadInt32(L"OfficeXpMousemoveFrameColor", AsInt(defaults.officeXpMousemoveFrameColor)));

    state_.visualState = 0;
    surface_.Repaint();
}

void Command::WriteProperties(PropertyBag& bag) const
{
    const CommandProperties defaults;
    bag.WriteInt32(L"BackColor", AsInt(p_.backColor), AsInt(system_.Get(SystemColour::ButtonFace)));
    bag.WriteInt32(L"ForeColor", AsInt(p_.foreColor), AsInt(system_.Get(SystemColour::ButtonText)));
    bag.WriteBool(L"Enabled", p_.enabled, defaults.enabled);
    bag.WriteFont(L"Font", p_.font, surface_.ContainerFont());
    bag.WriteInt32(L"ButtonType", p_.buttonType, defaults.buttonType);
    bag.WriteInt32(L"XpType", p_.xpType, defaults.xpType);
    bag.WriteString(L"Caption", p_.caption, kStoredCaptionDefault);
    bag.WriteInt32(L"ColorScheme", p_.colorScheme, defaults.colorScheme);
    bag.WriteBool(L"ShowFocusRect", p_.showFocusRect, defaults.showFocusRect);
    bag.WriteInt32(L"rectcolor", AsInt(p_.rectcolor), AsInt(defaults.rectcolor));
    bag.WriteInt16(L"Percent", p_.percent, defaults.percent);
    bag.WriteInt32(L"MidColor", AsInt(p_.midColor), AsInt(defaults.midColor));
    bag.WriteInt32(L"EndColor", AsInt(p_.endColor), AsInt(defaults.endColor));
    bag.WriteInt32(L"MouseMoveMidColor", AsInt(p_.mouseMoveMidColor), AsInt(defaults.mouseMoveMidColor));
    bag.WriteInt32(L"MouseMoveEndColor", AsInt(p_.mouseMoveEndColor), AsInt(defaults.mouseMoveEndColor));
    bag.WriteInt32(L"MouseDownMidColor", AsInt(p_.mouseDownMidColor), AsInt(defaults.mouseDownMidColor));
    bag.WriteInt32(L"MouseDownEndColor", AsInt(p_.mouseDownEndColor), AsInt(defaults.mouseDownEndColor));
    bag.WriteInt32(L"OfficeXpFillColor", AsInt(p_.officeXpFillColor), AsInt(defaults.officeXpFillColor));
    bag.WriteInt32(L"OfficeXpFrameColor", AsInt(p_.officeXpFrameColor), AsInt(defaults.officeXpFrameColor));
    bag.WriteInt32(L"OfficeXpMousemoveFillColor", AsInt(p_.officeXpMousemoveFillColor),
                   AsInt(defaults.officeXpMousemoveFillColor));
    bag.WriteInt32(L"OfficeXpMousemoveFrameColor", AsInt(p_.officeXpMousemoveFrameColor),
                   AsInt(defaults.officeXpMousemoveFrameColor));
}

} // namespace torvane
