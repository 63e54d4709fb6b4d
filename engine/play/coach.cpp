// SPDX-License-Identifier: GPL-3.0-or-later
#include "coach.h"

#include <algorithm>

#include "ladder/grammar.h"
#include "ladder/narration.h"

namespace vornel::play {

namespace {

using ladder::BoardPicture;
using ladder::Candidate;
using ladder::Technique;

std::size_t at(int cell) { return static_cast<std::size_t>(cell); }

// The words of one language the coach's sentences are built with.
struct Words {
    Language language;
    bool fr() const { return language == Language::French; }
    const ladder::Grammar& g() const { return ladder::grammar(language); }
    std::string cell(int c) const { return cell_word(c, language); }
    std::string cells(const std::vector<std::uint8_t>& list) const {
        std::vector<std::string> names;
        for (const std::uint8_t c : list) names.push_back(cell(c));
        return g().join(names);
    }
    std::string unit(int u) const { return g().unit_name(u); }
    std::string units(const std::vector<std::uint8_t>& list) const { return g().units_phrase(list); }
    std::string digit(int d) const { return g().digit_the(d); } // "le 7" / "the 7"
    std::string cap(const std::string& s) const { return g().capitalise(s); }
    // "Le 5 de L3C4" / "The 5 in r3c4".
    std::string digit_in(const Candidate& c) const {
        return cap(digit(c.digit)) + (fr() ? " de " : " in ") + cell(c.cell);
    }
    // "dans la ligne 3" / "in row 3".
    std::string in_unit(int u) const { return (fr() ? "dans " : "in ") + unit(u); }
};

// The board as the player sees it: their digits, and their pencil marks as candidates.
BoardPicture position_picture(const Position& p) {
    BoardPicture picture;
    for (std::size_t c = 0; c < 81; ++c) {
        picture.cells[c].value = p.values[c];
        picture.cells[c].candidates = p.values[c] ? 0 : p.marks[c];
    }
    return picture;
}

void mark_unit(BoardPicture& picture, int unit) {
    for (const std::uint8_t c : ladder::geometry().unit_cells[at(unit)]) picture.cells[c].in_unit = true;
}

// The boxes the pattern's cells lie in, for a step that names no unit.
std::vector<std::uint8_t> boxes_of(const std::vector<std::uint8_t>& cells) {
    std::vector<std::uint8_t> boxes;
    for (const std::uint8_t c : cells) {
        const auto box = static_cast<std::uint8_t>(18 + ladder::box_of(c));
        if (std::find(boxes.begin(), boxes.end(), box) == boxes.end()) boxes.push_back(box);
    }
    std::sort(boxes.begin(), boxes.end());
    return boxes;
}

// ---- Steps ----

std::vector<std::string> where_lines(const ladder::Step& step, const Words& w) {
    const Candidate& p = step.placements.empty() ? Candidate{} : step.placements.front();
    switch (step.technique) {
        case Technique::FullHouse:
            return {w.fr() ? "Regardez " + w.unit(step.units.front()) + " : il n'y reste qu'une case vide."
                           : "Look at " + w.unit(step.units.front()) + ": only one cell is left empty there."};
        case Technique::HiddenSingle:
            return {(w.fr() ? "Regardez " : "Look at ") + w.unit(step.units.front()) + (w.fr() ? " pour " : " for ") +
                    w.digit(p.digit) + "."};
        case Technique::NakedSingle: {
            const int box = 18 + ladder::box_of(p.cell);
            return {w.fr() ? "Regardez " + w.unit(box) + " : une de ses cases vides n'a plus qu'un candidat."
                           : "Look at " + w.unit(box) + ": one of its empty cells has only one candidate left."};
        }
        default: break;
    }
    const std::string name = ladder::technique_name(step.technique, w.language);
    std::string where;
    if (!step.units.empty())
        where = w.fr() ? "dans " + w.units(step.units) : "in " + w.units(step.units);
    else if (!step.cells.empty())
        where =
            w.fr() ? "autour " + w.g().de(w.units(boxes_of(step.cells))) : "around " + w.units(boxes_of(step.cells));
    else
        where = w.fr() ? "dans toute la grille" : "anywhere in the grid";
    return {w.fr() ? "Cherchez avec la technique « " + name + " », " + where + "."
                   : "Try the technique \u201c" + name + "\u201d " + where + "."};
}

// Level 2 of a hidden single: the placed digits that rule the unit's other empty cells out.
void hidden_single_reason(const Hint& hint, const Words& w, Advice& advice) {
    const ladder::Step& step = hint.step;
    const Candidate p = step.placements.front();
    const int unit = step.units.front();
    const Grid& values = hint.position.values;
    const auto& geo = ladder::geometry();
    // Over the player's own marks: a single needs no candidates, and showing all would tell more.
    BoardPicture picture = position_picture(hint.position);
    mark_unit(picture, unit);
    std::vector<std::string> ruled;
    std::vector<std::uint8_t> rulers;
    std::vector<std::uint8_t> lost;
    for (const std::uint8_t x : geo.unit_cells[at(unit)]) {
        if (x == p.cell || values[x]) continue;
        bool found = false;
        for (const std::uint8_t line : geo.cell_units[x]) {
            if (line == unit || found) continue;
            for (const std::uint8_t y : geo.unit_cells[line]) {
                if (values[y] != p.digit) continue;
                found = true;
                picture.cells[y].pattern = true;
                picture.links.emplace_back(Candidate{y, p.digit}, Candidate{x, p.digit}, false);
                if (std::find(rulers.begin(), rulers.end(), y) == rulers.end()) {
                    rulers.push_back(y);
                    ruled.push_back(w.cell(y) + (w.fr() ? " par " : " along ") + w.unit(line));
                }
                break;
            }
        }
        if (!found) lost.push_back(x);
    }
    const std::string in = w.cap(w.in_unit(unit));
    if (!ruled.empty())
        advice.lines.push_back(w.fr()
                                   ? in + ", les " + std::to_string(p.digit) +
                                         " déjà placés excluent les autres cases vides : " + w.g().join(ruled) + "."
                                   : in + ", the " + std::to_string(p.digit) +
                                         "s already placed rule out the other empty cells: " + w.g().join(ruled) + ".");
    if (!lost.empty())
        advice.lines.push_back(
            w.fr() ? w.cells(lost) + (lost.size() == 1 ? " n'a plus " : " n'ont plus ") + w.digit(p.digit) +
                         (lost.size() == 1 ? " parmi ses candidats." : " parmi leurs candidats.")
                   : w.cells(lost) + (lost.size() == 1 ? " no longer has " : " no longer have ") + w.digit(p.digit) +
                         " among " + (lost.size() == 1 ? "its" : "their") + " candidates.");
    advice.lines.push_back(w.fr() ? "Il ne reste qu'une place pour " + w.digit(p.digit) + "."
                                  : "Only one place is left for " + w.digit(p.digit) + ".");
    advice.picture = std::move(picture);
}

// Level 2 of a naked single: the placed digits around the cell that rule its other digits out.
void naked_single_reason(const Hint& hint, const Words& w, Advice& advice) {
    const Candidate p = hint.step.placements.front();
    const int box = 18 + ladder::box_of(p.cell);
    const auto& geo = ladder::geometry();
    BoardPicture picture = position_picture(hint.position);
    mark_unit(picture, box);
    int ruled = 0;
    for (int d = 1; d <= 9; ++d) {
        if (d == p.digit) continue;
        for (const std::uint8_t peer : geo.peers[p.cell])
            if (hint.position.values[peer] == d) {
                picture.cells[peer].pattern = true;
                ++ruled;
                break;
            }
    }
    advice.lines.push_back(
        w.fr() ? w.cap(w.in_unit(box)) + ", une case vide ne peut plus recevoir qu'un chiffre : les chiffres encadrés, "
                                         "dans sa ligne, sa colonne et sa région, excluent les autres."
               : w.cap(w.in_unit(box)) + ", one empty cell can take only one digit now: the framed digits in its row, "
                                         "its column and its box rule out the others.");
    if (ruled < 8)
        advice.lines.push_back(w.fr() ? "Ses candidats en avaient déjà perdu d'autres, par les techniques d'avant."
                                      : "Its candidates had already lost the others, through earlier techniques.");
    advice.picture = std::move(picture);
}

void pattern_reason(const Hint& hint, const Words& w, Advice& advice) {
    const ladder::Step& step = hint.step;
    switch (step.technique) {
        case Technique::HiddenSingle: hidden_single_reason(hint, w, advice); return;
        case Technique::NakedSingle: naked_single_reason(hint, w, advice); return;
        case Technique::FullHouse: {
            const int unit = step.units.front();
            advice.lines.push_back(
                w.fr()
                    ? w.cap(w.unit(unit)) + " a déjà huit chiffres : sa seule case vide reçoit celui qui lui manque."
                    : w.cap(w.unit(unit)) + " already holds eight digits: its only empty cell takes the one it lacks.");
            BoardPicture picture = position_picture(hint.position);
            mark_unit(picture, unit);
            advice.picture = std::move(picture);
            return;
        }
        default: break;
    }
    std::string pattern = w.fr() ? "Le motif : " : "The pattern: ";
    pattern += step.cells.empty() ? std::string(w.fr() ? "les candidats marqués" : "the marked candidates")
                                  : w.cells(step.cells);
    if (step.digits) pattern += (w.fr() ? ", avec " : ", with ") + w.g().digits_the(step.digits);
    advice.lines.push_back(pattern + ".");
    if (!step.links.empty())
        advice.lines.push_back(w.fr() ? "Suivez la chaîne dessinée : où mène-t-elle ?"
                                      : "Follow the chain drawn: where does it lead?");
    // The pattern without its conclusion: nothing struck, nothing placed.
    BoardPicture picture = hint.before ? ladder::picture_of(*hint.before) : position_picture(hint.position);
    for (const std::uint8_t cell : step.cells) picture.cells[cell].pattern = true;
    const auto add = [](std::uint16_t& mask, int digit) { mask = static_cast<std::uint16_t>(mask | (1u << digit)); };
    const auto conclusion = [&](const Candidate& c) {
        return std::find(step.eliminations.begin(), step.eliminations.end(), c) != step.eliminations.end() ||
               std::find(step.placements.begin(), step.placements.end(), c) != step.placements.end();
    };
    for (const Candidate& c : step.highlighted)
        if (!conclusion(c)) add(picture.cells[c.cell].highlighted, c.digit);
    for (const Candidate& c : step.fins) add(picture.cells[c.cell].fins, c.digit);
    for (const Candidate& c : step.colour_a) add(picture.cells[c.cell].colour_a, c.digit);
    for (const Candidate& c : step.colour_b) add(picture.cells[c.cell].colour_b, c.digit);
    for (const std::uint8_t unit : step.units) mark_unit(picture, unit);
    picture.links = step.links;
    advice.picture = std::move(picture);
}

// ---- Mistakes ----

// "la case L7C7 n'a plus aucun candidat" / "the 8 has no place left in column 4".
std::string end_phrase(const ladder::BranchEnd& end, const Words& w) {
    if (end.kind == ladder::BranchEnd::Kind::EmptyCell)
        return w.fr() ? w.cell(end.cell) + " n'a plus aucun candidat" : w.cell(end.cell) + " has no candidate left";
    return w.fr() ? w.digit(end.candidate.digit) + " n'a plus de place " + w.in_unit(end.unit)
                  : w.digit(end.candidate.digit) + " has no place left " + w.in_unit(end.unit);
}

void wrong_digit(const Hint& hint, HintLevel level, const Words& w, Advice& advice) {
    const Mistake& m = hint.mistake;
    const Candidate where = hint.where;
    BoardPicture picture = position_picture(hint.position);
    picture.cells[where.cell].pattern = true;
    const std::string it = w.digit_in(where);
    const std::string wrong = it + (w.fr() ? " n'est pas le bon chiffre" : " is not the right digit");
    switch (m.kind) {
        case Mistake::Kind::Repeat:
            advice.lines.push_back(w.fr() ? it + " est déjà " + w.in_unit(m.unit) + ", en " + w.cell(m.cell) +
                                                " : un chiffre ne va qu'une fois par ligne, par colonne et par région."
                                          : it + " is already " + w.in_unit(m.unit) + ", at " + w.cell(m.cell) +
                                                ": a digit goes only once in each row, column and box.");
            picture.cells[m.cell].pattern = true;
            mark_unit(picture, m.unit);
            break;
        case Mistake::Kind::EmptyCell:
            advice.lines.push_back(
                w.fr() ? wrong + " : avec lui, " + w.cell(m.cell) +
                             " ne peut plus rien recevoir, sa ligne, sa colonne et sa région ayant déjà les neuf "
                             "chiffres."
                       : wrong + ": with it, " + w.cell(m.cell) +
                             " can take no digit any more, its row, column and box holding all nine already.");
            picture.cells[m.cell].pattern = true;
            break;
        case Mistake::Kind::NoPlace:
            advice.lines.push_back(
                w.fr()
                    ? wrong + " : avec lui, " + w.digit(m.digit) + " n'a plus aucune place " + w.in_unit(m.unit) + "."
                    : wrong + ": with it, " + w.digit(m.digit) + " has no place left " + w.in_unit(m.unit) + ".");
            mark_unit(picture, m.unit);
            break;
        case Mistake::Kind::Contradiction:
            advice.lines.push_back(w.fr() ? wrong + " : il mène à une contradiction qui ne se voit pas encore."
                                          : wrong + ": it leads to a contradiction that does not show yet.");
            if (level == HintLevel::Where) {
                advice.lines.push_back(w.fr() ? "Demandez l'indice suivant pour voir où il mène."
                                              : "Ask for the next hint to see where it leads.");
                break;
            }
            advice.lines.push_back(w.fr() ? "En suivant les seuls chiffres qu'il force, " + end_phrase(m.proof.end, w) +
                                                "."
                                          : "Following only the digits it forces, " + end_phrase(m.proof.end, w) + ".");
            if (m.proof.end.kind == ladder::BranchEnd::Kind::EmptyCell)
                picture.cells[m.proof.end.cell].pattern = true;
            else
                mark_unit(picture, m.proof.end.unit);
            if (level == HintLevel::Step) {
                for (const ladder::Implication& step : m.proof.implications) {
                    const Candidate c = step.candidate;
                    if (step.why == ladder::Implication::Why::HiddenSingle)
                        advice.lines.push_back(w.fr() ? w.cap(w.in_unit(step.unit)) + ", " + w.digit(c.digit) +
                                                            " ne peut plus aller qu'en " + w.cell(c.cell) + "."
                                                      : w.cap(w.in_unit(step.unit)) + ", " + w.digit(c.digit) +
                                                            " can only go in " + w.cell(c.cell) + ".");
                    else
                        advice.lines.push_back(w.fr()
                                                   ? w.cell(c.cell) + " ne peut plus être que " + w.digit(c.digit) + "."
                                                   : w.cell(c.cell) + " can only be " + w.digit(c.digit) + ".");
                    auto& marks = picture.cells[c.cell];
                    marks.candidates = static_cast<std::uint16_t>(marks.candidates | (1u << c.digit));
                    marks.highlighted = static_cast<std::uint16_t>(marks.highlighted | (1u << c.digit));
                }
                advice.lines.push_back(w.fr() ? "Et là, " + end_phrase(m.proof.end, w) + "."
                                              : "And there, " + end_phrase(m.proof.end, w) + ".");
            }
            break;
        case Mistake::Kind::Hidden:
            advice.lines.push_back(
                w.fr() ? wrong + " : avec lui, la grille n'a plus de solution, même si cela ne se voit pas encore."
                       : wrong + ": with it, the puzzle has no solution left, though it does not show yet.");
            break;
    }
    advice.lines.push_back(w.fr() ? "Effacez-le, ou reprenez la partie avant votre première erreur."
                                  : "Erase it, or take the game back to before your first mistake.");
    advice.picture = std::move(picture);
}

void missing_mark(const Hint& hint, const Words& w, Advice& advice) {
    const int cell = hint.where.cell;
    advice.lines.push_back(w.fr() ? "Les candidats de " + w.cell(cell) +
                                        " ne permettent plus de solution : vous y avez retiré un candidat nécessaire."
                                  : "The candidates of " + w.cell(cell) +
                                        " no longer allow a solution: a candidate you took out of it was needed.");
    advice.lines.push_back(w.fr() ? "Revoyez les candidats de cette case, ou reprenez la partie avant votre "
                                    "première erreur."
                                  : "Look at this cell's candidates again, or take the game back to before your first "
                                    "mistake.");
    BoardPicture picture = position_picture(hint.position);
    picture.cells[at(cell)].pattern = true;
    advice.picture = std::move(picture);
}

} // namespace

std::string cell_word(int cell, Language language) { return ladder::grammar(language).cell_short(cell); }

Advice advise(const Hint& hint, HintLevel level, Language language) {
    const Words w{language};
    Advice advice;
    switch (hint.kind) {
        case Hint::Kind::Solved:
            advice.lines.push_back(w.fr() ? "La grille est résolue : plus rien à chercher."
                                          : "The puzzle is solved: there is nothing left to look for.");
            return advice;
        case Hint::Kind::WrongDigit:
            advice.mistake = true;
            wrong_digit(hint, level, w, advice);
            return advice;
        case Hint::Kind::MissingMark:
            advice.mistake = true;
            missing_mark(hint, w, advice);
            return advice;
        case Hint::Kind::Step: break;
    }
    const ladder::Step& step = hint.step;
    advice.technique = step.technique;
    if (level == HintLevel::Step) {
        advice.lines = ladder::narrate_sentences(step, language);
        if (step.technique <= Technique::NakedSingle && !step.placements.empty()) {
            // A single over the player's own marks: the unit and the digit placed.
            BoardPicture picture = position_picture(hint.position);
            for (const std::uint8_t u : step.units) mark_unit(picture, u);
            const Candidate p = step.placements.front();
            picture.cells[p.cell].placed = true;
            picture.cells[p.cell].value = p.digit;
            advice.picture = std::move(picture);
        } else if (hint.before) {
            advice.picture = ladder::picture_of(*hint.before, step, 1);
        }
        advice.can_apply = true;
        return advice;
    }
    advice.lines = where_lines(step, w);
    if (level == HintLevel::Where) {
        // Level 1 draws only where to look, never a cell of the step, over the player's own marks.
        BoardPicture picture = position_picture(hint.position);
        for (const std::uint8_t u : !step.units.empty() ? step.units : boxes_of(step.cells)) mark_unit(picture, u);
        advice.picture = std::move(picture);
        return advice;
    }
    pattern_reason(hint, w, advice);
    return advice;
}

std::vector<std::string> hint_text(const Hint& hint, HintLevel level, Language language) {
    return advise(hint, level, language).lines;
}

} // namespace vornel::play
