// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ladder/candidates.h"
#include "ladder/ladder.h"
#include "ladder/step.h"
#include "language.h"

namespace vornel::play {

using vornel::Grid;

// What the player wrote in the grid at one moment: a digit per cell (0 none; givens included) and
// pencil marks per cell (bit d for digit d). Pencil marks of a cell that holds a digit are kept
// but not shown.
struct Position {
    Grid values{};
    std::array<std::uint16_t, 81> marks{};
    friend bool operator==(const Position&, const Position&) = default;
};

// What "Vérifier" finds: the player's digits that differ from the solution, and the empty cells
// whose pencil marks leave out the solution's digit (a cell without pencil marks leaves out
// nothing: the player has not worked on it yet).
struct CheckResult {
    std::vector<std::uint8_t> wrong_cells;
    std::vector<ladder::Candidate> missing_marks; // the solution's digit, absent from the marks
    bool clean() const { return wrong_cells.empty() && missing_marks.empty(); }
};

// Why the player's first wrong digit is wrong, as far as the board shows it. Nothing here names the
// digit the cell should hold.
//   Repeat:        the digit is already in `unit`, at `cell`.
//   EmptyCell:     with it, `cell` (a peer) has no candidate left from the digits placed.
//   NoPlace:       with it, `digit` has no place left in `unit` (never the cell's right digit when
//                  `unit` holds the cell).
//   Contradiction: not visible yet; the singles it forces, from the digits alone, lead to a break:
//                  `proof` lists them (its `assume` is the player's digit) and how it ends.
//   Hidden:        not visible with singles either: the position simply has no solution.
struct Mistake {
    enum class Kind { Repeat, EmptyCell, NoPlace, Contradiction, Hidden };
    Kind kind = Kind::Hidden;
    std::uint8_t cell = 0;
    std::uint8_t unit = 0;
    std::uint8_t digit = 0;
    ladder::ForcingBranch proof;
};

// The coach's answer from the player's position. A mistake comes before anything else: the first
// wrong digit, otherwise the first cell whose pencil marks lost the solution's digit. Without a
// mistake, the ladder's next step from the player's digits and pencil marks.
struct Hint {
    enum class Kind { WrongDigit, MissingMark, Step, Solved };
    Kind kind = Kind::Solved;
    ladder::Candidate where{}; // WrongDigit: the cell and the player's digit; MissingMark: the cell
                               // and the solution's digit
    Mistake mistake;           // WrongDigit: why it is wrong
    ladder::Step step;         // Step: the deduction, as the ladder finds it
    // Step: the candidates the step starts from (the player's pencil marks where they wrote some,
    // every candidate elsewhere), for drawing.
    std::optional<ladder::Candidates> before;
    // The player's digits and pencil marks when the hint was asked for.
    Position position;
};

// Why the digit in `cell` of `values` is wrong, when the cell's right digit is `right_digit`.
Mistake why_wrong(const Grid& values, int right_digit, int cell);

// Why givens or a saved game cannot be played; problem_text() gives the words.
enum class GameProblem { NotADigit, NoSolution, SeveralSolutions, ChangesAGiven, SavedNotADigit };
std::string problem_text(GameProblem problem, Language language);

// One game: the givens, the player's position, an undo/redo history without limit, the time spent
// and the hints asked for. Every change the player makes goes through one of the move methods
// below; each returns false, and records nothing, when it changes nothing. A move made after undo
// drops the moves that were undone.
//
// The timer is the caller's clock: the window adds the real time elapsed while the game runs;
// add_time() counts nothing while the game is paused or finished. The game finishes when every
// cell holds the solution's digit; then moves are refused and the time stops.
class Game {
public:
    // Givens with exactly one solution; otherwise std::nullopt and `error` says why, in `language`.
    static std::optional<Game> start(const Grid& givens, std::string& error, Language language = Language::French);

    const Grid& givens() const { return givens_; }
    const Grid& solution() const { return solution_; }
    const Position& position() const { return history_[now_]; }
    bool is_given(int cell) const { return givens_[static_cast<std::size_t>(cell)] != 0; }
    int value(int cell) const { return position().values[static_cast<std::size_t>(cell)]; }
    std::uint16_t marks(int cell) const { return position().marks[static_cast<std::size_t>(cell)]; }

    // Moves. cell 0-80, digit 1-9. Givens never change.
    // Writes the digit (and takes it out of the pencil marks of the cell's peers); writing the
    // digit a cell already holds changes nothing.
    bool write(int cell, int digit);
    // Adds or removes one pencil mark of an empty cell.
    bool toggle_mark(int cell, int digit);
    // Clears the player's digit, or, in a cell without one, its pencil marks.
    bool clear(int cell);
    // "Remplir les candidats": every empty cell without pencil marks gets as pencil marks the digits
    // its row, column and region lack. A cell the player already wrote marks in keeps them: a
    // candidate they took out is never put back.
    bool fill_candidates();
    // Applies a hint's step: its placements are written and its eliminations taken out of the
    // pencil marks (a cell without pencil marks first gets its candidates).
    bool apply(const Hint& hint);

    bool undo();
    bool redo();
    // "Retour avant ma première erreur": undoes back to the latest position of the history without
    // a mistake (no wrong digit, no pencil marks without the solution's digit); false when the
    // present has none. The undone moves stay to redo.
    bool undo_mistakes();
    bool can_undo() const { return now_ > 0; }
    bool can_redo() const { return now_ + 1 < history_.size(); }

    // Cells whose digit appears twice or more in one of their units.
    ladder::CellSet conflicts() const;
    CheckResult check() const;
    bool finished() const { return position().values == solution_; }

    // The next hint; counts one hint asked for unless `count` is false (redrawing the same hint).
    Hint hint(bool count = true);
    int hints_used() const { return hints_; }
    // Moves that wrote a wrong digit or took the solution's digit out of a cell's pencil marks
    // (adding marks one by one is none, even before the right one is among them).
    int mistakes() const { return mistakes_; }
    // The techniques the coach's hints showed, in the order first met.
    const std::vector<ladder::Technique>& techniques_met() const { return met_; }
    // When the game was first started, in seconds since 1970 (UTC); 0 when unknown.
    std::int64_t started() const { return started_; }
    void set_started(std::int64_t seconds) { started_ = seconds; }

    // Adds playing time; the clock stops at kMaxElapsedMs, the most a game file may hold.
    void add_time(std::int64_t ms);
    std::int64_t elapsed_ms() const { return elapsed_ms_; }
    void set_paused(bool paused) { paused_ = paused; }
    bool paused() const { return paused_; }

    // The puzzle's rating by the ladder (worked out once, on first use).
    const ladder::Rating& rating() const;

    // Game files restore the whole state except the history (a loaded game starts a new one).
    struct Saved {
        Grid givens{};
        Position position;
        std::int64_t elapsed_ms = 0;
        int hints = 0;
        int mistakes = 0;
        std::int64_t started = 0; // seconds since 1970, 0 unknown
        std::vector<ladder::Technique> techniques;
    };
    Saved saved() const { return {givens_, position(), elapsed_ms_, hints_, mistakes_, started_, met_}; }
    static std::optional<Game> restore(const Saved& saved, std::string& error, Language language = Language::French);

private:
    explicit Game(const Grid& givens, const Grid& solution);
    // Pushes `next` as the new present unless it equals it, or the game is over.
    bool commit(const Position& next);
    ladder::Candidates candidates_of(const Position& p) const;
    CheckResult check(const Position& p) const;

    Grid givens_{};
    Grid solution_{};
    std::vector<Position> history_;
    std::size_t now_ = 0;
    std::int64_t elapsed_ms_ = 0;
    bool paused_ = false;
    int hints_ = 0;
    int mistakes_ = 0;
    std::int64_t started_ = 0;
    std::vector<ladder::Technique> met_;
    mutable std::optional<ladder::Rating> rating_;
};

// The longest time a game counts and a game file may hold: 100 hours.
inline constexpr std::int64_t kMaxElapsedMs = std::int64_t{100} * 3600 * 1000;

// Reads an 81-character grid ('1'-'9' digits, '0' or '.' empty); false for anything else.
bool grid_from_line(const std::string& line, Grid& grid);
// "53..7...." with '.' for empty cells.
std::string grid_line(const Grid& grid);

// "mm:ss", or "h:mm:ss" from one hour.
std::string clock_text(std::int64_t ms);

} // namespace vornel::play
