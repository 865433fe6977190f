#pragma once

#include "drawing/colour.h"

namespace torvane {

// Indexes of the system colours the button uses, with the platform's values.
namespace SystemColour {
constexpr int ButtonFace = 15;      // COLOR_BTNFACE
constexpr int ButtonShadow = 16;    // COLOR_BTNSHADOW
constexpr int ButtonText = 18;      // COLOR_BTNTEXT
constexpr int ButtonHighlight = 20; // COLOR_BTNHIGHLIGHT
constexpr int DarkShadow3D = 21;    // COLOR_3DDKSHADOW
constexpr int Light3D = 22;         // COLOR_3DLIGHT
} // namespace SystemColour

// GetSysColor, behind a seam so tests can give known colours.
class SystemColours {
public:
    virtual ~SystemColours() = default;
    virtual Colour Get(int index) = 0;
};

} // namespace torvane
