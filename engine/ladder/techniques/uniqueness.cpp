// SPDX-License-Identifier: GPL-3.0-or-later
// Uniqueness techniques: unique rectangles (types 1 to 6), hidden rectangles and BUG+1.
//
// They rest on the puzzle having exactly one solution: a pattern that would let two digits swap
// places, or leave every cell with two candidates, would give two solutions, so it cannot be the
// end. They are sound only then. The ladder asks these finders only when it has counted the
// solutions of the givens and found exactly one; never call them on any other position.

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

namespace {

using detail::candidate;
using detail::for_each_bit;
using detail::for_each_cell;

// Four empty cells at the corners of rows r1 < r2 and columns c1 < c2, spanning exactly two
// regions, and the two digits a < b that all four hold.
struct Rectangle {
    std::array<int, 4> cells; // r1c1, r1c2, r2c1, r2c2
    int a = 0;
    int b = 0;
};

// The corners of a rectangle (r1c1, r1c2, r2c1, r2c2) and the digits all four hold.
struct Corners {
    std::array<int, 4> cells;
    unsigned common;
};

// Every rectangle of four empty cells spanning two regions whose corners share two digits or more,
// in scan order (rows, then columns).
std::vector<Corners> rectangles(const Candidates& c) {
    std::vector<Corners> all;
    for (int r1 = 0; r1 < 9; ++r1)
        for (int r2 = r1 + 1; r2 < 9; ++r2)
            for (int c1 = 0; c1 < 9; ++c1)
                for (int c2 = c1 + 1; c2 < 9; ++c2) {
                    const bool same_band = r1 / 3 == r2 / 3, same_stack = c1 / 3 == c2 / 3;
                    if (same_band == same_stack) continue; // one region, or four
                    Corners k{{cell_at(r1, c1), cell_at(r1, c2), cell_at(r2, c1), cell_at(r2, c2)}, 0x3FE};
                    for (const int cell : k.cells) k.common &= c.mask(cell);
                    if (bit_count(k.common) >= 2) all.push_back(k);
                }
    return all;
}

// Calls f(rect) for every candidate rectangle of `all` and pair of digits its corners share, in
// scan order (rows, then columns, then digit pairs); stops and returns true when f returns true.
template<typename F>
bool for_each_rectangle(const std::vector<Corners>& all, F&& f) {
    for (const Corners& k : all) {
        Rectangle rect;
        rect.cells = k.cells;
        bool stop = false;
        for_each_bit(k.common, [&](int a) {
            for_each_bit(k.common & ~((2u << a) - 1), [&](int b) {
                if (stop) return;
                rect.a = a;
                rect.b = b;
                stop = f(rect);
            });
        });
        if (stop) return true;
    }
    return false;
}

Step rectangle_step(const Candidates& c, const Rectangle& rect, int type) {
    Step step;
    step.technique = Technique::UniqueRectangle;
    step.variant = type;
    step.digits = static_cast<std::uint16_t>(1u << rect.a | 1u << rect.b);
    for (const int cell : rect.cells) {
        step.cells.push_back(static_cast<std::uint8_t>(cell));
        for_each_bit(c.mask(cell) & step.digits, [&](int d) { step.highlighted.push_back(candidate(cell, d)); });
    }
    return step;
}

// The indices (into rect.cells) of the cells that hold exactly the pair, bit i for cell i.
unsigned floor_cells(const Candidates& c, const Rectangle& rect) {
    const unsigned pair = 1u << rect.a | 1u << rect.b;
    unsigned floors = 0;
    for (int i = 0; i < 4; ++i)
        if (c.mask(rect.cells[static_cast<std::size_t>(i)]) == pair) floors |= 1u << i;
    return floors;
}

// The two roof cells when the floor is one side of the rectangle (a row or a column pair), or
// false when the two floor cells are opposite corners.
bool roof_of(unsigned floors, std::array<int, 2>& roof) {
    // Corners 0 1 / 2 3: sides are {0,1}, {2,3} (rows) and {0,2}, {1,3} (columns).
    static constexpr std::array<std::array<unsigned, 2>, 4> kSides = {
        {{0b0011, 0b1100}, {0b1100, 0b0011}, {0b0101, 0b1010}, {0b1010, 0b0101}}};
    for (const auto& side : kSides) {
        if (floors != side[0]) continue;
        int n = 0;
        for_each_bit(side[1], [&](int i) { roof[static_cast<std::size_t>(n++)] = i; });
        return true;
    }
    return false;
}

// The two roof cells of a rectangle whose two other corners hold only its pair, or nothing.
std::optional<std::array<int, 2>> roof_cells(const Candidates& c, const Rectangle& rect) {
    std::array<int, 2> roof{};
    if (!roof_of(floor_cells(c, rect), roof)) return std::nullopt;
    return std::array<int, 2>{rect.cells[static_cast<std::size_t>(roof[0])],
                              rect.cells[static_cast<std::size_t>(roof[1])]};
}

// True when `digit` has no place in `unit` but the rectangle's corners that lie in it.
bool only_in_rectangle(const Candidates& c, const Rectangle& rect, int unit, int digit) {
    CellSet in_unit;
    for (const int cell : rect.cells)
        if (geometry().unit_set[static_cast<std::size_t>(unit)].has(cell)) in_unit.add(cell);
    return detail::cells_at(unit, c.places(unit, digit)) == in_unit;
}

} // namespace

// Type 1: three corners hold only the pair, so the fourth must hold something else: the pair
// leaves it. Type 2: two corners on one side hold only the pair, the other two the pair and one
// same extra digit: that digit is in one of them, so it leaves every cell that sees both. Type 4:
// the two roof corners lie in a unit where one digit of the pair has no other place: that digit is
// in one of them, so the other digit of the pair leaves both.
void scan_unique_rectangle(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    const std::vector<Corners> all = rectangles(c);
    if (for_each_rectangle(all, [&](const Rectangle& rect) -> bool {
            const unsigned floors = floor_cells(c, rect);
            if (bit_count(floors) != 3) return false;
            const int odd = rect.cells[static_cast<std::size_t>(std::countr_zero(~floors & 0xFu))];
            Step step = rectangle_step(c, rect, 1);
            step.eliminations = {candidate(odd, rect.a), candidate(odd, rect.b)};
            return out.keep(std::move(step));
        }))
        return;

    if (for_each_rectangle(all, [&](const Rectangle& rect) -> bool {
            const auto roof = roof_cells(c, rect);
            if (!roof) return false;
            const auto [r0, r1] = *roof;
            const unsigned pair = 1u << rect.a | 1u << rect.b;
            if (c.mask(r0) != c.mask(r1) || bit_count(c.mask(r0)) != 3) return false;
            const int extra = std::countr_zero(c.mask(r0) & ~pair);
            const CellSet targets = (g.peer_set[r0] & g.peer_set[r1] & c.cells_of(extra));
            if (targets.empty()) return false;
            Step step = rectangle_step(c, rect, 2);
            step.highlighted.push_back(candidate(r0, extra));
            step.highlighted.push_back(candidate(r1, extra));
            detail::eliminate_digit(c, step, targets, extra);
            return out.keep(std::move(step));
        }))
        return;

    if (for_each_rectangle(all, [&](const Rectangle& rect) -> bool {
            const auto roof = roof_cells(c, rect);
            if (!roof) return false;
            const auto [r0, r1] = *roof;
            for (int k = 0; k < 3; ++k) {
                const int unit = g.cell_units[r0][static_cast<std::size_t>(k)];
                if (g.cell_units[r1][static_cast<std::size_t>(k)] != unit) continue;
                for (const int held : {rect.a, rect.b}) {
                    CellSet places = detail::cells_at(unit, c.places(unit, held));
                    CellSet both;
                    both.add(r0);
                    both.add(r1);
                    if (!(places == both)) continue;
                    const int other = held == rect.a ? rect.b : rect.a;
                    Step step = rectangle_step(c, rect, 4);
                    step.units.push_back(static_cast<std::uint8_t>(unit));
                    step.eliminations = {candidate(std::min(r0, r1), other), candidate(std::max(r0, r1), other)};
                    // The digit kept in the roof first among the highlighted: it is the one the unit
                    // places there.
                    step.fins = {candidate(std::min(r0, r1), held), candidate(std::max(r0, r1), held)};
                    if (out.keep(std::move(step))) return true;
                }
            }
            return false;
        }))
        return;

    // Type 5: the corners that hold more than the pair all hold the pair and one same extra digit,
    // and they are not two corners of one side (type 2): the extra digit is in one of them, so it
    // leaves every cell that sees them all.
    if (for_each_rectangle(all, [&](const Rectangle& rect) -> bool {
            const unsigned floors = floor_cells(c, rect);
            std::array<int, 2> roof{};
            if (bit_count(floors) < 1 || bit_count(floors) > 2 || roof_of(floors, roof)) return false;
            const unsigned pair = 1u << rect.a | 1u << rect.b;
            unsigned extra = 0;
            CellSet holders;
            for (int i = 0; i < 4; ++i) {
                if ((floors >> i) & 1) continue;
                const int cell = rect.cells[static_cast<std::size_t>(i)];
                const unsigned more = c.mask(cell) & ~pair;
                if (bit_count(more) != 1 || (extra != 0 && more != extra)) return false;
                extra = more;
                holders.add(cell);
            }
            const int digit = std::countr_zero(extra);
            Step step = rectangle_step(c, rect, 5);
            detail::for_each_cell(holders, [&](int cell) { step.highlighted.push_back(candidate(cell, digit)); });
            detail::eliminate_digit(c, step, detail::common_peers(holders), digit);
            if (step.eliminations.empty()) return false;
            return out.keep(std::move(step));
        }))
        return;

    // Type 6: the two corners that hold only the pair are opposite, and one digit of the pair has
    // no other place than the rectangle in both its rows (or both its columns). That digit in one
    // of the two other corners would put it in both, and the pair's other digit in the first two:
    // the pattern that could swap. So that digit leaves the two other corners.
    if (for_each_rectangle(all, [&](const Rectangle& rect) -> bool {
            const unsigned floors = floor_cells(c, rect);
            if (floors != 0b1001 && floors != 0b0110) return false;
            const int o0 = rect.cells[floors == 0b1001 ? 1 : 0];
            const int o1 = rect.cells[floors == 0b1001 ? 2 : 3];
            const auto only_rectangle = [&](int unit, int digit) { return only_in_rectangle(c, rect, unit, digit); };
            for (const int held : {rect.a, rect.b}) {
                const bool rows =
                    only_rectangle(row_of(rect.cells[0]), held) && only_rectangle(row_of(rect.cells[3]), held);
                const bool cols =
                    only_rectangle(9 + col_of(rect.cells[0]), held) && only_rectangle(9 + col_of(rect.cells[3]), held);
                if (!rows && !cols) continue;
                Step step = rectangle_step(c, rect, 6);
                step.units = rows ? std::vector<std::uint8_t>{static_cast<std::uint8_t>(row_of(rect.cells[0])),
                                                              static_cast<std::uint8_t>(row_of(rect.cells[3]))}
                                  : std::vector<std::uint8_t>{static_cast<std::uint8_t>(9 + col_of(rect.cells[0])),
                                                              static_cast<std::uint8_t>(9 + col_of(rect.cells[3]))};
                step.eliminations = {candidate(std::min(o0, o1), held), candidate(std::max(o0, o1), held)};
                if (out.keep(std::move(step))) return true;
            }
            return false;
        }))
        return;

    // Type 3: the two roof corners hold, beyond the pair, extra digits; one of them holds one of
    // those (else the pattern could swap), so the two act as one cell holding the extra digits. With
    // other cells of a unit they share, they form a naked subset: as many digits as cells.
    for_each_rectangle(all, [&](const Rectangle& rect) -> bool {
        const auto roof = roof_cells(c, rect);
        if (!roof) return false;
        // Named cells, not structured bindings: the lambdas below capture them.
        const int r0 = (*roof)[0];
        const int r1 = (*roof)[1];
        const unsigned pair = 1u << rect.a | 1u << rect.b;
        const unsigned extras = (c.mask(r0) | c.mask(r1)) & ~pair;
        for (int k = 0; k < 3; ++k) {
            const int unit = g.cell_units[r0][static_cast<std::size_t>(k)];
            if (g.cell_units[r1][static_cast<std::size_t>(k)] != unit) continue;
            unsigned pool = 0;
            for (int p = 0; p < 9; ++p) {
                const int cell = g.unit_cells[static_cast<std::size_t>(unit)][static_cast<std::size_t>(p)];
                if (cell != r0 && cell != r1 && c.value(cell) == 0 && bit_count(c.mask(cell)) >= 2) pool |= 1u << p;
            }
            for (int size = 1; size <= 3; ++size) {
                detail::for_each_combination(pool, size, [&](unsigned positions) {
                    unsigned digits = extras;
                    CellSet subset;
                    detail::for_each_bit(positions, [&](int p) {
                        const int cell = g.unit_cells[static_cast<std::size_t>(unit)][static_cast<std::size_t>(p)];
                        digits |= c.mask(cell);
                        subset.add(cell);
                    });
                    if (bit_count(digits) != size + 1) return false;
                    CellSet keep = subset;
                    keep.add(r0);
                    keep.add(r1);
                    Step step = rectangle_step(c, rect, 3);
                    detail::for_each_bit(digits, [&](int d) {
                        detail::eliminate_digit(c, step, g.unit_set[static_cast<std::size_t>(unit)] - keep, d);
                    });
                    if (step.eliminations.empty()) return false;
                    step.units = {static_cast<std::uint8_t>(unit)};
                    for (const std::uint8_t cell : detail::cell_list(subset)) step.cells.push_back(cell);
                    step.groups = {4, static_cast<std::uint8_t>(size)};
                    detail::highlight(c, step, subset, digits);
                    for (const int cell : {r0, r1})
                        detail::for_each_bit(c.mask(cell) & extras,
                                             [&](int d) { step.highlighted.push_back(candidate(cell, d)); });
                    return out.keep(std::move(step));
                });
                if (out.done()) return true;
            }
        }
        return false;
    });
}

// A rectangle whose four corners hold the pair, one corner holding only the pair. If one digit of
// the pair has no other place than the rectangle in the row and in the column of the opposite
// corner, that corner cannot hold the other digit: the two corners beside it would then hold the
// first digit, the corner with only the pair the second, and the pattern could swap.
void scan_hidden_rectangle(const Candidates& c, Instances& out) {
    const std::vector<Corners> all = rectangles(c);
    for_each_rectangle(all, [&](const Rectangle& rect) {
        const unsigned floors = floor_cells(c, rect);
        for (int f = 0; f < 4; ++f) {
            if (!((floors >> f) & 1)) continue;
            const int opposite = rect.cells[static_cast<std::size_t>(3 - f)];
            const int row = row_of(opposite), col = 9 + col_of(opposite);
            for (const int held : {rect.a, rect.b}) {
                const int other = held == rect.a ? rect.b : rect.a;
                if (!c.has(opposite, other)) continue;
                if (!only_in_rectangle(c, rect, row, held) || !only_in_rectangle(c, rect, col, held)) continue;
                Step step = rectangle_step(c, rect, 0);
                step.technique = Technique::HiddenRectangle;
                step.units = {static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(col)};
                step.eliminations = {candidate(opposite, other)};
                step.fins = {candidate(rect.cells[static_cast<std::size_t>(f)], rect.a),
                             candidate(rect.cells[static_cast<std::size_t>(f)], rect.b)};
                if (out.keep(std::move(step))) return true;
            }
        }
        return false;
    });
}

std::optional<Step> find_unique_rectangle(const Candidates& c) { return first_instance(c, scan_unique_rectangle); }
std::optional<Step> find_hidden_rectangle(const Candidates& c) { return first_instance(c, scan_hidden_rectangle); }

// BUG+1: every empty cell but one holds two candidates, that one holds three, and every digit
// has two places in each unit except one digit with three places in the units of that cell.
// Without that digit in that cell the grid would be a bivalue graveyard, which has no single
// solution; so that cell holds that digit.
std::optional<Step> find_bug_plus_one(const Candidates& c) {
    int odd = -1;
    for (int cell = 0; cell < 81; ++cell) {
        if (c.value(cell) != 0) continue;
        const int n = bit_count(c.mask(cell));
        if (n == 2) continue;
        if (n != 3 || odd >= 0) return std::nullopt;
        odd = cell;
    }
    if (odd < 0) return std::nullopt;
    const Geometry& g = geometry();
    int digit = 0;
    for (int unit = 0; unit < 27; ++unit) {
        const bool own = std::find(g.cell_units[odd].begin(), g.cell_units[odd].end(), unit) != g.cell_units[odd].end();
        for (int d = 1; d <= 9; ++d) {
            const int n = bit_count(c.places(unit, d));
            if (n == 0 || n == 2) continue;
            if (n != 3 || !own || !c.has(odd, d) || (digit != 0 && digit != d)) return std::nullopt;
            digit = d;
        }
    }
    if (digit == 0) return std::nullopt;
    for (const std::uint8_t unit : g.cell_units[odd])
        if (bit_count(c.places(unit, digit)) != 3) return std::nullopt;
    Step step;
    step.technique = Technique::BugPlusOne;
    step.placements = {candidate(odd, digit)};
    step.cells = {static_cast<std::uint8_t>(odd)};
    step.units.assign(g.cell_units[odd].begin(), g.cell_units[odd].end());
    step.digits = static_cast<std::uint16_t>(1u << digit);
    for_each_bit(c.mask(odd), [&](int d) { step.highlighted.push_back(candidate(odd, d)); });
    return step;
}

// A grid has at most one BUG+1.
void scan_bug_plus_one(const Candidates& c, Instances& out) {
    if (auto step = find_bug_plus_one(c)) out.keep(std::move(*step));
}

} // namespace vornel::ladder

namespace vornel::ladder {

// Avoidable rectangles: four corners on two rows, two columns and two regions, none of them a
// given, whose digits found so far would let the pattern of two digits a and b swap places.
// Type 1: three corners are found, a in one and b in the two beside it: the fourth corner cannot
// take a. Type 2: two corners of one side are found, a and b; the two others hold only b and x, and
// a and x, each opposite the same digit: one of them holds x, which leaves every cell that sees
// both. Only the cells the ladder wrote count as found: a cell of the starting grid may be a given.
void scan_avoidable_rectangle(const Candidates& c, Instances& out) {
    const auto open = [&](int cell) { return c.value(cell) == 0 || c.found(cell); };
    for (int r1 = 0; r1 < 9; ++r1)
        for (int r2 = r1 + 1; r2 < 9; ++r2)
            for (int c1 = 0; c1 < 9; ++c1)
                for (int c2 = c1 + 1; c2 < 9; ++c2) {
                    if ((r1 / 3 == r2 / 3) == (c1 / 3 == c2 / 3)) continue; // one region, or four
                    const std::array<int, 4> corners = {cell_at(r1, c1), cell_at(r1, c2), cell_at(r2, c1),
                                                        cell_at(r2, c2)};
                    if (!std::all_of(corners.begin(), corners.end(), open)) continue;
                    unsigned filled = 0;
                    for (int i = 0; i < 4; ++i)
                        if (c.value(corners[static_cast<std::size_t>(i)]) != 0) filled |= 1u << i;
                    const auto value = [&](int i) { return c.value(corners[static_cast<std::size_t>(i)]); };
                    const auto make = [&](int type, int a, int b) {
                        Step step;
                        step.technique = Technique::AvoidableRectangle;
                        step.variant = type;
                        step.digits = static_cast<std::uint16_t>(1u << a | 1u << b);
                        for (const int cell : corners) step.cells.push_back(static_cast<std::uint8_t>(cell));
                        return step;
                    };
                    if (bit_count(filled) == 3) {
                        const int empty = std::countr_zero(~filled & 0xFu);
                        const int a = value(3 - empty); // opposite corner
                        const int b = value(empty ^ 1);
                        if (b == a || value(empty ^ 2) != b) continue;
                        const int cell = corners[static_cast<std::size_t>(empty)];
                        if (!c.has(cell, a)) continue;
                        Step step = make(1, a, b);
                        step.eliminations = {detail::candidate(cell, a)};
                        if (out.keep(std::move(step))) return;
                        continue;
                    }
                    // Two found corners on one side: 0 1 (row), 2 3 (row), 0 2 (column), 1 3 (column).
                    for (const unsigned side : {0b0011u, 0b1100u, 0b0101u, 0b1010u}) {
                        if (filled != side) continue;
                        const int p = std::countr_zero(side), q = 31 - std::countl_zero(side);
                        const int a = value(p), b = value(q);
                        if (a == b) continue;
                        // The corner opposite p would take a, the one opposite q would take b.
                        const int op = corners[static_cast<std::size_t>(3 - p)];
                        const int oq = corners[static_cast<std::size_t>(3 - q)];
                        const unsigned mp = c.mask(op), mq = c.mask(oq);
                        if (bit_count(mp) != 2 || bit_count(mq) != 2 || !((mp >> a) & 1) || !((mq >> b) & 1)) continue;
                        const unsigned xp = mp & ~(1u << a), xq = mq & ~(1u << b);
                        if (xp != xq || xp == (1u << a) || xp == (1u << b)) continue;
                        const int x = std::countr_zero(xp);
                        Step step = make(2, a, b);
                        CellSet both;
                        both.add(op);
                        both.add(oq);
                        detail::eliminate_digit(c, step, detail::common_peers(both), x);
                        if (step.eliminations.empty()) continue;
                        step.highlighted = {detail::candidate(op, x), detail::candidate(oq, x)};
                        if (out.keep(std::move(step))) return;
                    }
                }
}

std::optional<Step> find_avoidable_rectangle(const Candidates& c) {
    return first_instance(c, scan_avoidable_rectangle);
}

} // namespace vornel::ladder
