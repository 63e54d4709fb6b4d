// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "board.h"
#include "work_area.h"

namespace vornel {

struct SolutionCount {
    int count = 0; // solutions found, never more than the limit asked for
    Grid first{};  // the first solution found, when count > 0; all 0 otherwise
};

// Counts the solutions of the grid, stopping at `limit` (at least 1). A grid with a duplicate in a
// unit, or a value outside 0-9, has none. Exact: candidates per cell, unit and digit, with naked
// and hidden singles propagated before each branch and the cell with the fewest candidates tried
// first; a digit with no place left in a unit ends a branch at once, so grids without a solution
// are refuted in microseconds, sparse ones included.
SolutionCount find_solutions(const Grid& cells, int limit = 2);

// The same count for the work area's grid.
int count_solutions(const WorkArea& area, int limit = 2);

// The same count among the solutions whose `cell` (0-80) does not hold `digit` (1-9). When a grid
// with one solution loses the value `digit` in `cell`, it keeps one solution exactly when this
// finds none for the emptied cell, with limit 1: one search that stops at the first solution.
SolutionCount find_solutions_without(const Grid& cells, int cell, int digit, int limit = 1);

// The same count among the solutions whose every empty cell holds one of its allowed digits: the
// one exact search for a grid with candidates removed (positions part-way through a solve).
SolutionCount find_solutions_within(const Grid& cells, const Marks& allowed, int limit = 2);

// Draws a number 0 to bound - 1, for bound 1-9.
using Draw = std::function<std::uint32_t(std::uint32_t bound)>;

// A full valid grid: the first solution of the empty grid when the digits of each branch are tried
// in an order shuffled with `draw` (Fisher-Yates from the last digit down, one draw per swap). The
// same draws give the same grid.
Grid random_full_grid(const Draw& draw);

// True when hidden singles, and naked singles when `naked`, alone fill the grid, which then has
// exactly one solution. False for a grid that the count above gives no solution.
bool filled_by_singles(const Grid& cells, bool naked);

} // namespace vornel
