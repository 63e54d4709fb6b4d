// SPDX-License-Identifier: GPL-3.0-or-later
#include "ladder_session.h"

#include <string>

#include "colours.h"
#include "narrator_fr.h"
#include "narrator_fr_chains.h"
#include "position.h"

namespace vornel::ladder {

std::vector<std::string> step_log_lines(int number, const Step& step, Language language, LineBreaks breaks) {
    return step_log_lines(std::vector<Step>{step}, 0, number, language, breaks);
}

std::vector<std::string> step_log_lines(const std::vector<Step>& steps, std::size_t index, int number,
                                        Language language, LineBreaks breaks) {
    // Wrapped as vornel-explain's plain text is when it does not go to a terminal: 80 columns,
    // the step's number included.
    constexpr std::size_t kWidth = 80;
    const std::string prefix = std::to_string(number) + ". ";
    std::vector<std::string> lines = narrate_in(steps, index, language);
    if (breaks == LineBreaks::Wrapped) lines = wrap_sentences(lines, kWidth - prefix.size());
    if (lines.empty()) lines.emplace_back();
    lines.front().insert(0, prefix);
    return lines;
}

std::vector<std::string> explanation_log_lines(const Explanation& explanation, Language language, LineBreaks breaks) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < explanation.steps.size(); ++i)
        for (std::string& line : step_log_lines(explanation.steps, i, static_cast<int>(i + 1), language, breaks))
            lines.push_back(std::move(line));
    for (std::string& line : narrate_verdict(explanation, language)) lines.push_back(std::move(line));
    return lines;
}

namespace {

// cell 0-80; returns its row (or column) 1-9 as the board view counts
int view_row(int cell) { return row_of(cell) + 1; }
int view_col(int cell) { return col_of(cell) + 1; }

std::string digit_text(int value) { return value == 0 ? std::string() : std::to_string(value); }

} // namespace

Values LadderSession::current_values() const {
    Values values{};
    for (int cell = 0; cell < 81; ++cell)
        values[static_cast<std::size_t>(cell)] = area_.grid[view_row(cell)][view_col(cell)];
    return values;
}

void LadderSession::remember_grid() { remembered_ = current_values(); }

void LadderSession::solve_command_started() {
    remember_grid();
    end_display();
}

void LadderSession::taken_over() { end_display(); }

void LadderSession::show_position(const Marks& marks) {
    end_display();
    position_marks_ = marks;
    position_values_ = current_values();
    view_.show_picture(picture_of(Position::from_marks(marks).candidates()));
}

void LadderSession::board_edited() {
    if (active_ || !position_marks_ || current_values() == position_values_) return;
    forget_position();
}

void LadderSession::forget_position() {
    if (!position_marks_) return;
    position_marks_.reset();
    if (!active_) view_.hide_picture();
}

void LadderSession::end_display() {
    if (!active_) return;
    active_ = false;
    view_.hide_picture();
    view_.show_technique(std::nullopt);
    view_.set_ladder_button_visible(LadderButton::Button7, false);
    view_.set_ladder_button_visible(LadderButton::Button8, false);
}

void LadderSession::start(Mode mode) {
    remember_grid();
    end_display();
    const Values values = *remembered_;
    const bool from_position = position_marks_ && values == position_values_;
    const std::optional<Position> position =
        from_position ? std::optional<Position>(Position::from_marks(*position_marks_)) : std::nullopt;
    explanation_ = position ? explain(*position) : explain(values);
    states_.clear();
    first_lines_.clear();
    log_lines_ = 0;
    logged_ = 0;
    board_.clear_log();
    // A classic solve under way is given up, whatever the verdict.
    board_.set_button_visible(StepButton::Button5, false);
    board_.set_button_visible(StepButton::Button6, false);
    if (explanation_.verdict == Verdict::Invalid) {
        // The board stays as it is, so the user can mend it.
        for (const std::string& line : explanation_log_lines(explanation_, language_, breaks_)) board_.append_log(line);
        return;
    }
    for (int cell = 0; cell < 81; ++cell) {
        board_.set_cell_read_only(view_row(cell), view_col(cell), true);
        board_.set_cell_colour(view_row(cell), view_col(cell), kWhite);
        shown_[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(values[static_cast<std::size_t>(cell)]);
    }
    green_.fill(false);
    states_.push_back(position ? position->candidates() : Candidates(explanation_.puzzle));
    active_ = true;
    go_to(mode == Mode::Step ? std::min(1, step_count() + 1) : step_count() + 1);
}

const Candidates& LadderSession::state_before(int k) {
    while (static_cast<int>(states_.size()) < k) {
        Candidates next = states_.back();
        next.apply(explanation_.steps[states_.size() - 1]);
        states_.push_back(next);
    }
    return states_[static_cast<std::size_t>(k - 1)];
}

void LadderSession::next() {
    if (active_ && position_ <= step_count()) go_to(position_ + 1);
}

void LadderSession::back() {
    if (active_ && position_ >= 1 && step_count() >= 1) go_to(position_ - 1);
}

void LadderSession::go_to(int position) {
    const int n = step_count();
    position_ = position;
    BoardPicture picture;
    if (position == 0)
        picture = picture_of(states_.front());
    else if (position <= n)
        picture =
            picture_of(state_before(position), explanation_.steps[static_cast<std::size_t>(position - 1)], position);
    else
        picture = picture_of(state_before(n + 1));

    // Cells: only the digits that differ are written; the green of the step before goes.
    for (int cell = 0; cell < 81; ++cell) {
        const auto i = static_cast<std::size_t>(cell);
        const CellMarks& marks = picture.cells[i];
        if (green_[i] && !marks.placed) {
            board_.set_cell_colour(view_row(cell), view_col(cell), kWhite);
            green_[i] = false;
        }
        if (shown_[i] != marks.value) {
            board_.set_cell_text(view_row(cell), view_col(cell), digit_text(marks.value));
            shown_[i] = marks.value;
        }
        if (marks.placed && !green_[i]) {
            board_.set_cell_colour(view_row(cell), view_col(cell), kGreen);
            green_[i] = true;
        }
    }
    view_.show_picture(picture);
    part_ = 0;
    view_.show_walk(
        0, position >= 1 && position <= n ? walk_parts(explanation_.steps[static_cast<std::size_t>(position - 1)]) : 0,
        {});

    write_log_up_to(position);
    view_.show_technique(
        position >= 1 && position <= n
            ? std::optional<Technique>(explanation_.steps[static_cast<std::size_t>(position - 1)].technique)
            : std::nullopt);
    view_.set_ladder_button_visible(LadderButton::Button7, position <= n);
    view_.set_ladder_button_visible(LadderButton::Button8, position >= 1 && n >= 1);
    if (position >= 1) view_.keep_log_line_in_view(first_lines_[static_cast<std::size_t>(position - 1)]);
}

void LadderSession::walk(int delta) {
    if (!active_ || position_ < 1 || position_ > step_count()) return;
    const int parts = walk_parts(explanation_.steps[static_cast<std::size_t>(position_ - 1)]);
    if (parts == 0) return;
    // 0 is the whole step, between the last part and the first.
    part_ = ((part_ + delta) % (parts + 1) + parts + 1) % (parts + 1);
    show_part();
}

void LadderSession::whole() {
    if (!active_ || part_ == 0) return;
    part_ = 0;
    show_part();
}

void LadderSession::show_part() {
    const Step& step = explanation_.steps[static_cast<std::size_t>(position_ - 1)];
    view_.show_picture(picture_of(state_before(position_), step, position_, part_));
    view_.show_walk(part_, walk_parts(step), narrate_part(step, part_, language_));
}

void LadderSession::write_log_up_to(int position) {
    if (position != logged_ + 1) {
        board_.clear_log();
        first_lines_.clear();
        log_lines_ = 0;
        logged_ = 0;
    }
    const int n = step_count();
    for (int k = logged_ + 1; k <= position; ++k) {
        const std::vector<std::string> lines =
            k <= n ? step_log_lines(explanation_.steps, static_cast<std::size_t>(k - 1), k, language_, breaks_)
                   : narrate_verdict(explanation_, language_);
        first_lines_.push_back(log_lines_);
        for (const std::string& line : lines) board_.append_log(line);
        log_lines_ += lines.size();
    }
    logged_ = position;
}

void LadderSession::edit() {
    const Values values = remembered_ && view_.cells_locked() ? *remembered_ : current_values();
    end_display();
    for (int cell = 0; cell < 81; ++cell) {
        const int r = view_row(cell);
        const int c = view_col(cell);
        board_.set_cell_colour(r, c, kWhite);
        board_.set_cell_text(r, c, digit_text(values[static_cast<std::size_t>(cell)]));
        board_.set_cell_read_only(r, c, false);
    }
    board_.clear_log();
    board_.set_button_visible(StepButton::Button5, false);
    board_.set_button_visible(StepButton::Button6, false);
    view_.set_ladder_button_visible(LadderButton::Button7, false);
    view_.set_ladder_button_visible(LadderButton::Button8, false);
}

} // namespace vornel::ladder
