#pragma once

#include <optional>
#include <string>
#include <vector>

#include "candidates.h"
#include "step.h"

namespace vornel::ladder {

enum class Verdict { Solved, Invalid, NoSolution, MultipleSolutions };
// "solved", "invalid", "no-solution", "multiple-solutions"
std::string_view verdict_id(Verdict verdict);

struct Rating {
    int score = 0;
    std::string level; // French: "très facile", "facile", "moyen", "difficile", "très difficile", "diabolique"
};

// The whole explanation of one puzzle, from its givens.
struct Explanation {
    Grid puzzle{};
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

// The ladder over one position: finds the next step with the first technique (in Technique order)
// that finds something, and applies steps. Uniqueness techniques are used only when told that the
// givens have exactly one solution.
class Ladder {
public:
    Ladder(const Grid& grid, bool unique_solution);

    const Candidates& candidates() const { return candidates_; }
    // The next step, or nothing when the grid is full or no technique applies.
    std::optional<Step> next_step() const;
    void apply(const Step& step) { candidates_.apply(step); }

private:
    Candidates candidates_;
    bool unique_;
};

// Checks, counts and explains a puzzle to the end.
Explanation explain(const Grid& puzzle);

// Score and level from the steps.
Rating rate(const std::vector<Step>& steps);

} // namespace vornel::ladder
