#pragma once
// Colours as the preferences file writes them: "red,green,blue" in decimal.
#include <cstdint>
#include <string_view>

namespace settings {

// The first three comma-separated fields, each read leniently (a missing field or one without
// digits is 0), combined as red + green * 256 + blue * 65536 in wrapping 32-bit arithmetic. A
// component outside 0 to 255 spills into its neighbours rather than being clamped.
std::uint32_t parseColour(std::string_view text);

}  // namespace settings
