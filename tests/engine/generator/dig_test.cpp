// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "dig.h"
#include "plain_solver.h"

using namespace vornel::generator;

using vornel::test::plain_count;
using vornel::test::plain_minimal;
using vornel::test::plain_of;
using vornel::test::PlainGrid;

namespace {

struct Dug {
    Grid solution;
    Grid puzzle;
};

Dug dig_with_seed(std::uint64_t seed, bool symmetric, const Preference& prefer = {}) {
    Random random(seed);
    const Grid solution = random_solution(random);
    return {solution, dig(solution, random, symmetric, prefer)};
}

} // namespace

// Checked by the plain backtracking: one solution, the grid dug from; no given (or pair) removable.
TEST(Dig, puzzles_have_one_solution_the_full_grid_and_are_minimal) {
    for (const bool symmetric : {false, true}) {
        for (std::uint64_t seed = 1; seed <= 12; ++seed) {
            const Dug dug = dig_with_seed(seed, symmetric);
            PlainGrid solved{};
            ASSERT_EQ(plain_count(plain_of(dug.puzzle), 2, &solved), 1) << "seed " << seed;
            EXPECT_EQ(solved, plain_of(dug.solution)) << "seed " << seed;
            EXPECT_TRUE(plain_minimal(plain_of(dug.puzzle), symmetric)) << "seed " << seed << " sym " << symmetric;
            EXPECT_TRUE(is_minimal(dug.puzzle, symmetric)) << "seed " << seed;
            for (int c = 0; c < 81; ++c) {
                EXPECT_TRUE(dug.puzzle[c] == 0 || dug.puzzle[c] == dug.solution[c]) << "cell " << c;
            }
        }
    }
}

TEST(Dig, symmetric_puzzles_keep_their_givens_in_turned_pairs) {
    int asymmetric = 0;
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        const Grid sym = dig_with_seed(seed, true).puzzle;
        for (int c = 0; c < 81; ++c) EXPECT_EQ(sym[c] != 0, sym[80 - c] != 0) << "seed " << seed << " cell " << c;
        const Grid plain = dig_with_seed(seed, false).puzzle;
        for (int c = 0; c < 81; ++c) asymmetric += (plain[c] != 0) != (plain[80 - c] != 0);
    }
    EXPECT_GT(asymmetric, 0); // without the option, nothing forces pairs
}

TEST(Dig, a_seed_gives_the_same_puzzle_and_seeds_differ) {
    for (const bool symmetric : {false, true}) {
        EXPECT_EQ(dig_with_seed(5, symmetric).puzzle, dig_with_seed(5, symmetric).puzzle);
        EXPECT_NE(dig_with_seed(5, symmetric).puzzle, dig_with_seed(6, symmetric).puzzle);
    }
}

TEST(Dig, a_preference_leans_the_puzzle_but_keeps_it_minimal) {
    const Preference singles = [](const Grid& p) { return vornel::filled_by_singles(p, false); };
    int kept_easy = 0;
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        const Dug dug = dig_with_seed(seed, false, singles);
        EXPECT_TRUE(plain_minimal(plain_of(dug.puzzle), false)) << "seed " << seed;
        kept_easy += vornel::filled_by_singles(dug.puzzle, false);
    }
    // Digging blind, about a quarter of minimal puzzles fall to hidden singles; leaning, about half.
    EXPECT_GE(kept_easy, 3);
}

TEST(Dig, minimality_check_spots_a_removable_given) {
    const Dug dug = dig_with_seed(9, false);
    EXPECT_TRUE(is_minimal(dug.puzzle, false));
    Grid more = dug.puzzle;
    for (int c = 0; c < 81; ++c) {
        if (more[c] == 0) {
            more[c] = dug.solution[c];
            break;
        }
    }
    EXPECT_FALSE(is_minimal(more, false));
    EXPECT_FALSE(is_minimal(Grid{}, false)); // several solutions
}

TEST(Dig, varied_puzzles_stay_minimal_on_the_same_solution) {
    for (const bool symmetric : {false, true}) {
        Dug dug = dig_with_seed(31, symmetric);
        Random random(32);
        int differ = 0;
        for (int i = 0; i < 6; ++i) {
            const Grid next = vary(dug.solution, dug.puzzle, random, symmetric, 3);
            PlainGrid solved{};
            ASSERT_EQ(plain_count(plain_of(next), 2, &solved), 1);
            EXPECT_EQ(solved, plain_of(dug.solution));
            EXPECT_TRUE(plain_minimal(plain_of(next), symmetric)) << "variation " << i << " sym " << symmetric;
            differ += next != dug.puzzle;
            dug.puzzle = next;
        }
        EXPECT_GT(differ, 0);
    }
}

TEST(Dig, a_cell_is_forced_by_its_peers_only_when_they_hold_eight_digits) {
    Random random(4);
    Grid grid = random_solution(random);
    grid[0] = 0;
    EXPECT_TRUE(forced_by_peers(grid, 0)); // the full grid's peers hold the eight others
    // Emptying the peers that hold one digit leaves seven.
    const int lost = grid[1];
    for (int c = 1; c < 81; ++c) {
        const bool peer = c / 9 == 0 || c % 9 == 0 || (c / 27 == 0 && c % 9 < 3);
        if (peer && grid[c] == lost) grid[c] = 0;
    }
    EXPECT_FALSE(forced_by_peers(grid, 0));
}

TEST(Dig, random_solutions_are_valid_and_follow_the_seed) {
    std::set<Grid> seen;
    for (std::uint64_t seed = 0; seed < 20; ++seed) {
        Random a(seed), b(seed);
        const Grid grid = random_solution(a);
        PlainGrid solved{};
        EXPECT_EQ(plain_count(plain_of(grid), 2, &solved), 1) << "seed " << seed;
        EXPECT_EQ(solved, plain_of(grid)) << "seed " << seed;
        EXPECT_EQ(random_solution(b), grid) << "seed " << seed;
        seen.insert(grid);
    }
    EXPECT_EQ(seen.size(), 20u);
}
