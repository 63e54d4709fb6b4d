#include "ladder.h"

#include <array>

#include "solution_count.h"
#include "techniques/techniques.h"

namespace vornel::ladder {

namespace {

struct Rung {
    Technique technique;
    Finder find;
    bool needs_unique; // uniqueness techniques: only when the givens have exactly one solution
};

// The ladder, simplest first: a step is always the first rung that finds something.
constexpr Rung kRungs[] = {
    {Technique::FullHouse, find_full_house, false},
    {Technique::HiddenSingle, find_hidden_single, false},
    {Technique::NakedSingle, find_naked_single, false},
    {Technique::Pointing, find_pointing, false},
    {Technique::Claiming, find_claiming, false},
    {Technique::NakedPair, find_naked_pair, false},
    {Technique::HiddenPair, find_hidden_pair, false},
    {Technique::NakedTriple, find_naked_triple, false},
    {Technique::HiddenTriple, find_hidden_triple, false},
    {Technique::NakedQuad, find_naked_quad, false},
    {Technique::HiddenQuad, find_hidden_quad, false},
    {Technique::XWing, find_x_wing, false},
    {Technique::Skyscraper, find_skyscraper, false},
    {Technique::TwoStringKite, find_two_string_kite, false},
    {Technique::Swordfish, find_swordfish, false},
    {Technique::Jellyfish, find_jellyfish, false},
    {Technique::FinnedXWing, find_finned_x_wing, false},
    {Technique::FinnedSwordfish, find_finned_swordfish, false},
    {Technique::XyWing, find_xy_wing, false},
    {Technique::XyzWing, find_xyz_wing, false},
    {Technique::WWing, find_w_wing, false},
    // Chains and colouring, then uniqueness (only for givens with one solution), forcing chains,
    // and trial, the last resort.
    {Technique::SimpleColouring, find_simple_colouring, false},
    {Technique::XChain, find_x_chain, false},
    {Technique::RemotePair, find_remote_pair, false},
    {Technique::XyChain, find_xy_chain, false},
    {Technique::Aic, find_aic, false},
    {Technique::UniqueRectangle, find_unique_rectangle, true},
    {Technique::BugPlusOne, find_bug_plus_one, true},
    {Technique::ForcingChain, find_forcing_chain, false},
    {Technique::Trial, find_trial, false},
};

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
Ladder::Ladder(const Candidates& candidates, bool unique_solution)
    : candidates_(candidates), unique_(unique_solution) {}

std::optional<Step> Ladder::next_step(int before) const {
    if (candidates_.empty_cells() == 0) return std::nullopt;
    for (const Rung& rung : kRungs) {
        if (static_cast<int>(rung.technique) >= before) break;
        if (rung.needs_unique && !unique_) continue;
        if (auto step = rung.find(candidates_)) return step;
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
    for (std::string& line : duplicate_problems(puzzle)) result.problems.push_back(std::move(line));
    if (!result.problems.empty()) {
        result.verdict = Verdict::Invalid;
        result.rating = rate(result.steps);
        return result;
    }

    explain_from(Candidates(result.puzzle), result,
                 [](const Candidates& c, int limit) { return find_solutions(c.values(), limit).count; });
    return result;
}

void explain_from(const Candidates& start, Explanation& result, int (*count)(const Candidates&, int limit)) {
    Ladder ladder(start, false);
    const auto run = [&](int before) {
        while (auto step = ladder.next_step(before)) {
            if (!makes_progress(ladder.candidates(), *step)) break; // never loop on a step that does nothing
            ladder.apply(*step);
            result.steps.push_back(std::move(*step));
        }
    };
    run(static_cast<int>(Technique::UniqueRectangle));
    if (ladder.candidates().empty_cells() == 0) {
        result.solutions = 1; // every step was forced and the grid is full: that grid is the one solution
    } else {
        // Every placement so far is forced, so the grid as it stands has the solutions of the givens,
        // and fewer empty cells to search.
        result.solutions = count(ladder.candidates(), 2);
        if (result.solutions == 0) {
            result.verdict = Verdict::NoSolution;
            result.steps.clear();
            result.rating = rate(result.steps);
            return;
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
}

std::vector<std::string> duplicate_problems(const Values& values) {
    std::vector<std::string> problems;
    static const char* const kWhere[] = {" dans la région ", " dans la ligne ", " dans la colonne "};
    static constexpr int kKindUnits[] = {18, 0, 9};
    for (int k = 0; k < 3; ++k) {
        for (int n = 0; n < 9; ++n) {
            std::array<int, 10> count{};
            for (const std::uint8_t cell : geometry().unit_cells[kKindUnits[k] + n]) {
                const int v = values[cell];
                if (v >= 1 && v <= 9) ++count[static_cast<std::size_t>(v)];
            }
            for (int d = 1; d <= 9; ++d)
                if (count[static_cast<std::size_t>(d)] > 1)
                    problems.push_back("Il y a " + std::to_string(count[static_cast<std::size_t>(d)]) + " chiffres " +
                                       std::to_string(d) + kWhere[k] + std::to_string(n + 1) + ".");
        }
    }
    return problems;
}

std::optional<Step> find_first(const Candidates& candidates, Technique technique) {
    for (const Rung& rung : kRungs)
        if (rung.technique == technique) return rung.find(candidates);
    return std::nullopt;
}

bool needs_unique_solution(Technique technique) {
    for (const Rung& rung : kRungs)
        if (rung.technique == technique) return rung.needs_unique;
    return false;
}

} // namespace vornel::ladder
