#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "board_fixture.h"
#include "solution_count.h"

using namespace vornel;

namespace {

CellValues values_of(std::string_view puzzle) {
    CellValues v{};
    for (int i = 0; i < 81; ++i)
        v[i] = static_cast<std::uint8_t>(puzzle[i] >= '1' && puzzle[i] <= '9' ? puzzle[i] - '0' : 0);
    return v;
}

bool fits(const CellValues& v, int cell, int digit) {
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
    CellValues v;
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

int plain_count(const CellValues& givens, long budget = 200'000) {
    for (int i = 0; i < 81; ++i) {
        if (givens[i] == 0) continue;
        CellValues without = givens;
        without[i] = 0;
        if (!fits(without, i, givens[i])) return 0;
    }
    PlainCount p{givens, 0, budget};
    p.run(0);
    return p.budget < 0 ? -1 : p.found;
}

bool is_solution_of(const CellValues& solution, const CellValues& givens) {
    for (int i = 0; i < 81; ++i) {
        if (solution[i] < 1 || solution[i] > 9) return false;
        if (givens[i] != 0 && givens[i] != solution[i]) return false;
        CellValues without = solution;
        without[i] = 0;
        if (!fits(without, i, solution[i])) return false;
    }
    return true;
}

// Seeded grids of every kind: relabelled solutions with 20 to 64 holes (one, several or, with a
// wrong given planted, no solution), and sparse grids of 0 to 25 givens that break no rule.
std::vector<CellValues> corpus() {
    std::mt19937 random(8);
    std::vector<CellValues> grids;
    const CellValues solved = values_of(vornel::test::kEasySolution);
    for (int i = 0; i < 300; ++i) {
        int relabel[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        std::shuffle(relabel + 1, relabel + 10, random);
        CellValues g{};
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
        CellValues g{};
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
    for (const CellValues& g : corpus()) {
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
    CellValues v = values_of(vornel::test::kEasy);
    v[2] = 10;
    EXPECT_EQ(find_solutions(v).count, 0);
}

TEST(SolutionCount, the_first_solution_is_the_one_solution_of_a_unique_puzzle) {
    const SolutionCount found = find_solutions(values_of(vornel::test::kEasy));
    EXPECT_EQ(found.count, 1);
    EXPECT_EQ(found.first, values_of(vornel::test::kEasySolution));
    EXPECT_EQ(find_solutions(values_of("55" + std::string(79, '.'))).first, CellValues{});
}
