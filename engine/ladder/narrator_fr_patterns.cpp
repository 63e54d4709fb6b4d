// SPDX-License-Identifier: GPL-3.0-or-later
#include "narrator_fr_patterns.h"

#include <algorithm>
#include <bit>

#include "grammar.h"
#include "messages.h"

namespace vornel::ladder {

namespace {

using M = Msg;

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
        default: lines.push_back(say(l, M::MedusaTrap, {removal(step.eliminations)})); return lines;
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
