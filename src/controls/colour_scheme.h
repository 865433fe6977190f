#pragma once

#include "drawing/colour.h"
#include "controls/system_colours.h"

namespace torvane {

// The 3-D colours a button paints with, derived from its scheme.
struct SchemeColours {
    Colour face = 0;
    Colour light = 0;
    Colour highlight = 0;
    Colour shadow = 0;
    Colour darkShadow = 0;
    Colour text = 0;
};

// Scheme 2 derives from the back colour, scheme 3 is a fixed grey set, any
// other value takes the system colours.
SchemeColours DeriveSchemeColours(int colorScheme, Colour backColor, Colour foreColor, SystemColours& system);

// The four Office XP colours that scheme 3 imposes.
struct OfficeXpColours {
    Colour fill;
    Colour frame;
    Colour mousemoveFill;
    Colour mousemoveFrame;
};
constexpr OfficeXpColours kSchemeThreeOfficeXp = {Rgb(236, 233, 216), Rgb(172, 169, 154), Rgb(193, 210, 238),
                                                 Rgb(49, 105, 198)};

// The six gradient colours of the two-part styles.
struct GradientColours {
    Colour mid;
    Colour end;
    Colour mouseMoveMid;
    Colour mouseMoveEnd;
    Colour mouseDownMid;
    Colour mouseDownEnd;
};
// Loaded when the glossy style is chosen.
constexpr GradientColours kBlueGradients = {Rgb(124, 171, 255), Rgb(191, 211, 255), Rgb(157, 203, 255),
                                           Rgb(209, 231, 255), Rgb(100, 153, 255), Rgb(191, 211, 255)};
constexpr int kBluePercent = 53;
// What the glossy style shows under the system scheme.
constexpr GradientColours kGreyGradients = {Rgb(197, 197, 197), Rgb(238, 238, 238), Rgb(123, 167, 211),
                                           Rgb(210, 245, 251), Rgb(227, 167, 105), Rgb(252, 220, 199)};

} // namespace torvane
