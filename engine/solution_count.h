#pragma once

#include "work_area.h"

namespace vornel {

// Counts the solutions of the grid's givens by exact search, stopping at `limit`. A grid with a
// value outside 0..9 or a duplicate in a unit has 0 solutions.
int count_solutions(const WorkArea& area, int limit = 2);

} // namespace vornel
