// SPDX-License-Identifier: GPL-3.0-or-later
#include "narrator_fr_chains.h"

#include <algorithm>
#include <bit>

#include "french.h"
#include "grammar.h"
#include "messages.h"
#include "narration.h"

namespace vornel::ladder {

namespace {

using M = Msg;

// A sentence of a chain or a forcing chain, whole, indented by how deep it lies in a branch.
void add_line(std::vector<std::string>& lines, const std::string& line, const std::string& indent = "") {
    lines.push_back(indent + line);
}

std::string holds_s(const Candidate& c, Language l) { return say(l, M::CellHolds, {cell(c.cell), digit(c.digit)}); }
std::string lacks_s(const Candidate& c, Language l) { return say(l, M::CellLacks, {cell(c.cell), digit(c.digit)}); }

// The cells of a grouped node at `end`: the group's cells in its region and its row or column.
std::vector<std::uint8_t> node_cells(const Candidate& end, const LinkReason& why) {
    if (why.kind != LinkReason::Kind::Group ||
        std::find(why.cells.begin(), why.cells.end(), end.cell) == why.cells.end())
        return {end.cell};
    std::vector<std::uint8_t> cells;
    for (const std::uint8_t c : why.cells)
        if (box_of(c) == box_of(end.cell) && (row_of(c) == row_of(end.cell) || col_of(c) == col_of(end.cell)))
            cells.push_back(c);
    if (cells.empty()) return {end.cell};
    return cells;
}

// The cells of a link's end: its cells when the link lists them, else as node_cells() reads them.
std::vector<std::uint8_t> end_cells(const Link& k, bool from) {
    const std::vector<std::uint8_t>& listed = from ? k.from_cells : k.to_cells;
    if (listed.empty()) return node_cells(from ? k.from : k.to, k.why);
    return listed;
}

// One link, with its reason, read along the chain: `from` is off before a strong link and on
// before a weak one.
std::string link_line(const Link& k, Language l) {
    const std::vector<std::uint8_t> to = end_cells(k, false);
    const std::string then = say(l, k.strong ? M::NodeHolds : M::NodeLacks, {cells(to), digit(k.to.digit)});
    switch (k.why.kind) {
        case LinkReason::Kind::Cell:
            if (k.strong)
                return say(l, M::LinkCellStrong,
                           {cell(k.why.cell), digit(k.from.digit), digit(k.to.digit), text(then)});
            return say(l, M::LinkCellWeak, {cell(k.why.cell), digit(k.from.digit), digit(k.to.digit)});
        case LinkReason::Kind::Unit:
            if (k.strong)
                return say(l, M::LinkUnitStrong,
                           {unit(k.why.unit), digit(k.from.digit), cell(k.from.cell), cell(k.to.cell), text(then)});
            if (!k.from_cells.empty() || !k.to_cells.empty())
                return say(l, M::LinkGroupWeak, {cells(end_cells(k, true)), cells(to), unit(k.why.unit), text(then)});
            return say(l, M::LinkUnitWeak, {cell(k.from.cell), cell(k.to.cell), unit(k.why.unit), text(then)});
        case LinkReason::Kind::Group:
            if (k.strong) // every place of the digit in the unit: the end ruled out, then the other
                return say(l, M::LinkGroupStrong,
                           {unit(k.why.unit), digit(k.from.digit), cells(end_cells(k, true)), cells(to), text(then)});
            return say(l, M::LinkGroupWeak, {cells(end_cells(k, true)), cells(to), unit(k.why.unit), text(then)});
        case LinkReason::Kind::Als:
            if (k.strong)
                return say(l, M::LinkAlsStrong,
                           {cells(k.why.cells), number(static_cast<long long>(k.why.cells.size())),
                            number(static_cast<long long>(k.why.cells.size() + 1)), digit(k.from.digit),
                            digit(k.to.digit)});
            return say(l, M::LinkAlsWeak, {cells(k.why.cells), text(then)});
        case LinkReason::Kind::None: break;
    }
    return say(l, M::LinkPlain, {text(then)});
}

// Cells as solvers write them in a chain's summary: one row "r6c13", one column "r13c6", else
// the cells one by one, "r1c2,r3c5" (French "L6C13").
std::string cells_compact(std::vector<std::uint8_t> cells, Language l) {
    const char r = l == Language::English ? 'r' : 'L', c = l == Language::English ? 'c' : 'C';
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    const auto all = [&](auto key) {
        return std::all_of(cells.begin(), cells.end(), [&](int x) { return key(x) == key(cells.front()); });
    };
    std::string text;
    if (all([](int x) { return row_of(x); })) {
        text = std::string(1, r) + std::to_string(row_of(cells.front()) + 1) + c;
        for (const std::uint8_t x : cells) text += std::to_string(col_of(x) + 1);
        return text;
    }
    if (all([](int x) { return col_of(x); })) {
        text = std::string(1, r);
        for (const std::uint8_t x : cells) text += std::to_string(row_of(x) + 1);
        return text + c + std::to_string(col_of(cells.front()) + 1);
    }
    for (const std::uint8_t x : cells)
        text += (text.empty() ? "" : ",") + std::string(1, r) + std::to_string(row_of(x) + 1) + c +
                std::to_string(col_of(x) + 1);
    return text;
}

// What a step concludes, as solvers write it: "r8c3<>5", "r1c1,r1c2<>5, r3c3<>4", "r8c3=5".
std::string conclusion_compact(const Step& step, Language l) {
    std::vector<std::string> parts;
    for (const Candidate& p : step.placements)
        parts.push_back(cells_compact({p.cell}, l) + "=" + std::to_string(p.digit));
    for (const RemovalGroup& g : removal_groups(step.eliminations))
        for (int d = 1; d <= 9; ++d)
            if ((g.digits >> d) & 1) parts.push_back(cells_compact(g.cells, l) + "<>" + std::to_string(d));
    std::string text;
    for (const std::string& p : parts) text += (text.empty() ? "" : ", ") + p;
    return text;
}

} // namespace

std::string chain_summary(const std::vector<Link>& links, const Step& step, Language l) {
    if (links.empty()) return {};
    // The nodes in order, each with its digit and cells, and the link before each but the first.
    struct Node {
        int digit;
        std::vector<std::uint8_t> cells;
    };
    std::vector<Node> nodes{{links.front().from.digit, end_cells(links.front(), true)}};
    for (const Link& k : links) nodes.push_back({k.to.digit, end_cells(k, false)});
    std::string text;
    std::size_t i = 0;
    while (i < nodes.size()) {
        // Nodes on the same cells, joined by links inside them, are one term: "(5=2)r6c3"; an
        // almost locked set's strong link is the set's term: "(7=3)r1c5,r3c5,r4c5".
        std::string digits = std::to_string(nodes[i].digit);
        std::vector<std::uint8_t> cells = nodes[i].cells;
        std::size_t j = i;
        while (j + 1 < nodes.size()) {
            const Link& k = links[j];
            const bool inside =
                k.why.kind == LinkReason::Kind::Als && k.strong ? true : nodes[j + 1].cells == nodes[j].cells;
            if (!inside) break;
            if (k.why.kind == LinkReason::Kind::Als && k.strong) cells = k.why.cells;
            digits += (k.strong ? "=" : "-") + std::to_string(nodes[j + 1].digit);
            ++j;
        }
        const bool same_digit = i > 0 && j == i && nodes[i].digit == nodes[i - 1].digit;
        text += (same_digit ? "" : "(" + digits + ")") + cells_compact(cells, l);
        if (j + 1 < nodes.size()) text += links[j].strong ? "=" : "-";
        i = j + 1;
    }
    return text + " => " + conclusion_compact(step, l);
}

namespace {

// The chain, one link per line under the assumption it starts from.
void chain_lines(std::vector<std::string>& lines, const std::vector<Link>& links, Language l) {
    lines.push_back(say(l, M::ChainStart, {cells(end_cells(links.front(), true)), digit(links.front().from.digit)}));
    for (const Link& k : links) add_line(lines, link_line(k, l), "  ");
}

// A chain step. `shared` links at its start are those of step `as_step` (1-based), told there:
// the telling starts where the chains part.
std::vector<std::string> chain(const Step& step, Language l, std::size_t shared = 0, int as_step = 0) {
    std::vector<std::string> lines;
    if (shared == 0) {
        chain_lines(lines, step.links, l);
    } else {
        const Link& k = step.links[shared - 1];
        lines.push_back(say(l, k.strong ? M::SameChainHolds : M::SameChainLacks,
                            {number(as_step), cells(end_cells(k, false)), digit(k.to.digit)}));
        for (std::size_t i = shared; i < step.links.size(); ++i) add_line(lines, link_line(step.links[i], l), "  ");
    }
    const Candidate& start = step.links.front().from;
    const Candidate& end = step.links.back().to;
    const std::vector<std::uint8_t> first = end_cells(step.links.front(), true);
    const std::vector<std::uint8_t> last = end_cells(step.links.back(), false);
    if (!step.placements.empty()) {
        add_line(lines, say(l, M::ChainPlaces, {cells(first), digit(start.digit)}));
    } else if (start.digit != end.digit) {
        const std::string either =
            say(l, M::ChainEitherOther, {cells(first), digit(start.digit), cells(last), digit(end.digit)});
        add_line(lines, say(l, M::ChainRemoval, {text(either), removal(step.eliminations)}));
    } else {
        // Both ends of one digit: every removed candidate sees both.
        const std::string either = say(l, M::ChainEitherSame, {digit(start.digit), cells(first), cells(last)});
        add_line(lines,
                 say(l, M::ChainRemovalSees, {text(either), removal(step.eliminations), cells(first), cells(last)}));
    }
    lines.push_back(chain_summary(step.links, step, l));
    return lines;
}

std::vector<std::string> colouring(const Step& step, Language l) {
    const int d = only_digit(step);
    const std::vector<std::uint8_t> a = cells_of(step.colour_a), b = cells_of(step.colour_b);
    std::vector<std::string> lines{say(l, M::ColouringClusters, {digit(d), cells(a), cells(b)})};
    if (step.variant == 1)
        lines.push_back(say(l, M::ColouringTwice, {cells(step.cells), digit(d), removal(step.eliminations)}));
    else
        lines.push_back(say(l, M::ColouringTrap, {digit(d), removal(step.eliminations)}));
    if (step.variant != 1)
        for (const Candidate& e : step.eliminations) {
            const auto seen = [&](const std::vector<std::uint8_t>& colour) {
                for (const std::uint8_t c : colour)
                    if (c != e.cell &&
                        (row_of(c) == row_of(e.cell) || col_of(c) == col_of(e.cell) || box_of(c) == box_of(e.cell)))
                        return static_cast<int>(c);
                return -1;
            };
            const int x = seen(a), y = seen(b);
            if (x >= 0 && y >= 0)
                lines.push_back(say(l, M::SeesEachColour, {cell(e.cell), cell(x), cell(y), digit(d)}));
        }
    return lines;
}

std::vector<std::string> remote_pair(const Step& step, Language l) {
    const unsigned pair = step.digits;
    const int a = std::countr_zero(pair);
    const int b = std::countr_zero(pair & (pair - 1));
    const std::vector<std::uint8_t> one = cells_of(step.colour_a), other = cells_of(step.colour_b);
    std::vector<std::string> lines;
    add_line(lines, say(l, M::RemotePairCells, {cells(step.cells), digits(pair)}));
    chain_lines(lines, step.links, l);
    add_line(lines, say(l, M::RemotePairAlternate, {number(b), cells(one), cells(other)}));
    add_line(lines, say(l, M::RemotePairRemoval, {digit(a), digit(b), removal(step.eliminations)}));
    if (told_as_chain(step)) lines.push_back(chain_summary(step.links, step, l));
    return lines;
}

std::vector<std::string> unique_rectangle(const Step& step, Language l) {
    std::vector<std::string> lines{say(l, M::Rectangle, {cells(step.cells), digits(step.digits)})};
    const Candidate& e = step.eliminations.front();
    switch (step.variant) {
        case 1:
            lines.push_back(say(l, M::RectangleType1, {digits(step.digits), cell(e.cell), removal(step.eliminations)}));
            break;
        case 2: {
            std::vector<std::uint8_t> roof;
            for (const Candidate& h : step.highlighted)
                if (((step.digits >> h.digit) & 1) == 0) roof.push_back(h.cell);
            lines.push_back(say(l, M::RectangleType2,
                                {digits(step.digits), cell(roof.front()), cell(roof.back()), digit(e.digit),
                                 removal(step.eliminations)}));
            break;
        }
        default: {
            const std::vector<std::uint8_t> roof = cells_of(step.fins);
            lines.push_back(say(l, M::RectangleType4,
                                {unit(step.units.front()), digit(step.fins.front().digit), cells(roof), digit(e.digit),
                                 digits(step.digits), removal(step.eliminations)}));
            break;
        }
    }
    return lines;
}

std::vector<std::string> bug_plus_one(const Step& step, Language l) {
    const Candidate& p = step.placements.front();
    return {say(l, M::BugCells, {cell(p.cell), digit(p.digit)}), say(l, M::BugPlaces, {digit(p.digit), cell(p.cell)})};
}

// One implication of a branch, with its reason; a nested chain adds its own lines, further in.
void implication_lines(std::vector<std::string>& lines, const Implication& imp, const std::string& indent, Language l);

void end_line(std::vector<std::string>& lines, const BranchEnd& end, const std::string& indent, Language l) {
    switch (end.kind) {
        case BranchEnd::Kind::EmptyCell: add_line(lines, say(l, M::EndEmptyCell, {cell(end.cell)}), indent); break;
        case BranchEnd::Kind::NoPlace:
            add_line(lines, say(l, M::EndNoPlace, {digit(end.candidate.digit), unit(end.unit)}), indent);
            break;
        case BranchEnd::Kind::Place:
            add_line(lines, say(l, M::EndSo, {text(holds_s(end.candidate, l))}), indent);
            break;
        case BranchEnd::Kind::Eliminate:
            add_line(lines, say(l, M::EndSo, {text(lacks_s(end.candidate, l))}), indent);
            break;
    }
}

void branch_lines(std::vector<std::string>& lines, const ForcingBranch& branch, const std::string& indent, Language l) {
    add_line(lines, say(l, M::BranchStart, {text(holds_s(branch.assume, l))}), indent);
    const std::vector<Implication>& imps = branch.implications;
    // A removal by a placement that ends the branch is told as its end.
    const bool peer_end = branch.end.kind == BranchEnd::Kind::Eliminate && !imps.empty() &&
                          imps.back().why == Implication::Why::Peer && imps.back().candidate == branch.end.candidate;
    const std::size_t told = imps.size() - (peer_end ? 1 : 0);
    for (std::size_t i = 0; i < told;) {
        // A run of singles is told on few lines, each single with its reason: "Puis, par
        // singletons : L3C7=3 (ligne 3), L6C1=3 (seul chiffre)."
        std::size_t j = i;
        while (j < told &&
               (imps[j].why == Implication::Why::NakedSingle || imps[j].why == Implication::Why::HiddenSingle))
            ++j;
        if (j - i < 2) {
            implication_lines(lines, imps[i], indent + "  ", l);
            ++i;
            continue;
        }
        // As many singles on a line as fit in kRunWidth characters, indentation included, counting
        // each single at its longest (23 characters with its comma) so that every language breaks
        // the run at the same places.
        constexpr std::size_t kRunWidth = 110, kItem = 23, kLead = 28;
        const std::size_t room = kRunWidth > indent.size() + kLead ? kRunWidth - indent.size() - kLead : 0;
        const std::size_t per_line = std::max<std::size_t>(2, room / kItem);
        for (std::size_t k = i; k < j; k += per_line) {
            std::string list;
            for (std::size_t m = k; m < std::min(j, k + per_line); ++m) {
                const Implication& imp = imps[m];
                list += (list.empty() ? "" : ", ") +
                        (imp.why == Implication::Why::NakedSingle
                             ? say(l, M::RunNaked, {digit(imp.candidate.digit), cell(imp.candidate.cell)})
                             : say(l, M::RunHidden,
                                   {digit(imp.candidate.digit), cell(imp.candidate.cell), unit(imp.unit)}));
            }
            add_line(lines, say(l, k == i ? M::RunStart : M::RunMore, {text(list)}), indent + "  ");
        }
        i = j;
    }
    if (!peer_end) {
        end_line(lines, branch.end, indent + "  ", l);
        return;
    }
    const Implication& last = imps.back();
    const Candidate& c = last.candidate;
    add_line(lines,
             last.cell == c.cell
                 ? say(l, M::EndFilled, {cell(c.cell), digit(c.digit)})
                 : say(l, M::EndSeesPlaced, {text(lacks_s(c, l)), cell(c.cell), digit(c.digit), cell(last.cell)}),
             indent + "  ");
}

void implication_lines(std::vector<std::string>& lines, const Implication& imp, const std::string& indent, Language l) {
    const Candidate& c = imp.candidate;
    switch (imp.why) {
        case Implication::Why::NakedSingle:
            add_line(lines, say(l, M::GoesNaked, {digit(c.digit), cell(c.cell)}), indent);
            break;
        case Implication::Why::HiddenSingle:
            add_line(lines, say(l, M::GoesHidden, {digit(c.digit), cell(c.cell), unit(imp.unit)}), indent);
            break;
        case Implication::Why::Peer:
            add_line(lines,
                     imp.cell == c.cell ? say(l, M::FilledCell, {cell(c.cell), digit(c.digit)})
                                        : say(l, M::LeavesPeer, {digit(c.digit), cell(c.cell), cell(imp.cell)}),
                     indent);
            break;
        case Implication::Why::Pointing:
        case Implication::Why::Claiming:
            add_line(lines,
                     say(l, M::LeavesIntersection, {digit(c.digit), cell(c.cell), unit(imp.unit), unit(imp.other)}),
                     indent);
            break;
        case Implication::Why::Nested:
            add_line(lines, say(l, M::LeavesNested, {digit(c.digit), cell(c.cell)}), indent);
            for (const ForcingBranch& inner : imp.nested) branch_lines(lines, inner, indent + "  ", l);
            break;
    }
}

std::vector<std::string> forcing(const Step& step, Language l) {
    std::vector<std::string> lines;
    // Variants 1 to 3 are contradiction, cell and unit forcing (4 to 9 the same, with intersections
    // and nested chains inside the branches).
    const int kind = (step.variant - 1) % 3 + 1;
    if (kind == 1) {
        const Candidate& a = step.branches.front().assume;
        for (const ForcingBranch& b : step.branches) branch_lines(lines, b, "", l);
        if (step.branches.size() == 1) {
            add_line(lines, say(l, M::ContradictionRemoval, {digit(a.digit), cell(a.cell)}));
            return lines;
        }
        // Several candidates of one cell, each refuted by its own branch.
        unsigned refuted = 0;
        for (const ForcingBranch& b : step.branches) refuted |= 1u << b.assume.digit;
        add_line(lines, say(l, M::ContradictionRemovesSeveral, {digits(refuted), cell(a.cell)}));
        return lines;
    }
    std::vector<std::uint8_t> places;
    if (kind == 2) {
        unsigned mask = 0;
        for (const ForcingBranch& b : step.branches) mask |= 1u << b.assume.digit;
        add_line(lines, say(l, M::ForcingCell, {cell(step.cells.front()), digits(mask)}));
    } else {
        for (const ForcingBranch& b : step.branches) places.push_back(b.assume.cell);
        add_line(lines, say(l, M::ForcingUnit, {unit(step.units.front()), digit(only_digit(step)), cells(places)}));
    }
    for (const ForcingBranch& b : step.branches) branch_lines(lines, b, "", l);
    const bool place = !step.placements.empty();
    const Candidate target = place ? step.placements.front() : step.eliminations.front();
    if (place)
        add_line(lines, say(l, M::ForcingPlaces, {text(holds_s(target, l)), digit(target.digit), cell(target.cell)}));
    else
        add_line(lines, say(l, M::ForcingRemoves, {text(lacks_s(target, l)), digit(target.digit), cell(target.cell)}));
    return lines;
}

// Nishio: a contradiction branch that follows its assumption's digit alone.
std::vector<std::string> nishio(const Step& step, Language l) {
    std::vector<std::string> lines;
    add_line(lines, say(l, M::NishioStart, {digit(step.branches.front().assume.digit)}));
    for (std::string& line : forcing(step, l)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> trial(const Step& step, Language l) {
    const int where = step.cells.front();
    std::string none;
    if (step.highlighted.size() == 1) {
        none = say(l, M::TrialNoneOne, {digit(step.highlighted.front().digit)});
    } else {
        std::string nor;
        for (std::size_t i = 0; i < step.highlighted.size(); ++i)
            nor += say(l, i == 0 ? M::TrialNorFirst : M::TrialNorNext, {digit(step.highlighted[i].digit)});
        none = say(l, M::TrialNoneMany, {text(nor)});
    }
    std::vector<std::string> lines{say(l, M::TrialIntro), say(l, M::TrialWhere, {text(none), cell(where)})};
    if (step.variant == 2)
        lines.push_back(say(l, M::TrialPlaces, {digit(step.placements.front().digit), cell(where)}));
    else
        lines.push_back(say(l, M::TrialRemoves, {removal(step.eliminations)}));
    return lines;
}

std::string end_phrase(const BranchEnd& end, Language l) {
    switch (end.kind) {
        case BranchEnd::Kind::EmptyCell: return say(l, M::WouldEmptyCell, {cell(end.cell)});
        case BranchEnd::Kind::NoPlace: return say(l, M::WouldNoPlace, {digit(end.candidate.digit), unit(end.unit)});
        case BranchEnd::Kind::Place: return holds_s(end.candidate, l);
        case BranchEnd::Kind::Eliminate: return lacks_s(end.candidate, l);
    }
    return {};
}

} // namespace

std::string narrate_part(const Step& step, int part, Language l) {
    if (part < 1) return {};
    const auto k = static_cast<std::size_t>(part - 1);
    if (!step.branches.empty()) {
        if (k >= step.branches.size()) return {};
        const ForcingBranch& b = step.branches[k];
        return say(l, M::BranchPart,
                   {number(part), number(static_cast<long long>(step.branches.size())), text(holds_s(b.assume, l)),
                    text(end_phrase(b.end, l)), number(static_cast<long long>(b.implications.size()))});
    }
    if (!told_as_chain(step) || k >= step.links.size()) return {};
    return say(l, M::LinkPart,
               {number(part), number(static_cast<long long>(step.links.size())), text(link_line(step.links[k], l))});
}

std::string cell_key_line() { return fr::cell_key(); }

namespace {

bool plain_chain(const Step& step) {
    switch (step.technique) {
        case Technique::XChain:
        case Technique::XyChain:
        case Technique::Aic:
        case Technique::TurbotFish:
        case Technique::GroupedAic:
        case Technique::AlsAic: return told_as_chain(step);
        default: return false;
    }
}

std::size_t shared_links(const Step& a, const Step& b) {
    std::size_t n = 0;
    while (n < a.links.size() && n < b.links.size() && a.links[n] == b.links[n]) ++n;
    return n;
}

} // namespace

std::vector<std::string> narrate_in(const std::vector<Step>& steps, std::size_t index, Language l) {
    const Step& step = steps.at(index);
    if (index == 0 || !plain_chain(step) || !plain_chain(steps[index - 1])) return narrate_sentences(step, l);
    // The chain of the step before, with another end: told from where they part, referring to the
    // first of the run of steps that share that start.
    constexpr std::size_t kLeast = 3;
    const std::size_t shared = shared_links(step, steps[index - 1]);
    if (shared < kLeast) return narrate_sentences(step, l);
    std::size_t first = index - 1;
    while (first > 0 && plain_chain(steps[first - 1]) && shared_links(steps[first - 1], steps[first]) >= shared)
        --first;
    return chain(step, l, shared, static_cast<int>(first + 1));
}

std::string step_summary(const Step& step, Language l) {
    switch (step.technique) {
        case Technique::XChain:
        case Technique::XyChain:
        case Technique::Aic:
        case Technique::TurbotFish:
        case Technique::GroupedAic:
        case Technique::AlsAic:
        case Technique::RemotePair: return told_as_chain(step) ? chain_summary(step.links, step, l) : std::string();
        default: return {};
    }
}

std::string cell_key(Language language) { return grammar(language).cell_key(); }

bool names_cells_compactly(const Step& step) {
    switch (step.technique) {
        case Technique::XyWing:
        case Technique::XyzWing:
        case Technique::WWing:
        case Technique::XChain:
        case Technique::RemotePair:
        case Technique::XyChain:
        case Technique::Aic:
        case Technique::Nishio:
        case Technique::ForcingChain: return true;
        case Technique::WxyzWing:
        case Technique::AlsXyWing: return false; // told with the cells' full names
        default: return told_as_chain(step) || !step.branches.empty();
    }
}

std::vector<std::string> narrate_chains(const Step& step, Language l) {
    switch (step.technique) {
        case Technique::SimpleColouring: return colouring(step, l);
        case Technique::RemotePair: return remote_pair(step, l);
        case Technique::XChain:
        case Technique::XyChain:
        case Technique::Aic:
        case Technique::TurbotFish:
        case Technique::GroupedAic:
        case Technique::AlsAic: return chain(step, l);
        case Technique::UniqueRectangle: return unique_rectangle(step, l);
        case Technique::BugPlusOne: return bug_plus_one(step, l);
        case Technique::Nishio: return nishio(step, l);
        case Technique::ForcingChain: return forcing(step, l);
        case Technique::Trial: return trial(step, l);
        default: return {};
    }
}

} // namespace vornel::ladder
