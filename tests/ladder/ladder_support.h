// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers of the ladder tests: grids from 81-character strings, candidates written compactly, and
// the tests' plain backtracking solver, which shares no code with the ladder or the engine, as the
// independent judge.

#include <algorithm>
#include <bit>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "candidates.h"
#include "plain_solver.h"

namespace vornel::ladder::testing {

// "53..7...." (81 characters, '.' or '0' for an empty cell).
inline Grid grid_of(std::string_view text) {
    Grid grid{};
    for (std::size_t i = 0; i < 81 && i < text.size(); ++i)
        grid[i] = static_cast<std::uint8_t>(text[i] >= '1' && text[i] <= '9' ? text[i] - '0' : 0);
    return grid;
}

// The puzzles of a corpus file, one per line (its first 81 characters); lines starting with '#'
// and shorter lines are skipped.
inline std::vector<std::string> read_corpus(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> puzzles;
    std::string line;
    while (std::getline(in, line))
        if (line.size() >= 81 && line[0] != '#') puzzles.push_back(line.substr(0, 81));
    return puzzles;
}

// The cell at row r, column c, both counted from 1 as a user does.
inline int rc(int r, int c) { return 9 * (r - 1) + (c - 1); }

// The tests' plain backtracking solver (tests/support), on the ladder's grids.
class PlainSolver {
public:
    explicit PlainSolver(const Grid& grid) : grid_(grid) {}

    int solve(int limit = 2) {
        std::vector<test::PlainGrid> all;
        const test::PlainGrid givens = test::plain_of(grid_);
        bool clash = false;
        for (int cell = 0; cell < 81; ++cell)
            if (givens[static_cast<std::size_t>(cell)] != 0 &&
                !test::plain_fits(givens, cell, givens[static_cast<std::size_t>(cell)]))
                clash = true;
        const int count = clash ? 0 : test::PlainSearch(givens, limit, &all).run();
        solutions_.clear();
        for (const test::PlainGrid& plain : all) {
            Grid grid{};
            for (std::size_t i = 0; i < 81; ++i) grid[i] = static_cast<std::uint8_t>(plain[i]);
            solutions_.push_back(grid);
        }
        solution_ = solutions_.empty() ? Grid{} : solutions_.front();
        return count;
    }
    const Grid& solution() const { return solution_; }
    // Every solution found, up to the limit of the last solve().
    const std::vector<Grid>& solutions() const { return solutions_; }

private:
    Grid grid_;
    Grid solution_{};
    std::vector<Grid> solutions_;
};

} // namespace vornel::ladder::testing

namespace vornel::ladder::testing {

// Candidates written compactly: "r1c38=26" keeps only 2 and 6 in row 1, columns 3 and 8;
// "r56c456-3" removes 3 from rows 5-6, columns 4-6. Tokens are separated by blanks.
struct CandidateEdit {
    std::vector<int> cells;
    bool keep = false;
    unsigned digits = 0;
};

inline std::vector<CandidateEdit> parse_edits(std::string_view text) {
    std::vector<CandidateEdit> edits;
    std::istringstream in{std::string(text)};
    std::string token;
    while (in >> token) {
        CandidateEdit edit;
        const auto c = token.find('c');
        const auto op = token.find_first_of("=-", c);
        const std::string rows = token.substr(1, c - 1);
        const std::string cols = token.substr(c + 1, op - c - 1);
        for (const char r : rows)
            for (const char k : cols) edit.cells.push_back(rc(r - '0', k - '0'));
        edit.keep = token[op] == '=';
        for (const char d : token.substr(op + 1)) edit.digits |= 1u << (d - '0');
        edits.push_back(edit);
    }
    return edits;
}

// A model from a grid and edits of its candidates.
inline Candidates model(std::string_view grid, std::string_view edits) {
    Candidates c(grid_of(grid));
    for (const CandidateEdit& e : parse_edits(edits))
        for (const int cell : e.cells)
            for (int d = 1; d <= 9; ++d)
                if (e.keep != (((e.digits >> d) & 1) != 0)) c.eliminate(cell, d);
    return c;
}

// Candidates as "r1c3-2" tokens sorted, for readable comparisons: "r1c3-2 r1c4-2".
inline std::string candidates_text(std::vector<Candidate> list) {
    std::sort(list.begin(), list.end(),
              [](Candidate a, Candidate b) { return a.cell != b.cell ? a.cell < b.cell : a.digit < b.digit; });
    std::string text;
    for (const Candidate& c : list) {
        if (!text.empty()) text += ' ';
        text +=
            "r" + std::to_string(c.cell / 9 + 1) + "c" + std::to_string(c.cell % 9 + 1) + "-" + std::to_string(c.digit);
    }
    return text;
}

// The same text for candidates written as edits ("r4c128-3" gives r4c1-3 r4c2-3 r4c8-3).
inline std::string expand(std::string_view edits) {
    std::vector<Candidate> list;
    for (const CandidateEdit& e : parse_edits(edits))
        for (const int cell : e.cells)
            for (int d = 1; d <= 9; ++d)
                if ((e.digits >> d) & 1)
                    list.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(d)});
    return candidates_text(list);
}

// Cells written as "r1c38 r4c2", sorted, as "r1c3 r1c8 r4c2".
inline std::string cells_text(std::vector<int> cells) {
    std::sort(cells.begin(), cells.end());
    std::string text;
    for (const int cell : cells) {
        if (!text.empty()) text += ' ';
        text += "r" + std::to_string(cell / 9 + 1) + "c" + std::to_string(cell % 9 + 1);
    }
    return text;
}

inline std::string expand_cells(std::string_view edits) {
    std::vector<int> cells;
    std::istringstream in{std::string(edits)};
    std::string token;
    while (in >> token) {
        const auto c = token.find('c');
        for (const char r : token.substr(1, c - 1))
            for (const char k : token.substr(c + 1)) cells.push_back(rc(r - '0', k - '0'));
    }
    return cells_text(cells);
}

// A finder's step on position `c`: its technique, its placements and eliminations (compact
// notation, "r5c8-1"), every elimination a live candidate, and the pattern's cells ("r4c5 r5c456").
inline void expect_step(const Candidates& c, const std::optional<Step>& step, Technique technique,
                        std::string_view placements, std::string_view eliminations, std::string_view cells) {
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(step->technique, technique);
    EXPECT_EQ(candidates_text(step->placements), expand(placements));
    EXPECT_EQ(candidates_text(step->eliminations), expand(eliminations));
    for (const Candidate& e : step->eliminations) EXPECT_TRUE(c.has(e.cell, e.digit));
    EXPECT_EQ(cells_text({step->cells.begin(), step->cells.end()}), expand_cells(cells));
}

} // namespace vornel::ladder::testing
