// SPDX-License-Identifier: GPL-3.0-or-later
#include "ladder.h"

#include <array>

#include "solution_count.h"
#include "technique_table.h"
#include "techniques/techniques.h"

namespace vornel::ladder {

namespace {

// The first uniqueness technique: every lighter one gives the same steps whether or not the
// givens are known to have one solution.
int first_uniqueness() {
    int t = 0;
    while (t < kTechniqueCount && !technique_row(static_cast<Technique>(t)).needs_unique) ++t;
    return t;
}

// Two different solutions of a grid known to have several: the first the search finds, and the
// first that differs from it in the earliest cell where one can.
std::array<Grid, 2> two_solutions(const Grid& grid) {
    const SolutionCount first = find_solutions(grid, 1);
    for (int cell = 0; cell < 81; ++cell) {
        if (grid[static_cast<std::size_t>(cell)] != 0) continue;
        const SolutionCount other = find_solutions_without(grid, cell, first.first[static_cast<std::size_t>(cell)], 1);
        if (other.count > 0) return {first.first, other.first};
    }
    return {first.first, first.first}; // not reached for a grid with several solutions
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
        case Verdict::MultipleSolutions: return "several-solutions";
        case Verdict::Stuck: return "stuck";
    }
    return "solved";
}

Ladder::Ladder(const Grid& grid, bool unique_solution) : candidates_(grid), unique_(unique_solution) {}
Ladder::Ladder(const Candidates& candidates, bool unique_solution)
    : candidates_(candidates), unique_(unique_solution) {}

namespace {

// The techniques whose finders already return the instance the ladder wants: singles in the
// order the classic engine finds them, chains and forcing chains the shortest, the others listed
// the simplest.
bool finder_returns_simplest(Technique technique) {
    switch (technique) {
        case Technique::FullHouse:
        case Technique::HiddenSingle:
        case Technique::NakedSingle:
        case Technique::WxyzWing:
        case Technique::SueDeCoq:
        case Technique::XChain:
        case Technique::XyChain:
        case Technique::AlignedPairExclusion:
        case Technique::Aic:
        case Technique::GroupedAic:
        case Technique::Nishio:
        case Technique::AlsAic:
        case Technique::ForcingChain: return true;
        default: return false;
    }
}

// The scan that gives the simplest instance of each technique the ladder lists in full; null for
// the techniques whose finders already return the instance the ladder wants.
const std::array<Scan, kTechniqueCount>& simplest_scans() {
    static const std::array<Scan, kTechniqueCount> scans = [] {
        std::array<Scan, kTechniqueCount> all{};
        for (int t = 0; t < kTechniqueCount; ++t)
            if (!finder_returns_simplest(static_cast<Technique>(t)))
                all[static_cast<std::size_t>(t)] = scan_of(static_cast<Technique>(t));
        return all;
    }();
    return scans;
}

} // namespace

std::optional<Step> Ladder::next_step(int before, int from) const {
    if (candidates_.empty_cells() == 0) return std::nullopt;
    for (const TechniqueRow& row : technique_table()) {
        if (static_cast<int>(row.technique) < from) continue;
        if (static_cast<int>(row.technique) >= before) break;
        if (row.needs_unique && !unique_) continue;
        // One scan to the end gives the simplest instance: fewest cells and links, then most
        // placements and eliminations, then the first met.
        const Scan scan = simplest_scans()[static_cast<std::size_t>(row.technique)];
        if (auto step = scan != nullptr ? simplest_instance(candidates_, scan) : row.find(candidates_)) return step;
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
        if (v < 0 || v > 9) {
            GridProblem problem{GridProblem::Kind::NotADigit};
            problem.row = i / 9 + 1;
            problem.col = i % 9 + 1;
            problem.value = v;
            result.problems.push_back(problem);
        }
    }
    for (const GridProblem& problem : duplicate_problems(puzzle)) result.problems.push_back(problem);
    if (!result.problems.empty()) {
        result.verdict = Verdict::Invalid;
        return result;
    }

    explain_from(Candidates(result.puzzle), result,
                 [](const Candidates& c, int limit) { return find_solutions(c.values(), limit).count; });
    return result;
}

void explain_from(const Candidates& start, Explanation& result, int (*count)(const Candidates&, int limit)) {
    Ladder ladder(start, false);
    // `from`: the first technique to try on the position as it stands, when the lighter ones are
    // known to find nothing there; every later step tries them all again. True when it ends because
    // no technique before `before` applies.
    const auto run = [&](int before, int from) {
        while (auto step = ladder.next_step(before, from)) {
            if (!makes_progress(ladder.candidates(), *step)) return false; // never loop on a step that does nothing
            ladder.apply(*step);
            result.steps.push_back(std::move(*step));
            from = 0;
        }
        return true;
    };
    const bool none_lighter = run(first_uniqueness(), 0);
    if (ladder.candidates().empty_cells() == 0) {
        result.solutions = 1; // every step was forced and the grid is full: that grid is the one solution
    } else {
        // Every placement so far is forced, so the grid as it stands has the solutions of the givens,
        // and fewer empty cells to search.
        result.solutions = count(ladder.candidates(), 2);
        if (result.solutions == 0) {
            result.verdict = Verdict::NoSolution;
            result.steps.clear();
            return;
        }
        ladder.set_unique_solution(result.solutions == 1);
        // With several solutions, forcing chains would only go on to find that a candidate can go
        // either way, cell after cell, at great cost: the explanation stops where only they would.
        run(result.solutions == 1 ? kTechniqueCount : static_cast<int>(Technique::ForcingChain),
            none_lighter ? first_uniqueness() : 0);
    }
    result.final_grid = ladder.candidates().values();
    if (result.solutions >= 2) {
        result.verdict = Verdict::MultipleSolutions;
        result.two_solutions = two_solutions(result.final_grid);
        for (std::uint8_t cell = 0; cell < 81; ++cell)
            if ((*result.two_solutions)[0][cell] != (*result.two_solutions)[1][cell])
                result.differing_cells.push_back(cell);
    } else {
        result.verdict = ladder.candidates().empty_cells() == 0 ? Verdict::Solved : Verdict::Stuck;
        result.rating = rate(result.steps);
    }
    for (const Step& step : result.steps)
        if (!result.hardest || technique_weight(step.technique) > technique_weight(*result.hardest))
            result.hardest = step.technique;
}

std::vector<GridProblem> duplicate_problems(const Values& values) {
    std::vector<GridProblem> problems;
    static constexpr int kKindUnits[] = {18, 0, 9};
    for (int k = 0; k < 3; ++k) {
        for (int n = 0; n < 9; ++n) {
            std::array<int, 10> count{};
            for (const std::uint8_t cell : geometry().unit_cells[kKindUnits[k] + n]) {
                const int v = values[cell];
                if (v >= 1 && v <= 9) ++count[static_cast<std::size_t>(v)];
            }
            for (int d = 1; d <= 9; ++d)
                if (count[static_cast<std::size_t>(d)] > 1) {
                    GridProblem problem{GridProblem::Kind::Duplicate};
                    problem.value = d;
                    problem.unit = static_cast<vornel::UnitKind>(k);
                    problem.unit_number = n + 1;
                    problem.count = count[static_cast<std::size_t>(d)];
                    problems.push_back(problem);
                }
        }
    }
    return problems;
}

std::optional<Step> find_first(const Candidates& candidates, Technique technique) {
    return technique_row(technique).find(candidates);
}

bool needs_unique_solution(Technique technique) { return technique_row(technique).needs_unique; }

} // namespace vornel::ladder
