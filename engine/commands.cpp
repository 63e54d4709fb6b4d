// Board-wide commands that New and Open share with the explainer.
#include <string>

#include "engine.h"

namespace vornel {

void Engine::show_grid() {
    solving_ = false;
    ended_ = false;
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            view_.set_cell_colour(r, c, kWhite);
            const std::int16_t value = a_.grid[r][c];
            view_.set_cell_text(r, c, value == 0 ? std::string() : std::to_string(value));
            view_.set_cell_read_only(r, c, false);
        }
    }
    view_.clear_log();
    view_.set_button_visible(StepButton::Button5, false);
    view_.set_button_visible(StepButton::Button6, false);
}

void Engine::new_puzzle() {
    solving_ = false;
    ended_ = false;
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            view_.set_cell_colour(r, c, kWhite);
            view_.set_cell_text(r, c, "");
            view_.set_cell_read_only(r, c, false);
        }
    }
    view_.clear_log();
    view_.set_button_visible(StepButton::Button5, false);
    view_.set_button_visible(StepButton::Button6, false);
}

} // namespace vornel
