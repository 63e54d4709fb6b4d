// Single-digit patterns made of two strong links (a digit with two places left in a unit) joined
// by a weak one (two of their ends in one unit): one of the two far ends holds the digit, so it
// goes from every cell that sees both. The skyscraper joins two rows (or two columns) by a column
// (or a row); the two-string kite joins a row and a column by a region.
#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

namespace {

// A strong link: the two places of a digit in a unit.
struct StrongLink {
    int unit;
    int a; // cell
    int b; // cell
};

// The strong links of `digit` in units [first, first + 9).
std::vector<StrongLink> strong_links(const Candidates& c, int digit, int first) {
    std::vector<StrongLink> links;
    for (int u = first; u < first + 9; ++u) {
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

} // namespace

void scan_skyscraper(const Candidates& c, Instances& out) {
    for (int d = 1; d <= 9; ++d) {
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
    }
}

void scan_two_string_kite(const Candidates& c, Instances& out) {
    for (int d = 1; d <= 9; ++d) {
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
    }
}

std::optional<Step> find_skyscraper(const Candidates& c) { return first_instance(c, scan_skyscraper); }
std::optional<Step> find_two_string_kite(const Candidates& c) { return first_instance(c, scan_two_string_kite); }

} // namespace vornel::ladder
