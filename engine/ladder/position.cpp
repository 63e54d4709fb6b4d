// SPDX-License-Identifier: GPL-3.0-or-later
#include "position.h"

#include "solution_count.h"
#include "techniques/techniques.h"

#include <bit>
#include <utility>

namespace vornel::ladder {

namespace {

// The solutions of the candidates that keep to them, up to `limit`: the exact search for grids
// with candidates removed.
int count_marks(const Candidates& c, int limit) {
    Marks allowed{};
    for (int cell = 0; cell < 81; ++cell) allowed[static_cast<std::size_t>(cell)] = c.mask(cell);
    return find_solutions_within(c.values(), allowed, limit < 1 ? 1 : limit).count;
}

} // namespace

Position Position::from_givens(const Grid& givens) {
    Position position(givens);
    position.givens_ = givens;
    Values values{};
    for (int cell = 0; cell < 81; ++cell)
        values[static_cast<std::size_t>(cell)] = givens[static_cast<std::size_t>(cell)];
    position.problems_ = duplicate_problems(values);
    return position;
}

Position Position::from_marks(const Marks& marks) {
    Grid placed{};
    Values values{};
    for (int cell = 0; cell < 81; ++cell) {
        const unsigned m = marks[static_cast<std::size_t>(cell)] & 0x3FEu;
        if (std::has_single_bit(m)) {
            placed[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(std::countr_zero(m));
            values[static_cast<std::size_t>(cell)] = placed[static_cast<std::size_t>(cell)];
        }
    }
    Position position(placed);
    position.problems_ = duplicate_problems(values);
    Candidates& c = position.candidates_;
    for (int cell = 0; cell < 81; ++cell) {
        if (c.value(cell) != 0) continue;
        const unsigned gone = c.mask(cell) & ~static_cast<unsigned>(marks[static_cast<std::size_t>(cell)]);
        for (unsigned rest = gone; rest != 0; rest &= rest - 1) c.eliminate(cell, std::countr_zero(rest));
        if (c.mask(cell) == 0) {
            GridProblem problem{GridProblem::Kind::NoCandidate};
            problem.row = row_of(cell) + 1;
            problem.col = col_of(cell) + 1;
            position.problems_.push_back(problem);
        }
    }
    return position;
}

Marks Position::marks() const {
    Marks m{};
    for (int cell = 0; cell < 81; ++cell)
        m[static_cast<std::size_t>(cell)] = candidates_.value(cell) != 0
                                                ? static_cast<std::uint16_t>(1u << candidates_.value(cell))
                                                : candidates_.mask(cell);
    return m;
}

std::string marks_line(const Marks& marks, char absent) {
    std::string line(729, absent);
    for (std::size_t cell = 0; cell < 81; ++cell)
        for (int d = 1; d <= 9; ++d)
            if ((marks[cell] >> d) & 1) line[9 * cell + static_cast<std::size_t>(d - 1)] = static_cast<char>('0' + d);
    return line;
}

int count_solutions(const Position& position, int limit) {
    if (!position.valid()) return 0;
    return count_marks(position.candidates(), limit);
}

Explanation explain(const Position& position) {
    if (position.knows_givens()) return explain(*position.givens());
    Explanation result;
    result.puzzle = position.values();
    result.start_marks = position.marks();
    result.final_grid = result.puzzle;
    if (!position.valid()) {
        result.problems = position.problems();
        result.verdict = Verdict::Invalid;
        return result;
    }
    explain_from(position.candidates(), result, count_marks);
    return result;
}

std::optional<Step> next_step(const Position& position) {
    if (!position.valid() || position.candidates().empty_cells() == 0) return std::nullopt;
    // Counted first, as explain() does before it keeps a step: a position without solution has no
    // next step, and uniqueness techniques need exactly one solution.
    const int solutions = count_solutions(position, 2);
    if (solutions == 0) return std::nullopt;
    return Ladder(position.candidates(), solutions == 1).next_step();
}

std::vector<Step> find_instances(const Position& position, Technique technique) {
    std::vector<Step> instances;
    if (!position.valid() || position.candidates().empty_cells() == 0) return instances;
    if (needs_unique_solution(technique) && count_solutions(position, 2) != 1) return instances;
    if (find_every(position.candidates(), technique, instances)) {
        // Scans may meet one instance twice (a fish by rows and by columns): each is listed once.
        std::vector<Step> distinct;
        for (Step& step : instances) {
            bool seen = false;
            for (const Step& kept : distinct)
                seen = seen || (kept.placements == step.placements && kept.eliminations == step.eliminations &&
                                kept.cells == step.cells && kept.units == step.units);
            if (!seen) distinct.push_back(std::move(step));
        }
        return distinct;
    }
    if (auto step = find_first(position.candidates(), technique)) instances.push_back(std::move(*step));
    return instances;
}

} // namespace vornel::ladder
