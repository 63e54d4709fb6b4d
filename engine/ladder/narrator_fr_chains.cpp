#include "narrator_fr_chains.h"

#include <algorithm>
#include <bit>

#include "french.h"

namespace vornel::ladder {

namespace {

using fr::capitalise;
using fr::cell_name;
using fr::cells_list;
using fr::cells_phrase;
using fr::digit_the;
using fr::digits_the;
using fr::eliminations_phrase;
using fr::join;
using fr::unit_name;

int only_digit(const Step& step) { return std::countr_zero(static_cast<unsigned>(step.digits)); }

std::string the_cell(int cell) { return "la case " + cell_name(cell); }

// "la case ligne 1, colonne 2 contient le 5", or "elle contient le 5" when the cell was just named.
std::string holds(const Candidate& c, bool same_cell) {
    return (same_cell ? std::string("elle") : the_cell(c.cell)) + " contient " + digit_the(c.digit);
}
std::string lacks(const Candidate& c, bool same_cell) {
    return (same_cell ? std::string("elle") : the_cell(c.cell)) + " ne contient pas " + digit_the(c.digit);
}

// "un 3 dans la case ligne 4, colonne 2".
std::string a_digit_in(const Candidate& c) { return "un " + std::to_string(c.digit) + " dans " + the_cell(c.cell); }

std::vector<std::uint8_t> cells_of(const std::vector<Candidate>& candidates) {
    std::vector<std::uint8_t> cells;
    for (const Candidate& c : candidates) cells.push_back(c.cell);
    return cells;
}

// The chain read from its start: "Si la case ... ne contient pas le 5, alors la case ... contient
// le 5, donc ...". Strong links turn a candidate on, weak links turn the next one off.
std::string chain_sentence(const std::vector<Link>& links) {
    std::string text = "Si " + lacks(links.front().from, false);
    for (std::size_t i = 0; i < links.size(); ++i) {
        const Link& l = links[i];
        const bool same = l.from.cell == l.to.cell;
        text += i == 0 ? ", alors " : ", donc ";
        text += l.strong ? holds(l.to, same) : lacks(l.to, same);
    }
    return text + ".";
}

std::vector<std::string> chain(const Step& step) {
    std::vector<std::string> lines;
    if (step.technique == Technique::XyChain)
        lines.push_back("Chaque case de la chaîne suivante ne peut contenir que deux chiffres.");
    lines.push_back(chain_sentence(step.links));
    const Candidate& start = step.links.front().from;
    const Candidate& end = step.links.back().to;
    if (!step.placements.empty()) {
        lines.push_back("Supposer que " + the_cell(start.cell) + " ne contient pas " + digit_the(start.digit) +
                        " mène donc à ce qu'elle le contienne : nous écrivons un " + std::to_string(start.digit) +
                        " dans " + the_cell(start.cell) + ".");
        return lines;
    }
    std::string either;
    if (start.digit == end.digit)
        either = digit_the(start.digit) + " se trouve dans " + the_cell(start.cell) + " ou dans " + the_cell(end.cell);
    else if (start.cell == end.cell)
        either = the_cell(start.cell) + " contient " + digit_the(start.digit) + " ou " + digit_the(end.digit);
    else
        either = the_cell(start.cell) + " contient " + digit_the(start.digit) + " ou " + the_cell(end.cell) +
                 " contient " + digit_the(end.digit);
    lines.push_back("Ainsi, " + either + " : nous retirons " + eliminations_phrase(step.eliminations) + ".");
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
    return {capitalise(cells_phrase(step.cells)) + " ne peuvent contenir que " + digits_the(pair) +
                " et se voient de proche en proche : les deux chiffres y alternent, " +
                cells_phrase(cells_of(step.colour_a)) + " contenant l'un, " + cells_phrase(cells_of(step.colour_b)) +
                " l'autre.",
            "Une case qui voit une case de chaque groupe ne peut contenir ni " + digit_the(a) + " ni " + digit_the(b) +
                " : nous retirons " + eliminations_phrase(step.eliminations) + "."};
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

// The links of a forcing chain split into branches, each the list of what its assumption implies.
std::vector<std::vector<Candidate>> branches(const Step& step) {
    std::vector<std::vector<Candidate>> out(step.highlighted.size());
    std::size_t at = 0;
    for (std::size_t i = 0; i < step.links.size(); ++i) {
        const Link& l = step.links[i];
        if (i > 0 && !(l.from == step.links[i - 1].to)) {
            // A new branch: the one whose assumption is `from`.
            for (std::size_t k = 0; k < step.highlighted.size(); ++k)
                if (step.highlighted[k] == l.from) at = k;
        } else if (i == 0) {
            for (std::size_t k = 0; k < step.highlighted.size(); ++k)
                if (step.highlighted[k] == l.from) at = k;
        }
        out[at].push_back(l.to);
    }
    return out;
}

// "il s'ensuit un 3 dans la case ..., un 7 dans la case ... et un 2 dans la case ...".
std::string implied(const std::vector<Candidate>& placed, const std::string& means) {
    std::vector<std::string> items;
    for (const Candidate& c : placed) items.push_back(a_digit_in(c));
    return "il s'ensuit" + (means.empty() ? std::string(" ") : ", " + means + ", ") + join(items);
}

std::vector<std::string> forcing(const Step& step) {
    std::vector<std::string> lines;
    const auto paths = branches(step);
    // Variants 4 to 6 are 1 to 3 drawn with intersections as well as singles, 7 to 9 also with
    // forcing chains inside the branches.
    const int kind = (step.variant - 1) % 3 + 1;
    const int level = (step.variant - 1) / 3;
    const std::string means = level == 0   ? ""
                              : level == 1 ? "avec les intersections"
                                           : "avec les intersections et des chaînes forcées imbriquées";
    if (kind == 1) {
        const Candidate& a = step.highlighted.front();
        std::string text = "Si " + the_cell(a.cell) + " contenait " + digit_the(a.digit) + ", ";
        std::vector<std::string> items;
        for (const Candidate& c : paths.front()) items.push_back(a_digit_in(c));
        std::string broken =
            step.cells.empty()
                ? digit_the(only_digit(step)) + " n'aurait plus de place dans " + unit_name(step.units.front())
                : the_cell(step.cells.front()) + " n'aurait plus aucun chiffre possible";
        if (items.empty())
            text += (means.empty() ? std::string() : means + ", ") + broken + ".";
        else
            text += "il faudrait écrire " + join(items) + (means.empty() ? std::string() : " (" + means + ")") +
                    ", et " + broken + ".";
        lines.push_back(text);
        lines.push_back(capitalise(digit_the(a.digit)) + " est donc impossible dans " + the_cell(a.cell) +
                        " : nous le retirons.");
        return lines;
    }
    if (kind == 2) {
        const int cell = step.cells.front();
        unsigned digits = 0;
        for (const Candidate& h : step.highlighted) digits |= 1u << h.digit;
        lines.push_back(capitalise(the_cell(cell)) + " ne peut contenir que " + digits_the(digits) + ".");
    } else {
        lines.push_back("Dans " + unit_name(step.units.front()) + ", " + digit_the(only_digit(step)) +
                        " ne peut aller que dans " + cells_phrase(cells_of(step.highlighted)) + ".");
    }
    const bool place = !step.placements.empty();
    const Candidate target = place ? step.placements.front() : step.eliminations.front();
    for (std::size_t k = 0; k < step.highlighted.size(); ++k) {
        const Candidate& a = step.highlighted[k];
        std::string text = "Si " + holds(a, false) + ", ";
        if (paths[k].empty())
            text += the_cell(target.cell) + " ne peut pas contenir " + digit_the(target.digit) + ".";
        else
            text += implied(paths[k], means) + ".";
        lines.push_back(text);
    }
    if (place)
        lines.push_back("Dans tous les cas, " + the_cell(target.cell) + " contient " + digit_the(target.digit) +
                        " : nous écrivons un " + std::to_string(target.digit) + ".");
    else
        lines.push_back("Dans tous les cas, " + the_cell(target.cell) + " ne peut pas contenir " +
                        digit_the(target.digit) + " : nous le retirons.");
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

} // namespace

std::vector<std::string> narrate_chains(const Step& step) {
    switch (step.technique) {
        case Technique::SimpleColouring: return colouring(step);
        case Technique::RemotePair: return remote_pair(step);
        case Technique::XChain:
        case Technique::XyChain:
        case Technique::Aic: return chain(step);
        case Technique::UniqueRectangle: return unique_rectangle(step);
        case Technique::BugPlusOne: return bug_plus_one(step);
        case Technique::ForcingChain: return forcing(step);
        case Technique::Trial: return trial(step);
        default: return {};
    }
}

} // namespace vornel::ladder
