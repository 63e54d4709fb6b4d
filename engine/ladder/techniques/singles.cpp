// SPDX-License-Identifier: GPL-3.0-or-later
// Singles: the last empty cell of a unit, a digit with one place left in a unit, a cell with one
// candidate left.
#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

namespace {

Step placement(Technique technique, int cell, int digit, int unit) {
    Step step;
    step.technique = technique;
    step.placements.push_back(candidate(cell, digit));
    step.cells.push_back(static_cast<std::uint8_t>(cell));
    if (unit >= 0) step.units.push_back(static_cast<std::uint8_t>(unit));
    step.digits = static_cast<std::uint16_t>(1u << digit);
    step.highlighted.push_back(candidate(cell, digit));
    return step;
}

} // namespace

void scan_full_house(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    for (const int unit : kUnitScan) {
        if (c.empty_in(unit) != 1) continue;
        for (const std::uint8_t cell : g.unit_cells[unit]) {
            if (c.value(cell) == 0 && bits(c.mask(cell)) == 1)
                if (out.keep(placement(Technique::FullHouse, cell, std::countr_zero(c.mask(cell)), unit))) return;
        }
    }
}

void scan_hidden_single(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    for (const int unit : kUnitScan) {
        for (int d = 1; d <= 9; ++d) {
            const std::uint16_t places = c.places(unit, d);
            if (bits(places) == 1 &&
                out.keep(placement(Technique::HiddenSingle, g.unit_cells[unit][std::countr_zero(places)], d, unit)))
                return;
        }
    }
}

void scan_naked_single(const Candidates& c, Instances& out) {
    for (int cell = 0; cell < 81; ++cell) {
        if (c.value(cell) == 0 && bits(c.mask(cell)) == 1 &&
            out.keep(placement(Technique::NakedSingle, cell, std::countr_zero(c.mask(cell)), -1)))
            return;
    }
}

std::optional<Step> find_full_house(const Candidates& c) { return first_instance(c, scan_full_house); }
std::optional<Step> find_hidden_single(const Candidates& c) { return first_instance(c, scan_hidden_single); }
std::optional<Step> find_naked_single(const Candidates& c) { return first_instance(c, scan_naked_single); }

} // namespace vornel::ladder
