#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "work_area.h"

namespace vornel {

// A grid as 81 values row by row (cell = 9 * (row - 1) + column - 1): 0 empty, 1-9 a digit.
using CellValues = std::array<std::uint8_t, 81>;

struct SolutionCount {
    int count = 0;      // solutions found, never more than the limit asked for
    CellValues first{}; // the first solution found, when count > 0; all 0 otherwise
};

// Counts the solutions of the grid, stopping at `limit` (at least 1). A grid with a duplicate in a
// unit, or a value outside 0-9, has none. Exact: candidates per cell, unit and digit, with naked
// and hidden singles propagated before each branch and the cell with the fewest candidates tried
// first; a digit with no place left in a unit ends a branch at once, so grids without a solution
// are refuted in microseconds, sparse ones included.
SolutionCount find_solutions(const CellValues& cells, int limit = 2);

// The same count for the work area's grid.
int count_solutions(const WorkArea& area, int limit = 2);

// The same count among the solutions whose `cell` (0-80) does not hold `digit` (1-9). When a grid
// with one solution loses the value `digit` in `cell`, it keeps one solution exactly when this
// finds none for the emptied cell, with limit 1: one search that stops at the first solution.
SolutionCount find_solutions_without(const CellValues& cells, int cell, int digit, int limit = 1);

// Candidate masks: bit d for digit d (1-9) still allowed in a cell.
using CandidateMasks = std::array<std::uint16_t, 81>;

// The same count among the solutions whose every empty cell holds one of its allowed digits: the
// one exact search for a grid with candidates removed (positions part-way through a solve).
SolutionCount find_solutions_within(const CellValues& cells, const CandidateMasks& allowed, int limit = 2);

// Draws a number 0 to bound - 1, for bound 1-9.
using Draw = std::function<std::uint32_t(std::uint32_t bound)>;

// A full valid grid: the first solution of the empty grid when the digits of each branch are tried
// in an order shuffled with `draw` (Fisher-Yates from the last digit down, one draw per swap). The
// same draws give the same grid.
CellValues random_full_grid(const Draw& draw);

// True when hidden singles, and naked singles when `naked`, alone fill the grid, which then has
// exactly one solution. False for a grid that the count above gives no solution.
bool filled_by_singles(const CellValues& cells, bool naked);

} // namespace vornel
