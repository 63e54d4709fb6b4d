// SPDX-License-Identifier: GPL-3.0-or-later
#include "narrator_fr_patterns.h"

#include <algorithm>
#include <bit>

#include "grammar.h"
#include "messages.h"

namespace vornel::ladder {

namespace {

using M = Msg;

bool sees_cell(int a, int b) {
    return a != b && (row_of(a) == row_of(b) || col_of(a) == col_of(b) || box_of(a) == box_of(b));
}

// A candidate of `colour` that `c` sees: another digit in its cell, or its digit in a cell it sees.
const Candidate* seen_candidate(const Candidate& c, const std::vector<Candidate>& colour) {
    for (const Candidate& x : colour)
        if ((x.cell == c.cell && x.digit != c.digit) || (x.digit == c.digit && sees_cell(x.cell, c.cell))) return &x;
    return nullptr;
}

// Cells: the region's places, then the hinge and the far end of the conjugate pair. Units: the
// region, its row, its column, the pair's line.
std::vector<std::string> empty_rectangle(const Step& step, Language l) {
    const int d = only_digit(step);
    const std::size_t n = step.cells.size();
    const int hinge = step.cells[n - 2];
    const int far = step.cells[n - 1];
    const int target = step.eliminations.front().cell;
    const int region = step.units[0], row = step.units[1], column = step.units[2], line = step.units[3];
    // The cross line the target lies on, and the other one, where the region's digit then goes.
    const bool pair_in_row = unit_kind(line) == UnitKind::Row;
    const int lost = pair_in_row ? row : column;
    const int kept = pair_in_row ? column : row;
    return {say(l, M::EmptyRectangleBox, {unit(region), digit(d), unit(row), unit(column)}),
            say(l, M::EmptyRectanglePair, {unit(line), digit(d), cell(hinge), cell(far)}),
            say(l, M::EmptyRectangleIf,
                {cell(target), unit(lost), digit(d), unit(region), unit(kept), cell(hinge), cell(far)}),
            say(l, M::RemoveSo, {digit(d), cell(target)})};
}

// Units: the base, then the cover (variant: the size).
std::vector<std::string> region_fish(const Step& step, Language l) {
    const int d = only_digit(step);
    const auto size = static_cast<std::ptrdiff_t>(step.variant);
    const std::vector<std::uint8_t> base(step.units.begin(), step.units.begin() + size);
    const std::vector<std::uint8_t> cover(step.units.begin() + size, step.units.end());
    const std::vector<std::uint8_t> removed = cells_of(step.eliminations);
    const std::string removal = say(l, M::PatternRemoval, {digit(d), cells(removed)});
    std::vector<std::string> lines = {say(l, M::RegionFishBase, {units(base), digit(d), number(size)})};
    if (step.fins.empty()) {
        lines.push_back(say(l, M::RegionFishCover, {units(cover), number(size), digit(d), text(removal)}));
        return lines;
    }
    const std::vector<std::uint8_t> fins = cells_of(step.fins);
    lines.push_back(say(l, M::RegionFishFins, {units(cover), cells(fins)}));
    lines.push_back(say(l, M::RegionFishCases, {cells(fins), digit(d), cells(removed), units(cover), number(size)}));
    lines.push_back(say(l, M::BothCasesEnd, {text(removal)}));
    return lines;
}

// For each removed cell, a cell of each colour it sees: "r1c1 sees r2c2 and r5c5, one of each
// colour." (one of the two holds the digit).
std::vector<std::string> each_sees_both(const Step& step, const std::vector<std::uint8_t>& one,
                                        const std::vector<std::uint8_t>& other, int d, Language l) {
    std::vector<std::string> lines;
    const auto seen = [](int from, const std::vector<std::uint8_t>& cells) {
        for (const std::uint8_t c : cells)
            if (sees_cell(from, c)) return static_cast<int>(c);
        return -1;
    };
    for (const Candidate& e : step.eliminations) {
        if (e.digit != d) continue;
        const int a = seen(e.cell, one), b = seen(e.cell, other);
        if (a < 0 || b < 0) continue;
        lines.push_back(say(l, M::SeesEachColour, {cell(e.cell), cell(a), cell(b), digit(d)}));
    }
    return lines;
}

std::vector<std::string> multi_colouring(const Step& step, Language l) {
    const int d = only_digit(step);
    // Split each colour into the first cluster (highlighted) and the second.
    const auto in_first = [&](const Candidate& c) {
        return std::find(step.highlighted.begin(), step.highlighted.end(), c) != step.highlighted.end();
    };
    std::vector<std::uint8_t> a1, b1, a2, b2;
    for (const Candidate& c : step.colour_a) (in_first(c) ? a1 : b1).push_back(c.cell);
    for (const Candidate& c : step.colour_b) (in_first(c) ? a2 : b2).push_back(c.cell);
    std::vector<std::string> lines = {say(l, M::MultiColouringClusters, {digit(d)}),
                                      say(l, M::MultiColouringGroups, {cells(a1), cells(a2), cells(b1), cells(b2)})};
    const int from = step.cells[0], to = step.cells[1];
    if (step.variant == 2) {
        lines.push_back(say(l, M::MultiColouringSeesBoth, {cell(from), digit(d), removal(step.eliminations)}));
        return lines;
    }
    lines.push_back(say(l, M::MultiColouringSeeEachOther, {cell(from), cell(to), digit(d), cells(a2), cells(b2)}));
    lines.push_back(say(l, M::MultiColouringTrap, {digit(d), removal(step.eliminations)}));
    for (std::string& line : each_sees_both(step, a2, b2, d, l)) lines.push_back(std::move(line));
    return lines;
}

std::string candidates_list(const std::vector<Candidate>& list, Language l) {
    std::vector<std::string> items;
    for (const Candidate& c : list) items.push_back(say(l, M::CandidateAt, {digit(c.digit), cell(c.cell)}));
    return grammar(l).join(items);
}

std::vector<std::string> medusa(const Step& step, Language l) {
    std::vector<std::string> lines = {
        say(l, M::MedusaColours, {text(candidates_list(step.colour_a, l)), text(candidates_list(step.colour_b, l))})};
    const auto& w = step.highlighted;
    switch (step.variant) {
        case 1:
            lines.push_back(say(l, M::MedusaTwiceInCell, {digit(w[0].digit), digit(w[1].digit), cell(w[0].cell)}));
            break;
        case 2:
            lines.push_back(say(l, M::MedusaTwiceInUnit, {digit(w[0].digit), cell(w[0].cell), cell(w[1].cell)}));
            break;
        case 3: lines.push_back(say(l, M::MedusaEmptiesCell, {cell(w[0].cell)})); break;
        default:
            for (const Candidate& e : step.eliminations) {
                const Candidate* a = seen_candidate(e, step.colour_a);
                const Candidate* b = seen_candidate(e, step.colour_b);
                if (a != nullptr && b != nullptr)
                    lines.push_back(say(l, M::MedusaSees,
                                        {digit(e.digit), cell(e.cell), digit(a->digit), cell(a->cell), digit(b->digit),
                                         cell(b->cell)}));
            }
            lines.push_back(say(l, M::MedusaTrap, {removal(step.eliminations)}));
            return lines;
    }
    lines.push_back(say(l, M::MedusaRemoval, {removal(step.eliminations)}));
    return lines;
}

} // namespace

std::vector<std::string> narrate_patterns(const Step& step, Language l) {
    switch (step.technique) {
        case Technique::EmptyRectangle: return empty_rectangle(step, l);
        case Technique::FrankenFish:
        case Technique::MutantFish: return region_fish(step, l);
        case Technique::MultiColouring: return multi_colouring(step, l);
        default: return medusa(step, l);
    }
}

} // namespace vornel::ladder
