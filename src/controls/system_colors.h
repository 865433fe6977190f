#pragma once

#include "drawing/colour.h"

// Indexes of the system colours the button uses, with the platform's values.
namespace SystemColor {
constexpr int ButtonFace = 15;      // COLOR_BTNFACE
constexpr int ButtonShadow = 16;    // COLOR_BTNSHADOW
constexpr int ButtonText = 18;      // COLOR_BTNTEXT
constexpr int ButtonHighlight = 20; // COLOR_BTNHIGHLIGHT
constexpr int DarkShadow3D = 21;    // COLOR_3DDKSHADOW
constexpr int Light3D = 22;         // COLOR_3DLIGHT
} // namespace SystemColor

// GetSysColor, behind a seam so tests can give known colours.
class SystemColors {
public:
    virtual ~SystemColors() = default;
    virtual Colour Get(int index) = 0;
};
