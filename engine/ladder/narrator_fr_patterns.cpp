#include "narrator_fr_patterns.h"

#include <algorithm>
#include <bit>

#include "french.h"

namespace vornel::ladder {

using namespace fr;

namespace {

int only_digit(const Step& step) { return std::countr_zero(static_cast<unsigned>(step.digits)); }

std::vector<std::uint8_t> cells_of(const std::vector<Candidate>& candidates) {
    std::vector<std::uint8_t> cells;
    for (const Candidate& c : candidates) cells.push_back(c.cell);
    return cells;
}

std::string case_of(int cell) { return "la case " + cell_name(cell); }

std::string number_word(std::size_t n) {
    static const char* const kWords[] = {"zéro", "un", "deux", "trois", "quatre", "cinq"};
    return n < 6 ? kWords[n] : std::to_string(n);
}

// Cells: the region's places, then the hinge and the far end of the conjugate pair. Units: the
// region, its row, its column, the pair's line.
std::vector<std::string> empty_rectangle(const Step& step) {
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
    return {"Dans " + unit_name(region) + ", " + digit_the(d) + " ne peut aller que dans " + unit_name(row) +
                " ou dans " + unit_name(column) + ".",
            "Dans " + unit_name(line) + ", " + digit_the(d) + " ne peut aller que dans " + case_of(hinge) +
                " et dans " + case_of(far) + ".",
            "Si " + case_of(target) + ", dans " + unit_name(lost) + ", contenait " + digit_the(d) + ", " +
                unit_name(region) + " aurait son " + std::to_string(d) + " dans " + unit_name(kept) + ", hors de " +
                unit_name(lost) + " : " + case_of(hinge) + " ne pourrait pas le contenir, et " + case_of(far) +
                ", qui voit " + case_of(target) + ", devrait le contenir.",
            "Nous retirons donc " + digit_the(d) + " " + de(case_of(target)) + "."};
}

// Units: the base, then the cover (variant: the size).
std::vector<std::string> region_fish(const Step& step) {
    const int d = only_digit(step);
    const auto size = static_cast<std::ptrdiff_t>(step.variant);
    const std::vector<std::uint8_t> base(step.units.begin(), step.units.begin() + size);
    const std::vector<std::uint8_t> cover(step.units.begin() + size, step.units.end());
    const std::string n = number_word(static_cast<std::size_t>(size));
    std::vector<std::uint8_t> removed = cells_of(step.eliminations);
    const std::string removal = "nous retirons " + digit_the(d) + " " + de(cells_phrase(removed));
    std::vector<std::string> lines = {capitalise(units_phrase(base)) + " n'ont aucune place " + de(digit_the(d)) +
                                      " en commun : elles contiennent " + n + " fois " + digit_the(d) + ", à " + n +
                                      " places différentes."};
    if (step.fins.empty()) {
        lines.push_back("Toutes ces places sont dans " + units_phrase(cover) + ", qui ne peuvent contenir que " + n +
                        " fois " + digit_the(d) + " : ce sont les " + n + " " + std::to_string(d) + " de départ, et " +
                        removal + ".");
        return lines;
    }
    const std::vector<std::uint8_t> fins = cells_of(step.fins);
    const bool one = fins.size() == 1;
    const std::size_t k = removed.size();
    lines.push_back("Toutes ces places sont dans " + units_phrase(cover) + ", sauf " + cells_phrase(fins) +
                    (one ? ", l'aileron." : ", les ailerons."));
    lines.push_back(std::string(one ? "Si l'aileron contient " : "Si un aileron contient ") + digit_the(d) + ", " +
                    cells_phrase(removed) + " ne " + verb_agreement(k, "le contient", "le contiennent") + " pas, car " +
                    verb_agreement(k, "elle voit", "elles voient") + (one ? " l'aileron" : " tous les ailerons") +
                    " ; sinon, " + units_phrase(cover) + " ont leurs " + n + " " + std::to_string(d) +
                    " aux places de départ.");
    lines.push_back("Dans les deux cas, " + removal + ".");
    return lines;
}

std::vector<std::string> multi_colouring(const Step& step) {
    const int d = only_digit(step);
    // Split each colour into the first cluster (highlighted) and the second.
    const auto in_first = [&](const Candidate& c) {
        return std::find(step.highlighted.begin(), step.highlighted.end(), c) != step.highlighted.end();
    };
    std::vector<std::uint8_t> a1, b1, a2, b2;
    for (const Candidate& c : step.colour_a) (in_first(c) ? a1 : b1).push_back(c.cell);
    for (const Candidate& c : step.colour_b) (in_first(c) ? a2 : b2).push_back(c.cell);
    std::vector<std::string> lines = {
        "En suivant les lignes, les colonnes et les régions où " + digit_the(d) +
            " n'a que deux places, deux groupes de cases reçoivent chacun deux couleurs : dans chaque groupe, " +
            digit_the(d) + " occupe toutes les cases d'une couleur et aucune de l'autre.",
        "Premier groupe : " + cells_list(a1) + " d'une part, " + cells_list(a2) +
            " d'autre part. Second groupe : " + cells_list(b1) + " d'une part, " + cells_list(b2) + " d'autre part."};
    const int from = step.cells[0], to = step.cells[1];
    if (step.variant == 2) {
        lines.push_back(capitalise(case_of(from)) +
                        " voit des cases des deux couleurs du second groupe, dont l'une contient " + digit_the(d) +
                        " : elle ne le contient pas, ni aucune case de sa couleur. Nous retirons " +
                        eliminations_phrase(step.eliminations) + ".");
        return lines;
    }
    lines.push_back(capitalise(case_of(from)) + " et " + case_of(to) +
                    " se voient : elles ne contiennent pas toutes deux " + digit_the(d) +
                    ", donc l'une au moins des deux autres couleurs le porte, " + cells_phrase(a2) + " ou " +
                    cells_phrase(b2) + ".");
    lines.push_back("Une case qui voit une case de chacune de ces deux couleurs ne peut pas contenir " + digit_the(d) +
                    " : nous retirons " + eliminations_phrase(step.eliminations) + ".");
    return lines;
}

std::string candidates_list(const std::vector<Candidate>& list) {
    std::vector<std::string> items;
    for (const Candidate& c : list) items.push_back(digit_the(c.digit) + " en " + cell_short(c.cell));
    return join(items);
}

std::vector<std::string> medusa(const Step& step) {
    std::vector<std::string> lines = {
        "En suivant les cases qui n'ont que deux candidats et les lignes, colonnes et régions où un chiffre n'a "
        "que deux places, ces candidats reçoivent deux couleurs : " +
        candidates_list(step.colour_a) + " d'une part, " + candidates_list(step.colour_b) +
        " d'autre part. Les candidats d'une couleur sont tous vrais, ceux de l'autre tous faux."};
    const auto& w = step.highlighted;
    switch (step.variant) {
        case 1:
            lines.push_back("La première couleur met " + digit_the(w[0].digit) + " et " + digit_the(w[1].digit) +
                            " dans la même case " + cell_short(w[0].cell) + " : elle est fausse.");
            break;
        case 2:
            lines.push_back("La première couleur met " + digit_the(w[0].digit) + " en " + cell_short(w[0].cell) +
                            " et en " + cell_short(w[1].cell) + ", qui se voient : elle est fausse.");
            break;
        case 3:
            lines.push_back("La première couleur retire tous les candidats de " + case_of(w[0].cell) +
                            " : elle est fausse.");
            break;
        default:
            lines.push_back("Chaque candidat retiré voit une couleur dans sa case ou par une case qu'il voit, et "
                            "l'autre couleur de même : il est faux quelle que soit la couleur vraie. Nous retirons " +
                            eliminations_phrase(step.eliminations) + ".");
            return lines;
    }
    lines.push_back("Nous retirons ses candidats : " + eliminations_phrase(step.eliminations) + ".");
    return lines;
}

} // namespace

std::vector<std::string> narrate_patterns(const Step& step, Language) {
    switch (step.technique) {
        case Technique::EmptyRectangle: return empty_rectangle(step);
        case Technique::FrankenFish:
        case Technique::MutantFish: return region_fish(step);
        case Technique::MultiColouring: return multi_colouring(step);
        default: return medusa(step);
    }
}

} // namespace vornel::ladder
