#include "narrator_fr_chains.h"

#include <algorithm>
#include <bit>

#include "french.h"

namespace vornel::ladder {

namespace {

using fr::capitalise;
using fr::cell_name;
using fr::cell_short;
using fr::cells_list;
using fr::cells_phrase;
using fr::cells_short;
using fr::digit_the;
using fr::digits_the;
using fr::eliminations_phrase;
using fr::eliminations_short;
using fr::join;
using fr::unit_name;

int only_digit(const Step& step) { return std::countr_zero(static_cast<unsigned>(step.digits)); }

std::string the_cell(int cell) { return "la case " + cell_name(cell); }

std::vector<std::uint8_t> cells_of(const std::vector<Candidate>& candidates) {
    std::vector<std::uint8_t> cells;
    for (const Candidate& c : candidates) cells.push_back(c.cell);
    return cells;
}

// The longest line a chain or a forcing chain is told in; longer ones are wrapped.
constexpr std::size_t kWidth = 100;

void add_line(std::vector<std::string>& lines, const std::string& line, const std::string& indent = "") {
    for (std::string& piece : fr::wrap(indent + line, kWidth, indent)) lines.push_back(std::move(piece));
}

std::string holds_s(const Candidate& c) { return cell_short(c.cell) + " contient " + digit_the(c.digit); }
std::string lacks_s(const Candidate& c) { return cell_short(c.cell) + " ne contient pas " + digit_the(c.digit); }

// The cells of a grouped node at `end`: the group's cells in its region and its row or column.
std::string node_name(const Candidate& end, const LinkReason& why) {
    if (why.kind != LinkReason::Kind::Group ||
        std::find(why.cells.begin(), why.cells.end(), end.cell) == why.cells.end())
        return cell_short(end.cell);
    std::vector<std::string> names;
    for (const std::uint8_t c : why.cells)
        if (box_of(c) == box_of(end.cell) && (row_of(c) == row_of(end.cell) || col_of(c) == col_of(end.cell)))
            names.push_back(cell_short(c));
    if (names.size() <= 1) return cell_short(end.cell);
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) text += (i > 0 ? "/" : "") + names[i];
    return text;
}

// One link, with its reason, read along the chain: `from` is off before a strong link and on
// before a weak one.
std::string link_line(const Link& l) {
    const std::string to = node_name(l.to, l.why);
    const std::string then = to + (l.strong ? " contient " : " ne contient pas ") + digit_the(l.to.digit);
    switch (l.why.kind) {
        case LinkReason::Kind::Cell:
            if (l.strong)
                return cell_short(l.why.cell) + " n'a que " + digit_the(l.from.digit) + " et " + digit_the(l.to.digit) +
                       ", donc " + then + ".";
            return cell_short(l.why.cell) + " contient " + digit_the(l.from.digit) + ", donc pas " +
                   digit_the(l.to.digit) + ".";
        case LinkReason::Kind::Unit:
            if (l.strong)
                return "Dans " + unit_name(l.why.unit) + ", " + digit_the(l.from.digit) +
                       " n'a que deux places : " + cell_short(l.from.cell) + " et " + cell_short(l.to.cell) +
                       ", donc " + then + ".";
            return cell_short(l.from.cell) + " et " + cell_short(l.to.cell) + " sont dans " + unit_name(l.why.unit) +
                   " : " + then + ".";
        case LinkReason::Kind::Group:
            if (l.strong)
                return "Dans " + unit_name(l.why.unit) + ", " + digit_the(l.from.digit) + " ne peut aller qu'en " +
                       cells_short(l.why.cells) + ", donc " + then + ".";
            return node_name(l.from, l.why) + " et " + to + " sont dans " + unit_name(l.why.unit) + " : " + then + ".";
        case LinkReason::Kind::Als:
            if (l.strong)
                return cells_short(l.why.cells) + " n'ont à elles " + std::to_string(l.why.cells.size()) + " que " +
                       std::to_string(l.why.cells.size() + 1) + " chiffres : sans " + digit_the(l.from.digit) + ", " +
                       digit_the(l.to.digit) + " est dans l'une d'elles.";
            return "Dans " + cells_short(l.why.cells) + ", " + then + ".";
        case LinkReason::Kind::None: break;
    }
    return then + ".";
}

// The chain, one link per line under the assumption it starts from.
void chain_lines(std::vector<std::string>& lines, const std::vector<Link>& links) {
    lines.push_back("Si " + node_name(links.front().from, links.front().why) + " ne contient pas " +
                    digit_the(links.front().from.digit) + " :");
    for (const Link& l : links) add_line(lines, link_line(l), "  ");
}

std::vector<std::string> chain(const Step& step) {
    std::vector<std::string> lines;
    chain_lines(lines, step.links);
    const Candidate& start = step.links.front().from;
    const Candidate& end = step.links.back().to;
    const std::string first = node_name(start, step.links.front().why);
    const std::string last = node_name(end, step.links.back().why);
    if (!step.placements.empty()) {
        add_line(lines, "Supposer que " + first + " ne contient pas " + digit_the(start.digit) +
                            " mène donc à ce que " + first + " le contienne : nous écrivons un " +
                            std::to_string(start.digit) + " en " + first + ".");
        return lines;
    }
    std::string either;
    if (start.digit == end.digit)
        either = digit_the(start.digit) + " est en " + first + " ou en " + last;
    else
        either = first + " contient " + digit_the(start.digit) + " ou " + last + " contient " + digit_the(end.digit);
    add_line(lines, "Ainsi, " + either + " : nous retirons " + eliminations_short(step.eliminations) + ".");
    return lines;
}

std::vector<std::string> colouring(const Step& step) {
    const int d = only_digit(step);
    std::vector<std::string> lines;
    lines.push_back("En suivant les lignes, les colonnes et les régions où " + digit_the(d) + " n'a que deux places, " +
                    cells_phrase(cells_of(step.colour_a)) + " d'une part et " + cells_phrase(cells_of(step.colour_b)) +
                    " d'autre part reçoivent deux couleurs : " + digit_the(d) +
                    " occupe toutes les cases d'une couleur et aucune de l'autre.");
    if (step.variant == 1) {
        lines.push_back(capitalise(cells_phrase(step.cells)) +
                        ", de la même couleur, se voient : cette couleur ne peut " + "pas porter " + digit_the(d) +
                        ". Nous retirons " + eliminations_phrase(step.eliminations) + ".");
    } else {
        lines.push_back("Une case qui voit une case de chaque couleur ne peut donc pas contenir " + digit_the(d) +
                        " : nous retirons " + eliminations_phrase(step.eliminations) + ".");
    }
    return lines;
}

std::vector<std::string> remote_pair(const Step& step) {
    const unsigned pair = step.digits;
    const int a = std::countr_zero(pair);
    const int b = std::countr_zero(pair & (pair - 1));
    std::vector<std::string> lines;
    add_line(lines,
             cells_short(step.cells) + " ne contiennent que " + digits_the(pair) + ", et chacune voit la suivante.");
    chain_lines(lines, step.links);
    add_line(lines, "Lue à partir du " + std::to_string(b) + ", la chaîne est la même : les deux chiffres alternent, " +
                        cells_short(cells_of(step.colour_a)) + " ont l'un, " + cells_short(cells_of(step.colour_b)) +
                        " l'autre.");
    add_line(lines, "Une case qui voit une case de chaque groupe ne contient ni " + digit_the(a) + " ni " +
                        digit_the(b) + " : nous retirons " + eliminations_short(step.eliminations) + ".");
    return lines;
}

std::vector<std::string> unique_rectangle(const Step& step) {
    std::vector<std::string> lines;
    const std::string pair = digits_the(step.digits);
    lines.push_back(capitalise(cells_phrase(step.cells)) +
                    " forment un rectangle sur deux régions et peuvent toutes contenir " + pair +
                    " : si ces quatre cases ne contenaient que ces deux chiffres, on pourrait les y échanger et " +
                    "le sudoku aurait deux solutions.");
    const Candidate& e = step.eliminations.front();
    switch (step.variant) {
        case 1:
            lines.push_back("Les trois autres cases ne contenant que " + pair + ", " + the_cell(e.cell) +
                            " contient un autre chiffre : nous retirons " + eliminations_phrase(step.eliminations) +
                            ".");
            break;
        case 2: {
            std::vector<std::uint8_t> roof;
            for (const Candidate& h : step.highlighted)
                if (((step.digits >> h.digit) & 1) == 0) roof.push_back(h.cell);
            lines.push_back("Deux des cases ne contiennent que " + pair + " ; l'une des deux autres, " +
                            the_cell(roof.front()) + " ou " + the_cell(roof.back()) + ", contient donc " +
                            digit_the(e.digit) + " : nous retirons " + eliminations_phrase(step.eliminations) + ".");
            break;
        }
        default: {
            const int held = step.fins.front().digit;
            std::vector<std::uint8_t> roof = cells_of(step.fins);
            lines.push_back("Dans " + unit_name(step.units.front()) + ", " + digit_the(held) +
                            " ne peut aller que dans les cases " + cells_list(roof) +
                            " : l'une d'elles le contient, et si l'autre contenait " + digit_the(e.digit) +
                            ", le rectangle n'aurait que " + pair + ". Nous retirons " +
                            eliminations_phrase(step.eliminations) + ".");
            break;
        }
    }
    return lines;
}

std::vector<std::string> bug_plus_one(const Step& step) {
    const Candidate& p = step.placements.front();
    return {"Toutes les cases vides sauf " + the_cell(p.cell) +
                " ne peuvent contenir que deux chiffres, et chaque chiffre a deux places dans chaque ligne, colonne et "
                "région où il manque, sauf " +
                digit_the(p.digit) + ", qui en a trois dans la ligne, la colonne et la région de cette case.",
            "Sans " + digit_the(p.digit) + " dans " + the_cell(p.cell) +
                ", le sudoku ne pourrait pas avoir une seule solution : nous écrivons un " + std::to_string(p.digit) +
                " dans " + the_cell(p.cell) + "."};
}

// One implication of a branch, with its reason; a nested chain adds its own lines, further in.
void implication_lines(std::vector<std::string>& lines, const Implication& imp, const std::string& indent);

void end_line(std::vector<std::string>& lines, const BranchEnd& end, const std::string& indent) {
    switch (end.kind) {
        case BranchEnd::Kind::EmptyCell:
            add_line(lines, cell_short(end.cell) + " n'a alors plus aucun chiffre possible : c'est impossible.",
                     indent);
            break;
        case BranchEnd::Kind::NoPlace:
            add_line(lines,
                     capitalise(digit_the(end.candidate.digit)) + " n'a alors plus de place dans " +
                         unit_name(end.unit) + " : c'est impossible.",
                     indent);
            break;
        case BranchEnd::Kind::Place: add_line(lines, "Donc " + holds_s(end.candidate) + ".", indent); break;
        case BranchEnd::Kind::Eliminate: add_line(lines, "Donc " + lacks_s(end.candidate) + ".", indent); break;
    }
}

void branch_lines(std::vector<std::string>& lines, const ForcingBranch& branch, const std::string& indent) {
    add_line(lines, "Si " + holds_s(branch.assume) + " :", indent);
    const std::vector<Implication>& imps = branch.implications;
    // A removal by a placement that ends the branch is told as its end.
    const bool peer_end = branch.end.kind == BranchEnd::Kind::Eliminate && !imps.empty() &&
                          imps.back().why == Implication::Why::Peer && imps.back().candidate == branch.end.candidate;
    for (std::size_t i = 0; i + (peer_end ? 1 : 0) < imps.size(); ++i) implication_lines(lines, imps[i], indent + "  ");
    if (!peer_end) {
        end_line(lines, branch.end, indent + "  ");
        return;
    }
    const Implication& last = imps.back();
    const Candidate& c = last.candidate;
    add_line(lines,
             last.cell == c.cell
                 ? "Donc " + cell_short(c.cell) + ", remplie, ne contient pas " + digit_the(c.digit) + "."
                 : "Donc " + lacks_s(c) + " : " + cell_short(c.cell) + " voit le " + std::to_string(c.digit) + " de " +
                       cell_short(last.cell) + ".",
             indent + "  ");
}

void implication_lines(std::vector<std::string>& lines, const Implication& imp, const std::string& indent) {
    const Candidate& c = imp.candidate;
    const std::string d = digit_the(c.digit);
    switch (imp.why) {
        case Implication::Why::NakedSingle:
            add_line(lines, capitalise(d) + " va en " + cell_short(c.cell) + ", seul chiffre qui y reste.", indent);
            break;
        case Implication::Why::HiddenSingle:
            add_line(lines,
                     capitalise(d) + " va en " + cell_short(c.cell) + ", sa seule place dans " + unit_name(imp.unit) +
                         ".",
                     indent);
            break;
        case Implication::Why::Peer:
            add_line(lines,
                     imp.cell == c.cell ? cell_short(c.cell) + " est remplie : " + d + " n'y va pas."
                                        : capitalise(d) + " quitte " + cell_short(c.cell) + ", qui voit le " +
                                              std::to_string(c.digit) + " de " + cell_short(imp.cell) + ".",
                     indent);
            break;
        case Implication::Why::Pointing:
        case Implication::Why::Claiming:
            add_line(lines,
                     capitalise(d) + " quitte " + cell_short(c.cell) + " : dans " + unit_name(imp.unit) + ", " + d +
                         " ne peut aller que dans " + unit_name(imp.other) + ".",
                     indent);
            break;
        case Implication::Why::Nested:
            add_line(lines, capitalise(d) + " quitte " + cell_short(c.cell) + ", car :", indent);
            for (const ForcingBranch& inner : imp.nested) branch_lines(lines, inner, indent + "  ");
            break;
    }
}

std::vector<std::string> forcing(const Step& step) {
    std::vector<std::string> lines;
    // Variants 1 to 3 are contradiction, cell and unit forcing (4 to 9 the same, with intersections
    // and nested chains inside the branches).
    const int kind = (step.variant - 1) % 3 + 1;
    if (kind == 1) {
        const Candidate& a = step.branches.front().assume;
        for (const ForcingBranch& b : step.branches) branch_lines(lines, b, "");
        if (step.branches.size() == 1) {
            add_line(lines, capitalise(digit_the(a.digit)) + " est donc impossible en " + cell_short(a.cell) +
                                " : nous retirons " + digit_the(a.digit) + " de " + cell_short(a.cell) + ".");
            return lines;
        }
        // Several candidates of one cell, each refuted by its own branch.
        unsigned digits = 0;
        for (const ForcingBranch& b : step.branches) digits |= 1u << b.assume.digit;
        add_line(lines, capitalise(digits_the(digits)) + " sont donc impossibles en " + cell_short(a.cell) +
                            " : nous les retirons de " + cell_short(a.cell) + ".");
        return lines;
    }
    if (kind == 2) {
        unsigned digits = 0;
        for (const ForcingBranch& b : step.branches) digits |= 1u << b.assume.digit;
        add_line(lines, cell_short(step.cells.front()) + " ne peut contenir que " + digits_the(digits) + ".");
    } else {
        std::vector<std::uint8_t> places;
        for (const ForcingBranch& b : step.branches) places.push_back(b.assume.cell);
        add_line(lines, "Dans " + unit_name(step.units.front()) + ", " + digit_the(only_digit(step)) +
                            " ne peut aller qu'en " + cells_short(places) + ".");
    }
    for (const ForcingBranch& b : step.branches) branch_lines(lines, b, "");
    const bool place = !step.placements.empty();
    const Candidate target = place ? step.placements.front() : step.eliminations.front();
    if (place)
        add_line(lines, "Dans tous les cas, " + holds_s(target) + " : nous écrivons un " +
                            std::to_string(target.digit) + " en " + cell_short(target.cell) + ".");
    else
        add_line(lines, "Dans tous les cas, " + lacks_s(target) + " : nous retirons " + digit_the(target.digit) +
                            " de " + cell_short(target.cell) + ".");
    return lines;
}

// Nishio: a contradiction branch that follows its assumption's digit alone.
std::vector<std::string> nishio(const Step& step) {
    std::vector<std::string> lines;
    add_line(lines,
             "Suivons " + digit_the(step.branches.front().assume.digit) + " seul, de place unique en place unique :");
    for (std::string& line : forcing(step)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> trial(const Step& step) {
    const int cell = step.cells.front();
    std::vector<std::string> tried;
    for (const Candidate& h : step.highlighted) tried.push_back(digit_the(h.digit));
    std::string none;
    if (tried.size() == 1) {
        none = "aucune ne met " + tried.front();
    } else {
        none = "aucune ne met";
        for (const std::string& t : tried) none += " ni " + t;
    }
    std::vector<std::string> lines{"Aucune de nos techniques de raisonnement ne s'applique ici : nous procédons par "
                                   "essais, en examinant toutes les façons de compléter la grille.",
                                   capitalise(none) + " dans " + the_cell(cell) + "."};
    if (step.variant == 2) {
        const Candidate& p = step.placements.front();
        lines.push_back("Il ne reste que " + digit_the(p.digit) + " possible : nous écrivons un " +
                        std::to_string(p.digit) + " dans " + the_cell(cell) + ".");
    } else {
        lines.push_back("Nous retirons " + eliminations_phrase(step.eliminations) + ".");
    }
    return lines;
}

std::string end_phrase(const BranchEnd& end) {
    switch (end.kind) {
        case BranchEnd::Kind::EmptyCell: return cell_short(end.cell) + " n'aurait plus aucun chiffre possible";
        case BranchEnd::Kind::NoPlace:
            return digit_the(end.candidate.digit) + " n'aurait plus de place dans " + unit_name(end.unit);
        case BranchEnd::Kind::Place: return holds_s(end.candidate);
        case BranchEnd::Kind::Eliminate: return lacks_s(end.candidate);
    }
    return {};
}

} // namespace

std::string narrate_part(const Step& step, int part) {
    if (part < 1) return {};
    const auto k = static_cast<std::size_t>(part - 1);
    if (!step.branches.empty()) {
        if (k >= step.branches.size()) return {};
        const ForcingBranch& b = step.branches[k];
        return "Branche " + std::to_string(part) + " sur " + std::to_string(step.branches.size()) + " : si " +
               holds_s(b.assume) + ", " + end_phrase(b.end) + " (" + std::to_string(b.implications.size()) +
               (b.implications.size() > 1 ? " implications)." : " implication).");
    }
    if (!told_as_chain(step) || k >= step.links.size()) return {};
    return "Lien " + std::to_string(part) + " sur " + std::to_string(step.links.size()) + " : " +
           link_line(step.links[k]);
}

std::string cell_key_line() { return fr::cell_key(); }

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
        default: return told_as_chain(step) || !step.branches.empty();
    }
}

std::vector<std::string> narrate_chains(const Step& step) {
    switch (step.technique) {
        case Technique::SimpleColouring: return colouring(step);
        case Technique::RemotePair: return remote_pair(step);
        case Technique::XChain:
        case Technique::XyChain:
        case Technique::Aic:
        case Technique::TurbotFish:
        case Technique::GroupedAic: return chain(step);
        case Technique::UniqueRectangle: return unique_rectangle(step);
        case Technique::BugPlusOne: return bug_plus_one(step);
        case Technique::Nishio: return nishio(step);
        case Technique::ForcingChain: return forcing(step);
        case Technique::Trial: return trial(step);
        default: return {};
    }
}

} // namespace vornel::ladder
