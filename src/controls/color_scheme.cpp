#include "controls/color_scheme.h"

SchemeColours DeriveSchemeColours(int colorScheme, Colour backColor, Colour foreColor, SystemColors& system)
{
    SchemeColours colours;
    if (colorScheme == 2) {
        colours.text = foreColor;
        colours.face = backColor;
        colours.shadow = ShiftColor(backColor, -64, false);
        colours.light = ShiftColor(backColor, 31, false);
        colours.highlight = ShiftColor(backColor, 47, false);
        colours.darkShadow = ShiftColor(backColor, -192, false);
    } else if (colorScheme == 3) {
        colours.darkShadow = 0;
        colours.text = 0;
        colours.face = Rgb(192, 192, 192);
        colours.shadow = Rgb(128, 128, 128);
        colours.light = Rgb(223, 223, 223);
        colours.highlight = Rgb(255, 255, 255);
    } else {
        colours.face = system.Get(SystemColor::ButtonFace);
        colours.shadow = system.Get(SystemColor::ButtonShadow);
        colours.light = system.Get(SystemColor::Light3D);
        colours.darkShadow = system.Get(SystemColor::DarkShadow3D);
        colours.highlight = system.Get(SystemColor::ButtonHighlight);
        colours.text = foreColor;
    }
    return colours;
}
