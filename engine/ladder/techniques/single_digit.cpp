// SPDX-License-Identifier: GPL-3.0-or-later
// Single-digit patterns made of two strong links (a digit with two places left in a unit) joined
// by a weak one (two of their ends in one unit): one of the two far ends holds the digit, so it
// goes from every cell that sees both. The skyscraper joins two rows (or two columns) by a column
// (or a row); the two-string kite joins a row and a column by a region; the turbot fish is every
// other such pair of strong links, one of them at least in a region or joined through a region.
//
// The empty rectangle is a region whose places for a digit all lie on one row and one column
// crossing it: the digit of the region is on that row or on that column.
//
// Every technique that reasons on one digit alone is true of each placement of the digit (nine
// cells, one in each row, column and region): what it removes lies on none. A digit whose
// candidates all lie on one placement or another gives such techniques nothing to find.
#include <array>
#include <bit>

#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

namespace {

// The placements of one digit, followed row by row.
class Placements {
public:
    explicit Placements(const Candidates& c, int d) : want_(c.cells_of(d)) {
        for (int row = 0; row < 9; ++row)
            for (int col = 0; col < 9; ++col)
                if (c.value(9 * row + col) == d || c.has(9 * row + col, d))
                    columns_[static_cast<std::size_t>(row)] |= 1u << col;
    }

    bool candidate_off_every_one() {
        follow(0, 0, 0);
        return !covered_;
    }

private:
    // Places the digit in rows `row` on, off the columns taken and, within the band, the stacks
    // taken; marks the cells of every placement found. True when one was found; stops early once
    // every candidate lies on one.
    bool follow(int row, unsigned columns, unsigned stacks) {
        if (row == 9) return true;
        if (row % 3 == 0) stacks = 0;
        bool found = false;
        for (unsigned free = columns_[static_cast<std::size_t>(row)] & ~columns; free != 0 && !covered_;
             free &= free - 1) {
            const int col = std::countr_zero(free);
            const unsigned stack = 1u << (col / 3);
            if ((stacks & stack) != 0) continue;
            if (!follow(row + 1, columns | 1u << col, stacks | stack)) continue;
            found = true;
            on_.add(9 * row + col);
            covered_ = (want_ - on_).empty();
        }
        return found || covered_;
    }

    std::array<unsigned, 9> columns_{}; // by row, the columns that may hold the digit
    CellSet want_;                      // the digit's candidates
    CellSet on_;                        // those on a placement found so far
    bool covered_ = false;              // every candidate is on one
};

// A strong link: the two places of a digit in a unit.
struct StrongLink {
    int unit;
    int a; // cell
    int b; // cell
};

// The strong links of `digit` in units [first, first + 9).
std::vector<StrongLink> strong_links(const Candidates& c, int digit, int first, int last = -1) {
    std::vector<StrongLink> links;
    for (int u = first; u < (last < 0 ? first + 9 : last); ++u) {
        const unsigned places = c.places(u, digit);
        if (bits(places) != 2) continue;
        const auto& cells = geometry().unit_cells[u];
        links.push_back({u, cells[std::countr_zero(places)], cells[31 - std::countl_zero(places)]});
    }
    return links;
}

// end1 = base1 (strong, unit1), base1 - base2 (weak, joint), base2 = end2 (strong, unit2).
std::optional<Step> two_links(const Candidates& c, Technique technique, int digit, const StrongLink& first, int end1,
                              int base1, const StrongLink& second, int base2, int end2, int joint) {
    CellSet ends;
    ends.add(end1);
    ends.add(end2);
    Step step;
    eliminate_digit(c, step, common_peers(ends), digit);
    if (step.eliminations.empty()) return std::nullopt;
    step.technique = technique;
    step.cells = {static_cast<std::uint8_t>(end1), static_cast<std::uint8_t>(base1), static_cast<std::uint8_t>(base2),
                  static_cast<std::uint8_t>(end2)};
    step.units = {static_cast<std::uint8_t>(first.unit), static_cast<std::uint8_t>(second.unit),
                  static_cast<std::uint8_t>(joint)};
    step.digits = static_cast<std::uint16_t>(1u << digit);
    for (const std::uint8_t cell : step.cells) step.highlighted.push_back(candidate(cell, digit));
    step.links = {{candidate(end1, digit), candidate(base1, digit), true},
                  {candidate(base1, digit), candidate(base2, digit), false},
                  {candidate(base2, digit), candidate(end2, digit), true}};
    return step;
}

// True when the two links, read end1 = base1 - base2 = end2, are a skyscraper or a two-string kite:
// the lighter techniques that already cover them.
bool skyscraper_or_kite(const Candidates& c, int digit, int end1, int base1, int base2, int end2) {
    const auto in_row = [&](int a, int b) { return row_of(a) == row_of(b) && bits(c.places(row_of(a), digit)) == 2; };
    const auto in_col = [&](int a, int b) {
        return col_of(a) == col_of(b) && bits(c.places(9 + col_of(a), digit)) == 2;
    };
    if (in_row(end1, base1) && in_row(base2, end2) && col_of(base1) == col_of(base2) && col_of(end1) != col_of(end2))
        return true;
    if (in_col(end1, base1) && in_col(base2, end2) && row_of(base1) == row_of(base2) && row_of(end1) != row_of(end2))
        return true;
    const bool crossed = (in_row(end1, base1) && in_col(base2, end2)) || (in_col(end1, base1) && in_row(base2, end2));
    return crossed && box_of(base1) == box_of(base2) && box_of(end1) != box_of(base1) && box_of(end2) != box_of(base2);
}

} // namespace

void scan_turbot_fish(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    thread_local EmptyDigits empty;
    scan_digits(c, empty, out, [&](int d) {
        const std::vector<StrongLink> links = strong_links(c, d, 0, 27);
        for (std::size_t i = 0; i < links.size(); ++i) {
            for (std::size_t j = i + 1; j < links.size(); ++j) {
                const StrongLink& x = links[i];
                const StrongLink& y = links[j];
                for (const auto& [xb, xe] : {std::pair{x.a, x.b}, std::pair{x.b, x.a}}) {
                    for (const auto& [yb, ye] : {std::pair{y.a, y.b}, std::pair{y.b, y.a}}) {
                        // Four different cells, and the two bases see each other.
                        if (xb == yb || xb == ye || xe == yb || xe == ye) continue;
                        if (!g.peer_set[xb].has(yb)) continue;
                        if (skyscraper_or_kite(c, d, xe, xb, yb, ye)) continue;
                        int joint = -1;
                        for (const std::uint8_t u : g.cell_units[xb]) {
                            if (g.unit_set[u].has(yb)) {
                                joint = u;
                                break;
                            }
                        }
                        if (auto step = two_links(c, Technique::TurbotFish, d, x, xe, xb, y, yb, ye, joint)) {
                            give_reasons(c, step->links);
                            if (out.keep(std::move(*step))) return;
                        }
                    }
                }
            }
        }
    });
}

// Empty rectangle: the places of the digit in a region lie on row r and column k of that region,
// and not on one line only. Take a conjugate pair in a row outside the region's band, one end (the
// hinge) on column k, the other (the far end) elsewhere. If the cell of row r under the far end
// held the digit, the region's digit would be on column k off row r, the hinge would lose it and
// the far end, in the same column as that cell, would need it: a contradiction. The same holds
// with rows and columns exchanged.
void scan_empty_rectangle(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    thread_local EmptyDigits empty;
    scan_digits(c, empty, out, [&](int d) {
        for (int box = 0; box < 9; ++box) {
            const int unit = 18 + box;
            const unsigned places = c.places(unit, d);
            if (bits(places) < 2) continue;
            const CellSet in_box = cells_at(unit, places);
            const int top = 3 * (box / 3), left = 3 * (box % 3);
            bool one_line = false;
            for (int i = 0; i < 3; ++i) {
                if ((in_box - g.unit_set[top + i]).empty() || (in_box - g.unit_set[9 + left + i]).empty())
                    one_line = true;
            }
            if (one_line) continue;
            for (int r = top; r < top + 3; ++r) {
                for (int k = left; k < left + 3; ++k) {
                    if (!(in_box - g.unit_set[r] - g.unit_set[9 + k]).empty()) continue;
                    // A row pair with one end on column k: the target is on row r, the other end's column.
                    // A column pair with one end on row r: the target is on column k, the other end's row.
                    for (const bool rows : {true, false}) {
                        for (int line = 0; line < 9; ++line) {
                            if (rows ? (line / 3 == box / 3) : (line / 3 == box % 3)) continue;
                            const int lunit = rows ? line : 9 + line;
                            const unsigned lp = c.places(lunit, d);
                            if (bits(lp) != 2) continue;
                            const int p1 = g.unit_cells[lunit][std::countr_zero(lp)];
                            const int p2 = g.unit_cells[lunit][31 - std::countl_zero(lp)];
                            for (const auto& [hinge, far] : {std::pair{p1, p2}, std::pair{p2, p1}}) {
                                if (rows ? col_of(hinge) != k : row_of(hinge) != r) continue;
                                if (box_of(far) == box) continue;
                                const int target = rows ? cell_at(r, col_of(far)) : cell_at(row_of(far), k);
                                if (box_of(target) == box || !c.has(target, d)) continue;
                                Step step;
                                step.technique = Technique::EmptyRectangle;
                                step.digits = static_cast<std::uint16_t>(1u << d);
                                step.eliminations.push_back(candidate(target, d));
                                step.cells = cell_list(in_box);
                                step.cells.push_back(static_cast<std::uint8_t>(hinge));
                                step.cells.push_back(static_cast<std::uint8_t>(far));
                                step.units = {static_cast<std::uint8_t>(unit), static_cast<std::uint8_t>(r),
                                              static_cast<std::uint8_t>(9 + k), static_cast<std::uint8_t>(lunit)};
                                for (const std::uint8_t cell : step.cells)
                                    step.highlighted.push_back(candidate(cell, d));
                                if (out.keep(std::move(step))) return;
                            }
                        }
                    }
                }
            }
        }
    });
}

void scan_skyscraper(const Candidates& c, Instances& out) {
    thread_local EmptyDigits empty;
    scan_digits(c, empty, out, [&](int d) {
        for (const int first : {0, 9}) {
            const std::vector<StrongLink> links = strong_links(c, d, first);
            // Rows are joined by a column, columns by a row.
            const auto cross = [&](int cell) { return first == 0 ? 9 + col_of(cell) : row_of(cell); };
            for (std::size_t i = 0; i < links.size(); ++i) {
                for (std::size_t j = i + 1; j < links.size(); ++j) {
                    const StrongLink& x = links[i];
                    const StrongLink& y = links[j];
                    for (const auto& [xb, xe] : {std::pair{x.a, x.b}, std::pair{x.b, x.a}}) {
                        for (const auto& [yb, ye] : {std::pair{y.a, y.b}, std::pair{y.b, y.a}}) {
                            if (cross(xb) != cross(yb) || cross(xe) == cross(ye)) continue;
                            if (auto step = two_links(c, Technique::Skyscraper, d, x, xe, xb, y, yb, ye, cross(xb));
                                step && out.keep(std::move(*step)))
                                return;
                        }
                    }
                }
            }
        }
    });
}

void scan_two_string_kite(const Candidates& c, Instances& out) {
    thread_local EmptyDigits empty;
    scan_digits(c, empty, out, [&](int d) {
        const std::vector<StrongLink> rows = strong_links(c, d, 0);
        const std::vector<StrongLink> cols = strong_links(c, d, 9);
        for (const StrongLink& r : rows) {
            for (const StrongLink& k : cols) {
                for (const auto& [rb, re] : {std::pair{r.a, r.b}, std::pair{r.b, r.a}}) {
                    for (const auto& [kb, ke] : {std::pair{k.a, k.b}, std::pair{k.b, k.a}}) {
                        if (rb == kb || re == ke || rb == ke || re == kb) continue;
                        if (box_of(rb) != box_of(kb) || box_of(re) == box_of(rb) || box_of(ke) == box_of(kb)) continue;
                        if (auto step =
                                two_links(c, Technique::TwoStringKite, d, r, re, rb, k, kb, ke, 18 + box_of(rb));
                            step && out.keep(std::move(*step)))
                            return;
                    }
                }
            }
        }
    });
}

bool candidate_off_every_placement(const Candidates& c, int digit) {
    // The answer depends only on the digit's candidates and the cells that hold it: the last one
    // worked out for each digit is kept, since the techniques that ask follow one another on a
    // position.
    struct Known {
        CellSet cells;
        CellSet held;
        bool off = false;
        bool valid = false;
    };
    thread_local std::array<Known, 10> known;
    CellSet held;
    for (int cell = 0; cell < 81; ++cell)
        if (c.value(cell) == digit) held.add(cell);
    Known& k = known[static_cast<std::size_t>(digit)];
    if (!k.valid || !(k.cells == c.cells_of(digit)) || !(k.held == held))
        k = {c.cells_of(digit), held, Placements(c, digit).candidate_off_every_one(), true};
    return k.off;
}

std::optional<Step> find_skyscraper(const Candidates& c) { return first_instance(c, scan_skyscraper); }
std::optional<Step> find_two_string_kite(const Candidates& c) { return first_instance(c, scan_two_string_kite); }
std::optional<Step> find_turbot_fish(const Candidates& c) { return first_instance(c, scan_turbot_fish); }
std::optional<Step> find_empty_rectangle(const Candidates& c) { return first_instance(c, scan_empty_rectangle); }

} // namespace vornel::ladder
