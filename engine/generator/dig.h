// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "board.h"
#include "random.h"
#include "solution_count.h"

namespace vornel::generator {

using vornel::Grid;

// Solutions are counted by the engine's exact search (solution_count.h): digging asks it dozens of
// times per puzzle whether a removal keeps one solution, each in a few microseconds.

// A full valid grid drawn at random; the same generator state gives the same grid.
Grid random_solution(Random& random);

// True when the givens among the empty cell's peers hold eight different digits: the ninth is
// forced there, whatever else the puzzle holds.
bool forced_by_peers(const Grid& puzzle, int cell);

// Accepts or refuses a smaller puzzle; accepting it must prove that it has exactly one solution
// (for instance, singles fill it).
using Preference = std::function<bool(const Grid& puzzle)>;

// Removes givens from the full grid `solution`, in an order drawn from `random`, keeping each
// removal that leaves exactly one solution. One pass makes the puzzle minimal: a given that could
// not go once cannot go later either, as fewer givens only allow more solutions.
//
// With `symmetric`, givens go in pairs turned 180° about the centre (the centre cell alone), and
// the puzzle is minimal among such removals.
//
// With `prefer`, a first pass removes only what `prefer` accepts, and a second pass removes the
// rest that can go: the result is minimal all the same, but leans towards what `prefer` likes
// (for instance, puzzles that simple techniques finish).
Grid dig(const Grid& solution, Random& random, bool symmetric, const Preference& prefer = {});

// The same, from `start` (the solution with some cells emptied, exactly one solution): only
// the start's givens can go.
Grid dig_from(const Grid& solution, const Grid& start, Random& random, bool symmetric, const Preference& prefer = {});

// A minimal puzzle near `puzzle` (minimal, with one solution, `solution`): `added` of its empty
// cells (or turned pairs) get their digit back, then the givens are dug again in a new order.
Grid vary(const Grid& solution, const Grid& puzzle, Random& random, bool symmetric, int added);

// True when no given (or, with `symmetric`, no pair of givens turned 180°) can be removed from the
// puzzle, which has exactly one solution, without giving it more.
bool is_minimal(const Grid& puzzle, bool symmetric);

} // namespace vornel::generator
