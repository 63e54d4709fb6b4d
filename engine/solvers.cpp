// The placement, the shared searches of one pass, the three solvers and their commands.
#include <cstring>
#include <string>

#include "engine.h"
#include "units.h"

namespace vornel {

namespace {

constexpr const char* kFinished = "Le sudoku est terminé.";
constexpr const char* kStuck = "Le sudoku n'a pas de solution unique.";
constexpr const char* kNothing = "Rien à faire avec ce chiffre.";
constexpr const char* kNothingMore = "Plus rien à faire avec ce chiffre.";
constexpr const char* kSeparator = "-------------------------------------------";

} // namespace

void Engine::place_digit(std::int16_t row, std::int16_t col, std::int16_t digit) {
    view_.set_cell_colour(row, col, kGreen);
    green_[row][col] = true;
    view_.set_cell_text(row, col, std::to_string(digit));
    append_line("Nous écrivons un ", digit, ".");
    ++placements_;
}

// Regions 1-9, then rows, then columns: the first unit with exactly one free cell in pres wins,
// as verif_box_c, verif_line_c and verif_col_c asked one after the other would find it.
Engine::Hit Engine::search_lone_cell() {
    static const char* const kLines[] = {
        "Il y a une seule case vide dans la région ",
        "Il y a une seule case vide dans la ligne ",
        "Il y a une seule case vide dans la colonne ",
    };
    if (!free_cells_.valid) {
        free_cells_ = FreeCells{};
        const std::int16_t* pres = &a_.pres[0][0];
        for (int i = 0; i < 81; ++i) {
            if (pres[kBoard.code[i]] != 0) continue;
            const int unit[3] = {kBoard.region[i], kBoard.row[i], kBoard.col[i]};
            for (int k = 0; k < 3; ++k) {
                ++free_cells_.count[k][unit[k]];
                free_cells_.code[k][unit[k]] = kBoard.code[i];
            }
        }
        free_cells_.valid = true;
    }
    const auto& free_count = free_cells_.count;
    const auto& free_code = free_cells_.code;
    Hit hit;
    for (int k = 0; k < 3; ++k) {
        for (int n = 1; n <= 9; ++n) {
            if (free_count[k][n] != 1) continue;
            hit.lone = true;
            hit.row = static_cast<std::int16_t>(code_row(free_code[k][n]));
            hit.col = static_cast<std::int16_t>(code_col(free_code[k][n]));
            hit.digit = static_cast<std::int16_t>(a_.cur_digit);
            append_line(kLines[k], n, ",");
            return hit;
        }
    }
    return hit;
}

bool Engine::last_cell_fits(int row, int col, int digit) const {
    if (digit < 1 || digit > 9) return false;
    const std::int16_t* grid = &a_.grid[0][0];
    const int units[3][2] = {{0, region_of(row, col)}, {1, row}, {2, col}};
    for (const auto& [kind, n] : units)
        for (const std::uint8_t code : kUnitCodes.code[kind][n])
            if (grid[code] == digit) return false;
    return true;
}

const UnitCensus& Engine::empty_cell_census() {
    if (!census_cached_) {
        census_cache_ = census_of_empty_cells(a_);
    } else if (std::memcmp(census_grid_, a_.grid, sizeof a_.grid) != 0) {
        // Only the units of the cells that changed since the last count are counted again.
        unsigned dirty[3] = {0, 0, 0};
        for (int i = 0; i < 81; ++i) {
            const int r = kBoard.row[i], c = kBoard.col[i];
            if (census_grid_[r][c] != a_.grid[r][c]) {
                dirty[0] |= 1u << kBoard.region[i];
                dirty[1] |= 1u << r;
                dirty[2] |= 1u << c;
            }
        }
        for (int k = 0; k < 3; ++k)
            for (int n = 1; n <= 9; ++n)
                if (dirty[k] & (1u << n)) recount_empty_cells(a_, census_cache_, k, n);
    }
    std::memcpy(census_grid_, a_.grid, sizeof a_.grid);
    census_cached_ = true;
    return census_cache_;
}

// Regions 1-9, then rows, then columns: the first unit with exactly one empty cell whose missing
// digit may go there wins, as the census with value 0 asked unit after unit would find it. The
// census results are left as the last unit examined leaves them.
Engine::Hit Engine::search_last_cell(bool capital_column) {
    const char* const lines[] = {"La région ", "La ligne ", capital_column ? "La Colonne " : "La colonne "};
    const UnitCensus& census = empty_cell_census();
    Hit hit;
    for (int k = 0; k < 3; ++k) {
        for (int n = 1; n <= 9; ++n) {
            a_.found_count = census.empty[k][n];
            a_.missing_digit = census.missing[k][n];
            if (a_.found_count != 1) continue;
            // Only a digit that the cell's row, column and region all lack is placed; a unit whose
            // one empty cell cannot be filled that way (possible only on a puzzle without a
            // solution) is no hit.
            const int code = census.last_empty[k][n];
            if (!last_cell_fits(code_row(code), code_col(code), a_.missing_digit)) continue;
            hit.last = true;
            hit.row = static_cast<std::int16_t>(code_row(code));
            hit.col = static_cast<std::int16_t>(code_col(code));
            hit.digit = static_cast<std::int16_t>(a_.missing_digit);
            append_line(lines[k], n, " a seulement une case sans chiffre,");
            return hit;
        }
    }
    return hit;
}

void Engine::finish() {
    view_.append_log(kFinished);
    view_.set_button_visible(StepButton::Button5, false);
    view_.set_button_visible(StepButton::Button6, false);
}

void Engine::stuck() {
    view_.append_log(kStuck);
    view_.set_button_visible(StepButton::Button5, false);
    view_.set_button_visible(StepButton::Button6, false);
}

bool Engine::search_and_place(bool capital_column) {
    Hit hit = search_lone_cell();
    if (!hit.any()) hit = search_last_cell(capital_column);
    if (!hit.any()) return false;
    place_digit(hit.row, hit.col, hit.digit);
    ++a_.tour_placed;
    ++a_.digit_placed;
    return true;
}

bool Engine::end_test() {
    if (!board_full()) return false;
    finish();
    return true;
}

void Engine::close_digit() { view_.append_log(a_.digit_placed == 0 ? kNothing : kNothingMore); }

bool Engine::take_next_digit(bool clear_log_on_new_cycle) {
    const std::uint16_t d = choix_numero();
    if (d != 0) {
        a_.cur_digit = d;
        a_.digit_placed = 0;
        return true;
    }
    if (a_.tour_placed > 0) {
        a_.tour_placed = 0;
        init_tour(clear_log_on_new_cycle);
        calcul_freq();
        affiche_freq();
        a_.cur_digit = choix_numero();
        a_.digit_placed = 0;
        return true;
    }
    stuck();
    return false;
}

void Engine::solve_step() {
    const bool placed = search_and_place(false);
    if (placed) {
        in_many(a_.cur_digit);
        affiche_pres();
    }
    if (end_test() || placed) return;
    if (a_.digit_placed >= 0) {
        // Working: say there is nothing (more) to do; the next request moves on.
        close_digit();
        a_.digit_placed = -1;
        return;
    }
    // Exhausted: the next digit of the cycle, or a new cycle; its marks are shown, not searched.
    init_digit();
    view_.clear_log();
    if (take_next_digit(true)) {
        in_many(a_.cur_digit);
        affiche_pres();
    }
}

void Engine::solve_number() {
    for (;;) {
        in_many(a_.cur_digit);
        affiche_pres();
        const bool placed = search_and_place(true);
        if (end_test()) return;
        if (placed) continue;
        if (a_.digit_placed >= 0) {
            close_digit();
            a_.digit_placed = -1;
            return;
        }
        // Exhausted: the next digit (or a new cycle) is searched in this same request.
        init_digit();
        view_.clear_log();
        if (!take_next_digit(true)) return;
    }
}

void Engine::solve_once() {
    for (;;) {
        in_many(a_.cur_digit);
        affiche_pres();
        const bool placed = search_and_place(false);
        if (end_test()) return;
        if (placed) continue;
        // The digit is done: its closing line and the separator, then the next digit, all in the
        // one log that is never cleared here.
        close_digit();
        view_.append_log(kSeparator);
        init_digit();
        if (!take_next_digit(false)) return;
    }
}

void Engine::start_command(bool show5, bool show6) {
    view_.show_occurrence_table();
    disable_all();
    // Hide before showing, so that at most one step button is ever visible.
    if (!show5) view_.set_button_visible(StepButton::Button5, false);
    if (!show6) view_.set_button_visible(StepButton::Button6, false);
    if (show5) view_.set_button_visible(StepButton::Button5, true);
    if (show6) view_.set_button_visible(StepButton::Button6, true);
}

void Engine::m_stepClick() {
    if (!verif_sudoku()) return;
    start_command(true, false);
    init_jeu(5);
}

void Engine::m_numberClick() {
    if (!verif_sudoku()) return;
    start_command(false, true);
    init_jeu(6);
    solve_number();
}

void Engine::m_onceClick() {
    if (!verif_sudoku()) return;
    start_command(false, false);
    init_jeu(7);
    solve_once();
}

} // namespace vornel
