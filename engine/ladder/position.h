// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board.h"
#include "candidates.h"
#include "ladder.h"
#include "step.h"

namespace vornel::ladder {

// A position: placed digits plus the candidates of every empty cell, from which the ladder, a
// search for one technique and a hint all start. It knows which digits are the givens when it was
// made from them; a position written with its candidates (a 729-character line, a pencil-mark grid)
// does not, and says so, so that techniques that reason about givens stay away from it.
//
// Made from marks, a cell with one candidate is a placed digit. The candidates of the other cells
// are those written, less any digit already placed in one of the cell's units: a list of marks that
// was not cleaned after a placement means the same position, so it is read as that position rather
// than refused. A cell left with no candidate, and a digit placed twice in a unit, make the position
// invalid: problems() names each, as for any invalid grid.
class Position {
public:
    // The start of a solve: the givens placed (0 for an empty cell), every other cell with the
    // digits its units lack. Values outside 0-9 are not for this: check the grid first.
    static Position from_givens(const Grid& givens);
    // A position part-way through a solve. Givens are unknown.
    static Position from_marks(const Marks& marks);

    const Candidates& candidates() const { return candidates_; }
    const Grid& values() const { return candidates_.values(); }
    // The givens, when the position was made from them; nothing otherwise.
    const std::optional<Grid>& givens() const { return givens_; }
    bool knows_givens() const { return givens_.has_value(); }
    // Why the position cannot be solved from, one French sentence each; empty when it can.
    const std::vector<GridProblem>& problems() const { return problems_; }
    bool valid() const { return problems_.empty(); }
    // Each cell's candidates as they stand, a placed digit as its one candidate.
    Marks marks() const;

private:
    explicit Position(const Grid& values) : candidates_(values) {}

    Candidates candidates_;
    std::optional<Grid> givens_;
    std::vector<GridProblem> problems_;
};

// The marks as a 729-character line: nine characters per cell, cells row by row, the k-th
// character of a cell the digit k while it is a candidate there, `absent` otherwise.
std::string marks_line(const Marks& marks, char absent = '.');

// The solutions of the position that keep to its candidates, counted up to `limit` (at least 1):
// 0, 1 or `limit`. An invalid position has none.
int count_solutions(const Position& position, int limit = 2);

// The explanation of a solve from the position to the end, as explain() gives it for givens: an
// invalid position is listed as such, a position without solution is only said so, uniqueness
// techniques are used only when the position has exactly one solution.
Explanation explain(const Position& position);

// The step the ladder would take next from the position: the same as the first step of explain();
// nothing when the position is full, invalid, without solution, or when no technique applies.
std::optional<Step> next_step(const Position& position);

// Every instance of one technique in the position, whatever the ladder would take first, in the
// finder's scan order. Uniqueness techniques find nothing unless the position has exactly one
// solution; nothing either in an invalid position.
std::vector<Step> find_instances(const Position& position, Technique technique);

} // namespace vornel::ladder
