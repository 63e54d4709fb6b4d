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

// The coach's answer from the player's position. A mistake comes before anything else: the first
// wrong digit, otherwise the first cell whose pencil marks lost the solution's digit. Without a
// mistake, the ladder's next step from the player's digits and pencil marks.
struct Hint {
    enum class Kind { WrongDigit, MissingMark, Step, Solved };
    Kind kind = Kind::Solved;
    ladder::Candidate where{}; // WrongDigit: the cell and the player's digit; MissingMark: the cell
                               // and the solution's digit
    ladder::Step step;         // Step: the deduction, as the ladder finds it
    // Step: the candidates the step starts from (the player's pencil marks where they wrote some,
    // every candidate elsewhere), for drawing.
    std::optional<ladder::Candidates> before;
};

// Why givens or a saved game cannot be played; problem_text() gives the words.
enum class GameProblem { NotADigit, NoSolution, SeveralSolutions, ChangesAGiven, SavedNotADigit };
std::string problem_text(GameProblem problem, Language language);

// Hint levels, each asked for separately: where to look, the pattern, the whole step.
enum class HintLevel { Where = 1, Pattern = 2, Step = 3 };

// The text of a hint at a level, in `language`: level 1 names the technique and where to look
// ("Cherchez avec la technique « Paire cachée », dans la ligne 4."), level 2 adds what the pattern is made of, level 3
// is the step told as the ladder tells it. A mistake is told the same at every level.
std::vector<std::string> hint_text(const Hint& hint, HintLevel level, Language language = Language::French);

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
    // "Remplir les candidats": every empty cell gets as pencil marks the digits its row, column and
    // region lack.
    bool fill_candidates();
    // Applies a hint's step: its placements are written and its eliminations taken out of the
    // pencil marks (a cell without pencil marks first gets its candidates).
    bool apply(const Hint& hint);

    bool undo();
    bool redo();
    bool can_undo() const { return now_ > 0; }
    bool can_redo() const { return now_ + 1 < history_.size(); }

    // Cells whose digit appears twice or more in one of their units.
    ladder::CellSet conflicts() const;
    CheckResult check() const;
    bool finished() const { return position().values == solution_; }

    // The next hint; counts one hint asked for unless `count` is false (redrawing the same hint).
    Hint hint(bool count = true);
    int hints_used() const { return hints_; }

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
    };
    Saved saved() const { return {givens_, position(), elapsed_ms_, hints_}; }
    static std::optional<Game> restore(const Saved& saved, std::string& error, Language language = Language::French);

private:
    explicit Game(const Grid& givens, const Grid& solution);
    // Pushes `next` as the new present unless it equals it, or the game is over.
    bool commit(const Position& next);
    ladder::Candidates candidates_of(const Position& p) const;

    Grid givens_{};
    Grid solution_{};
    std::vector<Position> history_;
    std::size_t now_ = 0;
    std::int64_t elapsed_ms_ = 0;
    bool paused_ = false;
    int hints_ = 0;
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
