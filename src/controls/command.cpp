#include "controls/command.h"

#include "controls/access_key.h"

namespace torvane {

Command::Command(CommandSurface& surface, SystemColours& system) : surface_(surface), system_(system)
{
    ApplyColorScheme();
}

void Command::Changed(const wchar_t* name)
{
    surface_.PropertyChanged(name);
}

void Command::ApplyColorScheme()
{
    scheme_ = DeriveSchemeColours(p_.colorScheme, p_.backColor, p_.foreColor, system_);
    if (p_.colorScheme == 3) {
        p_.officeXpFillColor = kSchemeThreeOfficeXp.fill;
        p_.officeXpFrameColor = kSchemeThreeOfficeXp.frame;
        p_.officeXpMousemoveFillColor = kSchemeThreeOfficeXp.mousemoveFill;
        p_.officeXpMousemoveFrameColor = kSchemeThreeOfficeXp.mousemoveFrame;
    } else if (p_.colorScheme != 2 && p_.buttonType == 4) {
        p_.midColor = kGreyGradients.mid;
        p_.endColor = kGreyGradients.end;
        p_.mouseMoveMidColor = kGreyGradients.mouseMoveMid;
        p_.mouseMoveEndColor = kGreyGradients.mouseMoveEnd;
        p_.mouseDownMidColor = kGreyGradients.mouseDownMid;
        p_.mouseDownEndColor = kGreyGradients.mouseDownEnd;
    }
}

void Command::UpdateAccessKey()
{
    const std::optional<wchar_t> key = AccessKeyOf(p_.caption);
    surface_.SetAccessKeys(key ? std::wstring(1, *key) : std::wstring());
}

void Command::SetBackColor(Colour value)
{
    p_.backColor = value;
    ApplyColorScheme();
    surface_.Repaint();
    Changed(L"BackColor");
}

void Command::SetForeColor(Colour value)
{
    p_.foreColor = value;
    ApplyColorScheme();
    surface_.Repaint();
    Changed(L"ForeColor");
}

void Command::SetColorScheme(std::int32_t value)
{
    p_.colorScheme = value;
    ApplyColorScheme();
    surface_.Repaint();
    Changed(L"ColorScheme");
}

PropertyError Command::SetPercent(int value)
{
    if (value < 0 || value > 100)
        return PropertyError::InvalidValue;
    p_.percent = static_cast<std::int16_t>(value);
    surface_.Repaint();
    Changed(L"Percent");
    return PropertyError::None;
}

void Command::SetColour(Colour& field, Colour value, const wchar_t* name)
{
    field = value;
    surface_.Repaint();
    Changed(name);
}

void Command::SetMidColor(Colour value) { SetColour(p_.midColor, value, L"MidColor"); }
void Command::SetEndColor(Colour value) { SetColour(p_.endColor, value, L"EndColor"); }
void Command::SetMouseMoveMidColor(Colour value) { SetColour(p_.mouseMoveMidColor, value, L"MouseMoveMidColor"); }
void Command::SetMouseMoveEndColor(Colour value) { SetColour(p_.mouseMoveEndColor, value, L"MouseMoveEndColor"); }
void Command::SetMouseDownMidColor(Colour value) { SetColour(p_.mouseDownMidColor, value, L"MouseDownMidColor"); }
void Command::SetMouseDownEndColor(Colour value) { SetColour(p_.mouseDownEndColor, value, L"MouseDownEndColor"); }
void Command::SetOfficeXpFillColor(Colour value) { SetColour(p_.officeXpFillColor, value, L"OfficeXpFillColor"); }
void Command::SetOfficeXpFrameColor(Colour value) { SetColour(p_.officeXpFrameColor, value, L"OfficeXpFrameColor"); }
void Command::SetOfficeXpMousemoveFillColor(Colour value)
{
    SetColour(p_.officeXpMousemoveFillColor, value, L"OfficeXpMousemoveFillColor");
}
void Command::SetOfficeXpMousemoveFrameColor(Colour value)
{
    SetColour(p_.officeXpMousemoveFrameColor, value, L"OfficeXpMousemoveFrameColor");
}

void Command::SetXpType(std::int32_t value)
{
    p_.xpType = value;
    surface_.Repaint();
    Changed(L"XpType");
}

void Command::SetShowFocusRect(bool value)
{
    p_.showFocusRect = value;
    surface_.Repaint();
    Changed(L"ShowFocusRect");
}

void Command::Setrectcolor(Colour value)
{
    p_.rectcolor = value;
    Changed(L"rectcolor");
}

void Command::SetEnabled(bool value)
{
    p_.enabled = value;
    surface_.SetSurfaceEnabled(value);
    surface_.Resize();
    Changed(L"Enabled");
}

void Command::SetFont(const FontDescription& value)
{
    p_.font = value;
    surface_.SetSurfaceFont(value);
    surface_.Repaint();
    Changed(L"Font");
}

void Command::SetButtonType(std::int32_t value)
{
    p_.buttonType = value;
    ApplyColorScheme();
    if (value == 4) {
        p_.percent = kBluePercent;
        p_.midColor = kBlueGradients.mid;
        p_.endColor = kBlueGradients.end;
        p_.mouseMoveMidColor = kBlueGradients.mouseMoveMid;
        p_.mouseMoveEndColor = kBlueGradients.mouseMoveEnd;
        p_.mouseDownMidColor = kBlueGradients.mouseDownMid;
        p_.mouseDownEndColor = kBlueGradients.mouseDownEnd;
    }
    surface_.Resize();
    Changed(L"ButtonType");
}

void Command::SetCaption(const std::wstring& value)
{
    p_.caption = value;
    UpdateAccessKey();
    surface_.Repaint();
    Changed(L"Caption");
}

std::uintptr_t Command::hWnd() const
{
    return surface_.WindowHandle();
}

PropertyError Command::SethWnd(std::uintptr_t)
{
    return surface_.RunMode() ? PropertyError::SetNotSupportedAtRuntime : PropertyError::SetNotPermitted;
}

} // namespace torvane
