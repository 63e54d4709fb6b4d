// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board.h"
#include "candidates.h"
#include "grid_problem.h"
#include "step.h"

namespace vornel::ladder {

// Stuck: the givens have one solution but no technique of the ladder applies any more; the
// explanation stops there and says so. The full ladder, which ends on trial, never gets stuck.
enum class Verdict { Solved, Invalid, NoSolution, MultipleSolutions, Stuck };
// "solved", "invalid", "no-solution", "several-solutions", "stuck"
std::string_view verdict_id(Verdict verdict);

// How hard a puzzle is: its level, and a score that orders puzzles of one level among themselves.
struct Rating {
    int score = 0;
    Level level = Level::VeryEasy;
};

// The whole explanation of one puzzle, from its givens or from a position with candidates.
struct Explanation {
    Grid puzzle{}; // the givens; a value outside 0..9 is kept as 10 (the problems say which)
    // A position with candidates: the candidates it started from (`puzzle` then holds its placed
    // digits); nothing for a solve from givens.
    std::optional<Marks> start_marks;
    Verdict verdict = Verdict::Solved;
    int solutions = 0; // 0, 1, or 2 for two or more
    // Invalid givens: every non-digit and every duplicate, in the order of the classic engine's grid
    // check (problem_lines words them).
    std::vector<GridProblem> problems;
    std::vector<Step> steps;
    Grid final_grid{};
    // None for invalid givens and for givens with no solution or several: only a puzzle is rated.
    std::optional<Rating> rating;
    std::optional<Technique> hardest; // none when no step was needed
    // Two or more solutions: two different ones, and the cells (0-80, in order) where they differ.
    std::optional<std::array<Grid, 2>> two_solutions;
    std::vector<std::uint8_t> differing_cells;
};

// The ladder over one position: finds the next step with the first technique (in Technique order,
// lightest first) that finds something, taking its simplest instance (fewest cells and links, then
// most placements and eliminations; singles in their finders' order, chains the shortest), and
// applies steps. Uniqueness techniques are used only
// when told that the givens have exactly one solution.
class Ladder {
public:
    Ladder(const Grid& grid, bool unique_solution);
    // From a position with candidates already removed.
    Ladder(const Candidates& candidates, bool unique_solution);

    const Candidates& candidates() const { return candidates_; }
    // The next step, or nothing when the grid is full or no technique applies.
    std::optional<Step> next_step() const { return next_step(kTechniqueCount); }
    // The same with only the techniques before `before` (Technique order), as int for "all".
    // `from`: the first technique to try, when those before it are known to find nothing here.
    std::optional<Step> next_step(int before, int from = 0) const;
    void apply(const Step& step) { candidates_.apply(step); }
    // Once the givens are known to have exactly one solution, uniqueness techniques may be used.
    void set_unique_solution(bool unique) { unique_ = unique; }

private:
    Candidates candidates_;
    bool unique_;
};

// True when the step places a digit in an empty cell or removes a live candidate of `c`: an
// explanation stops at a step that does neither.
bool makes_progress(const Candidates& c, const Step& step);

// Checks, counts and explains a puzzle to the end: invalid givens are listed, a puzzle without
// solution is only said so, a puzzle with several gets its forced steps up to the point where only
// forcing chains would go on (no uniqueness technique), then two of its solutions; a puzzle with
// one is explained step by step until the grid is full or nothing applies (Stuck).
// The techniques before uniqueness run first; when they fill the grid, every step being forced, the
// givens have exactly one solution and no count is needed. Otherwise the solutions are counted
// and the ladder goes on from there, with uniqueness only when there is exactly one.
Explanation explain(const Grid& puzzle);
Explanation explain(const Values& puzzle);
// The same from valid candidates onwards, into `result` whose puzzle is already set. `count`
// counts the solutions of candidates that keep to them, up to a limit.
void explain_from(const Candidates& start, Explanation& result, int (*count)(const Candidates&, int limit));

// Each digit placed more than once in a unit, by regions, rows and columns, each unit by number
// and digit, in the order of the classic grid check.
std::vector<GridProblem> duplicate_problems(const Values& values);

// The first instance of `technique` its finder meets, whatever lighter technique applies.
std::optional<Step> find_first(const Candidates& candidates, Technique technique);
// True for the uniqueness techniques, which hold only when the givens have exactly one solution.
bool needs_unique_solution(Technique technique);

// Score and level from the steps. The hardest technique sets the level and the thousands of the
// score (its weight); then the hundreds are how deeply the deepest forcing chain nests (0-2), and
// the units the number of steps at the puzzle's level (up to 99). No step: score 0, very easy.
Rating rate(const std::vector<Step>& steps);
// The difficulty weight of a technique, 1 (full house) to 30 (trial); the score's tens.
int technique_weight(Technique technique);

} // namespace vornel::ladder
