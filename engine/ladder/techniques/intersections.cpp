// SPDX-License-Identifier: GPL-3.0-or-later
// Intersections: a digit confined, within a unit, to its crossing with another unit is removed from
// the rest of that other unit.
#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

namespace {

// Digit `d` of unit `base` lies only where it crosses `cover`: removes it from the rest of `cover`.
std::optional<Step> confined(const Candidates& c, Technique technique, int base, int cover, int d) {
    const Geometry& g = geometry();
    const CellSet in_base = c.cells_of(d) & g.unit_set[base];
    Step step;
    eliminate_digit(c, step, g.unit_set[cover] - g.unit_set[base], d);
    if (step.eliminations.empty()) return std::nullopt;
    step.technique = technique;
    step.cells = cell_list(in_base);
    step.units = {static_cast<std::uint8_t>(base), static_cast<std::uint8_t>(cover)};
    step.digits = static_cast<std::uint16_t>(1u << d);
    highlight(c, step, in_base, 1u << d);
    return step;
}

} // namespace

void scan_pointing(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    for (int box = 0; box < 9; ++box) {
        const int unit = 18 + box;
        for (int d = 1; d <= 9; ++d) {
            const unsigned places = c.places(unit, d);
            if (bits(places) < 2) continue;
            const int first = g.unit_cells[unit][std::countr_zero(places)];
            // Positions 0-2 are the region's first row, 0,3,6 its first column.
            if ((places & 0x007) == places || (places & 0x038) == places || (places & 0x1C0) == places) {
                if (auto step = confined(c, Technique::Pointing, unit, row_of(first), d);
                    step && out.keep(std::move(*step)))
                    return;
            }
            if ((places & 0x049) == places || (places & 0x092) == places || (places & 0x124) == places) {
                if (auto step = confined(c, Technique::Pointing, unit, 9 + col_of(first), d);
                    step && out.keep(std::move(*step)))
                    return;
            }
        }
    }
}

void scan_claiming(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    for (int unit = 0; unit < 18; ++unit) {
        for (int d = 1; d <= 9; ++d) {
            const unsigned places = c.places(unit, d);
            if (bits(places) < 2) continue;
            // Positions 0-2, 3-5 and 6-8 of a row or a column lie in one region each.
            if ((places & 0x007) != places && (places & 0x038) != places && (places & 0x1C0) != places) continue;
            const int first = g.unit_cells[unit][std::countr_zero(places)];
            if (auto step = confined(c, Technique::Claiming, unit, 18 + box_of(first), d);
                step && out.keep(std::move(*step)))
                return;
        }
    }
}

std::optional<Step> find_pointing(const Candidates& c) { return first_instance(c, scan_pointing); }
std::optional<Step> find_claiming(const Candidates& c) { return first_instance(c, scan_claiming); }

} // namespace vornel::ladder
