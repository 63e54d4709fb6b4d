// SPDX-License-Identifier: GPL-3.0-or-later
// Fish: n rows where a digit lies only in n columns (or n columns in n rows) take that digit from
// the rest of those columns. A finned fish allows extra candidates, the fins, in one region: the
// eliminations are then only those that also see every fin.
#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

namespace {

// The positions of `digit` in each line of one kind: rows (base 0) or columns (base 9).
struct Lines {
    int base;  // first unit of the base kind
    int cover; // first unit of the cover kind
    std::array<unsigned, 9> places{};
};

Lines lines_of(const Candidates& c, int digit, bool rows) {
    Lines lines{rows ? 0 : 9, rows ? 9 : 0, {}};
    for (int i = 0; i < 9; ++i) lines.places[static_cast<std::size_t>(i)] = c.places(lines.base + i, digit);
    return lines;
}

CellSet union_of(unsigned set, int first_unit) {
    CellSet cells;
    for_each_bit(set, [&](int i) { cells = cells | geometry().unit_set[first_unit + i]; });
    return cells;
}

Step fish_step(const Candidates& c, Technique technique, int size, int digit, const Lines& lines, unsigned base,
               unsigned cover) {
    Step step;
    step.technique = technique;
    step.variant = size;
    step.digits = static_cast<std::uint16_t>(1u << digit);
    const CellSet base_cells = union_of(base, lines.base) & c.cells_of(digit);
    step.cells = cell_list(base_cells);
    for_each_bit(base, [&](int i) { step.units.push_back(static_cast<std::uint8_t>(lines.base + i)); });
    for_each_bit(cover, [&](int i) { step.units.push_back(static_cast<std::uint8_t>(lines.cover + i)); });
    highlight(c, step, base_cells, 1u << digit);
    return step;
}

void scan_fish(const Candidates& c, int size, Technique technique, Instances& out) {
    thread_local std::array<EmptyDigits, 5> empty; // by size
    scan_digits(c, empty[static_cast<std::size_t>(size)], out, [&](int d) {
        for (const bool rows : {true, false}) {
            const Lines lines = lines_of(c, d, rows);
            unsigned pool = 0;
            for (int i = 0; i < 9; ++i) {
                const int n = bits(lines.places[static_cast<std::size_t>(i)]);
                if (n >= 2 && n <= size) pool |= 1u << i;
            }
            for_each_combination(pool, size, [&](unsigned base) {
                unsigned cover = 0;
                for_each_bit(base, [&](int i) { cover |= lines.places[static_cast<std::size_t>(i)]; });
                if (bits(cover) != size) return false;
                const CellSet targets = (union_of(cover, lines.cover) - union_of(base, lines.base)) & c.cells_of(d);
                if (targets.empty()) return false;
                Step step = fish_step(c, technique, size, d, lines, base, cover);
                eliminate_digit(c, step, targets, d);
                return out.keep(std::move(step));
            });
            if (out.done()) return;
        }
    });
}

void scan_finned_fish(const Candidates& c, int size, Technique technique, Instances& out) {
    const Geometry& g = geometry();
    thread_local std::array<EmptyDigits, 5> empty; // by size
    scan_digits(c, empty[static_cast<std::size_t>(size)], out, [&](int d) {
        for (const bool rows : {true, false}) {
            const Lines lines = lines_of(c, d, rows);
            unsigned pool = 0;
            for (int i = 0; i < 9; ++i) {
                const int n = bits(lines.places[static_cast<std::size_t>(i)]);
                if (n >= 2 && n <= size + 2) pool |= 1u << i;
            }
            for_each_combination(pool, size, [&](unsigned base) {
                unsigned all = 0;
                for_each_bit(base, [&](int i) { all |= lines.places[static_cast<std::size_t>(i)]; });
                if (bits(all) <= size || bits(all) > size + 3) return false;
                // A cover holds every place outside the fins' band and at least one inside it.
                bool some_band = false;
                for (const unsigned band : {0x7u, 0x38u, 0x1C0u}) some_band = some_band || bits(all & ~band) < size;
                if (!some_band) return false;
                const CellSet base_cells = union_of(base, lines.base) & c.cells_of(d);
                return for_each_combination(all, size, [&](unsigned cover) {
                    // Fins in one region lie in one band of three positions.
                    const unsigned fin_places = all & ~cover;
                    if (fin_places == 0) return false;
                    unsigned band = 0;
                    for (const unsigned b : {0x7u, 0x38u, 0x1C0u})
                        if ((fin_places & b) == fin_places) band = b;
                    if (band == 0) return false;
                    // Only a cover line through the fins' region can lose the digit there.
                    if ((cover & band) == 0) return false;
                    // Every base line keeps a candidate in the cover, and the fins lie in one region.
                    bool each = true;
                    for_each_bit(base,
                                 [&](int i) { each = each && (lines.places[static_cast<std::size_t>(i)] & cover); });
                    if (!each) return false;
                    const CellSet cover_cells = union_of(cover, lines.cover);
                    const CellSet fins = base_cells - cover_cells;
                    int box = -1;
                    bool one_box = true;
                    for_each_cell(fins, [&](int cell) {
                        if (box < 0) box = box_of(cell);
                        one_box = one_box && box_of(cell) == box;
                    });
                    if (!one_box || box < 0) return false;
                    const CellSet targets =
                        ((cover_cells & g.unit_set[18 + box]) - union_of(base, lines.base)) & c.cells_of(d);
                    if (targets.empty()) return false;
                    Step step = fish_step(c, technique, size, d, lines, base, cover);
                    eliminate_digit(c, step, targets, d);
                    for_each_cell(fins, [&](int cell) { step.fins.push_back(candidate(cell, d)); });
                    return out.keep(std::move(step));
                });
            });
            if (out.done()) return;
        }
    });
}

} // namespace

void scan_x_wing(const Candidates& c, Instances& out) { scan_fish(c, 2, Technique::XWing, out); }
void scan_swordfish(const Candidates& c, Instances& out) { scan_fish(c, 3, Technique::Swordfish, out); }
void scan_jellyfish(const Candidates& c, Instances& out) { scan_fish(c, 4, Technique::Jellyfish, out); }
void scan_finned_x_wing(const Candidates& c, Instances& out) { scan_finned_fish(c, 2, Technique::FinnedXWing, out); }
void scan_finned_swordfish(const Candidates& c, Instances& out) {
    scan_finned_fish(c, 3, Technique::FinnedSwordfish, out);
}
void scan_finned_jellyfish(const Candidates& c, Instances& out) {
    scan_finned_fish(c, 4, Technique::FinnedJellyfish, out);
}

std::optional<Step> find_x_wing(const Candidates& c) { return first_instance(c, scan_x_wing); }
std::optional<Step> find_swordfish(const Candidates& c) { return first_instance(c, scan_swordfish); }
std::optional<Step> find_jellyfish(const Candidates& c) { return first_instance(c, scan_jellyfish); }
std::optional<Step> find_finned_x_wing(const Candidates& c) { return first_instance(c, scan_finned_x_wing); }
std::optional<Step> find_finned_swordfish(const Candidates& c) { return first_instance(c, scan_finned_swordfish); }
std::optional<Step> find_finned_jellyfish(const Candidates& c) { return first_instance(c, scan_finned_jellyfish); }

} // namespace vornel::ladder
