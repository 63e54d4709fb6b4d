// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small helpers shared by the technique finders; not part of the ladder's interface.

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "../candidates.h"
#include "../step.h"

namespace vornel::ladder::detail {

// The order in which finders visit units: regions, then rows, then columns, each by number.
inline constexpr std::array<std::uint8_t, 27> kUnitScan = {18, 19, 20, 21, 22, 23, 24, 25, 26, 0,  1,  2,  3, 4,
                                                           5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17};

// Calls f(cell) for every cell of the set, lowest first.
template<typename F>
void for_each_cell(const CellSet& set, F&& f) {
    for (std::uint64_t w = set.lo; w != 0; w &= w - 1) f(std::countr_zero(w));
    for (std::uint64_t w = set.hi; w != 0; w &= w - 1) f(64 + std::countr_zero(w));
}

// Calls f(bit) for every set bit of the mask, lowest first.
template<typename F>
void for_each_bit(unsigned mask, F&& f) {
    for (; mask != 0; mask &= mask - 1) f(std::countr_zero(mask));
}

// The cells of `unit` at the positions in `positions` (bit p for position p).
inline CellSet cells_at(int unit, unsigned positions) {
    CellSet set;
    for_each_bit(positions, [&](int p) { set.add(geometry().unit_cells[unit][p]); });
    return set;
}

// The cells that see every cell of `set` (peers of all of them), the set itself excluded.
inline CellSet common_peers(const CellSet& set) {
    CellSet result{~std::uint64_t{0}, (std::uint64_t{1} << 17) - 1};
    for_each_cell(set, [&](int cell) { result = result & geometry().peer_set[cell]; });
    return result - set;
}

// Adds to `step` the elimination of `digit` from every cell of `targets` that still holds it.
inline void eliminate_digit(const Candidates& c, Step& step, const CellSet& targets, int digit) {
    for_each_cell(targets & c.cells_of(digit), [&](int cell) {
        step.eliminations.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit)});
    });
}

// The pattern's cells as a list, lowest first.
inline std::vector<std::uint8_t> cell_list(const CellSet& set) {
    std::vector<std::uint8_t> cells;
    for_each_cell(set, [&](int cell) { cells.push_back(static_cast<std::uint8_t>(cell)); });
    return cells;
}

// Adds to `highlighted` each candidate of `digits` in the cells of `set`.
inline void highlight(const Candidates& c, Step& step, const CellSet& set, unsigned digits) {
    for_each_cell(set, [&](int cell) {
        for_each_bit(c.mask(cell) & digits, [&](int d) {
            step.highlighted.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(d)});
        });
    });
}

inline Candidate candidate(int cell, int digit) {
    return {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit)};
}

// Calls f(mask) for every subset of exactly `k` bits of `pool`, in increasing order of the lowest
// differing bit; stops when f returns true and returns true then.
template<typename F>
bool for_each_combination(unsigned pool, int k, F&& f) {
    std::array<int, 9> bits{};
    int n = 0;
    for_each_bit(pool, [&](int b) { bits[static_cast<std::size_t>(n++)] = b; });
    if (k > n || k <= 0) return false;
    std::array<int, 9> idx{};
    for (int i = 0; i < k; ++i) idx[static_cast<std::size_t>(i)] = i;
    while (true) {
        unsigned mask = 0;
        for (int i = 0; i < k; ++i) mask |= 1u << bits[static_cast<std::size_t>(idx[static_cast<std::size_t>(i)])];
        if (f(mask)) return true;
        int i = k - 1;
        while (i >= 0 && idx[static_cast<std::size_t>(i)] == n - k + i) --i;
        if (i < 0) return false;
        ++idx[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < k; ++j) idx[static_cast<std::size_t>(j)] = idx[static_cast<std::size_t>(j - 1)] + 1;
    }
}

// The reason of a link between two single candidates, as the chain uses it (`strong` is its role):
// the cell when both are in one cell, otherwise the first unit both cells share (row, column,
// region) where, for a strong link, the digit has only those two places. A strong link with no
// such unit or cell does not hold; the reason is then None.
inline LinkReason link_reason(const Candidates& c, Candidate from, Candidate to, bool strong) {
    LinkReason why;
    if (from.cell == to.cell) {
        if (!strong || bit_count(static_cast<unsigned>(c.mask(from.cell))) == 2) {
            why.kind = LinkReason::Kind::Cell;
            why.cell = from.cell;
        }
        return why;
    }
    if (from.digit != to.digit) return why;
    const Geometry& g = geometry();
    for (int k = 0; k < 3; ++k) {
        const std::uint8_t unit = g.cell_units[from.cell][k];
        if (g.cell_units[to.cell][k] != unit) continue;
        if (strong && bit_count(static_cast<unsigned>(c.places(unit, from.digit))) != 2) continue;
        why.kind = LinkReason::Kind::Unit;
        why.unit = unit;
        return why;
    }
    return why;
}

// Fills every link's reason (single-candidate chains: x-chains, xy-chains, AIC, remote pairs).
inline void give_reasons(const Candidates& c, std::vector<Link>& links) {
    for (Link& l : links) l.why = link_reason(c, l.from, l.to, l.strong);
}

// The first cell of `set` holding `digit`, with that digit.
inline Candidate first_holder(const Candidates& c, const CellSet& set, int digit) {
    int first = -1;
    for_each_cell(set & c.cells_of(digit), [&](int cell) {
        if (first < 0) first = cell;
    });
    return candidate(first, digit);
}

// The links of a chain of sets of cells, `sets[i]` joined to `sets[i + 1]` by the digit
// `through[i]`, whose places in the one see all those in the other: z off in the first set = ...
// = z on in the last. Each set is a bivalue cell (its link is the cell's) or an almost locked set
// (without the digit it is entered by, it holds the one it is left by); between two sets the
// link joins the digit's first holders through a unit they share. Nodes are first holders.
inline std::vector<Link> set_chain_links(const Candidates& c, const std::vector<CellSet>& sets,
                                         const std::vector<int>& through, int z) {
    std::vector<Link> links;
    Candidate from = first_holder(c, sets.front(), z);
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const int leave = i < through.size() ? through[i] : z;
        const Candidate out = first_holder(c, sets[i], leave);
        LinkReason inside;
        if (sets[i].count() == 1) {
            inside.kind = LinkReason::Kind::Cell;
            inside.cell = from.cell;
        } else {
            inside.kind = LinkReason::Kind::Als;
            inside.cells = cell_list(sets[i]);
        }
        links.emplace_back(from, out, true, std::move(inside));
        if (i + 1 == sets.size()) break;
        const Candidate in = first_holder(c, sets[i + 1], leave);
        links.emplace_back(out, in, false, link_reason(c, out, in, false));
        from = in;
    }
    return links;
}

} // namespace vornel::ladder::detail
