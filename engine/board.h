// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// The board's three kinds of 81-cell arrays, cells 0-80 row by row. Every part of the program uses
// these names: a grid read from a file, a model's candidates and a solver's grid are the same types.
namespace vornel {

// Digits: 0 for an empty cell, 1-9 a digit.
using Grid = std::array<std::uint8_t, 81>;
// Candidates: bit d set when digit d (1-9) may go in the cell.
using Marks = std::array<std::uint16_t, 81>;
// Values as read, before they are checked: 0 empty, 1-9 a digit, anything else a value no cell can hold.
using Values = std::array<std::int16_t, 81>;

} // namespace vornel
