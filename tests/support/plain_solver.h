#pragma once

// A plain backtracking solver for the tests, sharing nothing with the engine's exact search:
// no propagation, one cell at a time (the one with the fewest digits left), digits in order.

#include <array>
#include <cstdint>
#include <string>

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

inline void plain_search(PlainGrid& g, int limit, int& found, PlainGrid* first) {
    int best = -1, best_count = 10;
    for (int cell = 0; cell < 81 && best_count > 1; ++cell) {
        if (g[static_cast<std::size_t>(cell)] != 0) continue;
        int n = 0;
        for (int d = 1; d <= 9; ++d) n += plain_fits(g, cell, d);
        if (n < best_count) best = cell, best_count = n;
    }
    if (best < 0) {
        if (found++ == 0 && first) *first = g;
        return;
    }
    for (int d = 1; d <= 9 && found < limit; ++d) {
        if (!plain_fits(g, best, d)) continue;
        g[static_cast<std::size_t>(best)] = d;
        plain_search(g, limit, found, first);
        g[static_cast<std::size_t>(best)] = 0;
    }
}

// Solutions of the givens, counted up to `limit`; 0 for a value out of range or clashing givens.
// The first solution goes to `first` when given.
inline int plain_count(PlainGrid g, int limit = 2, PlainGrid* first = nullptr) {
    for (int cell = 0; cell < 81; ++cell) {
        const int v = g[static_cast<std::size_t>(cell)];
        if (v < 0 || v > 9 || (v != 0 && !plain_fits(g, cell, v))) return 0;
    }
    int found = 0;
    plain_search(g, limit, found, first);
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
