// SPDX-License-Identifier: GPL-3.0-or-later
// Aligned pair exclusion: two empty cells of one unit, and the pairs of digits they could hold
// together. A pair is impossible when both digits are the same (the cells see each other), or
// when some small almost locked set that sees both cells holds both digits: a single cell with
// exactly those two candidates, or two cells with three candidates between them. Placing the pair
// would leave that set with fewer digits than cells. A digit of one cell that goes with no digit
// of the other leaves its cell.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "als.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

void scan_aligned_pair_exclusion(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    // Bivalue cells and two-cell sets: the ones a learner checks by eye.
    const std::vector<Als> sets = almost_locked_sets(c, 2);
    // The sets by their lowest cell, so that a pair reads only the sets among the cells that see
    // both its cells, in the order of `sets` (a bit per set).
    std::array<std::vector<std::size_t>, 81> starting{};
    for (std::size_t i = 0; i < sets.size(); ++i)
        starting[static_cast<std::size_t>(sets[i].cells.first())].push_back(i);
    std::vector<std::uint64_t> near((sets.size() + 63) / 64);
    for (const int unit : kUnitScan) {
        for (int i = 0; i < 9; ++i) {
            const int p = g.unit_cells[static_cast<std::size_t>(unit)][static_cast<std::size_t>(i)];
            if (c.value(p) != 0) continue;
            for (int j = i + 1; j < 9; ++j) {
                const int q = g.unit_cells[static_cast<std::size_t>(unit)][static_cast<std::size_t>(j)];
                if (c.value(q) != 0) continue;
                // A pair of one region and one line is visited with the region.
                if (unit_kind(unit) != UnitKind::Region && box_of(p) == box_of(q)) continue;
                const unsigned pm = c.mask(p), qm = c.mask(q);
                const CellSet both = g.peer_set[static_cast<std::size_t>(p)] & g.peer_set[static_cast<std::size_t>(q)];
                // excluded[a]: the digits of q that cannot go with a in p.
                std::array<unsigned, 10> excluded{};
                for_each_bit(pm & qm, [&](int a) { excluded[static_cast<std::size_t>(a)] |= 1u << a; });
                std::vector<const Als*> used;
                std::fill(near.begin(), near.end(), 0);
                for_each_cell(both, [&](int cell) {
                    for (const std::size_t i : starting[static_cast<std::size_t>(cell)])
                        near[i / 64] |= std::uint64_t{1} << (i % 64);
                });
                for (std::size_t w = 0; w < near.size(); ++w) {
                    for (std::uint64_t bits_left = near[w]; bits_left != 0; bits_left &= bits_left - 1) {
                        const Als& als = sets[64 * w + static_cast<std::size_t>(std::countr_zero(bits_left))];
                        if ((als.digits & pm) == 0 || (als.digits & qm) == 0 || !(als.cells - both).empty()) continue;
                        bool useful = false;
                        for_each_bit(als.digits & pm, [&](int a) {
                            const unsigned with = als.digits & qm & ~(1u << a);
                            if ((with & ~excluded[static_cast<std::size_t>(a)]) != 0) useful = true;
                            excluded[static_cast<std::size_t>(a)] |= with;
                        });
                        if (useful) used.push_back(&als);
                    }
                }
                unsigned gone_p = 0, gone_q = 0;
                for_each_bit(pm, [&](int a) {
                    if ((qm & ~excluded[static_cast<std::size_t>(a)]) == 0) gone_p |= 1u << a;
                });
                for_each_bit(qm, [&](int b) {
                    bool any = false;
                    for_each_bit(pm,
                                 [&](int a) { any = any || ((excluded[static_cast<std::size_t>(a)] >> b) & 1) == 0; });
                    if (!any) gone_q |= 1u << b;
                });
                if ((gone_p | gone_q) == 0) continue;
                // Keep only the sets needed by the removed digits, in the order found.
                Step step;
                step.technique = Technique::AlignedPairExclusion;
                step.cells = {static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(q)};
                step.groups = {1, 1};
                step.units = {static_cast<std::uint8_t>(unit)};
                step.digits = static_cast<std::uint16_t>(pm | qm);
                CellSet pair;
                pair.add(p);
                pair.add(q);
                highlight(c, step, pair, pm | qm);
                for_each_bit(gone_p, [&](int a) { step.eliminations.push_back(candidate(p, a)); });
                for_each_bit(gone_q, [&](int b) { step.eliminations.push_back(candidate(q, b)); });
                for (const Als* als : used) {
                    bool needed = false;
                    for_each_bit(als->digits & pm, [&](int a) {
                        for_each_bit(als->digits & qm & ~(1u << a), [&](int b) {
                            needed = needed || ((gone_p >> a) & 1) != 0 || ((gone_q >> b) & 1) != 0;
                        });
                    });
                    if (!needed) continue;
                    const std::vector<std::uint8_t> cells = cell_list(als->cells);
                    step.cells.insert(step.cells.end(), cells.begin(), cells.end());
                    step.groups.push_back(als->size);
                    highlight(c, step, als->cells, als->digits);
                }
                if (out.keep(std::move(step))) return;
            }
        }
    }
}

// The simplest: fewest cells (the pair's and the sets'), then most eliminations.
std::optional<Step> find_aligned_pair_exclusion(const Candidates& c) {
    return simplest_instance(c, scan_aligned_pair_exclusion);
}

} // namespace vornel::ladder
