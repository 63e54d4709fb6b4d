// SPDX-License-Identifier: GPL-3.0-or-later
// Board-wide commands that New and Open share with the explainer.
#include <string>

#include "engine.h"

namespace vornel {

// Every cell white, its text set (through the change handling) to `text_of` its value, editable;
// log cleared; both step buttons hidden; no solve under way.
template<typename TextOf>
void Engine::reset_board(TextOf text_of) {
    solving_ = false;
    ended_ = false;
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            view_.set_cell_colour(r, c, kWhite);
            view_.set_cell_text(r, c, text_of(a_.grid[r][c]));
            view_.set_cell_read_only(r, c, false);
        }
    }
    view_.clear_log();
    hide_step_buttons();
}

void Engine::show_grid() {
    reset_board([](std::int16_t value) { return value == 0 ? std::string() : std::to_string(value); });
}

void Engine::new_puzzle() {
    reset_board([](std::int16_t) { return std::string(); });
}

} // namespace vornel
