// SPDX-License-Identifier: GPL-3.0-or-later
// Digit scheduling: counts, cycles, the choice of the next digit, and the start of a solve.
#include <string>

#include "engine.h"

namespace vornel {

void Engine::calcul_freq() {
    std::int16_t count[10] = {};
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (a_.grid[r][c] >= 1 && a_.grid[r][c] <= 9) ++count[a_.grid[r][c]];
    a_.total_filled = 0;
    for (int d = 1; d <= 9; ++d) {
        a_.freq[d] = count[d];
        a_.total_filled = static_cast<std::int16_t>(a_.total_filled + count[d]);
    }
    for (int d = 1; d <= 9; ++d)
        if (a_.freq[d] == 9) a_.treated[d] = 9;
}

void Engine::init_tour(bool clear) {
    for (int d = 1; d <= 9; ++d) a_.treated[d] = 0;
    if (clear) view_.clear_log();
    view_.append_log(narrator_.line(LogLine::NewCycle));
}

void Engine::init_digit() {
    marks_unpainted_ = false;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) a_.pres[r][c] = 0;
    view_.set_all_cell_colours(kWhite);
}

std::uint16_t Engine::choix_numero() {
    int best = -1;
    std::uint16_t chosen = 0;
    for (int d = 1; d <= 9; ++d) {
        if (a_.treated[d] == 0 && a_.freq[d] > best) {
            chosen = static_cast<std::uint16_t>(d);
            best = a_.freq[d];
        }
    }
    if (chosen != 0) {
        a_.treated[chosen] = 1;
        view_.append_log(narrator_.digit_taken(chosen));
    }
    return chosen;
}

void Engine::init_jeu(Tempo tempo) {
    a_.digit_placed = 0;
    a_.tour_placed = 0;
    a_.total_filled = 0;
    a_.cur_digit = 0;
    init_tour(true);
    calcul_freq();
    affiche_freq();
    if (a_.total_filled == 81) {
        finish();
        return;
    }
    init_digit();
    a_.cur_digit = choix_numero();
    if (tempo == Tempo::Step) {
        in_many(a_.cur_digit);
        affiche_pres();
    }
}

} // namespace vornel
