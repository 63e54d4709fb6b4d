// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace vornel {

// Colours are 24-bit values written 0x00BBGGRR: blue * 65536 + green * 256 + red.
using Colour = std::uint32_t;

inline constexpr Colour kBackground = 0x99FFFF; // window background and separator strips
inline constexpr Colour kWhite = 0xFFFFFF;      // free for the digit in hand
inline constexpr Colour kRed = 0x2222FF;        // the digit cannot go here
inline constexpr Colour kOrange = 0x0494FA;     // another digit stands here
inline constexpr Colour kGreen = 0x22FF22;      // the solver just placed the digit here

constexpr int colour_red(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int colour_green(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int colour_blue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr Colour colour_of_rgb(int r, int g, int b) {
    return static_cast<Colour>((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF));
}

} // namespace vornel
