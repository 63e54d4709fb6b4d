// SPDX-License-Identifier: GPL-3.0-or-later
#include "narrator_fr.h"

#include <algorithm>
#include <array>

#include "french.h"
#include "grammar.h"
#include "messages.h"
#include "narrator_fr_chains.h"
#include "narrator_fr_patterns.h"
#include "narrator_fr_sets.h"

namespace vornel::ladder {

namespace {

using M = Msg;

std::vector<std::string> singles(const Step& step, Language l) {
    const Candidate& p = step.placements.front();
    switch (step.technique) {
        case Technique::FullHouse:
            return {say(l, M::FullHouse, {cell(p.cell), unit(step.units.front()), digit(p.digit)})};
        case Technique::HiddenSingle:
            return {say(l, M::HiddenSingle, {unit(step.units.front()), digit(p.digit), cell(p.cell)})};
        default: return {say(l, M::NakedSingle, {cell(p.cell), digit(p.digit)})};
    }
}

std::vector<std::string> intersection(const Step& step, Language l) {
    return {say(l, M::Intersection,
                {unit(step.units[0]), digit(only_digit(step)), unit(step.units[1]), removal(step.eliminations)})};
}

std::vector<std::string> subset(const Step& step, bool naked, Language l) {
    if (naked)
        return {say(l, M::NakedSubset,
                    {cells(step.cells), digits(step.digits), unit(step.units.front()), removal(step.eliminations)})};
    return {say(l, M::HiddenSubset,
                {unit(step.units.front()), digits(step.digits), cells(step.cells), removal(step.eliminations)})};
}

std::vector<std::uint8_t> eliminated_cells(const Step& step) {
    std::vector<std::uint8_t> cells;
    for (const Candidate& e : step.eliminations) cells.push_back(e.cell);
    return cells;
}

std::string kind_plural(int first_unit, Language l) {
    return say(l, first_unit < 9 ? M::TheseRows : first_unit < 18 ? M::TheseColumns : M::TheseBoxes);
}

std::vector<std::string> fish(const Step& step, Language l) {
    const int d = only_digit(step);
    const auto size = static_cast<std::size_t>(step.variant);
    const std::vector<std::uint8_t> base(step.units.begin(), step.units.begin() + static_cast<std::ptrdiff_t>(size));
    const std::vector<std::uint8_t> cover(step.units.begin() + static_cast<std::ptrdiff_t>(size), step.units.end());
    const std::vector<std::uint8_t> removed = eliminated_cells(step);
    const std::string removal = say(l, M::DigitRemoval, {digit(d), cells(removed)});
    if (step.fins.empty()) {
        return {say(l, M::Fish,
                    {units(base), digit(d), units(cover), text(kind_plural(cover.front(), l)),
                     text(kind_plural(base.front(), l)), text(removal)})};
    }
    std::vector<std::uint8_t> fin_cells;
    for (const Candidate& f : step.fins) fin_cells.push_back(f.cell);
    return {say(l, M::FinnedFishPlaces, {units(base), digit(d), units(cover), cells(fin_cells)}),
            say(l, M::FinnedFishCases,
                {digit(d), unit(18 + box_of(fin_cells.front())), text(kind_plural(cover.front(), l)),
                 text(kind_plural(base.front(), l)), cells(fin_cells)}),
            say(l, M::BothCases, {text(removal)})};
}

// The two strong links of a skyscraper or a kite, then their far ends, then the removal.
std::vector<std::string> two_links(const Step& step, Language l) {
    const int d = only_digit(step);
    std::vector<std::uint8_t> first = {step.cells[1], step.cells[0]};
    std::vector<std::uint8_t> second = {step.cells[2], step.cells[3]};
    if (first[0] > first[1]) std::swap(first[0], first[1]);
    if (second[0] > second[1]) std::swap(second[0], second[1]);
    const std::vector<std::uint8_t> removed = eliminated_cells(step);
    return {
        say(l, M::TwoLinksPlaces, {unit(step.units[0]), digit(d), cells(first), unit(step.units[1]), cells(second)}),
        say(l, M::TwoLinksEnds,
            {cell(step.cells[1]), cell(step.cells[2]), unit(step.units[2]), digit(d), cell(step.cells[0]),
             cell(step.cells[3])}),
        say(l, M::TwoLinksRemoval, {digit(d), cells(removed)})};
}

std::vector<std::string> wing(const Step& step, Language l) {
    const int z = step.eliminations.front().digit;
    // The digits of each cell of the pattern, from the highlighted candidates.
    const auto digits_of = [&](std::uint8_t cell) {
        unsigned mask = 0;
        for (const Candidate& h : step.highlighted)
            if (h.cell == cell) mask |= 1u << h.digit;
        return mask;
    };
    const auto& c = step.cells;
    switch (step.technique) {
        case Technique::XyWing: {
            const unsigned pivot = digits_of(c[0]);
            const int x = std::countr_zero(pivot & digits_of(c[1]));
            const int y = std::countr_zero(pivot & digits_of(c[2]));
            return {say(l, M::ThreeCellsHold,
                        {cell(c[0]), digits(pivot), cell(c[1]), digits(digits_of(c[1])), cell(c[2]),
                         digits(digits_of(c[2]))}),
                    say(l, M::XyWingCases, {cell(c[0]), digit(x), cell(c[1]), digit(z), digit(y), cell(c[2])}),
                    say(l, M::XyWingRemoval, {digit(z), cell(c[1]), cell(c[2]), removal(step.eliminations)})};
        }
        case Technique::XyzWing:
            return {say(l, M::ThreeCellsHold,
                        {cell(c[0]), digits(digits_of(c[0])), cell(c[1]), digits(digits_of(c[1])), cell(c[2]),
                         digits(digits_of(c[2]))}),
                    say(l, M::XyzWingRemoval, {cell(c[0]), digit(z), removal(step.eliminations)})};
        default: {
            const int x = std::countr_zero(static_cast<unsigned>(step.digits) & ~(1u << z));
            return {say(l, M::TwoCellsHold, {cell(c[0]), cell(c[1]), digits(step.digits)}),
                    say(l, M::WWingLink,
                        {unit(step.units.front()), digit(x), cell(c[2]), cell(c[0]), cell(c[3]), cell(c[1])}),
                    say(l, M::WWingCases, {digit(x), cell(c[0]), cell(c[1]), digit(z)}),
                    say(l, M::WWingRemoval, {removal(step.eliminations), cell(c[0]), cell(c[1])})};
        }
    }
}

// Techniques without sentences of their own yet: what the step does, under the technique's name.
std::vector<std::string> plain(const Step& step, Language l) {
    std::vector<std::string> parts;
    for (const Candidate& p : step.placements) parts.push_back(say(l, M::PlainWrite, {digit(p.digit), cell(p.cell)}));
    if (!step.eliminations.empty()) parts.push_back(say(l, M::PlainRemove, {removal(step.eliminations)}));
    return {say(l, M::Plain, {text(technique_name(step.technique, l)), text(grammar(l).join(parts))})};
}

} // namespace

namespace {

std::vector<std::string> sentences(const Step& step, Language l) {
    if (step.technique == Technique::UniqueRectangle && (step.variant == 3 || step.variant >= 5))
        return narrate_sets(step, l);
    switch (step.technique) {
        case Technique::FullHouse:
        case Technique::HiddenSingle:
        case Technique::NakedSingle: return singles(step, l);
        case Technique::Pointing:
        case Technique::Claiming: return intersection(step, l);
        case Technique::NakedPair:
        case Technique::NakedTriple:
        case Technique::NakedQuad: return subset(step, true, l);
        case Technique::HiddenPair:
        case Technique::HiddenTriple:
        case Technique::HiddenQuad: return subset(step, false, l);
        case Technique::XWing:
        case Technique::Swordfish:
        case Technique::Jellyfish:
        case Technique::FinnedXWing:
        case Technique::FinnedSwordfish:
        case Technique::FinnedJellyfish: return fish(step, l);
        case Technique::EmptyRectangle:
        case Technique::FrankenFish:
        case Technique::MutantFish:
        case Technique::MultiColouring:
        case Technique::Medusa3D: return narrate_patterns(step, l);
        case Technique::Skyscraper:
        case Technique::TwoStringKite: return two_links(step, l);
        case Technique::XyWing:
        case Technique::XyzWing:
        case Technique::WWing: return wing(step, l);
        case Technique::SimpleColouring:
        case Technique::XChain:
        case Technique::RemotePair:
        case Technique::XyChain:
        case Technique::Aic:
        case Technique::TurbotFish:
        case Technique::GroupedAic:
        case Technique::AlsAic:
        case Technique::UniqueRectangle:
        case Technique::BugPlusOne:
        case Technique::Nishio:
        case Technique::ForcingChain:
        case Technique::Trial: return narrate_chains(step, l);
        case Technique::HiddenRectangle:
        case Technique::AvoidableRectangle:
        case Technique::WxyzWing:
        case Technique::SueDeCoq:
        case Technique::AlignedPairExclusion:
        case Technique::AlsXz:
        case Technique::AlsXyWing:
        case Technique::AlsChain:
        case Technique::DeathBlossom: return narrate_sets(step, l);
        default: return plain(step, l);
    }
}

} // namespace

std::vector<std::string> narrate_sentences(const Step& step, Language language) { return sentences(step, language); }

std::vector<std::string> narrate(const Step& step, Language language) { return sentences(step, language); }

std::vector<std::string> narrate_wrapped(const Step& step, Language language, std::size_t width) {
    return wrap_sentences(sentences(step, language), width);
}

std::vector<std::string> wrap_sentences(const std::vector<std::string>& sentences, std::size_t width) {
    std::vector<std::string> lines;
    for (const std::string& sentence : sentences) {
        const std::size_t depth = std::min(sentence.find_first_not_of(' '), sentence.size());
        for (std::string& piece : fr::wrap(sentence, width, sentence.substr(0, depth)))
            lines.push_back(std::move(piece));
    }
    return lines;
}

std::vector<std::string> narrate_verdict(const Explanation& explanation, Language l) {
    std::vector<std::string> lines;
    const auto rating = [&] {
        if (!explanation.rating) return;
        std::string line =
            say(l, M::Rating,
                {text(std::string(level_name(explanation.rating->level, l))), number(explanation.rating->score)});
        if (explanation.hardest) line += say(l, M::RatingHardest, {text(technique_name(*explanation.hardest, l))});
        lines.push_back(line + ".");
    };
    const std::size_t n = explanation.steps.size();
    const std::string steps = say(l, M::Steps, {number(static_cast<long long>(n))});
    switch (explanation.verdict) {
        case Verdict::Invalid:
            lines = problem_lines(explanation.problems, l);
            lines.push_back(say(l, M::Invalid));
            break;
        case Verdict::NoSolution: lines.push_back(say(l, M::NoSolution)); break;
        case Verdict::MultipleSolutions:
            lines.push_back(
                say(l, M::Several, {text(n == 0 ? say(l, M::SeveralNothing) : say(l, M::SeveralSome, {text(steps)}))}));
            if (explanation.two_solutions) {
                const std::array<Grid, 2>& two = *explanation.two_solutions;
                lines.push_back(say(l, M::HereAreTwo));
                for (const Grid& grid : two) {
                    std::string line;
                    for (const std::uint8_t v : grid) line += static_cast<char>('0' + v);
                    lines.push_back(line);
                }
                std::vector<std::string> differing;
                for (const std::uint8_t c : explanation.differing_cells)
                    differing.push_back(say(l, M::DifferingCell, {cell(c), number(two[0][c]), number(two[1][c])}));
                const std::string list = grammar(l).join(differing);
                lines.push_back(
                    differing.size() == 1
                        ? say(l, M::DifferInOne, {text(list)})
                        : say(l, M::DifferInSeveral, {number(static_cast<long long>(differing.size())), text(list)}));
            }
            break;
        case Verdict::Stuck:
            lines.push_back(say(l, M::Stuck, {text(steps)}));
            rating();
            break;
        case Verdict::Solved:
            lines.push_back(n == 0 ? say(l, M::AlreadyFilled) : say(l, M::Solved, {text(steps)}));
            rating();
            break;
    }
    return lines;
}

} // namespace vornel::ladder
