// SPDX-License-Identifier: GPL-3.0-or-later
#include "explainer.h"

#include <ostream>
#include <string_view>

#include "engine.h"
#include "failures.h"
#include "headless_board.h"
#include "solution_count.h"

namespace vornel {

namespace {

char grid_char(std::int16_t v, char empty) {
    if (v == 0) return empty;
    if (v >= 1 && v <= 9) return static_cast<char>('0' + v);
    return '?';
}

char colour_char(const HeadlessBoard::Cell& cell) {
    if (!cell.colour) return '-';
    switch (*cell.colour) {
        case kWhite: return 'W';
        case kRed: return 'R';
        case kOrange: return 'O';
        case kGreen: return 'G';
        default: return '?';
    }
}

// Writes each log event as it happens, for the trace.
class TraceListener final : public LogListener {
public:
    explicit TraceListener(std::ostream& out) : out_(out) {}
    void log_cleared() override { out_ << "clear\n"; }
    void log_appended(std::string_view line) override { out_ << "+ " << line << '\n'; }

private:
    std::ostream& out_;
};

const char* request_name(Tempo tempo) {
    switch (tempo) {
        case Tempo::Step: return "m_stepClick";
        case Tempo::Digit: return "m_numberClick";
        case Tempo::Once: break;
    }
    return "m_onceClick";
}

} // namespace

namespace {

// A number above 9 loads without a failure: its cell shows all its digits and counts the first.
// Said, so that nobody is explained a grid other than the file's without a word.
void report_values_counted_otherwise(const Values& values, const WorkArea& area, const FailureReporter& reporter,
                                     Language language) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int row = static_cast<int>(i / 9) + 1, column = static_cast<int>(i % 9) + 1;
        if (values[i] <= 9 || !reporter) continue;
        if (language == Language::English)
            reporter("The cell at row " + std::to_string(row) + ", column " + std::to_string(column) + " holds " +
                     std::to_string(values[i]) + ": the grid shows '" + std::to_string(values[i]) +
                     "' and counts it as a " + std::to_string(area.grid[row][column]));
        else
            reporter("La case ligne " + std::to_string(row) + ", colonne " + std::to_string(column) + " contient " +
                     std::to_string(values[i]) + " : la grille l'affiche « " + std::to_string(values[i]) +
                     " » et le compte comme un " + std::to_string(area.grid[row][column]));
    }
}

} // namespace

WorkArea loaded_grid(const Values& values, const FailureReporter& reporter, Language language) {
    WorkArea area;
    HeadlessBoard board(area, reporter);
    board.set_language(language);
    Engine engine(area, board);
    store_values(area, values);
    engine.show_grid();
    report_values_counted_otherwise(values, area, reporter, language);
    return area;
}

void explain_puzzle(const ExplainOptions& options, const PuzzleOrigin& origin, const Values& values, bool first,
                    std::ostream& out, std::ostream& err) {
    const std::string name = origin.name();
    WorkArea area;
    const FailureReporter reporter = [&err, &name](const std::string& message) {
        err << name << ": " << failure_text(message) << '\n';
    };
    HeadlessBoard board(area, reporter);
    board.set_language(options.language);
    Engine engine(area, board);
    engine.set_language(options.language);
    store_values(area, values);
    engine.show_grid();
    report_values_counted_otherwise(values, area, reporter, options.language);

    TraceListener trace(out);
    const bool tracing = options.report == Report::Trace;
    if (tracing) {
        out << "puzzle " << name << '\n';
        board.set_log_listener(&trace);
    }
    if (options.report == Report::Narrative && !first) out << '\n';

    long requests = 0;
    const auto run = [&](const char* request, auto&& command) {
        ++requests;
        if (tracing) out << "== " << request << '\n';
        command();
        if (tracing) {
            out << "grid ";
            for (int r = 1; r <= 9; ++r)
                for (int c = 1; c <= 9; ++c) out << grid_char(area.grid[r][c], '0');
            out << "\ncolours ";
            for (int r = 1; r <= 9; ++r)
                for (int c = 1; c <= 9; ++c) out << colour_char(board.cell(r, c));
            out << "\nbuttons " << (board.button_visible(StepButton::Button5) ? '1' : '0')
                << (board.button_visible(StepButton::Button6) ? '1' : '0') << '\n';
        } else if (options.report == Report::Narrative) {
            if (requests > 1) out << '\n';
            for (std::size_t i = 0; i < board.log_size(); ++i) out << board.log_line(i) << '\n';
        }
    };

    switch (options.tempo) {
        case Tempo::Step: run(request_name(options.tempo), [&] { engine.m_stepClick(); }); break;
        case Tempo::Digit: run(request_name(options.tempo), [&] { engine.m_numberClick(); }); break;
        case Tempo::Once: run(request_name(options.tempo), [&] { engine.m_onceClick(); }); break;
    }
    while (requests < options.max_requests && board.button_visible(StepButton::Button5))
        run("Button5Click", [&] { engine.Button5Click(); });
    while (requests < options.max_requests && board.button_visible(StepButton::Button6))
        run("Button6Click", [&] { engine.Button6Click(); });

    switch (options.report) {
        case Report::Trace: board.set_log_listener(nullptr); break;
        case Report::Narrative:
            out << '\n';
            for (int r = 1; r <= 9; ++r) {
                for (int c = 1; c <= 9; ++c) out << grid_char(area.grid[r][c], '.');
                out << '\n';
            }
            break;
        case Report::Summary: {
            SummaryRow row;
            row.origin = origin;
            row.grid.clear();
            for (int r = 1; r <= 9; ++r)
                for (int c = 1; c <= 9; ++c) row.grid += grid_char(area.grid[r][c], '.');
            // Invalid givens (a duplicate or a value no cell can hold) have no solution; a finished
            // grid is the one solution; a stuck engine has counted them.
            row.status = "invalid";
            row.solutions = "0";
            switch (engine.state()) {
                case SolverState::Idle: break;
                case SolverState::Finished:
                    row.status = "solved";
                    row.solutions = "1";
                    break;
                case SolverState::Stuck:
                    row.status = "stuck";
                    row.solutions = engine.stuck_kind() == StuckKind::OneSolution        ? "1"
                                    : engine.stuck_kind() == StuckKind::SeveralSolutions ? "2+"
                                                                                         : "0";
                    break;
                case SolverState::Working:
                case SolverState::Exhausted: // cut short by max_requests
                    row.status = "stuck";
                    if (const int n = count_solutions(area); n >= 2)
                        row.solutions = "2+";
                    else
                        row.solutions = std::to_string(n);
                    break;
            }
            row.steps = std::to_string(engine.placements());
            out << summary_line(row);
            break;
        }
    }
}

} // namespace vornel
