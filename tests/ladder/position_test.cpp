// SPDX-License-Identifier: GPL-3.0-or-later
// Positions with candidates: how they are made, checked and counted, and that the ladder, the next
// step and the search for one technique give from a position what a solve from the givens gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "ladder_support.h"
#include "position.h"
#include "techniques/techniques.h"

namespace vornel::ladder {
namespace {

using testing::grid_of;
using testing::model;
using testing::rc;
using testing::read_corpus;

constexpr std::string_view kEmpty = ".................................................................................";

// The marks of a model: a placed digit as its one candidate.
Marks marks_of(const Candidates& c) {
    Marks m{};
    for (int cell = 0; cell < 81; ++cell)
        m[static_cast<std::size_t>(cell)] =
            c.value(cell) != 0 ? static_cast<std::uint16_t>(1u << c.value(cell)) : c.mask(cell);
    return m;
}

// The marks of an empty grid with some cells rewritten: {cell, "37"}.
Marks marks_with(const std::vector<std::pair<int, std::string>>& cells) {
    Marks m{};
    m.fill(0x3FE);
    for (const auto& [cell, digits] : cells) {
        std::uint16_t mask = 0;
        for (const char d : digits) mask = static_cast<std::uint16_t>(mask | 1u << (d - '0'));
        m[static_cast<std::size_t>(cell)] = mask;
    }
    return m;
}

bool same_step(const Step& a, const Step& b) {
    return a.technique == b.technique && a.placements == b.placements && a.eliminations == b.eliminations;
}

TEST(PositionFromMarks, places_single_candidates_and_keeps_the_rest_as_written) {
    const Position p = Position::from_marks(marks_with({{rc(1, 1), "5"}, {rc(1, 2), "357"}, {rc(9, 9), "12"}}));
    ASSERT_TRUE(p.valid());
    EXPECT_FALSE(p.knows_givens());
    EXPECT_EQ(p.values()[static_cast<std::size_t>(rc(1, 1))], 5);
    EXPECT_EQ(p.candidates().mask(rc(1, 2)), (1u << 3) | (1u << 7)) << "the placed 5 rules out its peers' 5";
    EXPECT_EQ(p.candidates().mask(rc(9, 9)), (1u << 1) | (1u << 2));
    EXPECT_FALSE(p.candidates().has(rc(2, 2), 5));
    EXPECT_TRUE(p.candidates().has(rc(5, 5), 5));
    EXPECT_EQ(p.candidates().empty_cells(), 80);
    EXPECT_EQ(p.marks(), marks_of(p.candidates()));
}

TEST(PositionFromMarks, names_every_problem_in_the_words_of_an_invalid_grid) {
    const struct {
        const char* name;
        Marks marks;
        std::vector<std::string> problems;
    } cases[] = {
        {"a cell written without candidates",
         marks_with({{rc(3, 4), ""}}),
         {"La case ligne 3, colonne 4 n'a plus aucun candidat."}},
        {"a cell whose candidates the placed digits all rule out",
         marks_with({{rc(1, 1), "1"}, {rc(1, 2), "2"}, {rc(1, 3), "12"}}),
         {"La case ligne 1, colonne 3 n'a plus aucun candidat."}},
        {"a digit placed twice in a row and a region",
         marks_with({{rc(2, 1), "7"}, {rc(2, 3), "7"}}),
         {"Il y a 2 chiffres 7 dans la région 1.", "Il y a 2 chiffres 7 dans la ligne 2."}},
        {"a digit placed twice in a column",
         marks_with({{rc(1, 9), "4"}, {rc(8, 9), "4"}}),
         {"Il y a 2 chiffres 4 dans la colonne 9."}},
    };
    for (const auto& c : cases) {
        const Position p = Position::from_marks(c.marks);
        EXPECT_EQ(problem_lines(p.problems(), Language::French), c.problems) << c.name;
        EXPECT_EQ(count_solutions(p), 0) << c.name;
        EXPECT_FALSE(next_step(p)) << c.name;
        EXPECT_TRUE(find_instances(p, Technique::NakedSingle).empty()) << c.name;
        const Explanation e = explain(p);
        EXPECT_EQ(e.verdict, Verdict::Invalid) << c.name;
        EXPECT_EQ(problem_lines(e.problems, Language::French), c.problems) << c.name;
    }
}

TEST(PositionFromGivens, keeps_the_givens_and_solves_as_the_givens_do) {
    const std::vector<std::string> puzzles = read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/qqwing.txt");
    ASSERT_GE(puzzles.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        const Grid givens = grid_of(puzzles[i]);
        const Position p = Position::from_givens(givens);
        ASSERT_TRUE(p.knows_givens());
        EXPECT_EQ(*p.givens(), givens);
        const Explanation from_position = explain(p);
        const Explanation from_givens = explain(givens);
        EXPECT_EQ(from_position.steps.size(), from_givens.steps.size()) << puzzles[i];
        EXPECT_EQ(from_position.final_grid, from_givens.final_grid) << puzzles[i];
        EXPECT_FALSE(from_position.start_marks);
    }
    EXPECT_EQ(
        problem_lines(Position::from_givens(grid_of("11" + std::string(kEmpty.substr(2)))).problems(),
                      Language::French),
        (std::vector<std::string>{"Il y a 2 chiffres 1 dans la région 1.", "Il y a 2 chiffres 1 dans la ligne 1."}));
}

// Part-way through each solve, the position written as marks and read back takes the solve up
// where it stands: explaining it finishes the same grid. Where no empty cell is down to one
// candidate (such a cell would be read as placed), it is the ladder's own state: the same
// candidates, the same next step, the same number of steps left.
TEST(PositionFromMarks, takes_up_a_solve_where_it_stands) {
    std::vector<std::string> puzzles = read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/qqwing.txt");
    const std::vector<std::string> hard = read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/top95.txt");
    puzzles.insert(puzzles.end(), hard.begin(), hard.begin() + 8);
    int same_state = 0;
    for (const std::string& puzzle : puzzles) {
        const Explanation whole = explain(grid_of(puzzle));
        ASSERT_EQ(whole.verdict, Verdict::Solved) << puzzle;
        const std::optional<Step> first = next_step(Position::from_givens(grid_of(puzzle)));
        ASSERT_TRUE(first) << puzzle;
        EXPECT_TRUE(same_step(*first, whole.steps.front())) << puzzle;

        Candidates c(grid_of(puzzle));
        for (std::size_t k = 0; k < whole.steps.size(); c.apply(whole.steps[k++])) {
            bool single = false;
            for (int cell = 0; cell < 81; ++cell) single = single || (c.value(cell) == 0 && bits(c.mask(cell)) == 1);
            if (k % 5 != 0 && !(k + 1 == whole.steps.size())) continue;
            const Position p = Position::from_marks(marks_of(c));
            ASSERT_TRUE(p.valid()) << puzzle << " step " << k;
            const Explanation rest = explain(p);
            EXPECT_EQ(rest.verdict, Verdict::Solved) << puzzle << " step " << k;
            EXPECT_EQ(rest.final_grid, whole.final_grid) << puzzle << " step " << k;
            EXPECT_EQ(rest.start_marks, p.marks());
            if (single) continue;
            ++same_state;
            EXPECT_EQ(p.marks(), marks_of(c)) << puzzle << " step " << k;
            const std::optional<Step> next = next_step(p);
            ASSERT_TRUE(next) << puzzle << " step " << k;
            EXPECT_TRUE(same_step(*next, whole.steps[k])) << puzzle << " step " << k;
            EXPECT_EQ(rest.steps.size(), whole.steps.size() - k) << puzzle << " step " << k;
        }
    }
    EXPECT_GE(same_state, 40);
}

TEST(PositionSolutions, keep_to_the_candidates) {
    const std::string puzzle = read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/qqwing.txt").front();
    const Grid solution = explain(grid_of(puzzle)).final_grid;
    const Candidates start(grid_of(puzzle));
    EXPECT_EQ(count_solutions(Position::from_marks(marks_of(start))), 1);

    // Without the solution's digit in one empty cell, the candidates allow no solution at all,
    // though every cell keeps some candidates: the search must read them, not only the digits.
    int empty = 0;
    while (start.value(empty) != 0) ++empty;
    Marks without = marks_of(start);
    without[static_cast<std::size_t>(empty)] = static_cast<std::uint16_t>(
        without[static_cast<std::size_t>(empty)] & ~(1u << solution[static_cast<std::size_t>(empty)]));
    const Position broken = Position::from_marks(without);
    ASSERT_TRUE(broken.valid());
    EXPECT_EQ(count_solutions(broken), 0);
    EXPECT_FALSE(next_step(broken)) << "no hint in a position without solution";
    EXPECT_EQ(explain(broken).verdict, Verdict::NoSolution);

    const Position open = Position::from_marks(marks_with({}));
    EXPECT_EQ(count_solutions(open, 2), 2);
    EXPECT_EQ(count_solutions(open, 1), 1);
    EXPECT_EQ(explain(open).verdict, Verdict::MultipleSolutions);
}

TEST(PositionFind, finds_a_technique_whatever_the_ladder_would_take_first) {
    // A naked pair of 2 and 6 in row 1, with singles everywhere around it to be found first.
    // A naked pair of 2 and 6 in row 1, and a hidden single 1 in region 9, lighter, that the ladder
    // takes first.
    const Candidates c = model(kEmpty, "r1c38=26 r789c78-1 r78c9-1 r9c9=12");
    const Marks marks = marks_of(c);
    const Position p = Position::from_marks(marks);
    const std::vector<Step> pairs = find_instances(p, Technique::NakedPair);
    ASSERT_FALSE(pairs.empty());
    EXPECT_EQ(pairs.front().technique, Technique::NakedPair);
    EXPECT_EQ(testing::candidates_text(pairs.front().eliminations), testing::expand("r1c1245679-26"));
    const std::optional<Step> next = next_step(p);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->technique, Technique::HiddenSingle);

    // Uniqueness holds only with exactly one solution: never in this wide-open position.
    EXPECT_TRUE(find_instances(p, Technique::UniqueRectangle).empty());

    // A full grid has nothing left to find and no next step.
    const Position full = Position::from_givens(
        explain(grid_of(read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/qqwing.txt").front())).final_grid);
    EXPECT_TRUE(find_instances(full, Technique::FullHouse).empty());
    EXPECT_FALSE(next_step(full));
}

TEST(PositionFind, lists_every_instance_and_each_one_holds) {
    // Two naked pairs, in rows 1 and 5, each with its own eliminations.
    const Position two = Position::from_marks(marks_of(model(kEmpty, "r1c38=26 r5c12=48")));
    const std::vector<Step> pairs = find_instances(two, Technique::NakedPair);
    ASSERT_GE(pairs.size(), 2u);
    std::vector<std::string> eliminated;
    for (const Step& s : pairs) eliminated.push_back(testing::candidates_text(s.eliminations));
    EXPECT_NE(std::find(eliminated.begin(), eliminated.end(), testing::expand("r1c1245679-26")), eliminated.end());
    EXPECT_NE(std::find(eliminated.begin(), eliminated.end(), testing::expand("r5c3456789-48")), eliminated.end());

    // Along real solves: every instance listed is of the technique asked for, the first is the one
    // the finder alone gives, none is listed twice, and none goes against the solution.
    const std::vector<std::string> puzzles = read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/qqwing.txt");
    int listed = 0;
    for (std::size_t i = 0; i < 12 && i < puzzles.size(); ++i) {
        const Explanation whole = explain(grid_of(puzzles[i]));
        Candidates c(grid_of(puzzles[i]));
        for (std::size_t k = 0; k < whole.steps.size(); c.apply(whole.steps[k++])) {
            if (k % 7 != 0) continue;
            const Position p = Position::from_givens(grid_of(puzzles[i]));
            const Position here = Position::from_marks(marks_of(c));
            for (int t = 0; t < static_cast<int>(Technique::Trial); ++t) {
                const auto technique = static_cast<Technique>(t);
                const std::vector<Step> all = find_instances(k == 0 ? p : here, technique);
                const std::optional<Step> first = find_first((k == 0 ? p : here).candidates(), technique);
                ASSERT_EQ(all.empty(), !first) << technique_id(technique);
                if (!first) continue;
                // Finders that pick the simplest or the shortest of what they meet give one of those listed.
                const bool picks = technique == Technique::WxyzWing || technique == Technique::SueDeCoq ||
                                   technique == Technique::AlignedPairExclusion || technique == Technique::Nishio;
                if (picks)
                    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](const Step& s) {
                        return same_step(s, *first);
                    })) << technique_id(technique);
                else
                    EXPECT_TRUE(same_step(all.front(), *first)) << technique_id(technique);
                for (std::size_t a = 0; a < all.size(); ++a) {
                    ++listed;
                    EXPECT_EQ(all[a].technique, technique);
                    for (const Candidate& e : all[a].eliminations) {
                        EXPECT_NE(whole.final_grid[e.cell], e.digit) << technique_id(technique) << " " << puzzles[i];
                        EXPECT_TRUE((k == 0 ? p : here).candidates().has(e.cell, e.digit));
                    }
                    for (const Candidate& pl : all[a].placements) EXPECT_EQ(whole.final_grid[pl.cell], pl.digit);
                    for (std::size_t b = 0; b < a; ++b)
                        EXPECT_FALSE(same_step(all[a], all[b]) && all[a].cells == all[b].cells &&
                                     all[a].units == all[b].units);
                }
            }
        }
    }
    EXPECT_GE(listed, 200);
}

TEST(PositionFind, the_ladder_takes_the_simplest_instance) {
    // Each position has several instances of its technique, the simplest not the first met.
    struct Case {
        const char* name;
        const char* marks;
        Technique technique;
        const char* eliminations; // those of the simplest instance
    };
    const Case cases[] = {
        // A naked pair in region 1 that removes two candidates, met before the pair of row 5 that
        // removes fourteen from region 4.
        {"more eliminations", "r1c1=26 r2c2=26 r1c23-26 r2c13-26 r3c12-26 r5c12=48", Technique::NakedPair,
         "r4c123-48 r5c3-48 r6c123-48"},
        // The 5 of region 1 on three cells of row 1, met before the 7 of region 5 on two cells of
        // row 4; both remove six candidates.
        {"fewer cells", "r23c123-5 r56c456-7 r4c6-7", Technique::Pointing, "r4c123789-7"},
    };
    for (const Case& c : cases) {
        const Position p = Position::from_marks(marks_of(model(kEmpty, c.marks)));
        const std::optional<Step> next = next_step(p);
        ASSERT_TRUE(next) << c.name;
        EXPECT_EQ(next->technique, c.technique) << c.name;
        EXPECT_EQ(testing::candidates_text(next->eliminations), testing::expand(c.eliminations)) << c.name;
        // The finder alone meets another instance first, and no listed instance is simpler.
        const std::optional<Step> first = find_first(p.candidates(), c.technique);
        ASSERT_TRUE(first) << c.name;
        EXPECT_NE(testing::candidates_text(first->eliminations), testing::expand(c.eliminations)) << c.name;
        for (const Step& other : find_instances(p, c.technique)) EXPECT_FALSE(simpler(other, *next)) << c.name;
    }
}

TEST(PositionFind, lists_the_chains_one_per_conclusion) {
    // Half-way through the solve of a hard puzzle, where every chain technique has several
    // instances: each listed chain removes or places something else, holds against the solution,
    // and the first is the one the finder alone gives (the shortest).
    const std::vector<std::string> puzzles = read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/top95.txt");
    const Explanation whole = explain(grid_of(puzzles[14]));
    Candidates c(grid_of(puzzles[14]));
    for (std::size_t k = 0; k < whole.steps.size() / 2; ++k) c.apply(whole.steps[k]);
    const Position here = Position::from_marks(marks_of(c));
    for (const Technique technique :
         {Technique::XChain, Technique::XyChain, Technique::Aic, Technique::GroupedAic, Technique::SimpleColouring,
          Technique::MultiColouring, Technique::Medusa3D, Technique::AlsAic, Technique::ForcingChain}) {
        const std::vector<Step> all = find_instances(here, technique);
        ASSERT_GE(all.size(), 2u) << technique_id(technique);
        const std::optional<Step> first = find_first(here.candidates(), technique);
        ASSERT_TRUE(first);
        EXPECT_TRUE(same_step(all.front(), *first)) << technique_id(technique);
        // Chains: one per conclusion.
        const bool chain = technique == Technique::XChain || technique == Technique::XyChain ||
                           technique == Technique::Aic || technique == Technique::GroupedAic ||
                           technique == Technique::AlsAic;
        std::vector<std::string> conclusions;
        for (const Step& s : all) {
            EXPECT_EQ(s.technique, technique);
            const std::string conclusion =
                testing::candidates_text(s.eliminations) + "|" + testing::candidates_text(s.placements);
            if (chain) {
                EXPECT_EQ(std::count(conclusions.begin(), conclusions.end(), conclusion), 0) << technique_id(technique);
            }
            conclusions.push_back(conclusion);
            for (const Candidate& e : s.eliminations) EXPECT_NE(whole.final_grid[e.cell], e.digit);
            for (const Candidate& pl : s.placements) EXPECT_EQ(whole.final_grid[pl.cell], pl.digit);
        }
        // Chains are listed shortest first.
        for (std::size_t i = 1; chain && i < all.size(); ++i)
            EXPECT_LE(all[i - 1].links.size(), all[i].links.size()) << technique_id(technique);
    }
}

TEST(PositionFind, fish_fins_lie_outside_every_cover_unit) {
    // A fin is a base cell no cover unit holds: one a cover holds is covered, and a sentence that
    // names it as the exception would be false. Half-way through hard solves, where fish with
    // regions have hundreds of instances each.
    const std::vector<std::string> puzzles = read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/top95.txt");
    int finned = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const Explanation whole = explain(grid_of(puzzles[i]));
        Candidates c(grid_of(puzzles[i]));
        for (std::size_t k = 0; k < whole.steps.size() / 2; ++k) c.apply(whole.steps[k]);
        const Position here = Position::from_marks(marks_of(c));
        for (const Technique technique : {Technique::FinnedXWing, Technique::FinnedSwordfish,
                                          Technique::FinnedJellyfish, Technique::FrankenFish, Technique::MutantFish}) {
            for (const Step& s : find_instances(here, technique)) {
                ASSERT_EQ(s.units.size(), 2u * static_cast<std::size_t>(s.variant)) << technique_id(technique);
                for (std::size_t u = static_cast<std::size_t>(s.variant); u < s.units.size(); ++u) {
                    const int unit = s.units[u];
                    for (const Candidate& fin : s.fins) {
                        const int row = fin.cell / 9, col = fin.cell % 9, box = row / 3 * 3 + col / 3;
                        EXPECT_NE(unit, unit < 9    ? row
                                        : unit < 18 ? 9 + col
                                                    : 18 + box)
                            << technique_id(technique) << " puzzle " << i << " fin " << int{fin.cell};
                    }
                }
                finned += s.fins.empty() ? 0 : 1;
            }
        }
    }
    EXPECT_GE(finned, 100);
}

TEST(PositionMarksLine, writes_nine_characters_per_cell) {
    const Marks m = marks_with({{0, "5"}, {1, "37"}, {80, ""}});
    const std::string line = marks_line(m);
    ASSERT_EQ(line.size(), 729u);
    EXPECT_EQ(line.substr(0, 18), "....5......3...7..");
    EXPECT_EQ(line.substr(18, 9), "123456789");
    EXPECT_EQ(line.substr(720), ".........");
    EXPECT_EQ(marks_line(m, '0').substr(0, 9), "000050000");
}

// The single-digit scans remember the digits on which they met nothing. Along hard solves, with that
// memory warm, each finds what it finds in a thread that remembers nothing.
TEST(PositionFind, SingleDigitScansFindTheSameWithOrWithoutMemory) {
    constexpr Technique kSingleDigit[] = {
        Technique::XWing,           Technique::Skyscraper,      Technique::TwoStringKite, Technique::EmptyRectangle,
        Technique::TurbotFish,      Technique::Swordfish,       Technique::Jellyfish,     Technique::FinnedXWing,
        Technique::FinnedSwordfish, Technique::FinnedJellyfish, Technique::FrankenFish,   Technique::MutantFish,
    };
    const std::vector<std::string> puzzles = read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/top95.txt");
    int found = 0;
    for (std::size_t i = 0; i < 6 && i < puzzles.size(); ++i) {
        const Explanation whole = explain(grid_of(puzzles[i]));
        Candidates c(grid_of(puzzles[i]));
        for (std::size_t k = 0; k < whole.steps.size(); c.apply(whole.steps[k++])) {
            for (const Technique technique : kSingleDigit) {
                const std::optional<Step> warm = find_first(c, technique);
                std::optional<Step> fresh;
                std::thread([&] { fresh = find_first(c, technique); }).join();
                ASSERT_EQ(warm.has_value(), fresh.has_value())
                    << technique_id(technique) << " " << puzzles[i] << " step " << k;
                if (!warm) continue;
                ++found;
                EXPECT_TRUE(same_step(*warm, *fresh) && warm->cells == fresh->cells)
                    << technique_id(technique) << " " << puzzles[i] << " step " << k;
            }
        }
    }
    EXPECT_GE(found, 20);
}

} // namespace
} // namespace vornel::ladder
