#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "board_view.h"
#include "work_area.h"

namespace vornel {

// Census of the empty cells of all 27 units at once, as verif_box_n, verif_line_n and verif_col_n
// with value 0 would give them for the grid as it stands. Index: 0 regions, 1 rows, 2 columns;
// then the unit 1-9.
struct UnitCensus {
    std::uint8_t empty[3][10]{};      // found_count
    std::uint8_t last_empty[3][10]{}; // the code of the last empty cell in scan order, 0 if none
    std::uint8_t missing[3][10]{};    // missing_digit
};
UnitCensus census_of_empty_cells(const WorkArea& area);
// Counts one unit again (kind 0 regions, 1 rows, 2 columns; unit 1-9) into `census`.
void recount_empty_cells(const WorkArea& area, UnitCensus& census, int kind, int n);

// The solving engine: every rule of the program, over one work area, shown through one board view.
//
// Solver state between requests (step and digit-run tempos), read from the work area and buttons:
//  - Working:   digit_placed >= 0, the digit in hand is being searched.
//  - Exhausted: digit_placed == -1, the last request said the digit has nothing (more) to do;
//               the next request clears the log and takes up the next digit or a new cycle.
//  - Finished:  "Le sudoku est terminé." written, both step buttons hidden.
//  - Stuck:     "Le sudoku n'a pas de solution unique." written, both step buttons hidden.
// A solve command always starts over: it validates the board as it stands and resets the counters.
// The one-pass tempo runs from start to Finished or Stuck within its command.
//
// Every placement fills an empty cell with a digit its row, column and region lack, so a valid
// grid stays valid while solving and "Le sudoku est terminé." only closes a full, valid grid.
class Engine {
public:
    Engine(WorkArea& area, BoardView& view) : a_(area), view_(view) {}

    WorkArea& area() { return a_; }
    const WorkArea& area() const { return a_; }

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

    // Grid validation: clears the log, lists every non-digit value and every duplicate, then the
    // verdict line. True when the grid is valid.
    bool verif_sudoku();

    // Digit scheduling.
    void calcul_freq();
    void init_tour(bool clear);
    void init_digit();
    std::uint16_t choix_numero();
    void init_jeu(int tempo); // 5 step, 6 digit-run, 7 one-pass

    // Writes `digit` into the cell, coloured green, and narrates it.
    void place_digit(std::int16_t row, std::int16_t col, std::int16_t digit);

    // The three solvers: one pass; passes until the digit is exhausted; passes until the end.
    void solve_step();
    void solve_number();
    void solve_once();

    // Locks every cell before a solve.
    void disable_all();

    // Board colouring from pres (never repaints green) and occurrence table from freq.
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
    struct Hit {
        bool lone = false;
        bool last = false;
        std::int16_t row = 0;
        std::int16_t col = 0;
        std::int16_t digit = 0;
        bool any() const { return lone || last; }
    };

    Hit search_lone_cell();
    Hit search_last_cell(bool capital_column);
    bool last_cell_fits(int row, int col, int digit) const;
    bool board_full() const { return a_.total_filled + a_.tour_placed > 80; }
    // One pass's searches, and the placement of what they found: true when a digit was placed.
    bool search_and_place(bool capital_column);
    // When the board is full: "Le sudoku est terminé.", both step buttons hidden; returns true.
    bool end_test();
    // "Rien à faire avec ce chiffre." or "Plus rien à faire avec ce chiffre.".
    void close_digit();
    // Takes up the cycle's next digit, or opens a new cycle when this one placed something;
    // otherwise says the puzzle is stuck and returns false.
    bool take_next_digit(bool clear_log_on_new_cycle);
    void finish();
    void stuck();
    void start_command(bool show5, bool show6);

    // The free cells (pres 0) of each unit as in_many left them: count and last code. Only in_many
    // and init_digit change pres, so it holds until the next init_digit.
    struct FreeCells {
        std::uint8_t count[3][10]{};
        std::uint8_t code[3][10]{};
        bool valid = false;
    };
    FreeCells free_cells_;

    // The census of empty cells is only recounted when the grid changed since it was last taken:
    // between two placements every pass would otherwise count the same units again.
    const UnitCensus& empty_cell_census();

    WorkArea& a_;
    BoardView& view_;
    long placements_ = 0;
    UnitCensus census_cache_;
    std::int16_t census_grid_[10][10]{};
    bool census_cached_ = false;
    // Appends the log line made of `prefix`, the decimal number and `suffix`, built in a buffer
    // kept from line to line.
    void append_line(std::string_view prefix, int number, std::string_view suffix);
    std::string line_;

    // Once the engine has whitened every cell, it knows which ones it has painted green since, and
    // the colouring need not read the colours back.
    bool colours_known_ = false;
    bool green_[10][10]{};
    void whitened();
    bool is_green(int row, int col) const {
        return colours_known_ ? green_[row][col] : view_.cell_colour(row, col) == kGreen;
    }
    // The marks affiche_pres last painted from, while no other colour change forgot them.
    std::int16_t painted_marks_[10][10]{};
    bool painted_valid_ = false;
};

} // namespace vornel
