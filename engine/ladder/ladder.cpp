#include "ladder.h"

#include <array>

#include "solution_count.h"
#include "technique_table.h"

namespace vornel::ladder {

namespace {

// The first uniqueness technique: every lighter one gives the same steps whether or not the
// givens are known to have one solution.
int first_uniqueness() {
    int t = 0;
    while (t < kTechniqueCount && !technique_row(static_cast<Technique>(t)).needs_unique) ++t;
    return t;
}

} // namespace

bool makes_progress(const Candidates& c, const Step& step) {
    for (const Candidate& p : step.placements)
        if (c.value(p.cell) == 0) return true;
    for (const Candidate& e : step.eliminations)
        if (c.has(e.cell, e.digit)) return true;
    return false;
}

std::string_view verdict_id(Verdict verdict) {
    switch (verdict) {
        case Verdict::Solved: return "solved";
        case Verdict::Invalid: return "invalid";
        case Verdict::NoSolution: return "no-solution";
        case Verdict::MultipleSolutions: return "multiple-solutions";
        case Verdict::Stuck: return "stuck";
    }
    return "solved";
}

Ladder::Ladder(const Grid& grid, bool unique_solution) : candidates_(grid), unique_(unique_solution) {}

std::optional<Step> Ladder::next_step(int before) const {
    if (candidates_.empty_cells() == 0) return std::nullopt;
    for (const TechniqueRow& row : technique_table()) {
        if (static_cast<int>(row.technique) >= before) break;
        if (row.needs_unique && !unique_) continue;
        if (auto step = row.find(candidates_)) return step;
    }
    return std::nullopt;
}

Explanation explain(const Grid& puzzle) {
    Values values{};
    for (int i = 0; i < 81; ++i) values[static_cast<std::size_t>(i)] = puzzle[static_cast<std::size_t>(i)];
    return explain(values);
}

Explanation explain(const Values& puzzle) {
    Explanation result;
    for (int i = 0; i < 81; ++i) {
        const std::int16_t v = puzzle[static_cast<std::size_t>(i)];
        result.puzzle[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >= 0 && v <= 9 ? v : 10);
    }
    result.final_grid = result.puzzle;

    // The same lines, in the same order, as the classic grid check: values no cell can hold cell by
    // cell, then duplicates by regions, rows and columns, each unit by number and digit.
    for (int i = 0; i < 81; ++i) {
        const int v = puzzle[static_cast<std::size_t>(i)];
        if (v < 0 || v > 9)
            result.problems.push_back("La case ligne " + std::to_string(i / 9 + 1) + ", colonne " +
                                      std::to_string(i % 9 + 1) + " contient " + std::to_string(v) +
                                      ", qui n'est pas un chiffre.");
    }
    static const char* const kWhere[] = {" dans la région ", " dans la ligne ", " dans la colonne "};
    static constexpr int kKindUnits[] = {18, 0, 9};
    for (int k = 0; k < 3; ++k) {
        for (int n = 0; n < 9; ++n) {
            std::array<int, 10> count{};
            for (const std::uint8_t cell : geometry().unit_cells[kKindUnits[k] + n]) {
                const int v = puzzle[cell];
                if (v >= 1 && v <= 9) ++count[static_cast<std::size_t>(v)];
            }
            for (int d = 1; d <= 9; ++d)
                if (count[static_cast<std::size_t>(d)] > 1)
                    result.problems.push_back("Il y a " + std::to_string(count[static_cast<std::size_t>(d)]) +
                                              " chiffres " + std::to_string(d) + kWhere[k] + std::to_string(n + 1) +
                                              ".");
        }
    }
    if (!result.problems.empty()) {
        result.verdict = Verdict::Invalid;
        result.rating = rate(result.steps);
        return result;
    }

    Ladder ladder(result.puzzle, false);
    const auto run = [&](int before) {
        while (auto step = ladder.next_step(before)) {
            if (!makes_progress(ladder.candidates(), *step)) break; // never loop on a step that does nothing
            ladder.apply(*step);
            result.steps.push_back(std::move(*step));
        }
    };
    run(first_uniqueness());
    if (ladder.candidates().empty_cells() == 0) {
        result.solutions = 1; // every step was forced and the grid is full: that grid is the one solution
    } else {
        // Every placement so far is forced, so the grid as it stands has the solutions of the givens,
        // and fewer empty cells to search.
        result.solutions = find_solutions(ladder.candidates().values(), 2).count;
        if (result.solutions == 0) {
            result.verdict = Verdict::NoSolution;
            result.steps.clear();
            result.rating = rate(result.steps);
            return result;
        }
        ladder.set_unique_solution(result.solutions == 1);
        run(kTechniqueCount);
    }
    result.final_grid = ladder.candidates().values();
    if (result.solutions >= 2)
        result.verdict = Verdict::MultipleSolutions;
    else
        result.verdict = ladder.candidates().empty_cells() == 0 ? Verdict::Solved : Verdict::Stuck;
    result.rating = rate(result.steps);
    for (const Step& step : result.steps)
        if (!result.hardest || technique_weight(step.technique) > technique_weight(*result.hardest))
            result.hardest = step.technique;
    return result;
}

} // namespace vornel::ladder
