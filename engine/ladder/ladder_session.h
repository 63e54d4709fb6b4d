// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "board.h"
#include "board_view.h"
#include "ladder.h"
#include "ladder_view.h"
#include "language.h"
#include "work_area.h"

namespace vornel::ladder {

// How a step's sentences become log lines: broken at 80 characters as vornel-explain's plain text
// (Wrapped), or each whole on one line (Whole), for a log that wraps its lines to its own width, as
// the window's.
enum class LineBreaks : std::uint8_t { Wrapped, Whole };

// The log lines of step `number` (1-based): its sentences, the first one numbered ("3. ...").
std::vector<std::string> step_log_lines(int number, const Step& step, Language language = Language::French,
                                        LineBreaks breaks = LineBreaks::Wrapped);
// The same for steps[index] of an explanation, told after the steps before it (narrate_in()).
std::vector<std::string> step_log_lines(const std::vector<Step>& steps, std::size_t index, int number,
                                        Language language = Language::French, LineBreaks breaks = LineBreaks::Wrapped);
// Every log line of a whole explanation as the board shows it at its end: each step's lines, then
// the closing lines (the problems of invalid givens and the verdict; the rating and the hardest
// technique).
std::vector<std::string> explanation_log_lines(const Explanation& explanation, Language language = Language::French,
                                               LineBreaks breaks = LineBreaks::Wrapped);

// The ladder explained on the board, one step at a time or all at once, with a way back, and the
// return to editing. It works on the work area and shows everything through the board view
// (cells, log, Button5/Button6) and the ladder view (picture, Button7/Button8, technique).
//
// Protocol:
//  1. A solve command, classic or ladder, first remembers the grid as it stands (values, not
//     texts); the classic ones tell the session with solve_command_started(), which also ends a
//     ladder explanation on screen.
//  2. start() explains the grid as it stands (givens, typed digits, whatever a solve placed) with
//     the ladder, from the same values the headless explainer would read:
//     Button5 and Button6 are hidden (a classic solve under way is given up) and the log cleared;
//     - invalid givens: the log lists the problems and the verdict; the board is left as it is
//       (editable unless a solve had locked it) and no ladder button shows;
//     - otherwise the cells are locked and whitened, and the explanation is shown at its first
//       step (Mode::Step) or at its end (Mode::Once).
//  3. Positions: 0 is the start (pencil marks only, empty log); k in 1..N shows step k: its
//     placements written in green cells, its eliminations struck, its pattern drawn, its lines
//     at the end of the log, numbered k; N + 1 is the end: the board after the last step, the
//     verdict, rating and hardest technique at the end of the log. Moving between positions
//     writes only the cells whose digit differs, whitens the previous green cells, and keeps the
//     log as the history of steps 1..k (appending when moving one step forward, rewriting it
//     otherwise).
//  4. next() (Button7, shown while a position after this one exists) moves one position forward;
//     back() (Button8, shown while a step can be taken back) one position back.
//  5. edit() ("Modifier la grille"): while the cells are locked, writes back the grid remembered
//     at step 1; otherwise keeps the board's digits (nothing typed since is lost). Either way every
//     cell ends white and editable, the log cleared, the four step buttons hidden, no picture.
//  6. walk(+1 / -1) draws the step shown one part at a time (its links, or a forcing chain's
//     branches): from the whole step, +1 goes to the first part and -1 to the last; past either
//     end the whole step comes back. whole() shows the whole step. Moving to another position
//     shows that step whole. The log and the cells do not change while walking.
//  7. taken_over(): another command has written the board (New, Open, a classic solve): the
//     explanation ends at once (no picture, no Button7/Button8, no technique) and the board is
//     left to that command.
//  7. show_position(): a position with its candidates has just been written on the board (its
//     placed digits, by a paste): its candidates show as pencil marks, and start() explains from
//     them rather than from the digits alone, for as long as the board holds the digits it had
//     then. board_edited() after a cell's change forgets the position once the digits differ
//     (the pencil marks go); forget_position() forgets it at once (New, Open, another paste).
class LadderSession {
public:
    enum class Mode { Step, Once };

    LadderSession(WorkArea& area, BoardView& board, LadderView& view) : area_(area), board_(board), view_(view) {}

    void solve_command_started();
    void start(Mode mode);
    void next();
    void back();
    void edit();
    void taken_over();
    void walk(int delta);
    void whole();
    void show_position(const Marks& marks);
    void board_edited();
    void forget_position();
    // The language of the log lines and walk captions from now on (French until said otherwise).
    void set_language(Language language) { language_ = language; }
    Language language() const { return language_; }
    // Whether the log gets each sentence whole (a log that wraps lines itself) or broken at 112
    // characters (the default, as vornel-explain prints them).
    void set_line_breaks(LineBreaks breaks) { breaks_ = breaks; }
    // True while a position's candidates wait for start().
    bool has_position() const { return position_marks_.has_value(); }

    // True while an explanation is on screen (from a valid start until edit() or taken_over()).
    bool active() const { return active_; }
    // The explanation on screen (meaningful while active()).
    const Explanation& explanation() const { return explanation_; }
    // 0 start, 1..N a step, N + 1 the end.
    int position() const { return position_; }
    int step_count() const { return static_cast<int>(explanation_.steps.size()); }
    // The part of the step being walked through (0: the whole step).
    int part() const { return part_; }
    // The lines of the log that tell position `position` (1..N a step, N + 1 the end): the first
    // line (0-based) and how many; no line when the log does not reach it.
    std::pair<std::size_t, std::size_t> log_entry(int position) const {
        if (position < 1 || static_cast<std::size_t>(position) > first_lines_.size()) return {0, 0};
        const auto k = static_cast<std::size_t>(position);
        return {first_lines_[k - 1], (k < first_lines_.size() ? first_lines_[k] : log_lines_) - first_lines_[k - 1]};
    }

private:
    Values current_values() const;
    void remember_grid();
    void end_display();
    void go_to(int position);
    void write_log_up_to(int position);
    void show_part();
    // The candidates before step k (1-based), or after the last step for k = N + 1.
    const Candidates& state_before(int k);

    WorkArea& area_;
    BoardView& board_;
    LadderView& view_;

    std::optional<Values> remembered_;
    std::optional<Marks> position_marks_; // show_position()'s candidates
    Values position_values_{};            // and the digits on the board then
    Explanation explanation_;
    std::vector<Candidates> states_; // states_[k]: after steps 1..k, built as far as needed
    Language language_ = Language::French;
    LineBreaks breaks_ = LineBreaks::Wrapped;
    bool active_ = false;
    int position_ = 0;
    int part_ = 0;
    int logged_ = 0;                       // the log holds the lines of positions 1..logged_
    std::vector<std::size_t> first_lines_; // first_lines_[k - 1]: the first log line of position k
    std::size_t log_lines_ = 0;            // lines in the log
    std::array<bool, 81> green_{};         // the cells the session painted green
    std::array<std::uint8_t, 81> shown_{}; // the digit the session last wrote or found per cell
};

} // namespace vornel::ladder
