// SPDX-License-Identifier: GPL-3.0-or-later
#include "game.h"

#include <algorithm>
#include <bit>
#include <cstdio>

#include "ladder/ladder.h"
#include "solution_count.h"

namespace vornel::play {

namespace {

using ladder::Candidate;

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

// The digits `values` lack in their units: a candidate model that, unlike the ladder's, tolerates
// a position without solution (it only reads the digits).
struct Marks81 {
    std::array<std::uint16_t, 81> mask{};
    explicit Marks81(const Grid& values) {
        for (int cell = 0; cell < 81; ++cell)
            if (!values[at(cell)]) mask[at(cell)] = static_cast<std::uint16_t>(kAllDigits & ~seen_digits(values, cell));
    }
    // Positions in `unit` where `digit` may go, or -1 when the unit holds it.
    int places(const Grid& values, int unit, int digit) const {
        int count = 0;
        for (const std::uint8_t c : ladder::geometry().unit_cells[at(unit)]) {
            if (values[c] == digit) return -1;
            if (!values[c] && ((mask[c] >> digit) & 1)) ++count;
        }
        return count;
    }
};

// Follows the singles the digits force from `values` (the wrong digit in it) until the position
// breaks; false when singles run out first. No single of `hidden_digit`, the wrong cell's right
// digit, is followed, nor a break that names it: the proof never tells the answer.
bool singles_to_break(Grid values, int hidden_digit, ladder::ForcingBranch& proof) {
    using ladder::Implication;
    const auto& geo = ladder::geometry();
    for (int round = 0; round < 81; ++round) {
        const Marks81 m(values);
        for (int cell = 0; cell < 81; ++cell)
            if (!values[at(cell)] && !m.mask[at(cell)]) {
                proof.end = {ladder::BranchEnd::Kind::EmptyCell, static_cast<std::uint8_t>(cell), 0, {}};
                return true;
            }
        for (int unit = 0; unit < 27; ++unit)
            for (int d = 1; d <= 9; ++d)
                if (d != hidden_digit && m.places(values, unit, d) == 0) {
                    proof.end = {ladder::BranchEnd::Kind::NoPlace,
                                 0,
                                 static_cast<std::uint8_t>(unit),
                                 {0, static_cast<std::uint8_t>(d)}};
                    return true;
                }
        Implication next;
        bool found = false;
        for (int cell = 0; cell < 81 && !found; ++cell) {
            const std::uint16_t mask = m.mask[at(cell)];
            if (values[at(cell)] || std::popcount(mask) != 1 || (mask >> hidden_digit) & 1) continue;
            next.candidate = {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(std::countr_zero(mask))};
            next.why = Implication::Why::NakedSingle;
            next.cell = static_cast<std::uint8_t>(cell);
            found = true;
        }
        for (int unit = 0; unit < 27 && !found; ++unit)
            for (int d = 1; d <= 9 && !found; ++d) {
                if (d == hidden_digit || m.places(values, unit, d) != 1) continue;
                for (const std::uint8_t c : geo.unit_cells[at(unit)])
                    if (!values[c] && ((m.mask[c] >> d) & 1)) {
                        next.candidate = {c, static_cast<std::uint8_t>(d)};
                        next.why = Implication::Why::HiddenSingle;
                        next.unit = static_cast<std::uint8_t>(unit);
                        found = true;
                    }
            }
        if (!found) return false;
        values[next.candidate.cell] = next.candidate.digit;
        proof.implications.push_back(next);
    }
    return false;
}

} // namespace

Mistake why_wrong(const Grid& values, int right_digit, int cell) {
    const auto& geo = ladder::geometry();
    const std::uint8_t digit = values[at(cell)];
    Mistake m;
    for (const std::uint8_t unit : geo.cell_units[at(cell)])
        for (const std::uint8_t other : geo.unit_cells[unit])
            if (other != cell && values[other] == digit) {
                m.kind = Mistake::Kind::Repeat;
                m.cell = other;
                m.unit = unit;
                return m;
            }
    // What the digit breaks at once, compared with the same position without it.
    Grid without = values;
    without[at(cell)] = 0;
    const Marks81 with_marks(values);
    const Marks81 without_marks(without);
    for (const std::uint8_t peer : geo.peers[at(cell)])
        if (!values[peer] && !with_marks.mask[peer] && without_marks.mask[peer]) {
            m.kind = Mistake::Kind::EmptyCell;
            m.cell = peer;
            return m;
        }
    for (int unit = 0; unit < 27; ++unit) {
        const bool holds_cell = std::find(geo.unit_cells[at(unit)].begin(), geo.unit_cells[at(unit)].end(), cell) !=
                                geo.unit_cells[at(unit)].end();
        for (int d = 1; d <= 9; ++d) {
            if (holds_cell && d == right_digit) continue; // it would tell the answer
            if (with_marks.places(values, unit, d) == 0 && without_marks.places(without, unit, d) > 0) {
                m.kind = Mistake::Kind::NoPlace;
                m.unit = static_cast<std::uint8_t>(unit);
                m.digit = static_cast<std::uint8_t>(d);
                return m;
            }
        }
    }
    m.proof.assume = {static_cast<std::uint8_t>(cell), digit};
    m.kind = singles_to_break(values, right_digit, m.proof) ? Mistake::Kind::Contradiction : Mistake::Kind::Hidden;
    return m;
}

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
    game->mistakes_ = saved.mistakes < 0 ? 0 : saved.mistakes;
    game->started_ = saved.started < 0 ? 0 : saved.started;
    game->met_ = saved.techniques;
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
    const bool wrong = digit != solution_[at(cell)];
    if (!commit(next)) return false;
    if (wrong) ++mistakes_;
    return true;
}

bool Game::toggle_mark(int cell, int digit) {
    if (!valid_cell(cell) || !valid_digit(digit) || value(cell) != 0) return false;
    Position next = position();
    next.marks[at(cell)] = static_cast<std::uint16_t>(next.marks[at(cell)] ^ (1u << digit));
    // Taking the right digit out of the marks is a mistake; writing marks one by one is not, even
    // while the right one is not among them yet.
    const bool lost = digit == solution_[at(cell)] && !((next.marks[at(cell)] >> digit) & 1);
    if (!commit(next)) return false;
    if (lost) ++mistakes_;
    return true;
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
        if (!next.values[at(cell)] && !next.marks[at(cell)])
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

bool Game::undo_mistakes() {
    std::size_t back = now_;
    while (back > 0 && !check(history_[back]).clean()) --back;
    if (back == now_) return false;
    now_ = back;
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

CheckResult Game::check() const { return check(position()); }

CheckResult Game::check(const Position& p) const {
    CheckResult result;
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
    hint.position = position();
    const CheckResult mistakes = check();
    if (!mistakes.wrong_cells.empty()) {
        // A wrong digit that repeats one of its units is the plainest to show: it comes first.
        const ladder::CellSet repeats = conflicts();
        std::uint8_t cell = mistakes.wrong_cells.front();
        for (const std::uint8_t c : mistakes.wrong_cells)
            if (repeats.has(c)) {
                cell = c;
                break;
            }
        hint.kind = Hint::Kind::WrongDigit;
        hint.where = {cell, position().values[cell]};
        hint.mistake = why_wrong(position().values, solution_[cell], cell);
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
    if (count && std::find(met_.begin(), met_.end(), hint.step.technique) == met_.end())
        met_.push_back(hint.step.technique);
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
