// SPDX-License-Identifier: GPL-3.0-or-later
// Wings: a few cells with two or three candidates whose digits force one digit into one of two or
// three cells, so that digit goes from every cell that sees them all.
#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

namespace {

bool bivalue(const Candidates& c, int cell) { return c.value(cell) == 0 && bits(c.mask(cell)) == 2; }

CellSet single(int cell) {
    CellSet set;
    set.add(cell);
    return set;
}

unsigned digits_of(const Candidates& c, const CellSet& set) {
    unsigned digits = 0;
    for_each_cell(set, [&](int cell) { digits |= c.mask(cell); });
    return digits;
}

// The wxyz-wing `cells` split into two sets that each hold one digit more than their count, both
// holding z and joined by another digit whose places in the one all see those in the other: z off
// in the first = ... = z on in the second. A bivalue cell first when there is one. Empty when the
// cells split no such way.
std::vector<Link> wxyz_links(const Candidates& c, const std::vector<std::uint8_t>& cells, int z) {
    const Geometry& g = geometry();
    // Splits by the cells of the first set, bit i for cells[i]: one cell, then two (with cells[0]).
    for (const unsigned split : {1u, 2u, 4u, 8u, 3u, 5u, 9u}) {
        CellSet first, second;
        for (std::size_t i = 0; i < 4; ++i) ((split >> i) & 1 ? first : second).add(cells[i]);
        const unsigned a = digits_of(c, first), b = digits_of(c, second);
        if (bits(a) != first.count() + 1 || bits(b) != second.count() + 1) continue;
        if (!((a >> z) & 1) || !((b >> z) & 1)) continue;
        int through = 0;
        for_each_bit(a & b & ~(1u << z), [&](int x) {
            if (through != 0) return;
            bool seen = true;
            for_each_cell(first & c.cells_of(x), [&](int p) {
                for_each_cell(second & c.cells_of(x), [&](int q) { seen = seen && g.peer_set[p].has(q); });
            });
            if (seen) through = x;
        });
        if (through != 0) return set_chain_links(c, {first, second}, {through}, z);
    }
    return {};
}

Step wing_step(const Candidates& c, Technique technique, std::initializer_list<int> cells, unsigned digits,
               int removed) {
    Step step;
    step.technique = technique;
    CellSet set;
    for (const int cell : cells) {
        step.cells.push_back(static_cast<std::uint8_t>(cell));
        set.add(cell);
    }
    step.digits = static_cast<std::uint16_t>(digits);
    for (const int cell : cells)
        for_each_bit(c.mask(cell), [&](int d) { step.highlighted.push_back(candidate(cell, d)); });
    // Only the cells that hold `removed` carry the conclusion: every cell that sees them all loses it.
    CellSet holders;
    for (const int cell : cells)
        if (c.has(cell, removed)) holders.add(cell);
    eliminate_digit(c, step, common_peers(holders) - set, removed);
    return step;
}

} // namespace

void scan_xy_wing(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    for (int pivot = 0; pivot < 81; ++pivot) {
        if (!bivalue(c, pivot)) continue;
        const unsigned pm = c.mask(pivot);
        for (const std::uint8_t a : g.peers[pivot]) {
            if (!bivalue(c, a)) continue;
            const unsigned am = c.mask(a);
            if (bits(am & pm) != 1) continue;
            const unsigned z = am & ~pm;
            const unsigned b_mask = (pm & ~am) | z; // {y, z}
            for (const std::uint8_t b : g.peers[pivot]) {
                if (b == a || !bivalue(c, b) || c.mask(b) != b_mask) continue;
                Step step = wing_step(c, Technique::XyWing, {pivot, a, b}, pm | z, std::countr_zero(z));
                if (step.eliminations.empty()) continue;
                // z off in a = x in a - x off in the pivot = y in the pivot - y off in b = z in b.
                step.links =
                    set_chain_links(c, {single(a), single(pivot), single(b)},
                                    {std::countr_zero(am & pm), std::countr_zero(b_mask & pm)}, std::countr_zero(z));
                if (out.keep(std::move(step))) return;
            }
        }
    }
}

void scan_xyz_wing(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    for (int pivot = 0; pivot < 81; ++pivot) {
        if (c.value(pivot) != 0 || bits(c.mask(pivot)) != 3) continue;
        const unsigned pm = c.mask(pivot);
        for (const std::uint8_t a : g.peers[pivot]) {
            if (!bivalue(c, a) || (c.mask(a) & ~pm) != 0) continue;
            for (const std::uint8_t b : g.peers[pivot]) {
                if (b <= a || !bivalue(c, b) || (c.mask(b) & ~pm) != 0) continue;
                if ((c.mask(a) | c.mask(b)) != pm) continue;
                const unsigned z = c.mask(a) & c.mask(b);
                Step step = wing_step(c, Technique::XyzWing, {pivot, a, b}, pm, std::countr_zero(z));
                if (step.eliminations.empty()) continue;
                // z off in a = x in a - x off in the pivot = z in the pivot or b (two cells, three
                // digits: without x they hold y and z).
                step.links = set_chain_links(c, {single(a), single(pivot) | single(b)},
                                             {std::countr_zero(c.mask(a) & ~z)}, std::countr_zero(z));
                if (out.keep(std::move(step))) return;
            }
        }
    }
}

void scan_w_wing(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    for (int p = 0; p < 81; ++p) {
        if (!bivalue(c, p)) continue;
        for (int q = p + 1; q < 81; ++q) {
            if (!bivalue(c, q) || c.mask(q) != c.mask(p) || g.peer_set[p].has(q)) continue;
            for (const int x : {std::countr_zero(c.mask(p)), 31 - std::countl_zero(static_cast<unsigned>(c.mask(p)))}) {
                const int y = std::countr_zero(static_cast<unsigned>(c.mask(p) & ~(1u << x)));
                for (const int unit : kUnitScan) {
                    const unsigned places = c.places(unit, x);
                    if (bits(places) != 2) continue;
                    const int l1 = g.unit_cells[unit][std::countr_zero(places)];
                    const int l2 = g.unit_cells[unit][31 - std::countl_zero(places)];
                    if (l1 == p || l1 == q || l2 == p || l2 == q) continue;
                    int lp = -1;
                    int lq = -1;
                    if (g.peer_set[p].has(l1) && g.peer_set[q].has(l2)) {
                        lp = l1;
                        lq = l2;
                    } else if (g.peer_set[p].has(l2) && g.peer_set[q].has(l1)) {
                        lp = l2;
                        lq = l1;
                    } else {
                        continue;
                    }
                    Step step = wing_step(c, Technique::WWing, {p, q}, c.mask(p), y);
                    if (step.eliminations.empty()) continue;
                    step.cells.push_back(static_cast<std::uint8_t>(lp));
                    step.cells.push_back(static_cast<std::uint8_t>(lq));
                    step.units.push_back(static_cast<std::uint8_t>(unit));
                    step.highlighted.push_back(candidate(lp, x));
                    step.highlighted.push_back(candidate(lq, x));
                    // y off in p = x in p - x off in lp = x in lq - x off in q = y in q.
                    LinkReason in_unit;
                    in_unit.kind = LinkReason::Kind::Unit;
                    in_unit.unit = static_cast<std::uint8_t>(unit);
                    step.links = {{candidate(p, y), candidate(p, x), true},
                                  {candidate(p, x), candidate(lp, x), false},
                                  {candidate(lp, x), candidate(lq, x), true, in_unit},
                                  {candidate(lq, x), candidate(q, x), false},
                                  {candidate(q, x), candidate(q, y), true}};
                    for (Link& l : step.links)
                        if (l.why.kind == LinkReason::Kind::None) l.why = link_reason(c, l.from, l.to, l.strong);
                    if (out.keep(std::move(step))) return;
                }
            }
        }
    }
}

std::optional<Step> find_xy_wing(const Candidates& c) { return first_instance(c, scan_xy_wing); }
std::optional<Step> find_xyz_wing(const Candidates& c) { return first_instance(c, scan_xyz_wing); }
std::optional<Step> find_w_wing(const Candidates& c) { return first_instance(c, scan_w_wing); }

} // namespace vornel::ladder

namespace vornel::ladder {

using namespace detail;

// Four cells holding four digits between them, three of which can each go in one of the four
// cells at most (the cells holding it all see one another). Without the fourth digit z the four
// cells would have three digits for four cells: z is in one of them, and leaves every cell that
// sees all of its holders.
void scan_wxyz_wing(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    bool stop = false;
    // The empty cells with two to four candidates, the only ones a wing can take, by candidates.
    std::array<CellSet, 1024> by_mask{};
    for (int cell = 0; cell < 81; ++cell)
        if (c.value(cell) == 0 && bits(c.mask(cell)) >= 2 && bits(c.mask(cell)) <= 4) by_mask[c.mask(cell)].add(cell);
    for_each_combination(0x3FE, 4, [&](unsigned digits) {
        // The cells whose candidates are among the four digits, in cell order.
        CellSet among;
        for (unsigned sub = digits; sub != 0; sub = (sub - 1) & digits) among = among | by_mask[sub];
        std::array<int, 81> pool{};
        int n = 0;
        for_each_cell(among, [&](int cell) { pool[static_cast<std::size_t>(n++)] = cell; });
        if (n < 4) return false;
        std::array<int, 4> chosen{};
        // `loose`: the digits whose holders among the chosen cells do not all see one another.
        const auto pick = [&](auto&& self, int from, int count, unsigned seen, unsigned loose) -> void {
            if (count == 4) {
                if (seen != digits) return;
                const unsigned unrestricted = loose;
                if (bits(unrestricted) > 1) return;
                for_each_bit(unrestricted != 0 ? unrestricted : digits, [&](int z) {
                    CellSet set, holders;
                    for (const int cell : chosen) {
                        set.add(cell);
                        if (c.has(cell, z)) holders.add(cell);
                    }
                    Step step;
                    step.technique = Technique::WxyzWing;
                    step.digits = static_cast<std::uint16_t>(digits);
                    step.cells = cell_list(set);
                    highlight(c, step, set, digits);
                    eliminate_digit(c, step, common_peers(holders) - set, z);
                    if (step.eliminations.empty() || stop) return;
                    step.links = wxyz_links(c, step.cells, z);
                    stop = out.keep(std::move(step));
                });
                return;
            }
            for (int i = from; i < n && !stop; ++i) {
                const int cell = pool[static_cast<std::size_t>(i)];
                chosen[static_cast<std::size_t>(count)] = cell;
                unsigned more = loose;
                for (int k = 0; k < count; ++k) {
                    const int other = chosen[static_cast<std::size_t>(k)];
                    if (!g.peer_set[other].has(cell)) more |= c.mask(other) & c.mask(cell);
                }
                if (bits(more) > 1) continue;
                self(self, i + 1, count + 1, seen | c.mask(cell), more);
            }
        };
        pick(pick, 0, 0, 0, 0);
        return stop;
    });
}

// The simplest: most eliminations (every wxyz-wing has four cells).
std::optional<Step> find_wxyz_wing(const Candidates& c) { return simplest_instance(c, scan_wxyz_wing); }

} // namespace vornel::ladder
