// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise.h"

#include <algorithm>

#include "generate.h"
#include "ladder/narration.h"
#include "ladder/technique_table.h"
#include "solution_count.h"

namespace vornel::learn {

namespace {

using ladder::Candidate;
using ladder::Step;
using ladder::Technique;

bool contains(const std::vector<Candidate>& list, const Candidate& c) {
    return std::find(list.begin(), list.end(), c) != list.end();
}

// True when every placement and elimination of `part` is among those of `whole`.
bool within(const Change& part, const Step& whole) {
    for (const Candidate& c : part.placements)
        if (!contains(whole.placements, c)) return false;
    for (const Candidate& c : part.eliminations)
        if (!contains(whole.eliminations, c)) return false;
    return true;
}

bool same_change(const Change& change, const Step& step) {
    return change.placements.size() == step.placements.size() &&
           change.eliminations.size() == step.eliminations.size() && within(change, step);
}

// What the step changes that the marking leaves out.
Change left_out(const Change& change, const Step& step) {
    Change out;
    for (const Candidate& c : step.placements)
        if (!contains(change.placements, c)) out.placements.push_back(c);
    for (const Candidate& c : step.eliminations)
        if (!contains(change.eliminations, c)) out.eliminations.push_back(c);
    return out;
}

std::size_t size_of(const Change& change) { return change.placements.size() + change.eliminations.size(); }

// The marks of a change that are false against the solution: a placed digit that is not the
// cell's, a removed candidate that is.
Change false_in(const Change& change, const Grid& solution) {
    Change out;
    for (const Candidate& c : change.placements)
        if (solution[c.cell] != c.digit) out.placements.push_back(c);
    for (const Candidate& c : change.eliminations)
        if (solution[c.cell] == c.digit) out.eliminations.push_back(c);
    return out;
}

std::string list_text(const std::vector<Candidate>& list, bool placements, Language language) {
    const bool en = language == Language::English;
    std::string out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out += i + 1 == list.size() ? (en ? " and " : " et ") : ", ";
        out +=
            cell_name(list[i].cell, language) + (placements ? "=" : (en ? "<>" : "≠")) + std::to_string(list[i].digit);
    }
    return out;
}

std::string change_list(const Change& change, Language language) {
    std::string out = list_text(change.placements, true, language);
    if (!change.placements.empty() && !change.eliminations.empty()) out += language == Language::English ? "; " : " ; ";
    return out + list_text(change.eliminations, false, language);
}

} // namespace

std::string cell_name(int cell, Language language) {
    const std::string row = std::to_string(ladder::row_of(cell) + 1);
    const std::string col = std::to_string(ladder::col_of(cell) + 1);
    return language == Language::English ? "r" + row + "c" + col : "L" + row + "C" + col;
}

Family family_of(Technique technique) {
    switch (technique) {
        case Technique::FullHouse:
        case Technique::HiddenSingle:
        case Technique::NakedSingle: return Family::Singles;
        case Technique::Pointing:
        case Technique::Claiming: return Family::Intersections;
        case Technique::NakedPair:
        case Technique::HiddenPair:
        case Technique::NakedTriple:
        case Technique::HiddenTriple:
        case Technique::NakedQuad:
        case Technique::HiddenQuad: return Family::Subsets;
        case Technique::XWing:
        case Technique::Swordfish:
        case Technique::Jellyfish:
        case Technique::FinnedXWing:
        case Technique::FinnedSwordfish:
        case Technique::FinnedJellyfish:
        case Technique::FrankenFish:
        case Technique::MutantFish: return Family::Fish;
        case Technique::Skyscraper:
        case Technique::TwoStringKite:
        case Technique::EmptyRectangle:
        case Technique::TurbotFish: return Family::SingleDigit;
        case Technique::XyWing:
        case Technique::XyzWing:
        case Technique::WWing:
        case Technique::WxyzWing: return Family::Wings;
        case Technique::UniqueRectangle:
        case Technique::BugPlusOne:
        case Technique::HiddenRectangle:
        case Technique::AvoidableRectangle: return Family::Uniqueness;
        case Technique::SimpleColouring:
        case Technique::RemotePair:
        case Technique::MultiColouring:
        case Technique::XChain:
        case Technique::XyChain:
        case Technique::Medusa3D:
        case Technique::Aic:
        case Technique::GroupedAic: return Family::Chains;
        case Technique::SueDeCoq:
        case Technique::AlignedPairExclusion:
        case Technique::AlsXz:
        case Technique::AlsXyWing:
        case Technique::AlsChain:
        case Technique::DeathBlossom:
        case Technique::AlsAic: return Family::Sets;
        case Technique::Nishio:
        case Technique::ForcingChain:
        case Technique::Trial: break;
    }
    return Family::Forcing;
}

std::string family_name(Family family, Language language) {
    const bool en = language == Language::English;
    switch (family) {
        case Family::Singles: return en ? "Singles" : "Singletons";
        case Family::Intersections: return en ? "Intersections" : "Intersections";
        case Family::Subsets: return en ? "Subsets" : "Sous-ensembles";
        case Family::Fish: return en ? "Fish" : "Poissons";
        case Family::SingleDigit: return en ? "Single-digit patterns" : "Motifs d'un seul chiffre";
        case Family::Wings: return en ? "Wings" : "Ailes";
        case Family::Uniqueness: return en ? "Uniqueness" : "Unicité";
        case Family::Chains: return en ? "Colouring and chains" : "Coloriage et chaînes";
        case Family::Sets: return en ? "Sets of cells" : "Ensembles de cases";
        case Family::Forcing: break;
    }
    return en ? "Forcing" : "Raisonnements forcés";
}

std::optional<Exercise> exercise_from(const Grid& givens, Technique technique) {
    const SolutionCount count = find_solutions(givens, 2);
    if (count.count != 1) return std::nullopt;
    ladder::Ladder ladder(givens, true);
    for (int steps = 0; ladder.candidates().empty_cells() > 0 && steps < 1000; ++steps) {
        std::optional<Step> step = ladder.next_step();
        if (!step) return std::nullopt;
        if (step->technique == technique) {
            Exercise exercise;
            exercise.technique = technique;
            exercise.givens = givens;
            exercise.solution = count.first;
            exercise.position = ladder.candidates();
            exercise.step = std::move(*step);
            exercise.steps_before = steps;
            return exercise;
        }
        ladder.apply(*step);
    }
    return std::nullopt;
}

bool can_practise(Technique technique) {
    return technique != Technique::Trial &&
           (generator::untargetable(technique).empty() || ladder::technique_row(technique).example != nullptr);
}

std::optional<Exercise> make_exercise(Technique technique, std::uint64_t seed, const std::atomic<bool>& stop,
                                      long attempts) {
    if (!can_practise(technique)) return std::nullopt;
    if (generator::untargetable(technique).empty()) {
        generator::Request request;
        request.needs = technique;
        generator::Generator generator(request, seed);
        while (!stop && generator.attempts() < attempts)
            if (std::optional<Grid> puzzle = generator.attempt())
                if (std::optional<Exercise> exercise = exercise_from(*puzzle, technique)) return exercise;
    }
    if (stop) return std::nullopt;
    const char* example = ladder::technique_row(technique).example;
    if (example == nullptr) return std::nullopt;
    Grid givens{};
    for (std::size_t c = 0; c < 81; ++c) givens[c] = static_cast<std::uint8_t>(example[c] - '0');
    return exercise_from(givens, technique);
}

std::vector<Step> instances(const ladder::Candidates& position, Technique technique, bool unique_solution) {
    std::vector<Step> found;
    if (position.empty_cells() == 0) return found;
    if (ladder::needs_unique_solution(technique) && !unique_solution) return found;
    if (!ladder::find_every(position, technique, found)) {
        if (std::optional<Step> first = ladder::find_first(position, technique)) found.push_back(std::move(*first));
    }
    std::erase_if(found, [&](const Step& step) { return !ladder::makes_progress(position, step); });
    return found;
}

Judgement judge(const Exercise& exercise, const Change& marked) {
    Judgement judgement;
    if (marked.empty()) {
        judgement.instance = exercise.step;
        return judgement;
    }
    const std::vector<Step> all = instances(exercise.position, exercise.technique, true);
    for (const Step& step : all) {
        if (same_change(marked, step)) {
            judgement.kind = Judgement::Kind::Found;
            judgement.instance = step;
            return judgement;
        }
    }
    // Part of an instance: the one that leaves the least out.
    for (const Step& step : all) {
        if (!within(marked, step)) continue;
        Change missed = left_out(marked, step);
        if (!judgement.instance || size_of(missed) < size_of(judgement.missed)) {
            judgement.kind = Judgement::Kind::Partial;
            judgement.instance = step;
            judgement.missed = std::move(missed);
        }
    }
    if (judgement.instance) return judgement;
    judgement.kind = Judgement::Kind::Wrong;
    judgement.instance = exercise.step;
    for (const Candidate& c : marked.placements) {
        bool made = false;
        for (const Step& step : all) made = made || contains(step.placements, c);
        if (!made) judgement.wrong.placements.push_back(c);
    }
    for (const Candidate& c : marked.eliminations) {
        bool made = false;
        for (const Step& step : all) made = made || contains(step.eliminations, c);
        if (!made) judgement.wrong.eliminations.push_back(c);
    }
    judgement.false_marks = false_in(judgement.wrong, exercise.solution);
    return judgement;
}

std::string judgement_text(const Judgement& judgement, const Exercise& exercise, Language language) {
    const bool en = language == Language::English;
    const std::string name = ladder::technique_name(exercise.technique, language);
    switch (judgement.kind) {
        case Judgement::Kind::Found:
            return en ? "Well spotted: that is a step of the technique \"" + name + "\"."
                      : "Bien vu : c'est un pas de la technique « " + name + " ».";
        case Judgement::Kind::Partial:
            return en ? "Right so far, but the same pattern also gives " + change_list(judgement.missed, language) + "."
                      : "C'est juste, mais le même motif donne aussi " + change_list(judgement.missed, language) + ".";
        case Judgement::Kind::Empty:
            return en ? "Mark what the step changes: the candidates it removes, or the digit it places."
                      : "Marquez ce que le pas change : les candidats qu'il retire, ou le chiffre qu'il place.";
        case Judgement::Kind::Wrong: break;
    }
    const std::string wrong = change_list(judgement.wrong, language);
    if (size_of(judgement.false_marks) > 0)
        return en ? "Not so: " + change_list(judgement.false_marks, language) +
                        " would lose the solution; no step of the technique \"" + name + "\" makes it."
                  : "Non : " + change_list(judgement.false_marks, language) +
                        " perdrait la solution ; aucun pas de la technique « " + name + " » ne le fait.";
    return en ? "No step of the technique \"" + name + "\" gives " + wrong + " in this position."
              : "Aucun pas de la technique « " + name + " » ne donne " + wrong + " dans cette position.";
}

std::optional<Step> recognise(const ladder::Candidates& before, const Change& change, bool unique_solution) {
    if (change.empty()) return std::nullopt;
    for (const Candidate& c : change.placements)
        if (!before.has(c.cell, c.digit) || before.value(c.cell) != 0) return std::nullopt;
    for (const Candidate& c : change.eliminations)
        if (!before.has(c.cell, c.digit)) return std::nullopt;
    for (const ladder::TechniqueRow& row : ladder::technique_table()) {
        if (row.technique == Technique::ForcingChain || row.technique == Technique::Trial) break;
        for (const Step& step : instances(before, row.technique, unique_solution))
            if (within(change, step)) return step;
    }
    return std::nullopt;
}

std::string recognition_text(const std::optional<Step>& step, Language language) {
    const bool en = language == Language::English;
    if (!step)
        return en ? "This does not follow from the position yet: no technique short of forcing chains gives it."
                  : "Cela ne découle pas encore de la position : aucune technique en deçà des chaînes forcées ne le "
                    "donne.";
    std::string digits;
    for (int d = 1; d <= 9; ++d)
        if ((step->digits >> d) & 1) digits += (digits.empty() ? "" : ", ") + std::to_string(d);
    std::string units;
    for (const std::uint8_t unit : step->units) {
        std::string word;
        switch (ladder::unit_kind(unit)) {
            case ladder::UnitKind::Row: word = en ? "row " : "ligne "; break;
            case ladder::UnitKind::Column: word = en ? "column " : "colonne "; break;
            case ladder::UnitKind::Region: word = en ? "box " : "région "; break;
        }
        units += (units.empty() ? "" : ", ") + word + std::to_string(ladder::unit_number(unit) + 1);
    }
    std::string detail = digits.empty() ? "" : (en ? "digit " : "chiffre ") + digits;
    if (!units.empty()) detail += (detail.empty() ? "" : (en ? "; " : " ; ")) + units;
    const std::string name = ladder::technique_name(step->technique, language);
    if (detail.empty()) return en ? "Well spotted: " + name + "." : "Bien vu : " + name + ".";
    return en ? "Well spotted: " + name + " (" + detail + ")." : "Bien vu : " + name + " (" + detail + ").";
}

} // namespace vornel::learn
