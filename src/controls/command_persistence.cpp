#include "controls/command.h"

#include "drawing/colour.h"

namespace torvane {

namespace {

const wchar_t kStoredCaptionDefault[] = L"qxbutton";

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
    p_.backColor = ColourFromStore(bag.ReadInt32(L"BackColor", StoredColour(system_.Get(SystemColour::ButtonFace))));
    p_.foreColor = ColourFromStore(bag.ReadInt32(L"ForeColor", StoredColour(system_.Get(SystemColour::ButtonText))));
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
    p_.rectcolor = ColourFromStore(bag.ReadInt32(L"rectcolor", StoredColour(defaults.rectcolor)));
    p_.percent = bag.ReadInt16(L"Percent", defaults.percent);
    p_.midColor = ColourFromStore(bag.ReadInt32(L"MidColor", StoredColour(defaults.midColor)));
    p_.endColor = ColourFromStore(bag.ReadInt32(L"EndColor", StoredColour(defaults.endColor)));
    p_.mouseMoveEndColor = ColourFromStore(bag.ReadInt32(L"MouseMoveEndColor", StoredColour(defaults.mouseMoveEndColor)));
    p_.mouseMoveMidColor = ColourFromStore(bag.ReadInt32(L"MouseMoveMidColor", StoredColour(defaults.mouseMoveMidColor)));
    p_.mouseDownEndColor = ColourFromStore(bag.ReadInt32(L"MouseDownEndColor", StoredColour(defaults.mouseDownEndColor)));
    p_.mouseDownMidColor = ColourFromStore(bag.ReadInt32(L"MouseDownMidColor", StoredColour(defaults.mouseDownMidColor)));
    p_.officeXpFillColor = ColourFromStore(bag.ReadInt32(L"OfficeXpFillColor", StoredColour(defaults.officeXpFillColor)));
    p_.officeXpFrameColor = ColourFromStore(bag.ReadInt32(L"OfficeXpFrameColor", StoredColour(defaults.officeXpFrameColor)));
    p_.officeXpMousemoveFillColor =
        ColourFromStore(bag.ReadInt32(L"OfficeXpMousemoveFillColor", StoredColour(defaults.officeXpMousemoveFillColor)));
    p_.officeXpMousemoveFrameColor =
        ColourFromStore(bag.ReadInt32(L"OfficeXpMousemoveFrameColor", StoredColour(defaults.officeXpMousemoveFrameColor)));

    state_.visualState = 0;
    surface_.Repaint();
}

void Command::WriteProperties(PropertyBag& bag) const
{
    const CommandProperties defaults;
    bag.WriteInt32(L"BackColor", StoredColour(p_.backColor), StoredColour(system_.Get(SystemColour::ButtonFace)));
    bag.WriteInt32(L"ForeColor", StoredColour(p_.foreColor), StoredColour(system_.Get(SystemColour::ButtonText)));
    bag.WriteBool(L"Enabled", p_.enabled, defaults.enabled);
    bag.WriteFont(L"Font", p_.font, surface_.ContainerFont());
    bag.WriteInt32(L"ButtonType", p_.buttonType, defaults.buttonType);
    bag.WriteInt32(L"XpType", p_.xpType, defaults.xpType);
    bag.WriteString(L"Caption", p_.caption, kStoredCaptionDefault);
    bag.WriteInt32(L"ColorScheme", p_.colorScheme, defaults.colorScheme);
    bag.WriteBool(L"ShowFocusRect", p_.showFocusRect, defaults.showFocusRect);
    bag.WriteInt32(L"rectcolor", StoredColour(p_.rectcolor), StoredColour(defaults.rectcolor));
    bag.WriteInt16(L"Percent", p_.percent, defaults.percent);
    bag.WriteInt32(L"MidColor", StoredColour(p_.midColor), StoredColour(defaults.midColor));
    bag.WriteInt32(L"EndColor", StoredColour(p_.endColor), StoredColour(defaults.endColor));
    bag.WriteInt32(L"MouseMoveMidColor", StoredColour(p_.mouseMoveMidColor), StoredColour(defaults.mouseMoveMidColor));
    bag.WriteInt32(L"MouseMoveEndColor", StoredColour(p_.mouseMoveEndColor), StoredColour(defaults.mouseMoveEndColor));
    bag.WriteInt32(L"MouseDownMidColor", StoredColour(p_.mouseDownMidColor), StoredColour(defaults.mouseDownMidColor));
    bag.WriteInt32(L"MouseDownEndColor", StoredColour(p_.mouseDownEndColor), StoredColour(defaults.mouseDownEndColor));
    bag.WriteInt32(L"OfficeXpFillColor", StoredColour(p_.officeXpFillColor), StoredColour(defaults.officeXpFillColor));
    bag.WriteInt32(L"OfficeXpFrameColor", StoredColour(p_.officeXpFrameColor), StoredColour(defaults.officeXpFrameColor));
    bag.WriteInt32(L"OfficeXpMousemoveFillColor", StoredColour(p_.officeXpMousemoveFillColor),
                   StoredColour(defaults.officeXpMousemoveFillColor));
    bag.WriteInt32(L"OfficeXpMousemoveFrameColor", StoredColour(p_.officeXpMousemoveFrameColor),
                   StoredColour(defaults.officeXpMousemoveFrameColor));
}

} // namespace torvane
