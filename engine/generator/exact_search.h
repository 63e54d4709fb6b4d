#pragma once

#include <array>
#include <cstdint>

#include "random.h"

namespace vornel::generator {

// A grid of values, cell 0-80 row by row: 0 empty, 1-9 a digit.
using Grid = std::array<std::uint8_t, 81>;

// The generator's exact search: candidates as bitmasks, naked and hidden singles propagated
// before every guess, the cell with the fewest candidates guessed first. It answers the questions
// digging asks many times per puzzle, each in a few microseconds on a minimal puzzle.

// Counts the solutions of the puzzle's givens, stopping at `limit`. A value outside 0..9 or a
// duplicate in a unit gives 0.
int count_solutions(const Grid& puzzle, int limit = 2);

// True when the puzzle has a solution whose digit in `cell` is not `digit`. When a puzzle with
// one solution loses the given `digit` in `cell`, it keeps one solution exactly when this is
// false for the emptied cell: one search that stops at the first solution instead of two.
bool has_other_solution(const Grid& puzzle, int cell, int digit);

// True when hidden singles (a digit with one place left in a unit), and naked singles (a cell with
// one digit left) when `naked`, alone fill the puzzle, which then has exactly one solution.
bool solved_by_singles(const Grid& puzzle, bool naked);

// True when the givens among the empty cell's peers hold eight different digits: the ninth is
// forced there, whatever else the puzzle holds.
bool forced_by_peers(const Grid& puzzle, int cell);

// A full valid grid drawn at random; the same generator state gives the same grid.
Grid random_solution(Random& random);

} // namespace vornel::generator
