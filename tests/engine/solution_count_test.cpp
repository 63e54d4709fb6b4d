// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "board_fixture.h"
#include "plain_solver.h"
#include "solution_count.h"

using namespace vornel;

namespace {

Grid values_of(std::string_view puzzle) {
    Grid v{};
    for (int i = 0; i < 81; ++i)
        v[i] = static_cast<std::uint8_t>(puzzle[i] >= '1' && puzzle[i] <= '9' ? puzzle[i] - '0' : 0);
    return v;
}

bool fits(const Grid& v, int cell, int digit) {
    const int r = cell / 9, c = cell % 9;
    for (int i = 0; i < 9; ++i) {
        if (v[r * 9 + i] == digit || v[i * 9 + c] == digit) return false;
        if (v[(r / 3 * 3 + i / 3) * 9 + c / 3 * 3 + i % 3] == digit) return false;
    }
    return true;
}

// A second, plain method: cells in reading order, every digit that fits, no propagation. Gives up
// (returns -1) after `budget` tries, since grids without a solution can take it very long.
struct PlainCount {
    Grid v;
    int found = 0;
    long budget;

    bool run(int cell) {
        while (cell < 81 && v[cell] != 0) ++cell;
        if (cell == 81) return ++found < 2;
        for (int d = 1; d <= 9; ++d) {
            if (--budget < 0) return false;
            if (!fits(v, cell, d)) continue;
            v[cell] = static_cast<std::uint8_t>(d);
            const bool go_on = run(cell + 1);
            v[cell] = 0;
            if (!go_on) return false;
        }
        return true;
    }
};

int plain_count(const Grid& givens, long budget = 200'000) {
    for (int i = 0; i < 81; ++i) {
        if (givens[i] == 0) continue;
        Grid without = givens;
        without[i] = 0;
        if (!fits(without, i, givens[i])) return 0;
    }
    PlainCount p{givens, 0, budget};
    p.run(0);
    return p.budget < 0 ? -1 : p.found;
}

bool is_solution_of(const Grid& solution, const Grid& givens) {
    for (int i = 0; i < 81; ++i) {
        if (solution[i] < 1 || solution[i] > 9) return false;
        if (givens[i] != 0 && givens[i] != solution[i]) return false;
        Grid without = solution;
        without[i] = 0;
        if (!fits(without, i, solution[i])) return false;
    }
    return true;
}

// Seeded grids of every kind: relabelled solutions with 20 to 64 holes (one, several or, with a
// wrong given planted, no solution), and sparse grids of 0 to 25 givens that break no rule.
std::vector<Grid> corpus() {
    std::mt19937 random(8);
    std::vector<Grid> grids;
    const Grid solved = values_of(vornel::test::kEasySolution);
    for (int i = 0; i < 300; ++i) {
        int relabel[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        std::shuffle(relabel + 1, relabel + 10, random);
        Grid g{};
        for (int c = 0; c < 81; ++c) g[c] = static_cast<std::uint8_t>(relabel[solved[c]]);
        // Every other grid gets a wrong given planted; fewer holes keep it without a solution.
        const int holes = i % 2 == 0 ? 20 + static_cast<int>(random() % 20) : 20 + static_cast<int>(random() % 45);
        for (int h = 0; h < holes; ++h) g[random() % 81] = 0;
        if (i % 2 == 0) {
            // A wrong digit in an empty cell, when it breaks no rule.
            const int cell = static_cast<int>(random() % 81);
            if (g[cell] == 0) {
                const int d = 1 + static_cast<int>(random() % 9);
                if (d != relabel[solved[cell]] && fits(g, cell, d)) g[cell] = static_cast<std::uint8_t>(d);
            }
        }
        grids.push_back(g);
    }
    for (int i = 0; i < 300; ++i) {
        Grid g{};
        const int givens = static_cast<int>(random() % 26);
        for (int tries = 0, placed = 0; placed < givens && tries < 500; ++tries) {
            const int cell = static_cast<int>(random() % 81);
            const int d = 1 + static_cast<int>(random() % 9);
            if (g[cell] == 0 && fits(g, cell, d)) {
                g[cell] = static_cast<std::uint8_t>(d);
                ++placed;
            }
        }
        grids.push_back(g);
    }
    return grids;
}

} // namespace

TEST(SolutionCount, agrees_with_a_plain_backtracking_on_a_seeded_corpus) {
    int compared = 0, kinds[3] = {0, 0, 0};
    for (const Grid& g : corpus()) {
        const SolutionCount fast = find_solutions(g, 2);
        if (fast.count > 0) { EXPECT_TRUE(is_solution_of(fast.first, g)); }
        const int plain = plain_count(g);
        if (plain < 0) continue; // the plain method gave up on this one
        ++compared;
        ++kinds[std::min(plain, 2)];
        EXPECT_EQ(fast.count, plain);
        EXPECT_EQ(find_solutions(g, 1).count, std::min(plain, 1));
    }
    EXPECT_GT(compared, 500);
    EXPECT_GT(kinds[0], 20) << "no solution";
    EXPECT_GT(kinds[1], 50) << "one solution";
    EXPECT_GT(kinds[2], 50) << "several solutions";
}

TEST(SolutionCount, counts_none_one_or_several_on_known_grids) {
    const struct {
        const char* what;
        std::string puzzle;
        int count;
    } cases[] = {
        {"a puzzle the searches solve", std::string(vornel::test::kEasy), 1},
        {"a puzzle the searches cannot finish", std::string(vornel::test::kHard), 1},
        {"a full grid", std::string(vornel::test::kEasySolution), 1},
        {"the empty grid", std::string(81, '.'), 2},
        {"a duplicate", "55" + std::string(79, '.'), 0},
        {"sparse, no digit twice in a unit, and no solution",
         "...3...........6........1.....6...............4...3......29..........3.43........", 0},
        {"a digit with no place left in row 1", "12345678." + std::string(36, '.') + "........9" + std::string(27, '.'),
         0},
        // Published as among the hardest: for people, and for solvers that try cells in order.
        {"a hard one", "1....7.9..3..2...8..96..5....53..9...1..8...26....4...3......1..4......7..7...3..", 1},
        {"seventeen givens", "..............3.85..1.2.......5.7.....4...1...9.......5......73..2.1........4...9", 1},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.puzzle.size(), 81u) << c.what;
        EXPECT_EQ(find_solutions(values_of(c.puzzle)).count, c.count) << c.what;
        test::Board b(c.puzzle);
        EXPECT_EQ(count_solutions(b.area), c.count) << c.what;
    }
}

TEST(SolutionCount, values_no_cell_can_hold_give_no_solution) {
    test::Board b(vornel::test::kEasy);
    b.poke(1, 3, 12);
    EXPECT_EQ(count_solutions(b.area), 0);
    b.poke(1, 3, -1);
    EXPECT_EQ(count_solutions(b.area), 0);
    Grid v = values_of(vornel::test::kEasy);
    v[2] = 10;
    EXPECT_EQ(find_solutions(v).count, 0);
}

TEST(SolutionCount, the_first_solution_is_the_one_solution_of_a_unique_puzzle) {
    const SolutionCount found = find_solutions(values_of(vornel::test::kEasy));
    EXPECT_EQ(found.count, 1);
    EXPECT_EQ(found.first, values_of(vornel::test::kEasySolution));
    EXPECT_EQ(find_solutions(values_of("55" + std::string(79, '.'))).first, Grid{});
}

// The search as the generator uses it: the same count, against the shared plain backtracking.
namespace {

constexpr const char* kSingles = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
constexpr const char* kHard = "8.29.1...3....4.78.41..3.........42.....9..16.8...6..9......94.......6.1..6347..2";
constexpr const char* kSeveral = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8...9";
constexpr const char* kClash = "55..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
// Valid givens, no solution: row 1 leaves its last cell nothing (1-8 in the row, 9 in its column).
constexpr const char* kDeadEnd = "12345678.........9...............................................................";
constexpr const char* kEmptyGrid = ".................................................................................";

// A plain draw for the random grid: a small linear congruential sequence.
Draw draw_from(std::uint64_t& state) {
    return [&state](std::uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>((state >> 33) % bound);
    };
}

} // namespace

TEST(SolutionCount, counts_agree_with_the_plain_backtracking_for_every_limit) {
    for (const char* line : {kSingles, kHard, kSeveral, kClash, kDeadEnd, kEmptyGrid}) {
        for (int limit : {1, 2, 3}) {
            EXPECT_EQ(find_solutions(values_of(line), limit).count,
                      vornel::test::plain_count(vornel::test::plain_grid(line), limit))
                << line << " limit " << limit;
        }
    }
}

TEST(SolutionCount, another_solution_is_found_exactly_when_the_removed_given_was_needed) {
    // Every given of kSingles in turn: removing it keeps one solution exactly when no solution
    // has another digit there.
    const Grid puzzle = values_of(kSingles);
    int needed = 0;
    for (int cell = 0; cell < 81; ++cell) {
        if (puzzle[cell] == 0) continue;
        Grid smaller = puzzle;
        smaller[cell] = 0;
        const SolutionCount other = find_solutions_without(smaller, cell, puzzle[cell]);
        EXPECT_EQ(other.count > 0, vornel::test::plain_count(vornel::test::plain_of(smaller)) > 1) << "cell " << cell;
        if (other.count > 0) {
            EXPECT_NE(other.first[cell], puzzle[cell]) << "cell " << cell;
            EXPECT_EQ(vornel::test::plain_count(vornel::test::plain_of(other.first)), 1) << "cell " << cell;
        }
        needed += other.count > 0;
    }
    EXPECT_GT(needed, 0);
    // A cell the givens already fill: its digit decides; clashing givens have no solution at all.
    EXPECT_EQ(find_solutions_without(puzzle, 0, 5).count, 0);
    EXPECT_EQ(find_solutions_without(puzzle, 0, 3).count, 1);
    EXPECT_EQ(find_solutions_without(values_of(kClash), 40, 1).count, 0);
    // Several solutions: the limit still bounds the count.
    EXPECT_EQ(find_solutions_without(values_of(kEmptyGrid), 0, 1, 3).count, 3);
}

// Allowed digits narrow the search exactly as givens would: allowing only the solution's digit in a
// cell keeps the one solution, forbidding it leaves none, and several solutions shrink to those
// that keep every cell within its allowed digits (checked against the plain solver).
TEST(SolutionCount, within_allowed_digits_counts_only_those_solutions) {
    const Grid puzzle = values_of(kHard);
    const Grid solution = find_solutions(puzzle).first;
    Marks all{};
    all.fill(0x3FE);
    EXPECT_EQ(find_solutions_within(puzzle, all).count, 1);
    int tried = 0;
    for (int cell = 0; cell < 81 && tried < 12; ++cell) {
        if (puzzle[cell] != 0) continue;
        ++tried;
        Marks only = all;
        only[cell] = static_cast<std::uint16_t>(1u << solution[cell]);
        EXPECT_EQ(find_solutions_within(puzzle, only).count, 1) << cell;
        Marks without = all;
        without[cell] = static_cast<std::uint16_t>(0x3FE & ~(1u << solution[cell]));
        EXPECT_EQ(find_solutions_within(puzzle, without).count, 0) << cell;
    }
    // Several solutions: fixing a free cell to each digit in turn splits them as the plain solver does.
    const Grid several = values_of(kSeveral);
    int cell = 0;
    while (several[cell] != 0) ++cell;
    for (int d = 1; d <= 9; ++d) {
        Marks one = all;
        one[cell] = static_cast<std::uint16_t>(1u << d);
        Grid placed = several;
        placed[cell] = static_cast<std::uint8_t>(d);
        EXPECT_EQ(find_solutions_within(several, one, 3).count,
                  std::min(3, vornel::test::plain_count(vornel::test::plain_of(placed), 3)))
            << "digit " << d;
    }
    // Givens are never narrowed: masks only apply to empty cells.
    Marks none{};
    EXPECT_EQ(find_solutions_within(solution, none).count, 1);
}

TEST(SolutionCount, singles_fill_easy_grids_and_only_grids_with_one_solution) {
    EXPECT_TRUE(filled_by_singles(values_of(kSingles), true));
    for (const char* line : {kHard, kSeveral, kClash, kDeadEnd, kEmptyGrid}) {
        EXPECT_FALSE(filled_by_singles(values_of(line), true)) << line;
        EXPECT_FALSE(filled_by_singles(values_of(line), false)) << line;
    }
    // One cell short of full: both kinds of single fill it.
    Grid almost = find_solutions(values_of(kSingles)).first;
    almost[40] = 0;
    EXPECT_TRUE(filled_by_singles(almost, false));
    EXPECT_TRUE(filled_by_singles(almost, true));
}

TEST(SolutionCount, random_full_grids_are_valid_and_follow_the_draws) {
    std::set<Grid> seen;
    for (std::uint64_t seed = 0; seed < 20; ++seed) {
        std::uint64_t a = seed, b = seed;
        const Grid grid = random_full_grid(draw_from(a));
        EXPECT_TRUE(std::none_of(grid.begin(), grid.end(), [](int v) { return v < 1 || v > 9; })) << seed;
        EXPECT_EQ(vornel::test::plain_count(vornel::test::plain_of(grid)), 1) << "seed " << seed;
        EXPECT_EQ(random_full_grid(draw_from(b)), grid) << "seed " << seed;
        seen.insert(grid);
    }
    EXPECT_EQ(seen.size(), 20u);
}
