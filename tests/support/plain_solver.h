// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A plain backtracking solver for the tests, sharing nothing with the engine's exact search:
// no propagation, one cell at a time (the one with the fewest digits left), digits in order.

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace vornel::test {

using PlainGrid = std::array<int, 81>;

// An 81-character line ("0" or "." empty) as values; other characters give -1.
inline PlainGrid plain_grid(const std::string& line) {
    PlainGrid grid{};
    for (int c = 0; c < 81; ++c) {
        const char ch = c < static_cast<int>(line.size()) ? line[static_cast<std::size_t>(c)] : '?';
        grid[static_cast<std::size_t>(c)] = ch == '.' ? 0 : (ch >= '0' && ch <= '9' ? ch - '0' : -1);
    }
    return grid;
}

// A grid of the program's own type (0 empty) as values.
inline PlainGrid plain_of(const std::array<std::uint8_t, 81>& cells) {
    PlainGrid plain{};
    for (int c = 0; c < 81; ++c) plain[static_cast<std::size_t>(c)] = cells[static_cast<std::size_t>(c)];
    return plain;
}

inline bool plain_fits(const PlainGrid& g, int cell, int digit) {
    const int r = cell / 9, c = cell % 9, br = r / 3 * 3, bc = c / 3 * 3;
    for (int i = 0; i < 9; ++i) {
        if (i != c && g[static_cast<std::size_t>(r * 9 + i)] == digit) return false;
        if (i != r && g[static_cast<std::size_t>(i * 9 + c)] == digit) return false;
        const int b = (br + i / 3) * 9 + bc + i % 3;
        if (b != cell && g[static_cast<std::size_t>(b)] == digit) return false;
    }
    return true;
}

// Backtracking over used-digit masks of rows, columns and regions: the empty cell with the fewest
// digits left first, digits in order. Every solution found, up to the limit, goes to `all`.
class PlainSearch {
public:
    PlainSearch(const PlainGrid& givens, int limit, std::vector<PlainGrid>* all)
        : g_(givens), limit_(limit), all_(all) {
        for (int cell = 0; cell < 81; ++cell)
            if (const int d = g_[static_cast<std::size_t>(cell)]; d != 0) mark(cell, d, true);
    }
    int run() {
        search();
        return found_;
    }

private:
    static int box(int cell) { return (cell / 27) * 3 + (cell % 9) / 3; }
    unsigned free_digits(int cell) const { return ~(rows_[cell / 9] | cols_[cell % 9] | boxes_[box(cell)]) & 0x3FEu; }
    void mark(int cell, int d, bool on) {
        const unsigned bit = 1u << d;
        for (unsigned* set : {&rows_[cell / 9], &cols_[cell % 9], &boxes_[box(cell)]})
            *set = on ? *set | bit : *set & ~bit;
    }
    void search() {
        int best = -1, best_count = 10;
        for (int cell = 0; cell < 81 && best_count > 1; ++cell) {
            if (g_[static_cast<std::size_t>(cell)] != 0) continue;
            if (const int n = std::popcount(free_digits(cell)); n < best_count) best = cell, best_count = n;
        }
        if (best < 0) {
            ++found_;
            if (all_) all_->push_back(g_);
            return;
        }
        for (int d = 1; d <= 9 && found_ < limit_; ++d) {
            if (!((free_digits(best) >> d) & 1)) continue;
            g_[static_cast<std::size_t>(best)] = d;
            mark(best, d, true);
            search();
            mark(best, d, false);
            g_[static_cast<std::size_t>(best)] = 0;
        }
    }

    PlainGrid g_;
    int limit_;
    std::vector<PlainGrid>* all_;
    int found_ = 0;
    unsigned rows_[9]{}, cols_[9]{}, boxes_[9]{};
};

// Solutions of the givens, counted up to `limit`; 0 for a value out of range or clashing givens.
// The first solution goes to `first` when given.
inline int plain_count(const PlainGrid& g, int limit = 2, PlainGrid* first = nullptr) {
    for (int cell = 0; cell < 81; ++cell) {
        const int v = g[static_cast<std::size_t>(cell)];
        if (v < 0 || v > 9 || (v != 0 && !plain_fits(g, cell, v))) return 0;
    }
    std::vector<PlainGrid> all;
    const int found = PlainSearch(g, limit, first ? &all : nullptr).run();
    if (first && !all.empty()) *first = all.front();
    return found;
}

// True when the puzzle has one solution and loses that when any one given (with `symmetric`, any
// pair of givens turned 180° about the centre) is removed.
inline bool plain_minimal(const PlainGrid& puzzle, bool symmetric) {
    if (plain_count(puzzle) != 1) return false;
    for (int cell = 0; cell < 81; ++cell) {
        if (puzzle[static_cast<std::size_t>(cell)] == 0 || (symmetric && 80 - cell < cell)) continue;
        PlainGrid smaller = puzzle;
        smaller[static_cast<std::size_t>(cell)] = 0;
        if (symmetric) smaller[static_cast<std::size_t>(80 - cell)] = 0;
        if (plain_count(smaller) == 1) return false;
    }
    return true;
}

} // namespace vornel::test
