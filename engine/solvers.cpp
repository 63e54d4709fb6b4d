// SPDX-License-Identifier: GPL-3.0-or-later
// The placement, the shared searches of one pass, the three solvers and their commands.
#include <string>

#include "engine.h"
#include "solution_count.h"
#include "units.h"

namespace vornel {

void Engine::place_digit(std::int16_t row, std::int16_t col, std::int16_t digit) {
    view_.set_cell_colour(row, col, kGreen);
    view_.set_cell_text(row, col, std::to_string(digit));
    view_.append_log(narrator_.placement(digit));
    ++placements_;
}

void Engine::hide_step_buttons() {
    view_.set_button_visible(StepButton::Button5, false);
    view_.set_button_visible(StepButton::Button6, false);
}

void Engine::finish() {
    ended_ = true;
    stuck_ = false;
    view_.append_log(narrator_.line(LogLine::Finished));
    hide_step_buttons();
}

void Engine::stuck() {
    switch (count_solutions(a_, 2)) {
        case 0: stuck_kind_ = StuckKind::NoSolution; break;
        case 1: stuck_kind_ = StuckKind::OneSolution; break;
        default: stuck_kind_ = StuckKind::SeveralSolutions; break;
    }
    ended_ = true;
    stuck_ = true;
    view_.append_log(narrator_.line(stuck_kind_ == StuckKind::OneSolution ? LogLine::StuckUnique : LogLine::Stuck));
    hide_step_buttons();
}

SolverState Engine::state() const {
    if (ended_) return stuck_ ? SolverState::Stuck : SolverState::Finished;
    if (!solving_) return SolverState::Idle;
    return a_.digit_placed < 0 ? SolverState::Exhausted : SolverState::Working;
}

bool Engine::search_and_place() {
    std::optional<FoundStep> found = find_lone_free_cell();
    if (!found) found = find_last_empty_cell();
    if (!found) return false;
    view_.append_log(narrator_.reason(*found));
    place_digit(static_cast<std::int16_t>(found->row), static_cast<std::int16_t>(found->col),
                static_cast<std::int16_t>(found->digit));
    ++a_.tour_placed;
    ++a_.digit_placed;
    return true;
}

bool Engine::end_test() {
    if (!board_full()) return false;
    finish();
    return true;
}

void Engine::close_digit() {
    view_.append_log(narrator_.line(a_.digit_placed == 0 ? LogLine::Nothing : LogLine::NothingMore));
}

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
    narrator_.set_tempo(Tempo::Step);
    const bool placed = search_and_place();
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

void Engine::paint_last_marks() {
    if (marks_unpainted_) affiche_pres();
}

void Engine::solve_number() {
    narrator_.set_tempo(Tempo::Digit);
    for (;;) {
        in_many(a_.cur_digit);
        marks_unpainted_ = true;
        const bool placed = search_and_place();
        if (end_test()) break;
        if (placed) continue;
        if (a_.digit_placed >= 0) {
            close_digit();
            a_.digit_placed = -1;
            break;
        }
        // Exhausted: the next digit (or a new cycle) is searched in this same request.
        init_digit();
        view_.clear_log();
        if (!take_next_digit(true)) break;
    }
    paint_last_marks();
}

void Engine::solve_once() {
    narrator_.set_tempo(Tempo::Once);
    for (;;) {
        in_many(a_.cur_digit);
        marks_unpainted_ = true;
        const bool placed = search_and_place();
        if (end_test()) break;
        if (placed) continue;
        // The digit is done: its closing line and the separator, then the next digit, all in the
        // one log that is never cleared here.
        close_digit();
        view_.append_log(narrator_.line(LogLine::Separator));
        init_digit();
        if (!take_next_digit(false)) break;
    }
    paint_last_marks();
}

void Engine::start_command(Tempo tempo, bool show5, bool show6) {
    solving_ = true;
    ended_ = false;
    tempo_ = tempo;
    view_.show_occurrence_table();
    disable_all();
    // Hide before showing, so that at most one step button is ever visible.
    if (!show5) view_.set_button_visible(StepButton::Button5, false);
    if (!show6) view_.set_button_visible(StepButton::Button6, false);
    if (show5) view_.set_button_visible(StepButton::Button5, true);
    if (show6) view_.set_button_visible(StepButton::Button6, true);
}

bool Engine::verif_validates() {
    if (verif_sudoku()) return true;
    solving_ = false;
    ended_ = false;
    return false;
}

void Engine::m_stepClick() {
    if (!verif_validates()) return;
    start_command(Tempo::Step, true, false);
    init_jeu(Tempo::Step);
}

void Engine::m_numberClick() {
    if (!verif_validates()) return;
    start_command(Tempo::Digit, false, true);
    init_jeu(Tempo::Digit);
    solve_number();
}

void Engine::m_onceClick() {
    if (!verif_validates()) return;
    start_command(Tempo::Once, false, false);
    init_jeu(Tempo::Once);
    solve_once();
}

} // namespace vornel
