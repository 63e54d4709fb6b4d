// SPDX-License-Identifier: GPL-3.0-or-later
// Sue de Coq: two or three empty cells where a line crosses a region, holding at least two digits
// more than they have cells, with cells of the rest of the line and cells of the rest of the region
// that take up the surplus.
//
// Let C be the crossing cells, L some other cells of the line, R some other cells of the region,
// the digits of L and the digits of R having none in common. A digit of L cannot be in R, a digit
// of R not in L, so each digit can be only once in C, L and R together (C and L lie in the line,
// C and R in the region). When C, L and R have as many cells as digits, each digit is there
// exactly once: a digit of L leaves the rest of the line, a digit of R the rest of the region, and
// a digit of C alone both.
#include <array>
#include <vector>

#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

namespace {

// The subsets of empty cells of `cells` (at most six), each with its digits.
struct Part {
    CellSet cells;
    int count = 0;
    unsigned digits = 0;
};

// Every non-empty subset of `cells` (at most six), in the order of their bits.
struct Parts {
    std::array<Part, 64> part{};
    int count = 0;
};

void parts_of(const Candidates& c, const std::vector<int>& cells, Parts& parts) {
    const auto n = static_cast<unsigned>(cells.size());
    parts.count = 0;
    for (unsigned sub = 1; sub < (1u << n); ++sub) {
        Part& part = parts.part[static_cast<std::size_t>(parts.count++)];
        part = Part{};
        for_each_bit(sub, [&](int i) {
            part.cells.add(cells[static_cast<std::size_t>(i)]);
            part.digits |= c.mask(cells[static_cast<std::size_t>(i)]);
        });
        part.count = bits(sub);
    }
}

} // namespace

void scan_sue_de_coq(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    for (int box = 0; box < 9; ++box) {
        const int region = 18 + box;
        for (int line = 0; line < 18; ++line) {
            const CellSet crossing =
                g.unit_set[static_cast<std::size_t>(line)] & g.unit_set[static_cast<std::size_t>(region)];
            if (crossing.empty()) continue;
            std::vector<int> inside, line_rest, region_rest;
            for_each_cell(crossing, [&](int cell) {
                if (c.value(cell) == 0) inside.push_back(cell);
            });
            if (inside.size() < 2) continue;
            for_each_cell(g.unit_set[static_cast<std::size_t>(line)] - crossing, [&](int cell) {
                if (c.value(cell) == 0) line_rest.push_back(cell);
            });
            for_each_cell(g.unit_set[static_cast<std::size_t>(region)] - crossing, [&](int cell) {
                if (c.value(cell) == 0) region_rest.push_back(cell);
            });
            Parts centres, lines, regions;
            parts_of(c, inside, centres);
            bool sides = false; // the parts of the line's and the region's rest, worked out once needed
            for (int k = 0; k < centres.count; ++k) {
                const Part& centre = centres.part[static_cast<std::size_t>(k)];
                if (centre.count < 2) continue;
                const int surplus = bits(centre.digits) - centre.count;
                if (surplus < 2) continue;
                if (!sides) {
                    parts_of(c, line_rest, lines);
                    parts_of(c, region_rest, regions);
                    sides = true;
                }
                // Each side must take up part of the surplus: more cells than digits it adds.
                const auto takes = [&](const Part& p) {
                    return (p.digits & centre.digits) != 0 && p.count > bits(p.digits & ~centre.digits);
                };
                std::array<const Part*, 64> taking{};
                int taking_count = 0;
                for (int i = 0; i < regions.count; ++i)
                    if (takes(regions.part[static_cast<std::size_t>(i)]))
                        taking[static_cast<std::size_t>(taking_count++)] = &regions.part[static_cast<std::size_t>(i)];
                for (int i = 0; i < lines.count; ++i) {
                    const Part& l = lines.part[static_cast<std::size_t>(i)];
                    if (!takes(l)) continue;
                    for (int j = 0; j < taking_count; ++j) {
                        const Part& r = *taking[static_cast<std::size_t>(j)];
                        if ((l.digits & r.digits) != 0) continue;
                        const unsigned all = centre.digits | l.digits | r.digits;
                        if (centre.count + l.count + r.count != bits(all)) continue;
                        const CellSet pattern = centre.cells | l.cells | r.cells;
                        Step step;
                        step.technique = Technique::SueDeCoq;
                        for_each_bit(all, [&](int d) {
                            CellSet targets;
                            if ((l.digits >> d) & 1)
                                targets = g.unit_set[static_cast<std::size_t>(line)];
                            else if ((r.digits >> d) & 1)
                                targets = g.unit_set[static_cast<std::size_t>(region)];
                            else
                                targets = g.unit_set[static_cast<std::size_t>(line)] |
                                          g.unit_set[static_cast<std::size_t>(region)];
                            eliminate_digit(c, step, targets - pattern, d);
                        });
                        if (step.eliminations.empty()) continue;
                        step.digits = static_cast<std::uint16_t>(all);
                        // The crossing cells, then the line's, then the region's.
                        for (const CellSet* part : {&centre.cells, &l.cells, &r.cells}) {
                            const std::vector<std::uint8_t> list = cell_list(*part);
                            step.cells.insert(step.cells.end(), list.begin(), list.end());
                            step.groups.push_back(static_cast<std::uint8_t>(list.size()));
                        }
                        step.units = {static_cast<std::uint8_t>(line), static_cast<std::uint8_t>(region)};
                        highlight(c, step, pattern, all);
                        if (out.keep(std::move(step))) return;
                    }
                }
            }
        }
    }
}

// The simplest: fewest cells, then most eliminations.
std::optional<Step> find_sue_de_coq(const Candidates& c) { return simplest_instance(c, scan_sue_de_coq); }

} // namespace vornel::ladder
