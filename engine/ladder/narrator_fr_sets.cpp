#include "narrator_fr_sets.h"

#include <algorithm>
#include <bit>

#include "french.h"

namespace vornel::ladder {

namespace {

using fr::capitalise;
using fr::cell_name;
using fr::cells_phrase;
using fr::de;
using fr::digit_the;
using fr::digits_the;
using fr::eliminations_phrase;
using fr::join;
using fr::unit_name;
using fr::verb_agreement;

using Cells = std::vector<std::uint8_t>;

// "deux", "trois"... for counts of cells (feminine "une") and digits.
std::string count_word(std::size_t n, bool feminine) {
    static const char* const kWords[] = {"zéro", "un",  "deux", "trois", "quatre",
                                         "cinq", "six", "sept", "huit",  "neuf"};
    if (n == 1 && feminine) return "une";
    return n < 10 ? kWords[n] : std::to_string(n);
}

std::string the_cell(int cell) { return "la case " + cell_name(cell); }

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
std::string set_phrase(const Step& step, const Cells& cells) {
    const unsigned digits = digits_in(step, cells);
    if (cells.size() == 1) return the_cell(cells.front()) + " ne peut contenir que " + digits_the(digits);
    return cells_phrase(cells) + " ne peuvent contenir que " + digits_the(digits) + ", " +
           count_word(static_cast<std::size_t>(std::popcount(digits)), false) + " chiffres pour " +
           count_word(cells.size(), true) + " cases";
}

// "nous retirons le 5 des cases ..., qui voient toutes ces cases."
std::string removal(const Step& step, const char* what) {
    return "nous retirons " + eliminations_phrase(step.eliminations) + ", " +
           verb_agreement(eliminated_cells(step).size(), "qui voit", "qui voient") + " " + what + ".";
}

int only(unsigned mask) { return std::countr_zero(mask); }

// Two sets: A locked without x, or B; a common digit z then in one of them.
std::vector<std::string> als_xz(const Step& step) {
    const std::vector<Cells> sets = sets_of(step);
    std::vector<std::string> lines = {capitalise(set_phrase(step, sets[0])) + " ; " + set_phrase(step, sets[1]) + "."};
    if (step.variant == 2) {
        const int x = step.links[0].from.digit, y = step.links[1].from.digit;
        lines.push_back("Dans chacun des deux groupes, les cases qui peuvent contenir " + digit_the(x) +
                        " voient toutes celles de l'autre groupe qui le peuvent, et de même pour " + digit_the(y) +
                        " : chacun de ces deux chiffres est dans un seul des groupes au plus.");
        lines.push_back("Un groupe ne peut perdre qu'un de ses chiffres : l'un perd " + digit_the(x) + ", l'autre " +
                        digit_the(y) + ", et chacun contient tous ses autres chiffres.");
        lines.push_back("Chaque chiffre est donc dans les cases qui le portent dans son groupe : " +
                        removal(step, "toutes les cases qui le portent"));
        return lines;
    }
    const int x = step.links[0].from.digit;
    const int z = step.eliminations.front().digit;
    Cells holders = holding(step, sets[0], z);
    const Cells more = holding(step, sets[1], z);
    holders.insert(holders.end(), more.begin(), more.end());
    lines.push_back("Les cases de l'un qui peuvent contenir " + digit_the(x) +
                    " voient toutes celles de l'autre qui le peuvent : " + digit_the(x) +
                    " est dans l'un des deux groupes au plus, et l'autre contient tous ses autres chiffres.");
    lines.push_back("Dans les deux cas, " + digit_the(z) + " est dans " + cells_phrase(holders) + " : " +
                    removal(step, holders.size() == 1 ? "cette case" : "ces cases"));
    return lines;
}

std::vector<std::string> als_xy_wing(const Step& step) {
    const std::vector<Cells> sets = sets_of(step);
    // The digits of the links between the sets: the weak links, told as a chain or not.
    std::vector<int> between;
    for (const Link& l : step.links)
        if (!l.strong) between.push_back(l.from.digit);
    const int x = between.at(0), y = between.at(1);
    const unsigned zs = step.digits;
    return {capitalise(set_phrase(step, sets[0])) + " ; " + set_phrase(step, sets[1]) + " ; " +
                set_phrase(step, sets[2]) + ".",
            capitalise(digit_the(x)) + " ne peut être à la fois dans le premier groupe et dans le deuxième, " +
                digit_the(y) +
                " à la fois dans le deuxième et dans le troisième ; le deuxième ne peut perdre à la fois " +
                digit_the(x) + " et " + digit_the(y) + ".",
            "S'il contient " + digit_the(x) +
                ", le premier groupe ne le contient pas et contient tous ses autres "
                "chiffres ; s'il contient " +
                digit_the(y) + ", il en va de même du troisième.",
            "Dans les deux cas, " + digits_the(zs) + (std::popcount(zs) > 1 ? " sont" : " est") +
                " dans le premier ou le troisième groupe : " + removal(step, "toutes les cases qui le portent")};
}

std::vector<std::string> als_chain(const Step& step) {
    const std::vector<Cells> sets = sets_of(step);
    std::vector<std::string> described;
    for (const Cells& set : sets) described.push_back(set_phrase(step, set));
    // The weak links, one between each two sets.
    std::vector<int> through;
    for (const Link& l : step.links)
        if (!l.strong) through.push_back(l.from.digit);
    const int z = step.eliminations.front().digit;
    std::vector<std::string> between;
    for (std::size_t i = 0; i < through.size(); ++i)
        between.push_back(digit_the(through[i]) + " entre le groupe " + std::to_string(i + 1) + " et le groupe " +
                          std::to_string(i + 2));
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < described.size(); ++i)
        lines.push_back("Groupe " + std::to_string(i + 1) + " : " + described[i] + ".");
    lines.push_back("Deux groupes voisins partagent un chiffre dont les places dans l'un voient toutes celles dans "
                    "l'autre, qui n'est donc que dans l'un des deux au plus : " +
                    join(between) + ".");
    lines.push_back("Si " + digit_the(z) + " n'était ni dans le groupe 1 ni dans le groupe " +
                    std::to_string(sets.size()) + ", le groupe 1 contiendrait tous ses autres chiffres, dont " +
                    digit_the(through.front()) + ", et chaque groupe suivant, privé du chiffre qui le lie au " +
                    "précédent, contiendrait tous ses autres chiffres : le dernier contiendrait " + digit_the(z) + ".");
    lines.push_back("Donc " + digit_the(z) + " est dans le groupe 1 ou dans le groupe " + std::to_string(sets.size()) +
                    " : " + removal(step, "toutes les cases qui le portent dans ces deux groupes"));
    return lines;
}

std::vector<std::string> death_blossom(const Step& step) {
    const std::vector<Cells> sets = sets_of(step);
    const int stem = sets[0].front();
    const int z = step.eliminations.front().digit;
    std::vector<std::string> lines = {capitalise(set_phrase(step, sets[0])) + "."};
    for (std::size_t i = 1; i < sets.size(); ++i) {
        const int d = step.links[i - 1].from.digit;
        lines.push_back("Pour " + digit_the(d) + " : " + set_phrase(step, sets[i]) + " ; celles qui peuvent contenir " +
                        digit_the(d) + " voient " + the_cell(stem) + ".");
    }
    lines.push_back("Le chiffre de " + the_cell(stem) +
                    " manque à son groupe, qui contient alors tous ses autres "
                    "chiffres, dont " +
                    digit_the(z) + " : " + digit_the(z) + " est dans l'un des groupes, et " +
                    removal(step, "toutes les cases qui le portent"));
    return lines;
}

std::vector<std::string> wxyz_wing(const Step& step) {
    const int z = step.eliminations.front().digit;
    const unsigned others = step.digits & ~(1u << z);
    const Cells holders = holding(step, step.cells, z);
    return {capitalise(cells_phrase(step.cells)) + " ne peuvent contenir que " + digits_the(step.digits) + ".",
            "Les cases qui peuvent y contenir " + digits_the(others) +
                " se voient toutes, chiffre par chiffre : chacun d'eux y est une fois au plus, trois chiffres pour "
                "quatre cases, donc " +
                digit_the(z) + " est dans " + cells_phrase(holders) + ".",
            capitalise(removal(step, holders.size() == 1 ? "cette case" : "ces cases"))};
}

std::vector<std::string> sue_de_coq(const Step& step) {
    const std::vector<Cells> sets = sets_of(step);
    const std::uint8_t line = step.units[0], region = step.units[1];
    const unsigned centre = digits_in(step, sets[0]), in_line = digits_in(step, sets[1]),
                   in_region = digits_in(step, sets[2]);
    const std::size_t cells = step.cells.size();
    return {capitalise(cells_phrase(sets[0])) + ", où " + unit_name(line) + " croise " + unit_name(region) +
                ", ne peuvent contenir que " + digits_the(centre) + ".",
            "Dans " + unit_name(line) + ", " + set_phrase(step, sets[1]) + " ; dans " + unit_name(region) + ", " +
                set_phrase(step, sets[2]) + " ; ces deux listes n'ont aucun chiffre commun.",
            "Chaque chiffre ne peut donc être qu'une fois dans ces " + count_word(cells, true) +
                " cases, qui ne peuvent contenir que " + count_word(cells, false) +
                " chiffres à elles toutes : chacun y est exactement une fois.",
            "Ainsi " + digits_the(in_line) + " restent dans " + unit_name(line) + " sur ces cases, " +
                digits_the(in_region) + " dans " + unit_name(region) +
                ((centre & ~in_line & ~in_region) != 0
                     ? ", et " + digits_the(centre & ~in_line & ~in_region) + " dans les cases de la croisée"
                     : std::string()) +
                " : nous retirons " + eliminations_phrase(step.eliminations) + "."};
}

std::vector<std::string> pair_exclusion(const Step& step) {
    const std::vector<Cells> sets = sets_of(step);
    const int p = step.cells[0], q = step.cells[1];
    std::vector<std::string> lines = {capitalise(set_phrase(step, sets[0])) + " ; " + set_phrase(step, sets[1]) +
                                      ". Elles se voient dans " + unit_name(step.units.front()) +
                                      " : elles ne peuvent contenir le même chiffre."};
    for (std::size_t i = 2; i < sets.size(); ++i) {
        const bool one = sets[i].size() == 1;
        lines.push_back(
            capitalise(set_phrase(step, sets[i])) + (one ? " et voit" : " et voient") + " " + the_cell(p) + " et " +
            the_cell(q) + " : celles-ci ne peuvent contenir ensemble deux de " +
            (one ? "ces chiffres, qui ne lui laisseraient rien." : "ces chiffres, qui ne leur en laisseraient qu'un."));
    }
    std::vector<std::string> gone;
    for (const int cell : {p, q}) {
        const int other = cell == p ? q : p;
        for (const Candidate& e : step.eliminations)
            if (e.cell == cell)
                gone.push_back("avec " + digit_the(e.digit) + " dans " + the_cell(cell) + ", " + the_cell(other) +
                               " n'aurait plus de chiffre possible");
    }
    lines.push_back(capitalise(join(gone)) + " : nous retirons " + eliminations_phrase(step.eliminations) + ".");
    return lines;
}

std::vector<std::string> rectangle(const Step& step) {
    const Cells corners(step.cells.begin(), step.cells.begin() + 4);
    const std::string pair = digits_the(step.digits);
    std::vector<std::string> lines = {capitalise(cells_phrase(corners)) +
                                      " forment un rectangle sur deux régions et peuvent toutes contenir " + pair +
                                      " : si ces quatre cases ne contenaient que ces deux chiffres, on pourrait les y "
                                      "échanger et le sudoku aurait deux solutions."};
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
    for (const std::uint8_t cell : corners)
        if (std::find(roof.begin(), roof.end(), cell) == roof.end()) floor.push_back(cell);
    switch (step.technique == Technique::HiddenRectangle ? 7 : step.variant) {
        case 3: {
            const Cells others(step.cells.begin() + 4, step.cells.end());
            unsigned digits = extras | digits_in(step, others);
            lines.push_back(capitalise(cells_phrase(roof)) + " ne contiennent pas que " + pair +
                            " : l'une d'elles contient " + digits_the(extras) +
                            (std::popcount(extras) > 1 ? " (l'un d'eux)" : "") +
                            ", comme si elles formaient une seule case.");
            lines.push_back("Avec " + cells_phrase(others) + ", dans " + unit_name(step.units.front()) +
                            ", cela fait " + count_word(others.size() + 1, true) + " cases pour " + digits_the(digits) +
                            " : nous retirons " + eliminations_phrase(step.eliminations) + ".");
            break;
        }
        case 5: {
            const int extra = only(extras);
            lines.push_back(capitalise(cells_phrase(floor)) +
                            (floor.size() == 1 ? " ne contient que " : " ne contiennent que ") + pair + " ; " +
                            cells_phrase(roof) + " peuvent contenir en plus " + digit_the(extra) +
                            " : l'une d'elles le contient, et " + removal(step, "ces cases"));
            break;
        }
        case 6: {
            const int x = step.eliminations.front().digit;
            const int y = only(step.digits & ~(1u << x));
            Cells opposite = eliminated_cells(step);
            Cells pair_only;
            for (const std::uint8_t cell : corners)
                if (std::find(opposite.begin(), opposite.end(), cell) == opposite.end()) pair_only.push_back(cell);
            lines.push_back(capitalise(cells_phrase(pair_only)) + " ne contiennent que " + pair + ". Dans " +
                            fr::units_phrase(step.units) + ", " + digit_the(x) +
                            " ne peut aller que dans les cases du rectangle.");
            lines.push_back("Si " + the_cell(opposite.front()) + " ou " + the_cell(opposite.back()) + " contenait " +
                            digit_the(x) + ", toutes deux le contiendraient, et les deux autres cases " + digit_the(y) +
                            " : nous retirons " + eliminations_phrase(step.eliminations) + ".");
            break;
        }
        default: {
            const Candidate& e = step.eliminations.front();
            const int x = only(step.digits & ~(1u << e.digit));
            const int corner = step.fins.front().cell;
            lines.push_back(capitalise(the_cell(corner)) + " ne contient que " + pair + ". Dans " +
                            fr::units_phrase(step.units) + ", " + digit_the(x) +
                            " ne peut aller que dans les cases du rectangle.");
            lines.push_back("Si " + the_cell(e.cell) + " contenait " + digit_the(e.digit) +
                            ", les deux cases du rectangle qui la voient contiendraient " + digit_the(x) + " et " +
                            the_cell(corner) + " " + digit_the(e.digit) + " : nous retirons " +
                            eliminations_phrase(step.eliminations) + ".");
            break;
        }
    }
    return lines;
}

// The digits already found in some corners, none of them given, would complete a pattern that
// could swap.
std::vector<std::string> avoidable_rectangle(const Step& step) {
    const Cells corners(step.cells.begin(), step.cells.begin() + 4);
    const int a = only(step.digits), b = only(step.digits & ~(1u << a));
    std::vector<std::string> lines = {capitalise(cells_phrase(corners)) +
                                      " forment un rectangle sur deux régions, et aucune n'est une case donnée : si "
                                      "elles contenaient " +
                                      digits_the(step.digits) +
                                      " en diagonale, on pourrait les y échanger et le sudoku aurait deux solutions."};
    if (step.variant == 1) {
        const Candidate& e = step.eliminations.front();
        const int other = e.digit == a ? b : a;
        Cells twins, single;
        for (const std::uint8_t cell : corners) {
            if (cell == e.cell) continue;
            const bool beside = row_of(cell) == row_of(e.cell) || col_of(cell) == col_of(e.cell);
            (beside ? twins : single).push_back(cell);
        }
        lines.push_back("Nous avons trouvé " + digit_the(other) + " dans " + cells_phrase(twins) + " et " +
                        digit_the(e.digit) + " dans " + the_cell(single.front()) + " : " + the_cell(e.cell) +
                        " ne peut pas contenir " + digit_the(e.digit) + ", nous le retirons.");
        return lines;
    }
    const int x = step.highlighted.front().digit;
    Cells open;
    for (const Candidate& h : step.highlighted) open.push_back(h.cell);
    Cells found;
    for (const std::uint8_t cell : corners)
        if (std::find(open.begin(), open.end(), cell) == open.end()) found.push_back(cell);
    lines.push_back("Nous avons déjà trouvé " + digits_the(step.digits) + " dans " + cells_phrase(found) + " ; " +
                    cells_phrase(open) + " ne peuvent contenir que le chiffre qui achèverait le motif, ou " +
                    digit_the(x) + ".");
    lines.push_back("L'une d'elles contient donc " + digit_the(x) + " : " + removal(step, "ces deux cases"));
    return lines;
}

} // namespace

std::vector<std::string> narrate_sets(const Step& step) {
    switch (step.technique) {
        case Technique::AlsXz: return als_xz(step);
        case Technique::AlsXyWing: return als_xy_wing(step);
        case Technique::AlsChain: return als_chain(step);
        case Technique::DeathBlossom: return death_blossom(step);
        case Technique::WxyzWing: return wxyz_wing(step);
        case Technique::SueDeCoq: return sue_de_coq(step);
        case Technique::AlignedPairExclusion: return pair_exclusion(step);
        case Technique::UniqueRectangle:
        case Technique::HiddenRectangle: return rectangle(step);
        case Technique::AvoidableRectangle: return avoidable_rectangle(step);
        default: return {};
    }
}

} // namespace vornel::ladder
