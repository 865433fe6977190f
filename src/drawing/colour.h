#pragma once

#include <cstdint>

namespace torvane {

// A colour value laid out 0x00BBGGRR: red in the low byte.
using Colour = std::uint32_t;

constexpr Colour Rgb(int red, int green, int blue)
{
    return static_cast<Colour>(red & 255) | (static_cast<Colour>(green & 255) << 8) |
           (static_cast<Colour>(blue & 255) << 16);
}

constexpr int RedOf(Colour colour) { return static_cast<int>(colour & 255); }
constexpr int GreenOf(Colour colour) { return static_cast<int>((colour >> 8) & 255); }
constexpr int BlueOf(Colour colour) { return static_cast<int>((colour >> 16) & 255); }

// A colour as the property store keeps it: a signed 32-bit number.
constexpr std::int32_t StoredColour(Colour colour) { return static_cast<std::int32_t>(colour); }
constexpr Colour ColourFromStore(std::int32_t value) { return static_cast<Colour>(value); }

// What a failed pixel read gives back.
constexpr Colour kInvalidColour = 0xFFFFFFFFu;

// Adds amount to each channel, clamped to 0..255; with scaleBlue the blue
// channel moves by blue * amount / 192 instead (truncating).
Colour ShiftColor(Colour colour, int amount, bool scaleBlue);

} // namespace torvane
