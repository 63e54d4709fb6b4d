// SPDX-License-Identifier: GPL-3.0-or-later
#include "narrator_fr_sets.h"

#include <algorithm>
#include <bit>

#include "bit_ops.h"
#include "grammar.h"
#include "messages.h"

namespace vornel::ladder {

namespace {

using M = Msg;
using Cells = std::vector<std::uint8_t>;

// The step's cells split into its sets, as `groups` gives them.
std::vector<Cells> sets_of(const Step& step) {
    std::vector<Cells> sets;
    std::size_t at = 0;
    for (const std::uint8_t size : step.groups) {
        sets.emplace_back(step.cells.begin() + static_cast<std::ptrdiff_t>(at),
                          step.cells.begin() + static_cast<std::ptrdiff_t>(at + size));
        at += size;
    }
    return sets;
}

// The digits the step shows in `cells`, from its candidate lists.
unsigned digits_in(const Step& step, const Cells& cells) {
    unsigned mask = 0;
    for (const std::vector<Candidate>* list : {&step.highlighted, &step.colour_a, &step.colour_b, &step.fins})
        for (const Candidate& c : *list)
            if (std::find(cells.begin(), cells.end(), c.cell) != cells.end()) mask |= 1u << c.digit;
    return mask;
}

// The cells of `cells` the step shows holding `digit`.
Cells holding(const Step& step, const Cells& cells, int digit) {
    Cells result;
    for (const std::vector<Candidate>* list : {&step.highlighted, &step.colour_a, &step.colour_b})
        for (const Candidate& c : *list)
            if (c.digit == digit && std::find(cells.begin(), cells.end(), c.cell) != cells.end() &&
                std::find(result.begin(), result.end(), c.cell) == result.end())
                result.push_back(c.cell);
    std::sort(result.begin(), result.end());
    return result;
}

Cells eliminated_cells(const Step& step) {
    Cells cells;
    for (const Candidate& e : step.eliminations)
        if (std::find(cells.begin(), cells.end(), e.cell) == cells.end()) cells.push_back(e.cell);
    return cells;
}

// "la case ... ne peut contenir que le 2 et le 7" or "les cases ... ne peuvent contenir que le 1,
// le 4 et le 7, trois chiffres pour deux cases".
std::string set_phrase(const Step& step, const Cells& set, Language l) {
    const unsigned mask = digits_in(step, set);
    if (set.size() == 1) return say(l, M::SetOneCell, {cells(set), digits(mask)});
    return say(l, M::SetCells,
               {cells(set), digits(mask), number(bit_count(mask)), number(static_cast<long long>(set.size()))});
}

bool sees(int a, int b) {
    return a != b && (row_of(a) == row_of(b) || col_of(a) == col_of(b) || box_of(a) == box_of(b));
}

// One sentence per digit removed, `lead` ("Dans les deux cas, {0} : {1}.") around two claims: the
// digit is in one of the cells of the sets that can hold it, of the sets whose such cells the
// removed cells all see; the removed cells see them all.
std::vector<std::string> removals_by_digit(const Step& step, const std::vector<Cells>& sets, Msg lead, Language l) {
    std::vector<std::string> lines;
    for (const RemovalGroup& group : removal_groups(step.eliminations)) {
        for (int d = 1; d <= 9; ++d) {
            if (((group.digits >> d) & 1) == 0) continue;
            Cells holders;
            for (const Cells& set : sets) {
                const Cells here = holding(step, set, d);
                const bool seen = !here.empty() && std::all_of(here.begin(), here.end(), [&](int h) {
                    return std::all_of(group.cells.begin(), group.cells.end(), [&](int r) { return sees(r, h); });
                });
                if (seen) holders.insert(holders.end(), here.begin(), here.end());
            }
            std::sort(holders.begin(), holders.end());
            holders.erase(std::unique(holders.begin(), holders.end()), holders.end());
            lines.push_back(say(l, lead,
                                {text(say(l, M::HoldersOr, {digit(d), cells(holders)})),
                                 text(say(l, M::RemoveSeeing, {digit(d), cells(group.cells), cells(holders)}))}));
        }
    }
    return lines;
}

int only(unsigned mask) { return std::countr_zero(mask); }

// Two sets: A locked without x, or B; a common digit z then in one of them.
std::vector<std::string> als_xz(const Step& step, Language l) {
    const std::vector<Cells> sets = sets_of(step);
    std::vector<std::string> lines = {
        say(l, M::TwoSets, {text(set_phrase(step, sets[0], l)), text(set_phrase(step, sets[1], l))})};
    if (step.variant == 2) {
        const int x = step.links[0].from.digit, y = step.links[1].from.digit;
        lines.push_back(say(l, M::AlsXzDoublyShared, {digit(x), digit(y)}));
        lines.push_back(say(l, M::AlsXzLoseOne, {digit(x), digit(y)}));
    } else {
        lines.push_back(say(l, M::AlsXzShared, {digit(step.links[0].from.digit)}));
    }
    for (std::string& line : removals_by_digit(step, sets, M::EitherWay, l)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> als_xy_wing(const Step& step, Language l) {
    const std::vector<Cells> sets = sets_of(step);
    // The digits of the links between the sets: the weak links, told as a chain or not.
    std::vector<int> between;
    for (const Link& link : step.links)
        if (!link.strong) between.push_back(link.from.digit);
    const int x = between.at(0), y = between.at(1);
    std::vector<std::string> lines = {say(l, M::ThreeSets,
                                          {text(set_phrase(step, sets[0], l)), text(set_phrase(step, sets[1], l)),
                                           text(set_phrase(step, sets[2], l))}),
                                      say(l, M::AlsXyWingShared, {digit(x), digit(y)}),
                                      say(l, M::AlsXyWingCases, {digit(x), digit(y)})};
    // The first and the third sets: the second holds x or y, not the removed digit's proof.
    for (std::string& line : removals_by_digit(step, {sets[0], sets[2]}, M::EitherWay, l))
        lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> als_chain(const Step& step, Language l) {
    const std::vector<Cells> sets = sets_of(step);
    // The weak links, one between each two sets.
    std::vector<int> through;
    for (const Link& k : step.links)
        if (!k.strong) through.push_back(k.from.digit);
    const int z = step.eliminations.front().digit;
    std::vector<std::string> between;
    for (std::size_t i = 0; i < through.size(); ++i)
        between.push_back(
            say(l, M::AlsChainBetween,
                {digit(through[i]), number(static_cast<long long>(i + 1)), number(static_cast<long long>(i + 2))}));
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < sets.size(); ++i)
        lines.push_back(
            say(l, M::AlsChainGroup, {number(static_cast<long long>(i + 1)), text(set_phrase(step, sets[i], l))}));
    const auto last = number(static_cast<long long>(sets.size()));
    lines.push_back(say(l, M::AlsChainLinks, {text(grammar(l).join(between))}));
    lines.push_back(say(l, M::AlsChainIf, {digit(z), last, digit(through.front())}));
    for (std::string& line : removals_by_digit(step, {sets.front(), sets.back()}, M::SoThat, l))
        lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> death_blossom(const Step& step, Language l) {
    const std::vector<Cells> sets = sets_of(step);
    const int stem = sets[0].front();
    const int z = step.eliminations.front().digit;
    std::vector<std::string> lines = {say(l, M::Sentence, {text(set_phrase(step, sets[0], l))})};
    for (std::size_t i = 1; i < sets.size(); ++i)
        lines.push_back(
            say(l, M::PetalFor, {digit(step.links[i - 1].from.digit), text(set_phrase(step, sets[i], l)), cell(stem)}));
    lines.push_back(say(l, M::BlossomStem, {cell(stem), digit(z)}));
    const std::vector<Cells> petals(sets.begin() + 1, sets.end());
    for (std::string& line : removals_by_digit(step, petals, M::SoThat, l)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> wxyz_wing(const Step& step, Language l) {
    const int z = step.eliminations.front().digit;
    const unsigned others = step.digits & ~(1u << z);
    std::vector<std::string> lines = {say(l, M::CellsHold, {cells(step.cells), digits(step.digits)}),
                                      say(l, M::WxyzWingLocked, {digits(others)})};
    for (std::string& line : removals_by_digit(step, {step.cells}, M::SoThat, l)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> sue_de_coq(const Step& step, Language l) {
    const std::vector<Cells> sets = sets_of(step);
    const std::uint8_t line = step.units[0], region = step.units[1];
    const unsigned centre = digits_in(step, sets[0]), in_line = digits_in(step, sets[1]),
                   in_region = digits_in(step, sets[2]);
    const unsigned rest = centre & ~in_line & ~in_region;
    return {say(l, M::SueDeCoqCentre, {cells(sets[0]), unit(line), unit(region), digits(centre)}),
            say(l, M::SueDeCoqSides,
                {unit(line), text(set_phrase(step, sets[1], l)), unit(region), text(set_phrase(step, sets[2], l))}),
            say(l, M::SueDeCoqOnce, {number(static_cast<long long>(step.cells.size()))}),
            say(l, M::SueDeCoqRemoval,
                {digits(in_line), unit(line), digits(in_region), unit(region),
                 text(rest != 0 ? say(l, M::SueDeCoqCrossing, {digits(rest)}) : std::string()),
                 removal(step.eliminations)})};
}

std::vector<std::string> pair_exclusion(const Step& step, Language l) {
    const std::vector<Cells> sets = sets_of(step);
    const int p = step.cells[0], q = step.cells[1];
    std::vector<std::string> lines = {
        say(l, M::PairSeeEachOther,
            {text(set_phrase(step, sets[0], l)), text(set_phrase(step, sets[1], l)), unit(step.units.front())})};
    for (std::size_t i = 2; i < sets.size(); ++i)
        lines.push_back(
            say(l, M::PairExcludedBy, {text(set_phrase(step, sets[i], l)), cell(p), cell(q), cells(sets[i])}));
    std::vector<std::string> gone;
    for (const int c : {p, q}) {
        const int other = c == p ? q : p;
        for (const Candidate& e : step.eliminations)
            if (e.cell == c) gone.push_back(say(l, M::PairWouldEmpty, {digit(e.digit), cell(c), cell(other)}));
    }
    lines.push_back(say(l, M::PairRemoval, {text(grammar(l).join(gone)), removal(step.eliminations)}));
    return lines;
}

std::vector<std::string> rectangle(const Step& step, Language l) {
    const Cells corners(step.cells.begin(), step.cells.begin() + 4);
    std::vector<std::string> lines = {say(l, M::Rectangle, {cells(corners), digits(step.digits)})};
    // The corners holding more than the pair, and what more.
    Cells roof;
    unsigned extras = 0;
    for (const Candidate& h : step.highlighted)
        if (std::find(corners.begin(), corners.end(), h.cell) != corners.end() && ((step.digits >> h.digit) & 1) == 0) {
            if (std::find(roof.begin(), roof.end(), h.cell) == roof.end()) roof.push_back(h.cell);
            extras |= 1u << h.digit;
        }
    std::sort(roof.begin(), roof.end());
    Cells floor;
    for (const std::uint8_t c : corners)
        if (std::find(roof.begin(), roof.end(), c) == roof.end()) floor.push_back(c);
    switch (step.technique == Technique::HiddenRectangle ? 7 : step.variant) {
        case 3: {
            const Cells others(step.cells.begin() + 4, step.cells.end());
            const unsigned all = extras | digits_in(step, others);
            lines.push_back(say(l, M::RectangleType3Roof, {cells(roof), digits(step.digits), digits(extras)}));
            lines.push_back(
                say(l, M::RectangleType3Subset,
                    {cells(others), unit(step.units.front()), number(static_cast<long long>(others.size() + 1)),
                     digits(all), removal(step.eliminations)}));
            break;
        }
        case 5:
            lines.push_back(
                say(l, M::RectangleType5, {cells(floor), digits(step.digits), cells(roof), digit(only(extras))}));
            for (std::string& line : removals_by_digit(step, {roof}, M::SoThat, l)) lines.push_back(std::move(line));
            break;
        case 6: {
            const int x = step.eliminations.front().digit;
            const int y = only(step.digits & ~(1u << x));
            const Cells opposite = eliminated_cells(step);
            Cells pair_only;
            for (const std::uint8_t c : corners)
                if (std::find(opposite.begin(), opposite.end(), c) == opposite.end()) pair_only.push_back(c);
            lines.push_back(
                say(l, M::RectangleType6Pair, {cells(pair_only), digits(step.digits), units(step.units), digit(x)}));
            lines.push_back(
                say(l, M::RectangleType6If,
                    {cell(opposite.front()), cell(opposite.back()), digit(x), digit(y), removal(step.eliminations)}));
            break;
        }
        default: {
            const Candidate& e = step.eliminations.front();
            const int x = only(step.digits & ~(1u << e.digit));
            const int corner = step.fins.front().cell;
            lines.push_back(
                say(l, M::HiddenRectangleCorner, {cell(corner), digits(step.digits), units(step.units), digit(x)}));
            lines.push_back(say(l, M::HiddenRectangleIf,
                                {cell(e.cell), digit(e.digit), digit(x), cell(corner), removal(step.eliminations)}));
            break;
        }
    }
    return lines;
}

// The digits already found in some corners, none of them given, would complete a pattern that
// could swap.
std::vector<std::string> avoidable_rectangle(const Step& step, Language l) {
    const Cells corners(step.cells.begin(), step.cells.begin() + 4);
    const int a = only(step.digits), b = only(step.digits & ~(1u << a));
    std::vector<std::string> lines = {say(l, M::AvoidableRectangle, {cells(corners), digits(step.digits)})};
    if (step.variant == 1) {
        const Candidate& e = step.eliminations.front();
        const int other = e.digit == a ? b : a;
        Cells twins, single;
        for (const std::uint8_t c : corners) {
            if (c == e.cell) continue;
            const bool beside = row_of(c) == row_of(e.cell) || col_of(c) == col_of(e.cell);
            (beside ? twins : single).push_back(c);
        }
        lines.push_back(say(l, M::AvoidableFound,
                            {digit(other), cells(twins), digit(e.digit), cell(single.front()), cell(e.cell)}));
        return lines;
    }
    const int x = step.highlighted.front().digit;
    Cells open;
    for (const Candidate& h : step.highlighted) open.push_back(h.cell);
    Cells found;
    for (const std::uint8_t c : corners)
        if (std::find(open.begin(), open.end(), c) == open.end()) found.push_back(c);
    lines.push_back(say(l, M::AvoidableOpen, {digits(step.digits), cells(found), cells(open), digit(x)}));
    for (std::string& line : removals_by_digit(step, {open}, M::SoThat, l)) lines.push_back(std::move(line));
    return lines;
}

} // namespace

std::vector<std::string> narrate_sets(const Step& step, Language l) {
    switch (step.technique) {
        case Technique::AlsXz: return als_xz(step, l);
        case Technique::AlsXyWing: return als_xy_wing(step, l);
        case Technique::AlsChain: return als_chain(step, l);
        case Technique::DeathBlossom: return death_blossom(step, l);
        case Technique::WxyzWing: return wxyz_wing(step, l);
        case Technique::SueDeCoq: return sue_de_coq(step, l);
        case Technique::AlignedPairExclusion: return pair_exclusion(step, l);
        case Technique::UniqueRectangle:
        case Technique::HiddenRectangle: return rectangle(step, l);
        case Technique::AvoidableRectangle: return avoidable_rectangle(step, l);
        default: return {};
    }
}

} // namespace vornel::ladder
