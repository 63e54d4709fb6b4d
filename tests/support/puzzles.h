// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Puzzles for the tests and the benchmarks, and the one way they put a puzzle on a board.
// A puzzle is 81 characters, row by row: '1'-'9' a given, '.' or '0' an empty cell (anything
// else counts as empty too); a shorter string is padded with empty cells.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "board.h"
#include "board_view.h"
#include "work_area.h"

namespace vornel::test {

// Solved by single placements alone (51 placements).
inline constexpr std::string_view kEasy =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
inline constexpr std::string_view kEasySolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
// Needs more than singles: the two searches get stuck on it.
inline constexpr std::string_view kHard =
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..";
// 17 givens; the engine still finishes it, with 64 placements over many cycles (about 300 log lines).
inline constexpr std::string_view kSeventeenGivens =
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000";
// The engine places 28 digits, then a whole cycle places nothing: every colour shows on the way.
inline constexpr std::string_view kStuckAfter28 =
    "000000907000420180000705026100904000050000040000507009920108000034059000507000000";

Values puzzle_values(std::string_view puzzle);

// Writes the puzzle into the work area's grid and nothing else, as a file reader does.
void load_grid(WorkArea& area, std::string_view puzzle);

// Writes each cell's text through the board view, as typing it would ("" for an empty cell):
// the view's change handling stores every value in the grid.
void type_givens(BoardView& view, std::string_view puzzle);

// The grid as 81 characters: '1'-'9', `empty` for 0 and '?' for a value no cell can show.
std::string grid_text(const WorkArea& area, char empty = '.');

} // namespace vornel::test
