#include "narrator_fr.h"

#include <array>

#include "french.h"

namespace vornel::ladder {

using namespace fr;

namespace {

constexpr std::array<const char*, kTechniqueCount> kNames = {
    "Dernière case libre",
    "Singleton caché",
    "Singleton nu",
    "Intersection pointante",
    "Intersection réclamante",
    "Paire nue",
    "Paire cachée",
    "Triplet nu",
    "Triplet caché",
    "Quadruplet nu",
    "Quadruplet caché",
    "X-Wing",
    "Gratte-ciel",
    "Cerf-volant",
    "Swordfish",
    "Jellyfish",
    "X-Wing à aileron",
    "Swordfish à aileron",
    "XY-Wing",
    "XYZ-Wing",
    "W-Wing",
    "Coloriage simple",
    "Chaîne X",
    "Paires distantes",
    "Chaîne XY",
    "Chaîne d'inférences alternées",
    "Rectangle unique",
    "BUG+1",
    "Chaîne forcée",
    "Essai",
};

int only_digit(const Step& step) { return std::countr_zero(static_cast<unsigned>(step.digits)); }

std::string written(int digit) { return "nous écrivons un " + std::to_string(digit) + "."; }

std::vector<std::string> singles(const Step& step) {
    const Candidate& p = step.placements.front();
    const std::string cell = "la case " + cell_name(p.cell);
    switch (step.technique) {
        case Technique::FullHouse:
            return {capitalise(cell) + " est la seule case vide " + de(unit_name(step.units.front())) +
                    " : nous écrivons un " + std::to_string(p.digit) + ", le chiffre qui y manque."};
        case Technique::HiddenSingle:
            return {"Dans " + unit_name(step.units.front()) + ", " + digit_the(p.digit) + " ne peut aller que dans " +
                    cell + " : " + written(p.digit)};
        default: return {capitalise(cell) + " ne peut contenir que " + digit_the(p.digit) + " : " + written(p.digit)};
    }
}

std::vector<std::string> intersection(const Step& step) {
    const int d = only_digit(step);
    return {"Dans " + unit_name(step.units[0]) + ", " + digit_the(d) + " ne peut aller que dans " +
            unit_name(step.units[1]) + " : nous retirons " + eliminations_phrase(step.eliminations) + "."};
}

std::vector<std::string> subset(const Step& step, bool naked) {
    const std::string unit = unit_name(step.units.front());
    if (naked) {
        return {capitalise(cells_phrase(step.cells)) + " ne peuvent contenir que " + digits_the(step.digits) +
                " : nous retirons " + digits_the(step.digits) + " des autres cases " + de(unit) + "."};
    }
    return {"Dans " + unit + ", " + digits_the(step.digits) + " ne peuvent aller que dans " + cells_phrase(step.cells) +
            " : nous retirons de ces cases les autres chiffres, " + eliminations_phrase(step.eliminations) + "."};
}

// Techniques without sentences of their own yet: what the step does, under the technique's name.
std::vector<std::string> plain(const Step& step) {
    std::vector<std::string> lines;
    std::string text = "Par la technique « " + technique_name_fr(step.technique) + " », nous ";
    std::vector<std::string> parts;
    for (const Candidate& p : step.placements)
        parts.push_back("écrivons un " + std::to_string(p.digit) + " dans la case " + cell_name(p.cell));
    if (!step.eliminations.empty()) parts.push_back("retirons " + eliminations_phrase(step.eliminations));
    return {text + join(parts) + "."};
}

} // namespace

std::string technique_name_fr(Technique technique) { return kNames[static_cast<std::size_t>(technique)]; }

std::vector<std::string> narrate(const Step& step) {
    switch (step.technique) {
        case Technique::FullHouse:
        case Technique::HiddenSingle:
        case Technique::NakedSingle: return singles(step);
        case Technique::Pointing:
        case Technique::Claiming: return intersection(step);
        case Technique::NakedPair:
        case Technique::NakedTriple:
        case Technique::NakedQuad: return subset(step, true);
        case Technique::HiddenPair:
        case Technique::HiddenTriple:
        case Technique::HiddenQuad: return subset(step, false);
        default: return plain(step);
    }
}

std::vector<std::string> narrate_verdict(const Explanation& explanation) {
    std::vector<std::string> lines;
    const auto rating = [&] {
        std::string line =
            "Difficulté : " + explanation.rating.level + " (score " + std::to_string(explanation.rating.score) + ")";
        if (explanation.hardest) line += ", technique la plus difficile : " + technique_name_fr(*explanation.hardest);
        lines.push_back(line + ".");
    };
    const std::size_t n = explanation.steps.size();
    const std::string steps = std::to_string(n) + (n > 1 ? " étapes" : " étape");
    switch (explanation.verdict) {
        case Verdict::Invalid:
            lines = explanation.problems;
            lines.push_back("Le sudoku n'est pas valide.");
            break;
        case Verdict::NoSolution: lines.push_back("Le sudoku n'a aucune solution."); break;
        case Verdict::MultipleSolutions:
            lines.push_back("Le sudoku a plusieurs solutions : " +
                            (n == 0 ? std::string("aucun chiffre n'est forcé.")
                                    : "nous avons écrit ce que la logique impose, en " + steps +
                                          ", et aucune déduction ne mène plus loin."));
            break;
        case Verdict::Stuck:
            lines.push_back("Le sudoku a une solution unique, mais notre méthode ne permet pas de la trouver : "
                            "aucune de nos techniques ne s'applique après " +
                            steps + ".");
            rating();
            break;
        case Verdict::Solved:
            lines.push_back(n == 0 ? std::string("Le sudoku est déjà rempli.")
                                   : "Le sudoku est résolu en " + steps + ".");
            rating();
            break;
    }
    return lines;
}

} // namespace vornel::ladder
