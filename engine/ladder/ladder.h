#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "candidates.h"
#include "step.h"

namespace vornel::ladder {

// Stuck: the givens have one solution but no technique of the ladder applies any more; the
// explanation stops there and says so. The full ladder, which ends on trial, never gets stuck.
enum class Verdict { Solved, Invalid, NoSolution, MultipleSolutions, Stuck };
// "solved", "invalid", "no-solution", "multiple-solutions", "stuck"
std::string_view verdict_id(Verdict verdict);

struct Rating {
    int score = 0;
    std::string level; // French: "très facile", "facile", "moyen", "difficile", "très difficile", "diabolique"
};

// The whole explanation of one puzzle, from its givens.
struct Explanation {
    Grid puzzle{}; // the givens; a value outside 0..9 is kept as 10 (the problems say which)
    Verdict verdict = Verdict::Solved;
    int solutions = 0; // 0, 1, or 2 for two or more
    // Invalid givens: the lines that name every non-digit and every duplicate, as the grid check
    // of the classic engine words them.
    std::vector<std::string> problems;
    std::vector<Step> steps;
    Grid final_grid{};
    Rating rating;
    std::optional<Technique> hardest; // none when no step was needed
};

// The ladder over one position: finds the next step with the first technique (in Technique order,
// lightest first) that finds something, and applies steps. Uniqueness techniques are used only
// when told that the givens have exactly one solution.
class Ladder {
public:
    Ladder(const Grid& grid, bool unique_solution);

    const Candidates& candidates() const { return candidates_; }
    // The next step, or nothing when the grid is full or no technique applies.
    std::optional<Step> next_step() const { return next_step(kTechniqueCount); }
    // The same with only the techniques before `before` (Technique order), as int for "all".
    std::optional<Step> next_step(int before) const;
    void apply(const Step& step) { candidates_.apply(step); }
    // Once the givens are known to have exactly one solution, uniqueness techniques may be used.
    void set_unique_solution(bool unique) { unique_ = unique; }

private:
    Candidates candidates_;
    bool unique_;
};

// The values of a puzzle as read from a file: 0 empty, 1-9 a digit, anything else a value no cell
// can hold (the explanation then says which cell holds it and stops as invalid).
using Values = std::array<std::int16_t, 81>;

// True when the step places a digit in an empty cell or removes a live candidate of `c`: an
// explanation stops at a step that does neither.
bool makes_progress(const Candidates& c, const Step& step);

// Checks, counts and explains a puzzle to the end: invalid givens are listed, a puzzle without
// solution is only said so, a puzzle with several gets its forced steps (no uniqueness technique),
// a puzzle with one is explained step by step until the grid is full or nothing applies (Stuck).
// The techniques before uniqueness run first; when they fill the grid, every step being forced, the
// givens have exactly one solution and no count is needed. Otherwise the solutions are counted
// and the ladder goes on from there, with uniqueness only when there is exactly one.
Explanation explain(const Grid& puzzle);
Explanation explain(const Values& puzzle);

// Score and level from the steps: the hardest technique sets the level and the tens of the score,
// the number of steps that needed it the units (capped at 9). No step: score 0, "très facile".
Rating rate(const std::vector<Step>& steps);
// The difficulty weight of a technique, 1 (full house) to 30 (trial); the score's tens.
int technique_weight(Technique technique);

} // namespace vornel::ladder
