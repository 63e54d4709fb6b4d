// SPDX-License-Identifier: GPL-3.0-or-later
#include "classic_page.h"

#include "engine.h"

namespace vornel::report {

namespace {

BoardPicture::Shade shade_of(const HeadlessBoard::Cell& cell) {
    if (!cell.colour) return BoardPicture::Shade::None;
    switch (*cell.colour) {
        case kWhite: return BoardPicture::Shade::Free;
        case kRed: return BoardPicture::Shade::Excluded;
        case kOrange: return BoardPicture::Shade::Occupied;
        case kGreen: return BoardPicture::Shade::Placed;
        default: return BoardPicture::Shade::None;
    }
}

std::string cell_words(int cell, Language language) {
    return std::string(language == Language::English ? "at row " : "ligne ") + std::to_string(cell / 9 + 1) +
           (language == Language::English ? ", column " : ", colonne ") + std::to_string(cell % 9 + 1);
}

// Collects the log into steps: the lines of a request that writes a digit make one step, shown
// with the board as the request leaves it.
class StepCollector final : public LogListener {
public:
    StepCollector(const WorkArea& area, const HeadlessBoard& board, const std::array<bool, 81>& given,
                  Language language)
        : area_(area), board_(board), given_(given), language_(language) {}

    void log_cleared() override {}
    void log_appended(std::string_view line) override { pending_.emplace_back(line); }

    // A request has returned: when it wrote a digit, its lines and the board make a step.
    void request_done() {
        BoardPicture board = picture(true);
        if (board.values == last_values_) return;
        PageStep step;
        step.number = static_cast<int>(steps_.size()) + 1;
        step.sentences = std::move(pending_);
        pending_.clear();
        last_values_ = board.values;
        step.board = std::move(board);
        steps_.push_back(std::move(step));
    }

    BoardPicture picture(bool with_colours) const {
        BoardPicture p;
        p.given = given_;
        int placed_cell = -1;
        for (int i = 0; i < 81; ++i) {
            const std::int16_t v = area_.grid[i / 9 + 1][i % 9 + 1];
            p.values[i] = v >= 1 && v <= 9 ? static_cast<std::uint8_t>(v) : 0;
            if (!with_colours) continue;
            p.shade[i] = shade_of(board_.cell(i / 9 + 1, i % 9 + 1));
            if (p.values[i] != last_values_[i] && last_values_[i] == 0) {
                p.placed[i] = p.values[i];
                placed_cell = i;
            }
        }
        if (with_colours && placed_cell >= 0 && language_ == Language::English) {
            p.description = "The digit " + std::to_string(area_.cur_digit) + " is written " +
                            cell_words(placed_cell, language_) +
                            " (green circle). Hatched red cells: the digit cannot go there; dotted orange cells: "
                            "another digit is there; white cells: the digit can still go there.";
        } else if (with_colours && placed_cell >= 0) {
            p.description = "Le chiffre " + std::to_string(area_.cur_digit) + " est écrit " +
                            cell_words(placed_cell, language_) +
                            " (cercle vert). Cases rouges hachurées : le chiffre ne peut pas y aller ; cases "
                            "orange pointillées : un autre chiffre s'y trouve ; cases blanches : le chiffre "
                            "peut encore y aller.";
        }
        return p;
    }

    void start_from(const std::array<std::uint8_t, 81>& values) { last_values_ = values; }

    std::vector<PageStep> steps_;
    std::vector<std::string> pending_;

private:
    const WorkArea& area_;
    const HeadlessBoard& board_;
    const std::array<bool, 81>& given_;
    Language language_;
    std::array<std::uint8_t, 81> last_values_{}; // the board of the previous step
};

} // namespace

Page classic_page(const std::string& title, const Values& values, const FailureReporter& reporter, Language language) {
    WorkArea area;
    HeadlessBoard board(area, reporter);
    board.set_language(language);
    Engine engine(area, board);
    engine.set_language(language);
    store_values(area, values);
    engine.show_grid();

    std::array<bool, 81> given{};
    for (int i = 0; i < 81; ++i) given[i] = area.grid[i / 9 + 1][i % 9 + 1] != 0;
    StepCollector collector(area, board, given, language);
    collector.start_from(collector.picture(false).values);

    Page page;
    page.language = language;
    page.title = title;
    page.puzzle = collector.picture(false);
    page.puzzle.description = filled_description(page.puzzle, starting_grid_words(language), language);

    // One placement a request: "Résoudre pas à pas", then "Pas suivant" while it shows.
    board.set_log_listener(&collector);
    engine.m_stepClick();
    collector.request_done();
    for (long requests = 0; requests < 100000 && board.button_visible(StepButton::Button5); ++requests) {
        engine.Button5Click();
        collector.request_done();
    }
    board.set_log_listener(nullptr);

    page.steps = std::move(collector.steps_);
    page.closing = std::move(collector.pending_);
    page.final_grid = collector.picture(false);
    page.final_grid.description = filled_description(page.final_grid, final_grid_words(language), language);
    return page;
}

} // namespace vornel::report
