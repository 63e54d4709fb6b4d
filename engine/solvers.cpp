// The placement, the shared searches of one pass, the three solvers and their commands.
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

void Engine::place_digit(std::int16_t row, std::int16_t col, std::int16_t digit)
{
    view_.set_cell_colour(row, col, kGreen);
    view_.set_cell_text(row, col, std::to_string(digit));
    view_.append_log("Nous écrivons un " + std::to_string(digit) + ".");
    ++placements_;
}

Engine::Hit Engine::search_lone_cell()
{
    struct Search {
        std::int16_t (Engine::*find)(std::int16_t) const;
        const char* line;
    };
    static constexpr Search kSearches[] = {
        {&Engine::verif_box_c, "Il y a une seule case vide dans la région "},
        {&Engine::verif_line_c, "Il y a une seule case vide dans la ligne "},
        {&Engine::verif_col_c, "Il y a une seule case vide dans la colonne "},
    };
    Hit hit;
    for (const Search& search : kSearches) {
        for (std::int16_t n = 1; n <= 9; ++n) {
            const std::int16_t code = (this->*search.find)(n);
            if (code == 0)
                continue;
            hit.lone = true;
            hit.row = static_cast<std::int16_t>(code_row(code));
            hit.col = static_cast<std::int16_t>(code_col(code));
            hit.digit = static_cast<std::int16_t>(a_.cur_digit);
            view_.append_log(search.line + std::to_string(n) + ",");
            return hit;
        }
    }
    return hit;
}

bool Engine::last_cell_fits(int row, int col, int digit) const
{
    if (digit < 1 || digit > 9)
        return false;
    for (const UnitCells& cells : {unit_cells(UnitKind::Region, region_of(row, col)), unit_cells(UnitKind::Row, row),
                                   unit_cells(UnitKind::Column, col)})
        for (const CellPos p : cells)
            if (a_.grid[p.row][p.col] == digit)
                return false;
    return true;
}

Engine::Hit Engine::search_last_cell(bool capital_column)
{
    struct Search {
        std::int16_t (Engine::*census)(std::int16_t, std::int16_t);
        const char* line;
    };
    const Search searches[] = {
        {&Engine::verif_box_n, "La région "},
        {&Engine::verif_line_n, "La ligne "},
        {&Engine::verif_col_n, capital_column ? "La Colonne " : "La colonne "},
    };
    Hit hit;
    for (const Search& search : searches) {
        for (std::int16_t n = 1; n <= 9; ++n) {
            const std::int16_t code = (this->*search.census)(n, 0);
            if (a_.found_count != 1)
                continue;
            // Only a digit that the cell's row, column and region all lack is placed; a unit
            // whose one empty cell cannot be filled that way (possible only on a puzzle without
            // a solution) is no hit.
            const int row = code_row(code);
            const int col = code_col(code);
            if (!last_cell_fits(row, col, a_.missing_digit))
                continue;
            hit.last = true;
            hit.row = static_cast<std::int16_t>(row);
            hit.col = static_cast<std::int16_t>(col);
            hit.digit = static_cast<std::int16_t>(a_.missing_digit);
            view_.append_log(search.line + std::to_string(n) + " a seulement une case sans chiffre,");
            return hit;
        }
    }
    return hit;
}

void Engine::finish()
{
    view_.append_log(kFinished);
    view_.set_button_visible(StepButton::Button5, false);
    view_.set_button_visible(StepButton::Button6, false);
}

void Engine::stuck()
{
    view_.append_log(kStuck);
    view_.set_button_visible(StepButton::Button5, false);
    view_.set_button_visible(StepButton::Button6, false);
}

void Engine::solve_step()
{
    Hit hit = search_lone_cell();
    if (!hit.any())
        hit = search_last_cell(false);
    if (hit.any()) {
        place_digit(hit.row, hit.col, hit.digit);
        ++a_.tour_placed;
        ++a_.digit_placed;
        in_many(a_.cur_digit);
        affiche_pres();
    }
    if (board_full())
        finish();
    if (hit.any() || board_full())
        return;

    if (a_.digit_placed == 0) {
        view_.append_log(kNothing);
        a_.digit_placed = -1;
        return;
    }
    if (a_.digit_placed > 0) {
        view_.append_log(kNothingMore);
        a_.digit_placed = -1;
        return;
    }
    init_digit();
    view_.clear_log();
    const std::uint16_t d = choix_numero();
    if (d != 0) {
        a_.cur_digit = d;
        a_.digit_placed = 0;
    } else if (a_.tour_placed > 0) {
        a_.tour_placed = 0;
        init_tour(true);
        calcul_freq();
        affiche_freq();
        a_.cur_digit = choix_numero();
        a_.digit_placed = 0;
    } else {
        stuck();
        return;
    }
    in_many(a_.cur_digit);
    affiche_pres();
}

void Engine::solve_number()
{
    for (;;) {
        in_many(a_.cur_digit);
        affiche_pres();
        Hit hit = search_lone_cell();
        if (!hit.any())
            hit = search_last_cell(true);
        if (hit.any()) {
            place_digit(hit.row, hit.col, hit.digit);
            ++a_.tour_placed;
            ++a_.digit_placed;
        }
        if (board_full())
            finish();
        if (hit.any() && !board_full())
            continue;
        if (hit.any() || board_full())
            return;

        if (a_.digit_placed == 0) {
            view_.append_log(kNothing);
            a_.digit_placed = -1;
            return;
        }
        if (a_.digit_placed > 0) {
            view_.append_log(kNothingMore);
            a_.digit_placed = -1;
            return;
        }
        init_digit();
        view_.clear_log();
        const std::uint16_t d = choix_numero();
        if (d != 0) {
            a_.cur_digit = d;
            a_.digit_placed = 0;
        } else if (a_.tour_placed > 0) {
            a_.tour_placed = 0;
            init_tour(true);
            calcul_freq();
            affiche_freq();
            a_.cur_digit = choix_numero();
            a_.digit_placed = 0;
        } else {
            stuck();
            return;
        }
    }
}

void Engine::solve_once()
{
    for (;;) {
        in_many(a_.cur_digit);
        affiche_pres();
        Hit hit = search_lone_cell();
        if (!hit.any())
            hit = search_last_cell(false);
        if (hit.any()) {
            place_digit(hit.row, hit.col, hit.digit);
            ++a_.tour_placed;
            ++a_.digit_placed;
        }
        if (board_full())
            finish();
        if (hit.any() && !board_full())
            continue;
        if (hit.any() || board_full())
            return;

        view_.append_log(a_.digit_placed != 0 ? kNothingMore : kNothing);
        view_.append_log(kSeparator);
        init_digit();
        const std::uint16_t d = choix_numero();
        if (d != 0) {
            a_.cur_digit = d;
            a_.digit_placed = 0;
        } else if (a_.tour_placed > 0) {
            a_.tour_placed = 0;
            init_tour(false);
            calcul_freq();
            affiche_freq();
            a_.cur_digit = choix_numero();
            a_.digit_placed = 0;
        } else {
            stuck();
            return;
        }
    }
}

void Engine::start_command(bool show5, bool show6)
{
    view_.show_occurrence_table();
    disable_all();
    // Hide before showing, so that at most one step button is ever visible.
    if (!show5)
        view_.set_button_visible(StepButton::Button5, false);
    if (!show6)
        view_.set_button_visible(StepButton::Button6, false);
    if (show5)
        view_.set_button_visible(StepButton::Button5, true);
    if (show6)
        view_.set_button_visible(StepButton::Button6, true);
}

void Engine::m_stepClick()
{
    if (!verif_sudoku())
        return;
    start_command(true, false);
    init_jeu(5);
}

void Engine::m_numberClick()
{
    if (!verif_sudoku())
        return;
    start_command(false, true);
    init_jeu(6);
    solve_number();
}

void Engine::m_onceClick()
{
    if (!verif_sudoku())
        return;
    start_command(false, false);
    init_jeu(7);
    solve_once();
}

} // namespace vornel
