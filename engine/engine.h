// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "board_view.h"
#include "narrator.h"
#include "units.h"
#include "work_area.h"

namespace vornel {

// Counting over units. The empty cells of grid and the free cells of pres (and any value the census
// is asked for) are counted in one way only: cells_equal (the board cells holding a value), then
// count_in (how many of them a unit has, and which) or only_cell_in (the unit's one such cell, for
// the searches). The digits a unit holds are tallied by missing_digit; validation and the digit
// counts of the occurrence table tally digits of their own.
struct UnitCount {
    int count = 0;   // cells that matched
    int last = 0;    // code of the last matching cell in scan order, 0 when none matched
    int missing = 0; // census only: the one digit 1-9 absent from the unit, else 0
};
// The board cells (rows and columns 1-9) whose entry in `cells` (grid or pres) equals `value`.
CodeSet cells_equal(const std::int16_t (&cells)[10][10], int value);
// The 81 board cells.
CodeSet board_cells_set();
// How many cells of `set` the unit (kind, unit 1-9) has, and the last of them in scan order; a
// unit number outside 1..9 has none.
UnitCount count_in(const CodeSet& set, UnitKind kind, int n);
// The one digit 1-9 that the unit's cells of grid lack, else 0; values outside 1..9 are ignored.
int missing_digit(const WorkArea& area, UnitKind kind, int n);
// Census of grid: cells equal to `value` (0 = empty), and the missing digit.
UnitCount census(const WorkArea& area, UnitKind kind, int n, int value);

// Where the solver stands between requests.
enum class SolverState {
    Idle,      // no solve under way: a fresh board, a new or opened puzzle, or invalid givens
    Working,   // the digit in hand is being searched
    Exhausted, // the last request said the digit has nothing (more) to do
    Finished,  // the board is full
    Stuck,     // a whole cycle placed nothing
};
// When stuck: how many solutions the grid has as it stands, which are those of the givens since
// every placement of the two searches is forced.
enum class StuckKind { OneSolution, SeveralSolutions, NoSolution };

// The solving engine: every rule of the program, over one work area, shown through one board view.
//
// Solver state between requests (state()):
//  - Idle:      no solve under way. A command that finds the grid invalid leaves the engine idle.
//  - Working:   digit_placed >= 0, the digit in hand is being searched.
//  - Exhausted: digit_placed == -1, the last request said the digit has nothing (more) to do;
//               the next request clears the log and takes up the next digit or a new cycle.
//  - Finished:  "Le sudoku est terminé." written, both step buttons hidden.
//  - Stuck:     a cycle placed nothing. Before its closing line the engine counts the solutions of
//               the grid as it stands (stuck_kind()): exactly one gives "Le sudoku a une solution
//               unique, mais notre méthode ne permet pas de la trouver.", none or several "Le
//               sudoku n'a pas de solution unique."; both step buttons hidden.
// A solve command always starts over: it validates the board as it stands and resets the counters.
// The one-pass tempo runs from start to Finished or Stuck within its command.
//
// A pass is: the marks of the digit in hand (in_many), the lone free cell search, else the last
// empty cell search, and the placement of what they found. The searches return what they found;
// the narrator words it. Within one request of the digit and one-pass tempos nothing can look at
// the board, so the colouring of the marks is painted once, when the request ends, from the marks
// the last pass built (a pass's colouring would be repainted by the next one anyway).
//
// Every placement fills an empty cell with a digit its row, column and region lack, so a valid
// grid stays valid while solving and "Le sudoku est terminé." only closes a full, valid grid.
class Engine {
public:
    Engine(WorkArea& area, BoardView& view) : a_(area), view_(view) {}

    WorkArea& area() { return a_; }
    const WorkArea& area() const { return a_; }

    SolverState state() const;
    // Meaningful in the Stuck state only.
    StuckKind stuck_kind() const { return stuck_kind_; }
    Tempo tempo() const { return tempo_; }
    // The language of the log's lines; French until told otherwise.
    void set_language(Language language) { narrator_.set_language(language); }
    Language language() const { return narrator_.language(); }

    // Digit exclusion map: adds the marks of `digit` to pres (never clears it).
    void in_many(std::uint16_t digit);

    // Lone free cell searches over pres: the code of the unit's only free cell, else 0.
    std::int16_t verif_box_c(std::int16_t region) const;
    std::int16_t verif_line_c(std::int16_t row) const;
    std::int16_t verif_col_c(std::int16_t col) const;

    // Unit census of grid for `value` (0 = empty cells): sets found_count and missing_digit and
    // returns the code of the one matching cell, else 0. Values outside 1..9 are not tallied.
    std::int16_t verif_box_n(std::int16_t region, std::int16_t value);
    std::int16_t verif_line_n(std::int16_t row, std::int16_t value);
    std::int16_t verif_col_n(std::int16_t col, std::int16_t value);

    // The two searches of a pass, regions 1-9 then rows then columns, first hit wins.
    // The unit with one free cell in pres: the digit in hand goes there.
    std::optional<FoundStep> find_lone_free_cell() const;
    // The unit with one empty cell whose missing digit its row, column and region all lack (a
    // unit whose empty cell cannot be filled that way, possible only on a puzzle without a
    // solution, is no hit). Leaves found_count and missing_digit as the last unit examined.
    std::optional<FoundStep> find_last_empty_cell();

    // Grid validation: clears the log, lists every non-digit value and every duplicate, then the
    // verdict line. True when the grid is valid.
    bool verif_sudoku();

    // Digit scheduling.
    void calcul_freq();
    void init_tour(bool clear);
    void init_digit();
    std::uint16_t choix_numero();
    void init_jeu(Tempo tempo);

    // Writes `digit` into the cell, coloured green, and narrates it.
    void place_digit(std::int16_t row, std::int16_t col, std::int16_t digit);

    // The three solvers: one pass; passes until the digit is exhausted; passes until the end.
    void solve_step();
    void solve_number();
    void solve_once();

    // Locks every cell before a solve.
    void disable_all();

    // Board colouring from pres (red 1, orange 2; green cells and cells marked 0 are left as they
    // are) and occurrence table from freq.
    void affiche_pres();
    void affiche_freq();

    // Commands behind the menu entries and the step buttons.
    void m_stepClick();
    void m_numberClick();
    void m_onceClick();
    void Button5Click() { solve_step(); }
    void Button6Click() { solve_number(); }

    // Shows the grid as a fresh puzzle, as Open does after reading a file: every cell white, its
    // text the value (empty for 0) through the change handling, editable; log cleared; both step
    // buttons hidden.
    void show_grid();
    // New: every cell white, emptied and editable; log cleared; both step buttons hidden.
    void new_puzzle();

    // Placements made since this engine was created (every place_digit call).
    long placements() const { return placements_; }

private:
    bool board_full() const { return a_.total_filled + a_.tour_placed > 80; }
    // One pass's searches, and the placement of what they found: true when a digit was placed.
    bool search_and_place();
    // When the board is full: "Le sudoku est terminé.", both step buttons hidden; returns true.
    bool end_test();
    // "Rien à faire avec ce chiffre." or "Plus rien à faire avec ce chiffre.".
    void close_digit();
    // Takes up the cycle's next digit, or opens a new cycle when this one placed something;
    // otherwise says the puzzle is stuck and returns false.
    bool take_next_digit(bool clear_log_on_new_cycle);
    void finish();
    void stuck();
    void start_command(Tempo tempo, bool show5, bool show6);
    // verif_sudoku for a command: invalid givens leave the engine idle.
    bool verif_validates();
    void hide_step_buttons();
    template<typename TextOf>
    void reset_board(TextOf text_of);
    // Ends a request of the digit or one-pass tempo: paints the marks of the last pass, unless a
    // digit was taken up (and the board whitened) since they were built.
    void paint_last_marks();

    WorkArea& a_;
    BoardView& view_;
    Narrator narrator_;
    Tempo tempo_ = Tempo::Step;
    bool solving_ = false; // a solve command got past validation and has not been replaced
    bool ended_ = false;   // Finished or Stuck
    bool stuck_ = false;   // ended in Stuck
    bool marks_unpainted_ = false;
    StuckKind stuck_kind_ = StuckKind::NoSolution;
    long placements_ = 0;
};

} // namespace vornel
