// SPDX-License-Identifier: GPL-3.0-or-later
// The ladder against an independent solver on a fixed corpus: qqwing puzzles of every level,
// 17-given puzzles and the hardest published collection. Every placement is the solution's digit,
// every elimination removes a live candidate that is not, every step does something, the steps
// end on the solution when the ladder finishes, and no harder step is taken while a simpler
// technique is available.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "ladder.h"
#include "ladder_support.h"
#include "technique_table.h"
#include "techniques/techniques.h"

namespace vornel::ladder {
namespace {

using testing::grid_of;
using testing::PlainSolver;
using testing::read_corpus;

struct Corpus {
    const char* file;
    int least_finished; // puzzles the ladder must finish, a floor that only grows
};

class Soundness : public ::testing::TestWithParam<Corpus> {};

// Checks every puzzle of the file; returns how many the ladder finished.
int check_corpus(const std::string& path) {
    const std::vector<std::string> puzzles = read_corpus(path);
    EXPECT_FALSE(puzzles.empty()) << path;
    int finished = 0;
    for (const std::string& text : puzzles) {
        SCOPED_TRACE(text);
        const Grid puzzle = grid_of(text);
        PlainSolver solver(puzzle);
        if (solver.solve() != 1) {
            ADD_FAILURE() << "the corpus holds only puzzles with one solution";
            continue;
        }
        const Grid& solution = solver.solution();

        const Explanation explanation = explain(puzzle);
        EXPECT_TRUE(explanation.verdict == Verdict::Solved || explanation.verdict == Verdict::Stuck);
        EXPECT_EQ(explanation.solutions, 1);
        Candidates c(puzzle);
        for (const Step& step : explanation.steps) {
            SCOPED_TRACE(std::string(technique_id(step.technique)));
            EXPECT_FALSE(step.placements.empty() && step.eliminations.empty());
            for (const Candidate& p : step.placements) {
                EXPECT_EQ(c.value(p.cell), 0);
                EXPECT_EQ(p.digit, solution[p.cell]) << "placement in cell " << int(p.cell);
            }
            for (const Candidate& e : step.eliminations) {
                EXPECT_TRUE(c.has(e.cell, e.digit)) << "dead candidate " << int(e.digit) << " in " << int(e.cell);
                EXPECT_NE(e.digit, solution[e.cell]) << "elimination in cell " << int(e.cell);
            }
            // Every lighter technique of the table, uniqueness included (each corpus puzzle has one
            // solution): none may be available when a later one is used.
            for (const TechniqueRow& row : technique_table()) {
                if (row.technique >= step.technique || row.technique == Technique::ForcingChain) break;
                EXPECT_FALSE(row.find(c).has_value()) << row.id << " was available";
            }
            c.apply(step);
        }
        EXPECT_EQ(c.values(), explanation.final_grid);
        if (explanation.verdict == Verdict::Solved) {
            EXPECT_EQ(explanation.final_grid, solution);
            ++finished;
        } else {
            EXPECT_GT(c.empty_cells(), 0);
        }
    }
    ::testing::Test::RecordProperty("finished", finished);
    ::testing::Test::RecordProperty("puzzles", static_cast<int>(puzzles.size()));
    return finished;
}

TEST_P(Soundness, every_step_agrees_with_the_solution) {
    EXPECT_GE(check_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/" + GetParam().file), GetParam().least_finished);
}

// A corpus of one's own, one puzzle per line: VORNEL_LADDER_CORPUS=puzzles.txt ladder_tests.
TEST(SoundnessOnDemand, every_step_agrees_with_the_solution_on_a_given_corpus) {
    const char* path = std::getenv("VORNEL_LADDER_CORPUS");
    if (path == nullptr) GTEST_SKIP() << "VORNEL_LADDER_CORPUS is not set";
    const int finished = check_corpus(path);
    std::printf("finished %d of %zu\n", finished, read_corpus(path).size());
}

INSTANTIATE_TEST_SUITE_P(Ladder, Soundness,
                         ::testing::Values(Corpus{"qqwing.txt", 92}, Corpus{"seventeen.txt", 95},
                                           Corpus{"top95.txt", 47}),
                         [](const ::testing::TestParamInfo<Corpus>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

// Puzzles with several solutions, made from the generated corpus by freeing a few givens (a fixed
// seed): the forced steps hold in every solution, no uniqueness technique and no forcing chain is
// used, and the verdict shows two different solutions of the givens.
TEST(SoundnessWithSeveralSolutions, every_step_holds_in_every_solution) {
    const std::vector<std::string> puzzles = read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/qqwing.txt");
    std::mt19937 random(20261207);
    int several = 0;
    for (const std::string& text : puzzles) {
        Grid puzzle = grid_of(text);
        std::vector<int> givens;
        for (int cell = 0; cell < 81; ++cell)
            if (puzzle[static_cast<std::size_t>(cell)] != 0) givens.push_back(cell);
        std::shuffle(givens.begin(), givens.end(), random);
        for (int k = 0; k < 3; ++k) puzzle[static_cast<std::size_t>(givens[static_cast<std::size_t>(k)])] = 0;
        PlainSolver solver(puzzle);
        const int count = solver.solve(64);
        if (count < 2) continue;
        ++several;
        SCOPED_TRACE(text);
        const Explanation explanation = explain(puzzle);
        EXPECT_EQ(explanation.verdict, Verdict::MultipleSolutions);
        EXPECT_EQ(explanation.solutions, 2);
        EXPECT_FALSE(explanation.rating.has_value());
        // Two different solutions of the givens, and exactly the cells where they differ.
        ASSERT_TRUE(explanation.two_solutions.has_value());
        const auto& [one, two] = *explanation.two_solutions;
        std::vector<std::uint8_t> differ;
        for (std::uint8_t cell = 0; cell < 81; ++cell) {
            if (puzzle[cell] != 0) {
                EXPECT_EQ(one[cell], puzzle[cell]);
                EXPECT_EQ(two[cell], puzzle[cell]);
            }
            if (one[cell] != two[cell]) differ.push_back(cell);
        }
        EXPECT_FALSE(differ.empty());
        EXPECT_EQ(explanation.differing_cells, differ);
        for (const Grid& full : {one, two}) {
            PlainSolver check(full);
            EXPECT_EQ(check.solve(2), 1);
            EXPECT_EQ(check.solution(), full);
        }
        for (const Step& step : explanation.steps) {
            EXPECT_NE(step.technique, Technique::UniqueRectangle);
            EXPECT_NE(step.technique, Technique::BugPlusOne);
            EXPECT_NE(step.technique, Technique::ForcingChain);
            EXPECT_NE(step.technique, Technique::Trial);
            for (const Grid& solution : solver.solutions()) {
                for (const Candidate& p : step.placements) EXPECT_EQ(p.digit, solution[p.cell]);
                for (const Candidate& e : step.eliminations) EXPECT_NE(e.digit, solution[e.cell]);
            }
        }
    }
    EXPECT_GT(several, 50);
}

struct VerdictCase {
    const char* name;
    const char* puzzle;
    Verdict verdict;
    int solutions;
};

class Verdicts : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(Verdicts, follow_the_givens) {
    const VerdictCase& t = GetParam();
    const Explanation e = explain(grid_of(t.puzzle));
    EXPECT_EQ(e.verdict, t.verdict);
    EXPECT_EQ(e.solutions, t.solutions);
    if (t.verdict != Verdict::MultipleSolutions) return;
    // Several solutions: only forced steps, all of them true in every solution; no uniqueness.
    for (const Step& step : e.steps) {
        EXPECT_NE(step.technique, Technique::UniqueRectangle);
        EXPECT_NE(step.technique, Technique::BugPlusOne);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ladder, Verdicts, ::testing::Values(
    VerdictCase{"invalid_duplicate", "55...............................................................................",
                Verdict::Invalid, 0},
    VerdictCase{"no_solution", "12345678.........9...............................................................",
                Verdict::NoSolution, 0},
    // Two solutions: a full grid less two cells and a rectangle of 1s and 3s that may swap.
    VerdictCase{"several", "53.67891267219534819834256785976.42.42685.79.71392485696153728428741963534528617.",
                Verdict::MultipleSolutions, 2},
    VerdictCase{"solved", "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79",
                Verdict::Solved, 1}
), [](const ::testing::TestParamInfo<VerdictCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(Explain, lists_values_no_cell_can_hold_before_duplicates) {
    Values values{};
    values[0] = 12;
    values[1] = 3;
    values[2] = 3;
    const Explanation e = explain(values);
    EXPECT_EQ(e.verdict, Verdict::Invalid);
    EXPECT_EQ(
        problem_lines(e.problems, Language::French),
        (std::vector<std::string>{"La case ligne 1, colonne 1 contient 12, qui n'est pas un chiffre.",
                                  "Il y a 2 chiffres 3 dans la région 1.", "Il y a 2 chiffres 3 dans la ligne 1."}));
    EXPECT_EQ(e.puzzle[0], 10);
}

Step step_of(Technique technique) {
    Step step;
    step.technique = technique;
    return step;
}

TEST(Rating, grows_with_the_hardest_technique_then_nesting_then_hard_steps) {
    const auto steps = [](std::initializer_list<Technique> list) {
        std::vector<Step> result;
        for (const Technique t : list) result.push_back(step_of(t));
        return result;
    };
    EXPECT_EQ(rate({}).score, 0);
    EXPECT_EQ(rate({}).level, Level::VeryEasy);
    EXPECT_EQ(rate(steps({Technique::HiddenSingle})).level, Level::VeryEasy);
    EXPECT_EQ(rate(steps({Technique::HiddenSingle, Technique::NakedSingle})).level, Level::Easy);
    const Rating pair = rate(steps({Technique::NakedPair, Technique::HiddenSingle}));
    const Rating two_pairs = rate(steps({Technique::NakedPair, Technique::NakedPair}));
    EXPECT_EQ(pair.level, Level::Medium);
    EXPECT_GT(two_pairs.score, pair.score);
    // Steps of the puzzle's level count, lighter ones of that level included.
    EXPECT_GT(rate(steps({Technique::NakedPair, Technique::Pointing})).score, pair.score);
    EXPECT_EQ(rate(steps({Technique::XWing})).level, Level::Hard);
    EXPECT_EQ(rate(steps({Technique::XyWing})).level, Level::VeryHard);
    EXPECT_EQ(rate(steps({Technique::ForcingChain})).level, Level::Diabolical);
    // A harder technique always rates higher, however many lighter steps.
    std::vector<Step> many(150, step_of(Technique::HiddenQuad));
    EXPECT_LT(rate(many).score, rate(steps({Technique::XWing})).score);
    // No saturation: 40 hard steps rate above 30, and a nested forcing chain above any number of
    // flat ones.
    std::vector<Step> thirty(30, step_of(Technique::ForcingChain));
    std::vector<Step> forty(40, step_of(Technique::ForcingChain));
    for (Step& s : thirty) s.variant = 2;
    for (Step& s : forty) s.variant = 2;
    EXPECT_GT(rate(forty).score, rate(thirty).score);
    Step nested = step_of(Technique::ForcingChain);
    nested.variant = 2 + 3;
    EXPECT_GT(rate({nested}).score, rate(forty).score);
    nested.variant = 2 + 6;
    std::vector<Step> once_deeper = thirty;
    once_deeper.push_back(nested);
    EXPECT_GT(rate(once_deeper).score, rate(thirty).score + 100);
}

} // namespace
} // namespace vornel::ladder
