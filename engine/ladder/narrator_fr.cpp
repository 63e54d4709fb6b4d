#include "narrator_fr.h"

#include <array>

#include "french.h"
#include "narrator_fr_chains.h"
#include "narrator_fr_patterns.h"
#include "narrator_fr_sets.h"

namespace vornel::ladder {

using namespace fr;

namespace {

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
                " : ces chiffres ne peuvent aller ailleurs dans " + unit + ", et nous retirons " +
                eliminations_phrase(step.eliminations) + "."};
    }
    return {"Dans " + unit + ", " + digits_the(step.digits) + " ne peuvent aller que dans " + cells_phrase(step.cells) +
            " : nous retirons de ces cases les autres chiffres, " + eliminations_phrase(step.eliminations) + "."};
}

std::vector<std::uint8_t> eliminated_cells(const Step& step) {
    std::vector<std::uint8_t> cells;
    for (const Candidate& e : step.eliminations) cells.push_back(e.cell);
    return cells;
}

std::string kind_plural(int first_unit) {
    return first_unit < 9 ? "ces lignes" : first_unit < 18 ? "ces colonnes" : "ces régions";
}

std::vector<std::string> fish(const Step& step) {
    const int d = only_digit(step);
    const auto size = static_cast<std::size_t>(step.variant);
    const std::vector<std::uint8_t> base(step.units.begin(), step.units.begin() + static_cast<std::ptrdiff_t>(size));
    const std::vector<std::uint8_t> cover(step.units.begin() + static_cast<std::ptrdiff_t>(size), step.units.end());
    const std::string removal = "nous retirons " + digit_the(d) + " " + de(cells_phrase(eliminated_cells(step))) + ".";
    if (step.fins.empty()) {
        return {"Dans " + units_phrase(base) + ", " + digit_the(d) + " ne peut aller que dans " + units_phrase(cover) +
                " : " + kind_plural(cover.front()) + " ont donc leur " + std::to_string(d) + " dans " +
                kind_plural(base.front()) + ", et " + removal};
    }
    std::vector<std::uint8_t> fin_cells;
    for (const Candidate& f : step.fins) fin_cells.push_back(f.cell);
    const bool one = fin_cells.size() == 1;
    return {"Dans " + units_phrase(base) + ", " + digit_the(d) + " ne peut aller que dans " + units_phrase(cover) +
                ", sauf dans " + cells_phrase(fin_cells) + (one ? ", l'aileron." : ", les ailerons."),
            std::string(one ? "Si l'aileron contient " : "Si un aileron contient ") + digit_the(d) + ", " +
                unit_name(18 + box_of(fin_cells.front())) + " n'a pas d'autre " + std::to_string(d) + " ; sinon, " +
                kind_plural(cover.front()) + " ont leur " + std::to_string(d) + " dans " + kind_plural(base.front()) +
                ".",
            "Dans les deux cas, " + removal};
}

// The two strong links of a skyscraper or a kite, then their far ends, then the removal.
std::vector<std::string> two_links(const Step& step) {
    const int d = only_digit(step);
    const auto cell = [&](std::size_t i) { return "la case " + cell_name(step.cells[i]); };
    const std::vector<std::uint8_t> first = {step.cells[1], step.cells[0]};
    const std::vector<std::uint8_t> second = {step.cells[2], step.cells[3]};
    std::vector<std::uint8_t> sorted_first = first, sorted_second = second;
    if (sorted_first[0] > sorted_first[1]) std::swap(sorted_first[0], sorted_first[1]);
    if (sorted_second[0] > sorted_second[1]) std::swap(sorted_second[0], sorted_second[1]);
    const std::size_t n = step.eliminations.size();
    return {"Dans " + unit_name(step.units[0]) + ", " + digit_the(d) + " ne peut aller que dans " +
                cells_phrase(sorted_first) + " ; dans " + unit_name(step.units[1]) + ", que dans " +
                cells_phrase(sorted_second) + ".",
            capitalise(cell(1)) + " et " + cell(2) + " sont toutes deux dans " + unit_name(step.units[2]) +
                " : l'une au moins ne contient pas " + digit_the(d) + ", donc " + digit_the(d) + " est dans " +
                cell(0) + " ou dans " + cell(3) + ".",
            "Nous retirons " + digit_the(d) + " " + de(cells_phrase(eliminated_cells(step))) + ", " +
                verb_agreement(n, "qui voit", "qui voient") + " ces deux cases."};
}

// "que le 2 et le 7", as in "ne peut contenir que le 2 et le 7".
std::string only(unsigned digits) { return "que " + digits_the(digits); }

std::vector<std::string> wing(const Step& step) {
    const std::size_t n = step.eliminations.size();
    const int z = step.eliminations.front().digit;
    const std::string removed = digit_the(z);
    // The digits of each cell of the pattern, from the highlighted candidates.
    const auto digits_of = [&](std::uint8_t cell) {
        unsigned mask = 0;
        for (const Candidate& h : step.highlighted)
            if (h.cell == cell) mask |= 1u << h.digit;
        return mask;
    };
    const auto cell = [&](std::size_t i) { return cell_short(step.cells[i]); };
    const std::string removal =
        "nous retirons " + eliminations_short(step.eliminations) + ", " + verb_agreement(n, "qui voit", "qui voient");
    switch (step.technique) {
        case Technique::XyWing: {
            const unsigned pivot = digits_of(step.cells[0]);
            const int x = std::countr_zero(pivot & digits_of(step.cells[1]));
            const int y = std::countr_zero(pivot & digits_of(step.cells[2]));
            return {cell(0) + " ne peut contenir " + only(pivot) + ", " + cell(1) + " " +
                        only(digits_of(step.cells[1])) + ", " + cell(2) + " " + only(digits_of(step.cells[2])) + ".",
                    "Si " + cell(0) + " contient " + digit_the(x) + ", " + cell(1) + " contient " + removed +
                        " ; sinon " + cell(0) + " contient " + digit_the(y) + " et " + cell(2) + " contient " +
                        removed + ".",
                    "Dans les deux cas, " + removed + " est en " + cell(1) + " ou en " + cell(2) + " : " + removal +
                        " ces deux cases."};
        }
        case Technique::XyzWing:
            return {cell(0) + " ne peut contenir " + only(digits_of(step.cells[0])) + ", " + cell(1) + " " +
                        only(digits_of(step.cells[1])) + ", " + cell(2) + " " + only(digits_of(step.cells[2])) + ".",
                    "Quel que soit le chiffre de " + cell(0) + ", " + removed +
                        " est dans l'une de ces trois cases : " + removal + " les trois."};
        default: {
            const int x = std::countr_zero(static_cast<unsigned>(step.digits) & ~(1u << z));
            return {cell(0) + " et " + cell(1) + " ne peuvent contenir " + only(step.digits) + ".",
                    "Dans " + unit_name(step.units.front()) + ", " + digit_the(x) + " ne peut aller qu'en " + cell(2) +
                        ", qui voit " + cell(0) + ", et en " + cell(3) + ", qui voit " + cell(1) + ".",
                    "L'une de ces deux cases contient donc " + digit_the(x) + " : " + cell(0) + " ou " + cell(1) +
                        " ne le contient pas et contient " + removed + ".",
                    capitalise(removal) + " " + cell(0) + " et " + cell(1) + "."};
        }
    }
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

namespace {

std::vector<std::string> sentences(const Step& step) {
    if (step.technique == Technique::UniqueRectangle && (step.variant == 3 || step.variant >= 5))
        return narrate_sets(step);
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
        case Technique::XWing:
        case Technique::Swordfish:
        case Technique::Jellyfish:
        case Technique::FinnedXWing:
        case Technique::FinnedSwordfish:
        case Technique::FinnedJellyfish: return fish(step);
        case Technique::EmptyRectangle:
        case Technique::FrankenFish:
        case Technique::MutantFish:
        case Technique::MultiColouring:
        case Technique::Medusa3D: return narrate_patterns(step);
        case Technique::Skyscraper:
        case Technique::TwoStringKite: return two_links(step);
        case Technique::XyWing:
        case Technique::XyzWing:
        case Technique::WWing: return wing(step);
        case Technique::SimpleColouring:
        case Technique::XChain:
        case Technique::RemotePair:
        case Technique::XyChain:
        case Technique::Aic:
        case Technique::TurbotFish:
        case Technique::GroupedAic:
        case Technique::UniqueRectangle:
        case Technique::BugPlusOne:
        case Technique::Nishio:
        case Technique::ForcingChain:
        case Technique::Trial: return narrate_chains(step);
        case Technique::HiddenRectangle:
        case Technique::AvoidableRectangle:
        case Technique::WxyzWing:
        case Technique::SueDeCoq:
        case Technique::AlignedPairExclusion:
        case Technique::AlsXz:
        case Technique::AlsXyWing:
        case Technique::AlsChain:
        case Technique::DeathBlossom: return narrate_sets(step);
        default: return plain(step);
    }
}

// The longest line of a step's telling (UTF-8 code points): every single fits whole.
constexpr std::size_t kLineWidth = 112;

} // namespace

std::vector<std::string> narrate_sentences(const Step& step) { return sentences(step); }

std::vector<std::string> narrate(const Step& step) {
    std::vector<std::string> lines;
    for (const std::string& sentence : sentences(step))
        for (std::string& piece : wrap(sentence, kLineWidth, "")) lines.push_back(std::move(piece));
    return lines;
}

std::vector<std::string> narrate_verdict(const Explanation& explanation) {
    std::vector<std::string> lines;
    const auto rating = [&] {
        if (!explanation.rating) return;
        std::string line = "Difficulté : " + std::string(level_name_fr(explanation.rating->level)) + " (score " +
                           std::to_string(explanation.rating->score) + ")";
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
                            (n == 0
                                 ? std::string("sans chaîne forcée, aucun chiffre ne s'impose.")
                                 : "nous avons écrit ce que la logique impose sans chaîne forcée, en " + steps + "."));
            if (explanation.two_solutions) {
                const std::array<Grid, 2>& two = *explanation.two_solutions;
                lines.push_back("En voici deux :");
                for (const Grid& grid : two) {
                    std::string line;
                    for (const std::uint8_t v : grid) line += static_cast<char>('0' + v);
                    lines.push_back(line);
                }
                std::vector<std::string> cells;
                for (const std::uint8_t cell : explanation.differing_cells)
                    cells.push_back(cell_name(cell) + " (" + std::to_string(two[0][cell]) + " ou " +
                                    std::to_string(two[1][cell]) + ")");
                const std::size_t d = cells.size();
                lines.push_back("Elles diffèrent dans " +
                                (d == 1 ? std::string("la case ") : std::to_string(d) + " cases : ") + join(cells) +
                                ".");
            }
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
