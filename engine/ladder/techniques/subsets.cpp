// SPDX-License-Identifier: GPL-3.0-or-later
// Naked and hidden subsets: n cells of a unit holding only n digits between them, or n digits of a
// unit confined to n cells.
#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

namespace {

constexpr Technique kNaked[] = {Technique::NakedPair, Technique::NakedTriple, Technique::NakedQuad};
constexpr Technique kHidden[] = {Technique::HiddenPair, Technique::HiddenTriple, Technique::HiddenQuad};

// A subset step with its eliminations found: the rest of its pattern.
Step finish(const Candidates& c, Step step, Technique technique, int unit, const CellSet& subset, unsigned digits) {
    step.technique = technique;
    step.cells = cell_list(subset);
    step.units = {static_cast<std::uint8_t>(unit)};
    step.digits = static_cast<std::uint16_t>(digits);
    highlight(c, step, subset, digits);
    return step;
}

void scan_naked(const Candidates& c, int size, Instances& out) {
    const Geometry& g = geometry();
    for (const int unit : kUnitScan) {
        // Positions of the unit's empty cells with 2..size candidates.
        unsigned pool = 0;
        unsigned empty = 0;
        for (int p = 0; p < 9; ++p) {
            const int cell = g.unit_cells[unit][p];
            if (c.value(cell) != 0) continue;
            empty |= 1u << p;
            const int n = bits(c.mask(cell));
            if (n >= 2 && n <= size) pool |= 1u << p;
        }
        if (bits(empty) <= size) continue;
        for_each_combination(pool, size, [&](unsigned positions) {
            unsigned digits = 0;
            for_each_bit(positions, [&](int p) { digits |= c.mask(g.unit_cells[unit][p]); });
            if (bits(digits) != size) return false;
            const CellSet subset = cells_at(unit, positions);
            Step step;
            for_each_bit(digits, [&](int d) { eliminate_digit(c, step, g.unit_set[unit] - subset, d); });
            if (step.eliminations.empty()) return false;
            return out.keep(finish(c, std::move(step), kNaked[size - 2], unit, subset, digits));
        });
        if (out.done()) return;
    }
}

void scan_hidden(const Candidates& c, int size, Instances& out) {
    for (const int unit : kUnitScan) {
        // Digits of the unit with 2..size places.
        unsigned pool = 0;
        int open = 0;
        for (int d = 1; d <= 9; ++d) {
            const int n = bits(c.places(unit, d));
            if (n > 0) ++open;
            if (n >= 2 && n <= size) pool |= 1u << d;
        }
        if (open <= size) continue;
        for_each_combination(pool, size, [&](unsigned digits) {
            unsigned positions = 0;
            for_each_bit(digits, [&](int d) { positions |= c.places(unit, d); });
            if (bits(positions) != size) return false;
            const CellSet subset = cells_at(unit, positions);
            Step step;
            for_each_cell(subset, [&](int cell) {
                for_each_bit(c.mask(cell) & ~digits, [&](int d) { step.eliminations.push_back(candidate(cell, d)); });
            });
            if (step.eliminations.empty()) return false;
            return out.keep(finish(c, std::move(step), kHidden[size - 2], unit, subset, digits));
        });
        if (out.done()) return;
    }
}

} // namespace

void scan_naked_pair(const Candidates& c, Instances& out) { scan_naked(c, 2, out); }
void scan_hidden_pair(const Candidates& c, Instances& out) { scan_hidden(c, 2, out); }
void scan_naked_triple(const Candidates& c, Instances& out) { scan_naked(c, 3, out); }
void scan_hidden_triple(const Candidates& c, Instances& out) { scan_hidden(c, 3, out); }
void scan_naked_quad(const Candidates& c, Instances& out) { scan_naked(c, 4, out); }
void scan_hidden_quad(const Candidates& c, Instances& out) { scan_hidden(c, 4, out); }

std::optional<Step> find_naked_pair(const Candidates& c) { return first_instance(c, scan_naked_pair); }
std::optional<Step> find_hidden_pair(const Candidates& c) { return first_instance(c, scan_hidden_pair); }
std::optional<Step> find_naked_triple(const Candidates& c) { return first_instance(c, scan_naked_triple); }
std::optional<Step> find_hidden_triple(const Candidates& c) { return first_instance(c, scan_hidden_triple); }
std::optional<Step> find_naked_quad(const Candidates& c) { return first_instance(c, scan_naked_quad); }
std::optional<Step> find_hidden_quad(const Candidates& c) { return first_instance(c, scan_hidden_quad); }

} // namespace vornel::ladder
