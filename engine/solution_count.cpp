// SPDX-License-Identifier: GPL-3.0-or-later
#include "solution_count.h"

#include "cell_geometry.h"

#include "bit_ops.h"
#include <bit>
#include <utility>

namespace vornel {

namespace {

constexpr const CellGeometry& kGeo = kCellGeometry;

constexpr std::uint16_t kAll = 0x1FF; // bit d - 1 for digit d

// One position of the search: values, the candidates of each empty cell (0 for filled ones), and
// the digits standing in each unit. place() keeps the three in step.
struct Position {
    std::uint8_t value[81]{};
    std::uint16_t cand[81]{};
    std::uint16_t used[27]{};
    int empty = 81;
    bool naked = true; // false: a cell with one candidate waits for a hidden single to fill it

    void place(int cell, std::uint16_t bit) {
        value[cell] = static_cast<std::uint8_t>(std::countr_zero(bit) + 1);
        cand[cell] = 0;
        --empty;
        for (const std::uint8_t u : kGeo.cell_units[cell]) used[u] |= bit;
        for (const std::uint8_t p : kGeo.peers[cell]) cand[p] &= static_cast<std::uint16_t>(~bit);
    }

    // Places every naked single (a cell with one candidate; only when `naked`) and every hidden
    // single (a digit with one place left in a unit) until none is left. False on a contradiction: an empty cell
    // without a candidate, or a digit that a unit lacks and can no longer place.
    bool propagate() {
        for (bool progress = true; progress;) {
            progress = false;
            for (int i = 0; i < 81; ++i) {
                if (value[i] != 0) continue;
                const std::uint16_t m = cand[i];
                if (m == 0) return false;
                if (naked && (m & (m - 1)) == 0) {
                    place(i, m);
                    progress = true;
                }
            }
            for (int u = 0; u < 27; ++u) {
                std::uint16_t once = 0, twice = 0;
                for (const std::uint8_t i : kGeo.unit_cells[u]) {
                    twice |= once & cand[i];
                    once |= cand[i];
                }
                if ((once | used[u]) != kAll) return false;
                for (std::uint16_t single = once & ~twice; single != 0; single &= single - 1) {
                    const std::uint16_t bit = single & -single;
                    int where = -1;
                    for (const std::uint8_t i : kGeo.unit_cells[u])
                        if (cand[i] & bit) where = i;
                    // Another single of this unit took the cell: two digits had only that place.
                    if (where < 0) return false;
                    place(where, bit);
                    progress = true;
                }
            }
        }
        return true;
    }
};

struct Search {
    int limit;
    SolutionCount result;
    const Draw* draw = nullptr; // when set, the digits of each branch are tried in a shuffled order

    void run(Position p) {
        if (!p.propagate()) return;
        if (p.empty == 0) {
            if (result.count == 0)
                for (int i = 0; i < 81; ++i) result.first[i] = p.value[i];
            ++result.count;
            return;
        }
        int best = -1, best_count = 10;
        for (int i = 0; i < 81 && best_count > 2; ++i) {
            if (p.value[i] != 0) continue;
            const int n = bit_count(p.cand[i]);
            if (n < best_count) {
                best = i;
                best_count = n;
            }
        }
        if (draw != nullptr) {
            std::uint16_t bits[9];
            int n = 0;
            for (std::uint16_t m = p.cand[best]; m != 0; m &= m - 1) bits[n++] = m & -m;
            // Fisher-Yates from the last item down, one draw per swap.
            for (int i = n - 1; i > 0; --i) std::swap(bits[i], bits[(*draw)(static_cast<std::uint32_t>(i) + 1)]);
            for (int i = 0; i < n && result.count < limit; ++i) {
                Position next = p;
                next.place(best, bits[i]);
                run(next);
            }
            return;
        }
        for (std::uint16_t m = p.cand[best]; m != 0 && result.count < limit; m &= m - 1) {
            Position next = p;
            next.place(best, m & -m);
            run(next);
        }
    }
};

// The position of the grid's values; false when a value is outside 0-9 or two clash in a unit.
bool start(const Grid& cells, Position& start) {
    for (std::uint16_t& c : start.cand) c = kAll;
    for (int i = 0; i < 81; ++i) {
        const int v = cells[i];
        if (v == 0) continue;
        if (v > 9) return false;
        const std::uint16_t bit = static_cast<std::uint16_t>(1u << (v - 1));
        for (const std::uint8_t u : kGeo.cell_units[i])
            if (start.used[u] & bit) return false;
        start.place(i, bit);
    }
    return true;
}

} // namespace

SolutionCount find_solutions(const Grid& cells, int limit) {
    Position first;
    if (!start(cells, first)) return {};
    Search search{limit < 1 ? 1 : limit, {}};
    search.run(first);
    return search.result;
}

SolutionCount find_solutions_without(const Grid& cells, int cell, int digit, int limit) {
    Position first;
    if (!start(cells, first)) return {};
    if (cells[cell] == digit) return {};
    first.cand[cell] &= static_cast<std::uint16_t>(~(1u << (digit - 1)));
    Search search{limit < 1 ? 1 : limit, {}};
    search.run(first);
    return search.result;
}

SolutionCount find_solutions_within(const Grid& cells, const Marks& allowed, int limit) {
    Position first;
    if (!start(cells, first)) return {};
    for (int i = 0; i < 81; ++i)
        if (first.value[i] == 0) first.cand[i] &= static_cast<std::uint16_t>(allowed[i] >> 1);
    Search search{limit < 1 ? 1 : limit, {}};
    search.run(first);
    return search.result;
}

Grid random_full_grid(const Draw& draw) {
    Position empty;
    for (std::uint16_t& c : empty.cand) c = kAll;
    Search search{1, {}, &draw};
    search.run(empty);
    return search.result.first;
}

bool filled_by_singles(const Grid& cells, bool naked) {
    Position p;
    p.naked = naked;
    return start(cells, p) && p.propagate() && p.empty == 0;
}

int count_solutions(const WorkArea& area, int limit) {
    Grid cells{};
    for (int i = 0; i < 81; ++i) {
        const int v = area.grid[i / 9 + 1][i % 9 + 1];
        if (v < 0 || v > 9) return 0;
        cells[i] = static_cast<std::uint8_t>(v);
    }
    return find_solutions(cells, limit).count;
}

} // namespace vornel
