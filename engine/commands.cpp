// Board-wide commands that New and Open share with the explainer.
#include <cstring>
#include <string>

#include "engine.h"

namespace vornel {

void Engine::append_line(std::string_view prefix, int number, std::string_view suffix) {
    line_.assign(prefix);
    char digits[12];
    char* end = digits + sizeof digits;
    char* p = end;
    unsigned magnitude = number < 0 ? 0u - static_cast<unsigned>(number) : static_cast<unsigned>(number);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (number < 0) *--p = '-';
    line_.append(p, end);
    line_.append(suffix);
    view_.append_log(line_);
}

void Engine::whitened() {
    colours_known_ = true;
    std::memset(green_, 0, sizeof green_);
}

void Engine::show_grid() {
    painted_valid_ = false;
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            view_.set_cell_colour(r, c, kWhite);
            const std::int16_t value = a_.grid[r][c];
            view_.set_cell_text(r, c, value == 0 ? std::string() : std::to_string(value));
            view_.set_cell_read_only(r, c, false);
        }
    }
    whitened();
    view_.clear_log();
    view_.set_button_visible(StepButton::Button5, false);
    view_.set_button_visible(StepButton::Button6, false);
}

void Engine::new_puzzle() {
    painted_valid_ = false;
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            view_.set_cell_colour(r, c, kWhite);
            view_.set_cell_text(r, c, "");
            view_.set_cell_read_only(r, c, false);
        }
    }
    whitened();
    view_.clear_log();
    view_.set_button_visible(StepButton::Button5, false);
    view_.set_button_visible(StepButton::Button6, false);
}

} // namespace vornel
