// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Cell colours as one letter each, so that a whole board's colouring compares as one string.

#include <optional>
#include <string>

#include "colours.h"
#include "headless_board.h"

namespace vornel::test {

// The four colours a cell takes while the engine works, in a fixed order.
inline constexpr Colour kCellColours[] = {kWhite, kRed, kOrange, kGreen};

// 'W' white, 'R' red, 'O' orange, 'G' green, '-' never set, '?' any other colour.
char colour_letter(std::optional<Colour> colour);

// The 81 cells' letters, row by row.
std::string colour_letters(const HeadlessBoard& board);

} // namespace vornel::test
