// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless_board.h"

#include "cell_rule.h"
#include "coords.h"
#include "failures.h"

namespace vornel {

HeadlessBoard::HeadlessBoard(WorkArea& area, FailureReporter reporter) : area_(area), reporter_(std::move(reporter)) {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) cells_[index(r, c)].tag = cell_code(r, c);
}

void HeadlessBoard::set_cell_colour(int row, int col, Colour colour) { cells_[index(row, col)].colour = colour; }

void HeadlessBoard::set_all_cell_colours(Colour colour) {
    for (Cell& cell : cells_) cell.colour = colour;
}

Colour HeadlessBoard::cell_colour(int row, int col) const {
    return cells_[index(row, col)].colour.value_or(kDefaultBackground);
}

void HeadlessBoard::set_cell_text(int row, int col, std::string_view text) {
    Cell& cell = cells_[index(row, col)];
    if (cell.text == text) return;
    cell.text.assign(text);
    try {
        store_cell_text(area_, cell.tag, cell.text);
    } catch (const Failure& failure) {
        if (reporter_) reporter_(failure_message(failure, language_));
    }
}

void HeadlessBoard::set_cell_read_only(int row, int col, bool read_only) {
    cells_[index(row, col)].read_only = read_only;
}

void HeadlessBoard::clear_log() {
    log_text_.clear();
    log_ends_.clear();
    if (listener_) listener_->log_cleared();
}

void HeadlessBoard::append_log(std::string_view line) {
    log_text_.append(line);
    log_ends_.push_back(log_text_.size());
    if (listener_) listener_->log_appended(line);
}

std::string_view HeadlessBoard::log_line(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : log_ends_[i - 1];
    return std::string_view(log_text_).substr(begin, log_ends_[i] - begin);
}

std::vector<std::string> HeadlessBoard::log() const {
    std::vector<std::string> lines;
    lines.reserve(log_ends_.size());
    for (std::size_t i = 0; i < log_ends_.size(); ++i) lines.emplace_back(log_line(i));
    return lines;
}

void HeadlessBoard::set_button_visible(StepButton button, bool visible) {
    buttons_[button == StepButton::Button5 ? 0 : 1] = visible;
}

void HeadlessBoard::show_occurrence_table() {
    label1_visible_ = true;
    gr1_visible_ = true;
}

void HeadlessBoard::set_occurrence_cell(int col, int row, std::string_view text) {
    if (col >= 0 && col <= 9 && row >= 0 && row <= 1) gr1_[row][col].assign(text);
}

const HeadlessBoard::Cell* HeadlessBoard::find_cell(std::string_view name) const {
    if (name.size() != 6 || name.substr(0, 4) != "Edit") return nullptr;
    const int r = name[4] - '0';
    const int c = name[5] - '0';
    if (r < 1 || r > 9 || c < 1 || c > 9) return nullptr;
    return &cells_[index(r, c)];
}

} // namespace vornel
