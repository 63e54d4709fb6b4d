// SPDX-License-Identifier: GPL-3.0-or-later
// Colouring beyond one cluster of one digit.
//
// Multi-colouring: the conjugate pairs of a digit join its cells into clusters, each with two
// colours of which exactly one holds the digit. When a cell of colour a1 of one cluster sees a cell
// of colour b1 of another, a1 and b1 are not both true, so a2 or b2 is: a cell that sees a cell of
// a2 and a cell of b2 loses the digit (variant 1). When a cell of a1 sees a cell of each colour of
// the other cluster, a1 is false everywhere (variant 2).
//
// 3D medusa: one cluster of candidates of every digit, joined by conjugate pairs and by the two
// digits of a cell that has two. Exactly one colour is true. A colour with two candidates in one
// cell (variant 1), or one digit twice in one unit (variant 2), or that would empty a cell (variant
// 3), is false. A candidate outside the cluster loses its place when it sees both colours of its
// digit, when its cell holds both colours, or when its cell holds one colour and it sees its digit
// in the other (variant 4).
#include <algorithm>
#include <tuple>

#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

namespace {

bool by_cell_then_digit(const Candidate& x, const Candidate& y) {
    return x.cell != y.cell ? x.cell < y.cell : x.digit < y.digit;
}

// The clusters of one digit's conjugate pairs: colour[cell] is 2 * cluster + side, or -1.
struct DigitClusters {
    std::array<int, 81> colour{};
    std::vector<std::array<CellSet, 2>> sides;
    std::vector<std::vector<Link>> trees;

    DigitClusters(const Candidates& c, int d) {
        const Geometry& g = geometry();
        colour.fill(-1);
        for (int root = 0; root < 81; ++root) {
            if (!c.has(root, d) || colour[root] >= 0) continue;
            const int id = static_cast<int>(sides.size());
            std::array<CellSet, 2> side{};
            std::vector<Link> tree;
            std::vector<int> order{root};
            colour[root] = 2 * id;
            for (std::size_t i = 0; i < order.size(); ++i) {
                const int cell = order[i];
                for (const std::uint8_t unit : g.cell_units[cell]) {
                    const unsigned places = c.places(unit, d);
                    if (bits(places) != 2) continue;
                    for_each_bit(places, [&](int p) {
                        const int other = g.unit_cells[unit][p];
                        if (other == cell || colour[other] >= 0) return;
                        colour[other] = colour[cell] ^ 1;
                        order.push_back(other);
                        tree.push_back({candidate(cell, d), candidate(other, d), true});
                    });
                }
            }
            for (const int cell : order) side[colour[cell] & 1].add(cell);
            sides.push_back(side);
            trees.push_back(std::move(tree));
        }
    }
};

CellSet seen_by(const CellSet& set) {
    CellSet seen;
    for_each_cell(set, [&](int cell) { seen = seen | geometry().peer_set[cell]; });
    return seen;
}

} // namespace

void scan_multi_colouring(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    for (int d = 1; d <= 9; ++d) {
        // Colours reason on one digit: what they remove lies on no placement of it.
        if (!candidate_off_every_placement(c, d)) continue;
        const DigitClusters k(c, d);
        const int n = static_cast<int>(k.sides.size());
        for (int a = 0; a < n; ++a) {
            if (k.trees[a].empty()) continue;
            for (int b = 0; b < n; ++b) {
                if (b == a || k.trees[b].empty()) continue;
                for (int sa = 0; sa < 2; ++sa) {
                    for (int sb = 0; sb < 2; ++sb) {
                        // A cell of colour (a, sa) seeing a cell of colour (b, sb).
                        const CellSet bridge = k.sides[a][sa] & seen_by(k.sides[b][sb]);
                        if (bridge.empty()) continue;
                        Step step;
                        step.technique = Technique::MultiColouring;
                        step.digits = static_cast<std::uint16_t>(1u << d);
                        const bool trapped = (bridge & seen_by(k.sides[b][1 - sb])).empty() == false;
                        CellSet targets;
                        if (trapped) {
                            step.variant = 2;
                            targets = k.sides[a][sa];
                        } else {
                            // Only when a < b: the same pair of clusters read the other way round
                            // gives the same conclusion.
                            if (b < a) continue;
                            step.variant = 1;
                            targets = seen_by(k.sides[a][1 - sa]) & seen_by(k.sides[b][1 - sb]);
                            targets = targets - k.sides[a][1 - sa] - k.sides[b][1 - sb];
                        }
                        eliminate_digit(c, step, targets, d);
                        if (step.eliminations.empty()) continue;
                        // The bridge: a cell of (a, sa) and the cell of (b, sb) it sees, lowest first.
                        int from = -1, to = -1;
                        for_each_cell(bridge, [&](int cell) {
                            if (from >= 0) return;
                            from = cell;
                            for_each_cell(k.sides[b][sb] & g.peer_set[cell], [&](int other) {
                                if (to < 0) to = other;
                            });
                        });
                        step.cells = {static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to)};
                        // Colour a: the two colours that are not both true; colour b: their partners,
                        // one of which is true.
                        // The first cluster's cells first in each colour; `highlighted` is that
                        // cluster, so a reader can tell the two apart.
                        for (const auto& [colour, sa_or, sb_or] :
                             {std::tuple{&step.colour_a, sa, sb}, std::tuple{&step.colour_b, 1 - sa, 1 - sb}}) {
                            std::vector<Candidate>* list =
                                colour; // a named variable: clang 14 cannot capture a binding
                            for_each_cell(k.sides[a][sa_or], [&](int cell) { list->push_back(candidate(cell, d)); });
                            for_each_cell(k.sides[b][sb_or], [&](int cell) { list->push_back(candidate(cell, d)); });
                        }
                        highlight(c, step, k.sides[a][0] | k.sides[a][1], 1u << d);
                        step.links = k.trees[a];
                        step.links.insert(step.links.end(), k.trees[b].begin(), k.trees[b].end());
                        step.links.push_back({candidate(from, d), candidate(to, d), false});
                        if (out.keep(std::move(step))) return;
                    }
                }
            }
        }
    }
}

std::optional<Step> find_multi_colouring(const Candidates& c) { return first_instance(c, scan_multi_colouring); }

void scan_3d_medusa(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    // colour[node] (node = 9 * cell + digit - 1): -1 uncoloured, else the side 0 or 1 of the cluster
    // being examined; done[node] marks nodes already in a cluster.
    std::array<bool, 729> done{};
    for (int root = 0; root < 729; ++root) {
        const int root_cell = root / 9, root_digit = root % 9 + 1;
        if (done[root] || !c.has(root_cell, root_digit)) continue;
        std::array<std::int8_t, 729> colour{};
        colour.fill(-1);
        std::vector<int> order{root};
        std::vector<Link> tree;
        colour[root] = 0;
        done[root] = true;
        for (std::size_t i = 0; i < order.size(); ++i) {
            const int node = order[i];
            const int cell = node / 9, d = node % 9 + 1;
            const auto reach = [&](int other) {
                if (colour[other] >= 0) return;
                colour[other] = static_cast<std::int8_t>(1 - colour[node]);
                done[other] = true;
                order.push_back(other);
                tree.push_back({candidate(cell, d), candidate(other / 9, other % 9 + 1), true});
            };
            const unsigned mask = c.mask(cell);
            if (bits(mask) == 2) reach(9 * cell + std::countr_zero(mask & ~(1u << d)) - 1);
            for (const std::uint8_t unit : g.cell_units[cell]) {
                const unsigned places = c.places(unit, d);
                if (bits(places) != 2) continue;
                for_each_bit(places, [&](int p) {
                    const int other = g.unit_cells[unit][p];
                    if (other != cell) reach(9 * other + d - 1);
                });
            }
        }
        if (order.size() < 3) continue;
        // side[s][d]: the cells where digit d has colour s; in[s][cell]: digits of colour s in the cell.
        std::array<std::array<CellSet, 10>, 2> side{};
        std::array<std::array<std::uint16_t, 81>, 2> in{};
        for (const int node : order) {
            side[colour[node]][node % 9 + 1].add(node / 9);
            in[colour[node]][node / 9] |= static_cast<std::uint16_t>(1u << (node % 9 + 1));
        }
        Step step;
        step.technique = Technique::Medusa3D;
        for (const int node : order) {
            step.digits |= static_cast<std::uint16_t>(1u << (node % 9 + 1));
            if (std::find(step.cells.begin(), step.cells.end(), node / 9) == step.cells.end())
                step.cells.push_back(static_cast<std::uint8_t>(node / 9));
        }
        std::sort(step.cells.begin(), step.cells.end());
        step.links = tree;
        for (int s = 0; s < 2; ++s) {
            for (const int node : order)
                if (colour[node] == s)
                    (s == 0 ? step.colour_a : step.colour_b).push_back(candidate(node / 9, node % 9 + 1));
        }
        std::sort(step.colour_a.begin(), step.colour_a.end(), by_cell_then_digit);
        std::sort(step.colour_b.begin(), step.colour_b.end(), by_cell_then_digit);

        // The seen cells of each colour and digit.
        std::array<std::array<CellSet, 10>, 2> sees{};
        for (int s = 0; s < 2; ++s)
            for (int d = 1; d <= 9; ++d) sees[s][d] = seen_by(side[s][d]);

        // Wrap: a colour that contradicts itself. The witness goes to `highlighted`: the two
        // candidates of the colour in one cell (variant 1) or of one digit in one unit (variant 2),
        // or the candidates of the cell the colour would empty (variant 3).
        bool wrapped = false;
        for (int s = 0; s < 2 && !wrapped; ++s) {
            std::vector<Candidate> witness;
            int kind = 0;
            for (int cell = 0; cell < 81 && kind == 0; ++cell) {
                if (bits(in[s][cell]) < 2) continue;
                kind = 1;
                for_each_bit(in[s][cell], [&](int d) {
                    if (witness.size() < 2) witness.push_back(candidate(cell, d));
                });
            }
            for (int d = 1; d <= 9 && kind == 0; ++d) {
                const CellSet clash = side[s][d] & sees[s][d];
                if (clash.empty()) continue;
                kind = 2;
                int first = -1;
                for_each_cell(clash, [&](int cell) {
                    if (first < 0) first = cell;
                });
                int second = -1;
                for_each_cell(side[s][d] & g.peer_set[first], [&](int cell) {
                    if (second < 0) second = cell;
                });
                witness = {candidate(first, d), candidate(second, d)};
            }
            for (int cell = 0; cell < 81 && kind == 0; ++cell) {
                const unsigned mask = c.mask(cell);
                if (mask == 0 || in[0][cell] != 0 || in[1][cell] != 0) continue;
                bool emptied = true;
                for_each_bit(mask, [&](int d) { emptied = emptied && sees[s][d].has(cell); });
                if (!emptied) continue;
                kind = 3;
                for_each_bit(mask, [&](int d) { witness.push_back(candidate(cell, d)); });
            }
            if (kind == 0) continue;
            step.variant = kind;
            step.highlighted = std::move(witness);
            for (const int node : order)
                if (colour[node] == s) step.eliminations.push_back(candidate(node / 9, node % 9 + 1));
            std::sort(step.eliminations.begin(), step.eliminations.end(), by_cell_then_digit);
            if (s == 1) std::swap(step.colour_a, step.colour_b); // colour a is the false colour
            if (out.keep(std::move(step))) return;
            wrapped = true;
        }
        if (wrapped) continue;
        // Trap: uncoloured candidates that cannot be true whichever colour is.
        for (int cell = 0; cell < 81; ++cell) {
            const unsigned mask = c.mask(cell);
            for_each_bit(mask, [&](int d) {
                if (colour[9 * cell + d - 1] >= 0) return;
                const bool both_seen = sees[0][d].has(cell) && sees[1][d].has(cell);
                const bool both_here = in[0][cell] != 0 && in[1][cell] != 0;
                const bool mixed =
                    (in[0][cell] != 0 && sees[1][d].has(cell)) || (in[1][cell] != 0 && sees[0][d].has(cell));
                if (both_seen || both_here || mixed) step.eliminations.push_back(candidate(cell, d));
            });
        }
        if (step.eliminations.empty()) continue;
        step.variant = 4;
        if (out.keep(std::move(step))) return;
    }
}

std::optional<Step> find_3d_medusa(const Candidates& c) { return first_instance(c, scan_3d_medusa); }

} // namespace vornel::ladder
