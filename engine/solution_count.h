#pragma once

#include <array>
#include <cstdint>

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

} // namespace vornel
