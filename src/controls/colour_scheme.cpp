#include "controls/colour_scheme.h"

namespace torvane {

SchemeColours DeriveSchemeColours(int colorScheme, Colour backColor, Colour foreColor, SystemColours& system)
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
        colours.face = system.Get(SystemColour::ButtonFace);
        colours.shadow = system.Get(SystemColour::ButtonShadow);
        colours.light = system.Get(SystemColour::Light3D);
        colours.darkShadow = system.Get(SystemColour::DarkShadow3D);
        colours.highlight = system.Get(SystemColour::ButtonHighlight);
        colours.text = foreColor;
    }
    return colours;
}

} // namespace torvane
