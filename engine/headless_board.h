// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board_view.h"
#include "language.h"
#include "work_area.h"

namespace vornel {

// Receives every change of the headless log as it happens (the explainer's trace uses it).
class LogListener {
public:
    virtual ~LogListener() = default;
    virtual void log_cleared() = 0;
    virtual void log_appended(std::string_view line) = 0;
};

// Reports a failure raised inside a cell's change handling; receives the failure's message.
using FailureReporter = std::function<void(const std::string& message)>;

// A board without a window: 81 cells with text, colour and read-only flag, the explanation log,
// Label1, gr1 and the two step buttons, all in memory. It behaves as the window does: a text
// write that changes a cell runs the change handling on the work area before it returns, and a
// failure there is handed to the reporter, after which the write returns normally.
class HeadlessBoard final : public BoardView {
public:
    struct Cell {
        std::string text;
        std::optional<Colour> colour; // empty until the first set
        bool read_only = false;
        int tag = 0;
    };

    HeadlessBoard(WorkArea& area, FailureReporter reporter = {});

    void set_cell_colour(int row, int col, Colour colour) override;
    void set_all_cell_colours(Colour colour) override;
    Colour cell_colour(int row, int col) const override;
    void set_cell_text(int row, int col, std::string_view text) override;
    void set_cell_read_only(int row, int col, bool read_only) override;
    void clear_log() override;
    void append_log(std::string_view line) override;
    void set_button_visible(StepButton button, bool visible) override;
    void show_occurrence_table() override;
    void set_occurrence_cell(int col, int row, std::string_view text) override;

    // Finds a cell by its control name "Edit11".."Edit99"; nullptr for any other name.
    const Cell* find_cell(std::string_view name) const;
    const Cell& cell(int row, int col) const { return cells_[index(row, col)]; }
    // The log's lines, copied out; log_line(i) and last_log_line() read them in place.
    std::vector<std::string> log() const;
    std::size_t log_size() const { return log_ends_.size(); }
    std::string_view log_line(std::size_t i) const;
    // The last line, or "" when the log is empty.
    std::string_view last_log_line() const {
        return log_ends_.empty() ? std::string_view() : log_line(log_ends_.size() - 1);
    }
    bool button_visible(StepButton button) const { return buttons_[button == StepButton::Button5 ? 0 : 1]; }
    bool label1_visible() const { return label1_visible_; }
    bool gr1_visible() const { return gr1_visible_; }
    const std::string& occurrence_cell(int col, int row) const { return gr1_[row][col]; }

    void set_log_listener(LogListener* listener) { listener_ = listener; }
    void set_failure_reporter(FailureReporter reporter) { reporter_ = std::move(reporter); }
    // The language the reporter is told failures in (French until told otherwise).
    void set_language(Language language) { language_ = language; }

    // The colour a cell shows before the program sets one: the edit box's default background.
    static constexpr Colour kDefaultBackground = kWhite;

private:
    static int index(int row, int col) { return (row - 1) * 9 + (col - 1); }

    WorkArea& area_;
    FailureReporter reporter_;
    Language language_ = Language::French;
    LogListener* listener_ = nullptr;
    std::array<Cell, 81> cells_;
    // All lines one after the other in log_text_; line i ends at log_ends_[i]. One empty line at start.
    std::string log_text_;
    std::vector<std::size_t> log_ends_{0};
    std::array<bool, 2> buttons_{false, false};
    bool label1_visible_ = false;
    bool gr1_visible_ = false;
    std::array<std::array<std::string, 10>, 2> gr1_;
};

} // namespace vornel
