// SPDX-License-Identifier: GPL-3.0-or-later
#include "game.h"

#include <algorithm>
#include <bit>
#include <cstdio>

#include "bit_ops.h"
#include "ladder/french.h"
#include "ladder/grammar.h"
#include "ladder/narration.h"
#include "ladder/narrator_fr.h"
#include "solution_count.h"

namespace vornel::play {

namespace {

using ladder::Candidate;
namespace fr = ladder::fr;

constexpr std::uint16_t kAllDigits = 0x3FE;

std::size_t at(int cell) { return static_cast<std::size_t>(cell); }

bool valid_cell(int cell) { return cell >= 0 && cell < 81; }
bool valid_digit(int digit) { return digit >= 1 && digit <= 9; }

// The digits the peers of `cell` hold, bit d for digit d.
std::uint16_t seen_digits(const Grid& values, int cell) {
    std::uint16_t seen = 0;
    for (const std::uint8_t peer : ladder::geometry().peers[at(cell)])
        if (values[peer]) seen = static_cast<std::uint16_t>(seen | (1u << values[peer]));
    return seen;
}

// Writes `digit` in `cell` of `p` and takes it out of the peers' pencil marks.
void place(Position& p, int cell, int digit) {
    p.values[at(cell)] = static_cast<std::uint8_t>(digit);
    for (const std::uint8_t peer : ladder::geometry().peers[at(cell)])
        p.marks[peer] = static_cast<std::uint16_t>(p.marks[peer] & ~(1u << digit));
}

// The first cell a step names, if any: its pattern, else what it places or takes out.
std::optional<int> first_cell(const ladder::Step& step) {
    if (!step.cells.empty()) return step.cells.front();
    if (!step.placements.empty()) return step.placements.front().cell;
    if (!step.eliminations.empty()) return step.eliminations.front().cell;
    return std::nullopt;
}

std::string where_to_look(const ladder::Step& step) {
    if (!step.units.empty()) return "dans " + fr::units_phrase(step.units);
    if (const auto cell = first_cell(step)) return "autour de " + fr::cells_phrase({static_cast<std::uint8_t>(*cell)});
    return "dans toute la grille";
}

// The coach's English phrases, from the ladder's English grammar: cells "r4c2", units "row 4",
// "columns 2 and 7", "box 5".
namespace en {

const ladder::Grammar& words() { return ladder::grammar(Language::English); }

std::string digits(unsigned set) { return (bit_count(set) > 1 ? "digits " : "digit ") + words().digits_the(set); }

std::string where_to_look(const ladder::Step& step) {
    if (!step.units.empty()) return "in " + words().units_phrase(step.units);
    if (const auto c = first_cell(step)) return "around " + words().cell_short(*c);
    return "anywhere in the grid";
}

} // namespace en

} // namespace

Game::Game(const Grid& givens, const Grid& solution) : givens_(givens), solution_(solution) {
    Position first;
    first.values = givens;
    history_.push_back(first);
}

std::string problem_text(GameProblem problem, Language language) {
    const bool en = language == Language::English;
    switch (problem) {
        case GameProblem::NotADigit:
            return en ? "The puzzle holds a value that is not a digit."
                      : "La grille contient une valeur qui n'est pas un chiffre.";
        case GameProblem::NoSolution:
            return en ? "This puzzle has no solution: it cannot be played."
                      : "Cette grille n'a aucune solution : on ne peut pas la jouer.";
        case GameProblem::SeveralSolutions:
            return en ? "This puzzle has several solutions: it cannot be played."
                      : "Cette grille a plusieurs solutions : on ne peut pas la jouer.";
        case GameProblem::ChangesAGiven:
            return en ? "The game changes a given digit of the puzzle."
                      : "La partie change un chiffre donné de la grille.";
        case GameProblem::SavedNotADigit:
            return en ? "The game holds a value that is not a digit."
                      : "La partie contient une valeur qui n'est pas un chiffre.";
    }
    return {};
}

std::optional<Game> Game::start(const Grid& givens, std::string& error, Language language) {
    const auto refuse = [&](GameProblem problem) {
        error = problem_text(problem, language);
        return std::nullopt;
    };
    for (const std::uint8_t v : givens)
        if (v > 9) return refuse(GameProblem::NotADigit);
    const SolutionCount count = find_solutions(givens, 2);
    if (count.count == 0) return refuse(GameProblem::NoSolution);
    if (count.count > 1) return refuse(GameProblem::SeveralSolutions);
    return Game(givens, count.first);
}

std::optional<Game> Game::restore(const Saved& saved, std::string& error, Language language) {
    std::optional<Game> game = start(saved.givens, error, language);
    if (!game) return std::nullopt;
    Position p = saved.position;
    for (std::size_t c = 0; c < 81; ++c) {
        if (saved.givens[c] && p.values[c] != saved.givens[c]) {
            error = problem_text(GameProblem::ChangesAGiven, language);
            return std::nullopt;
        }
        if (p.values[c] > 9 || (p.marks[c] & ~kAllDigits)) {
            error = problem_text(GameProblem::SavedNotADigit, language);
            return std::nullopt;
        }
    }
    game->history_.front() = p;
    game->elapsed_ms_ = std::clamp<std::int64_t>(saved.elapsed_ms, 0, kMaxElapsedMs);
    game->hints_ = saved.hints < 0 ? 0 : saved.hints;
    return game;
}

bool Game::commit(const Position& next) {
    if (next == position() || finished()) return false;
    history_.resize(now_ + 1);
    history_.push_back(next);
    ++now_;
    return true;
}

bool Game::write(int cell, int digit) {
    if (!valid_cell(cell) || !valid_digit(digit) || is_given(cell)) return false;
    if (value(cell) == digit) return false;
    Position next = position();
    place(next, cell, digit);
    return commit(next);
}

bool Game::toggle_mark(int cell, int digit) {
    if (!valid_cell(cell) || !valid_digit(digit) || value(cell) != 0) return false;
    Position next = position();
    next.marks[at(cell)] = static_cast<std::uint16_t>(next.marks[at(cell)] ^ (1u << digit));
    return commit(next);
}

bool Game::clear(int cell) {
    if (!valid_cell(cell) || is_given(cell)) return false;
    Position next = position();
    if (next.values[at(cell)])
        next.values[at(cell)] = 0;
    else
        next.marks[at(cell)] = 0;
    return commit(next);
}

bool Game::fill_candidates() {
    Position next = position();
    for (int cell = 0; cell < 81; ++cell)
        if (!next.values[at(cell)])
            next.marks[at(cell)] = static_cast<std::uint16_t>(kAllDigits & ~seen_digits(next.values, cell));
    return commit(next);
}

bool Game::apply(const Hint& hint) {
    if (hint.kind != Hint::Kind::Step) return false;
    Position next = position();
    for (const Candidate& e : hint.step.eliminations) {
        if (next.values[e.cell]) continue;
        if (!next.marks[e.cell] && hint.before) next.marks[e.cell] = hint.before->mask(e.cell);
        next.marks[e.cell] = static_cast<std::uint16_t>(next.marks[e.cell] & ~(1u << e.digit));
    }
    for (const Candidate& p : hint.step.placements)
        if (!next.values[p.cell]) place(next, p.cell, p.digit);
    return commit(next);
}

bool Game::undo() {
    if (!can_undo()) return false;
    --now_;
    return true;
}

bool Game::redo() {
    if (!can_redo()) return false;
    ++now_;
    return true;
}

ladder::CellSet Game::conflicts() const {
    ladder::CellSet out;
    const Grid& values = position().values;
    for (const auto& unit : ladder::geometry().unit_cells) {
        for (std::size_t i = 0; i < 9; ++i) {
            const std::uint8_t a = unit[i];
            if (!values[a]) continue;
            for (std::size_t j = i + 1; j < 9; ++j) {
                if (values[unit[j]] != values[a]) continue;
                out.add(a);
                out.add(unit[j]);
            }
        }
    }
    return out;
}

CheckResult Game::check() const {
    CheckResult result;
    const Position& p = position();
    for (int cell = 0; cell < 81; ++cell) {
        const std::uint8_t v = p.values[at(cell)];
        if (v && v != solution_[at(cell)]) result.wrong_cells.push_back(static_cast<std::uint8_t>(cell));
        if (!v && p.marks[at(cell)] && !((p.marks[at(cell)] >> solution_[at(cell)]) & 1))
            result.missing_marks.push_back({static_cast<std::uint8_t>(cell), solution_[at(cell)]});
    }
    return result;
}

ladder::Candidates Game::candidates_of(const Position& p) const {
    ladder::Candidates c(p.values);
    for (int cell = 0; cell < 81; ++cell) {
        const std::uint16_t marks = p.marks[at(cell)];
        if (p.values[at(cell)] || !marks) continue;
        for (int d = 1; d <= 9; ++d)
            if (!((marks >> d) & 1)) c.eliminate(cell, d);
    }
    return c;
}

Hint Game::hint(bool count) {
    Hint hint;
    if (finished()) return hint;
    if (count) ++hints_;
    const CheckResult mistakes = check();
    if (!mistakes.wrong_cells.empty()) {
        const std::uint8_t cell = mistakes.wrong_cells.front();
        hint.kind = Hint::Kind::WrongDigit;
        hint.where = {cell, position().values[cell]};
        return hint;
    }
    if (!mistakes.missing_marks.empty()) {
        hint.kind = Hint::Kind::MissingMark;
        hint.where = mistakes.missing_marks.front();
        return hint;
    }
    // The player's pencil marks narrow the candidates where they wrote some: the ladder starts from
    // the same position as they do.
    const Position& p = position();
    ladder::Ladder ladder(p.values, true);
    ladder::Step narrowing;
    for (int cell = 0; cell < 81; ++cell) {
        const std::uint16_t marks = p.marks[at(cell)];
        if (p.values[at(cell)] || !marks) continue;
        for (int d = 1; d <= 9; ++d)
            if (!((marks >> d) & 1) && ladder.candidates().has(cell, d))
                narrowing.eliminations.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(d)});
    }
    ladder.apply(narrowing);
    std::optional<ladder::Step> step = ladder.next_step();
    hint.before = ladder.candidates();
    if (!step) {
        hint.kind = Hint::Kind::Solved; // unreachable with the full ladder, which ends on trial
        return hint;
    }
    hint.kind = Hint::Kind::Step;
    hint.step = std::move(*step);
    return hint;
}

void Game::add_time(std::int64_t ms) {
    if (paused_ || finished() || ms <= 0) return;
    elapsed_ms_ = ms >= kMaxElapsedMs - elapsed_ms_ ? kMaxElapsedMs : elapsed_ms_ + ms;
}

const ladder::Rating& Game::rating() const {
    // A game always has exactly one solution, so its explanation always has a rating.
    if (!rating_) rating_ = ladder::explain(givens_).rating.value_or(ladder::Rating{});
    return *rating_;
}

namespace {

std::vector<std::string> english_hint_text(const Hint& hint, HintLevel level) {
    switch (hint.kind) {
        case Hint::Kind::Solved: return {"The puzzle is solved: there is nothing left to look for."};
        case Hint::Kind::WrongDigit:
            return {"The " + std::to_string(hint.where.digit) + " in " + en::words().cell_short(hint.where.cell) +
                    " is not the right digit: erase it before going on."};
        case Hint::Kind::MissingMark:
            return {"The candidates of " + en::words().cell_short(hint.where.cell) + " no longer include the " +
                    std::to_string(hint.where.digit) + ", yet it is the right digit: put it back."};
        case Hint::Kind::Step: break;
    }
    const ladder::Step& step = hint.step;
    if (level == HintLevel::Step) return ladder::narrate(step, Language::English);
    std::vector<std::string> lines{"Try the technique \u201c" +
                                   ladder::technique_name(step.technique, Language::English) + "\u201d " +
                                   en::where_to_look(step) + "."};
    if (level == HintLevel::Pattern) {
        std::string pattern = "The pattern: ";
        pattern += step.cells.empty() ? std::string("the marked candidates") : en::words().cells_short(step.cells);
        if (step.digits) pattern += ", with " + en::digits(step.digits);
        lines.push_back(pattern + ".");
    }
    return lines;
}

} // namespace

std::vector<std::string> hint_text(const Hint& hint, HintLevel level, Language language) {
    if (language == Language::English) return english_hint_text(hint, level);
    switch (hint.kind) {
        case Hint::Kind::Solved: return {"La grille est résolue : plus rien à chercher."};
        case Hint::Kind::WrongDigit:
            return {fr::capitalise(fr::digit_the(hint.where.digit)) + " " +
                    fr::de(fr::cells_phrase({hint.where.cell})) +
                    " n'est pas le bon chiffre : effacez-le avant de continuer."};
        case Hint::Kind::MissingMark:
            return {"Les candidats " + fr::de(fr::cells_phrase({hint.where.cell})) + " n'ont plus " +
                    fr::digit_the(hint.where.digit) + ", qui est pourtant le bon chiffre : remettez-le."};
        case Hint::Kind::Step: break;
    }
    const ladder::Step& step = hint.step;
    if (level == HintLevel::Step) return ladder::narrate(step);
    std::vector<std::string> lines{"Cherchez avec la technique « " + ladder::technique_name_fr(step.technique) +
                                   " », " + where_to_look(step) + "."};
    if (level == HintLevel::Pattern) {
        std::string pattern = "Le motif : ";
        pattern += step.cells.empty() ? std::string("les candidats marqués") : fr::cells_phrase(step.cells);
        if (step.digits) pattern += ", avec " + fr::digits_the(step.digits);
        lines.push_back(pattern + ".");
    }
    return lines;
}

bool grid_from_line(const std::string& line, Grid& grid) {
    if (line.size() != 81) return false;
    for (std::size_t i = 0; i < 81; ++i) {
        const char ch = line[i];
        if (ch == '.' || ch == '0')
            grid[i] = 0;
        else if (ch >= '1' && ch <= '9')
            grid[i] = static_cast<std::uint8_t>(ch - '0');
        else
            return false;
    }
    return true;
}

std::string grid_line(const Grid& grid) {
    std::string line(81, '.');
    for (std::size_t i = 0; i < 81; ++i)
        if (grid[i] >= 1 && grid[i] <= 9) line[i] = static_cast<char>('0' + grid[i]);
    return line;
}

std::string clock_text(std::int64_t ms) {
    const std::int64_t seconds = ms < 0 ? 0 : ms / 1000;
    char buffer[32];
    if (seconds >= 3600)
        std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                      static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    else
        std::snprintf(buffer, sizeof buffer, "%02lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    return buffer;
}

} // namespace vornel::play
