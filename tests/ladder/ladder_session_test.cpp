// SPDX-License-Identifier: GPL-3.0-or-later
// The ladder session on the headless board: what each command leaves on the board, in the log
// and in the picture, the way back step by step, and the return to editing.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine.h"
#include "headless_board.h"
#include "ladder/headless_ladder_view.h"
#include "ladder/ladder.h"
#include "ladder/ladder_session.h"
#include "ladder/narrator_fr.h"
#include "ladder/position.h"
#include "ladder_report.h"

namespace vornel::ladder {
namespace {

const char* const kEasy = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
// Needs intersections and subsets besides singles.
const char* const kExpert = "..83....15.6..4..8..2..83....9.......8...36...25....944..9........6..........52.9";
const char* const kHard = "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";
const char* const kInvalid = "55..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

Grid grid_of(const std::string& puzzle) {
    Grid grid{};
    for (int i = 0; i < 81; ++i)
        grid[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(puzzle[static_cast<std::size_t>(i)] >= '1' &&
                                                                              puzzle[static_cast<std::size_t>(i)] <= '9'
                                                                          ? puzzle[static_cast<std::size_t>(i)] - '0'
                                                                          : 0);
    return grid;
}

// A work area, headless board, ladder view, classic engine and ladder session, as the window has them.
struct Fixture {
    WorkArea area;
    std::vector<std::string> failures;
    HeadlessBoard board{area, [this](const std::string& m) { failures.push_back(m); }};
    HeadlessLadderView view{board};
    Engine engine{area, board};
    LadderSession session{area, board, view};

    explicit Fixture(const std::string& puzzle) {
        for (int i = 0; i < 81; ++i) {
            const char ch = puzzle[static_cast<std::size_t>(i)];
            area.grid[i / 9 + 1][i % 9 + 1] = static_cast<std::int16_t>(ch >= '1' && ch <= '9' ? ch - '0' : 0);
        }
        engine.show_grid();
    }

    std::string grid() const {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s += area.grid[r][c] == 0 ? '.' : static_cast<char>('0' + area.grid[r][c]);
        return s;
    }
    std::string texts() const {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s += board.cell(r, c).text.empty() ? std::string(".") : board.cell(r, c).text;
        return s;
    }
    bool all(bool read_only, Colour colour) const {
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                if (board.cell(r, c).read_only != read_only || board.cell(r, c).colour.value_or(0) != colour)
                    return false;
        return true;
    }
    bool any_button() const {
        return board.button_visible(StepButton::Button5) || board.button_visible(StepButton::Button6) ||
               view.button_visible(LadderButton::Button7) || view.button_visible(LadderButton::Button8);
    }

    // Everything a user sees, for comparing two moments.
    struct Screen {
        std::string grid;
        std::string texts;
        std::vector<std::string> log;
        std::optional<BoardPicture> picture;
        bool button7 = false;
        bool button8 = false;
        std::optional<Technique> technique;
        std::string greens;
        bool operator==(const Screen&) const = default;
    };
    Screen screen() const {
        Screen s{grid(),
                 texts(),
                 board.log(),
                 view.picture(),
                 view.button_visible(LadderButton::Button7),
                 view.button_visible(LadderButton::Button8),
                 view.technique(),
                 {}};
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s.greens += board.cell(r, c).colour == kGreen ? 'G' : '.';
        return s;
    }
};

std::vector<std::string> corpus() {
    std::ifstream in(std::string(VORNEL_TEST_DATA) + "/ladder-window.txt");
    std::vector<std::string> puzzles;
    for (std::string line; std::getline(in, line);)
        if (line.size() >= 81 && line[0] != '#') puzzles.push_back(line.substr(0, 81));
    return puzzles;
}

TEST(LadderSession, step_mode_shows_the_first_step_on_a_locked_white_board) {
    Fixture f(kEasy);
    f.session.start(LadderSession::Mode::Step);
    const Explanation expected = explain(grid_of(kEasy));
    ASSERT_FALSE(expected.steps.empty());
    EXPECT_TRUE(f.session.active());
    EXPECT_EQ(f.session.position(), 1);
    EXPECT_EQ(f.board.log(), step_log_lines(1, expected.steps[0]));
    ASSERT_TRUE(f.view.picture());
    EXPECT_EQ(*f.view.picture(), picture_of(Candidates(expected.puzzle), expected.steps[0], 1));
    EXPECT_TRUE(f.view.button_visible(LadderButton::Button7));
    EXPECT_TRUE(f.view.button_visible(LadderButton::Button8));
    EXPECT_FALSE(f.board.button_visible(StepButton::Button5));
    EXPECT_EQ(f.view.technique(), expected.steps[0].technique);
    EXPECT_EQ(f.view.line_in_view(), 0u);
    // The first step of this puzzle places a digit: its cell is green and holds it, in the grid too.
    ASSERT_FALSE(expected.steps[0].placements.empty());
    const Candidate placed = expected.steps[0].placements[0];
    const int r = row_of(placed.cell) + 1, c = col_of(placed.cell) + 1;
    EXPECT_EQ(f.area.grid[r][c], placed.digit);
    EXPECT_EQ(f.board.cell(r, c).colour, kGreen);
    for (int rr = 1; rr <= 9; ++rr)
        for (int cc = 1; cc <= 9; ++cc) {
            EXPECT_TRUE(f.board.cell(rr, cc).read_only);
            if (rr != r || cc != c) { EXPECT_EQ(f.board.cell(rr, cc).colour, kWhite); }
        }
    EXPECT_TRUE(f.failures.empty());
}

// Every puzzle of the corpus, step by step to the end: the log is the headless ladder's text, the
// board its final grid; then back to the start, each position showing exactly what it showed on
// the way forward (board, log, picture, buttons).
TEST(LadderSession, every_puzzle_steps_to_the_headless_end_and_back_to_the_start) {
    const std::vector<std::string> puzzles = corpus();
    ASSERT_GE(puzzles.size(), 15u);
    for (const std::string& puzzle : puzzles) {
        SCOPED_TRACE(puzzle);
        Fixture f(puzzle);
        const Explanation expected = explain(grid_of(puzzle));
        f.session.start(LadderSession::Mode::Step);
        if (expected.verdict == Verdict::Invalid) {
            EXPECT_FALSE(f.session.active());
            EXPECT_EQ(f.board.log(), explanation_log_lines(expected));
            continue;
        }
        std::vector<Fixture::Screen> forward;
        forward.push_back(f.screen());
        const int n = static_cast<int>(expected.steps.size());
        for (int k = 1; k <= n + 1 && f.view.button_visible(LadderButton::Button7); ++k) {
            f.session.next();
            forward.push_back(f.screen());
        }
        EXPECT_EQ(f.session.position(), n + 1);
        EXPECT_FALSE(f.view.button_visible(LadderButton::Button7));
        EXPECT_EQ(f.board.log(), explanation_log_lines(expected));
        std::string final_grid;
        for (const std::uint8_t v : expected.final_grid) final_grid += v == 0 ? '.' : static_cast<char>('0' + v);
        EXPECT_EQ(f.grid(), final_grid);
        EXPECT_FALSE(f.view.technique());

        for (auto it = forward.rbegin() + 1; it != forward.rend() && f.view.button_visible(LadderButton::Button8);
             ++it) {
            f.session.back();
            ASSERT_EQ(f.screen(), *it) << "position " << f.session.position();
        }
        if (n >= 1) {
            // Back once more from step 1: the start, pencil marks only, empty log.
            f.session.back();
            EXPECT_EQ(f.session.position(), 0);
            EXPECT_TRUE(f.board.log().empty());
            ASSERT_TRUE(f.view.picture());
            EXPECT_EQ(*f.view.picture(), picture_of(Candidates(expected.puzzle)));
            EXPECT_FALSE(f.view.button_visible(LadderButton::Button8));
            EXPECT_TRUE(f.view.button_visible(LadderButton::Button7));
            std::string givens = puzzle;
            for (char& ch : givens)
                if (ch < '1' || ch > '9') ch = '.';
            EXPECT_EQ(f.grid(), givens);
        }
        EXPECT_TRUE(f.failures.empty());
    }
}

// A log that wraps its own lines gets each sentence whole: the same words as the lines broken at
// 112 characters, in fewer lines, and the session writes them so in both modes.
TEST(LadderSession, a_log_that_wraps_itself_gets_whole_sentences) {
    const auto words = [](const std::vector<std::string>& lines) {
        std::string all;
        for (const std::string& line : lines)
            for (const char ch : line)
                if (ch != ' ') all += ch;
        return all;
    };
    bool some_sentence_is_long = false;
    for (const std::string& puzzle : corpus()) {
        SCOPED_TRACE(puzzle);
        const Explanation expected = explain(grid_of(puzzle));
        for (std::size_t k = 0; k < expected.steps.size(); ++k) {
            const int number = static_cast<int>(k + 1);
            const auto whole = step_log_lines(number, expected.steps[k], Language::French, LineBreaks::Whole);
            const auto wrapped = step_log_lines(number, expected.steps[k], Language::French, LineBreaks::Wrapped);
            EXPECT_EQ(words(whole), words(wrapped)) << "step " << number;
            EXPECT_LE(whole.size(), wrapped.size()) << "step " << number;
            if (whole.size() < wrapped.size()) some_sentence_is_long = true;
        }
        for (const LadderSession::Mode mode : {LadderSession::Mode::Step, LadderSession::Mode::Once}) {
            Fixture f(puzzle);
            f.session.set_line_breaks(LineBreaks::Whole);
            f.session.start(mode);
            if (mode == LadderSession::Mode::Once) {
                EXPECT_EQ(f.board.log(), explanation_log_lines(expected, Language::French, LineBreaks::Whole));
            } else if (!expected.steps.empty()) {
                EXPECT_EQ(f.board.log(), step_log_lines(1, expected.steps[0], Language::French, LineBreaks::Whole));
            }
        }
    }
    EXPECT_TRUE(some_sentence_is_long) << "the corpus should hold a sentence longer than a terminal line";
}

// The board's log at the end of an explanation says what vornel-explain --techniques all says, sentence
// for sentence (the explainer indents a step's further sentences and ends with the grid).
TEST(LadderSession, the_log_at_the_end_is_the_explainers_narrative) {
    for (const std::string& puzzle : corpus()) {
        SCOPED_TRACE(puzzle);
        Fixture f(puzzle);
        f.session.start(LadderSession::Mode::Once);
        const std::string narrative = ladder_narrative(explain(grid_of(puzzle)));
        std::vector<std::string> sentences;
        std::size_t start = 0;
        for (std::size_t end; (end = narrative.find('\n', start)) != std::string::npos; start = end + 1) {
            std::string line = narrative.substr(start, end - start);
            line.erase(0, line.find_first_not_of(' ') == std::string::npos ? line.size() : line.find_first_not_of(' '));
            sentences.push_back(line);
        }
        // Drop the blank lines and the nine lines of the final grid.
        ASSERT_GE(sentences.size(), 10u);
        sentences.resize(sentences.size() - 9);
        std::erase(sentences, std::string());
        // The log indents chains' links and branches' implications; the narrative aligns them too.
        std::vector<std::string> log = f.board.log();
        for (std::string& line : log) line.erase(0, std::min(line.find_first_not_of(' '), line.size()));
        EXPECT_EQ(log, sentences);
    }
}

TEST(LadderSession, once_mode_shows_the_whole_explanation_and_can_step_back) {
    Fixture f(kHard);
    f.session.start(LadderSession::Mode::Once);
    const Explanation expected = explain(grid_of(kHard));
    EXPECT_EQ(f.session.position(), static_cast<int>(expected.steps.size()) + 1);
    EXPECT_EQ(f.board.log(), explanation_log_lines(expected));
    EXPECT_FALSE(f.view.button_visible(LadderButton::Button7));
    EXPECT_TRUE(f.view.button_visible(LadderButton::Button8));
    // The verdict is in view: the last position's lines start after every step's.
    std::size_t step_lines = 0;
    for (std::size_t k = 0; k < expected.steps.size(); ++k)
        step_lines += step_log_lines(static_cast<int>(k + 1), expected.steps[k]).size();
    EXPECT_EQ(f.view.line_in_view(), step_lines);
    f.session.back();
    EXPECT_TRUE(f.view.button_visible(LadderButton::Button7));
    EXPECT_EQ(f.view.technique(), expected.steps.back().technique);
}

// Taking back a placement empties its cell (and the grid); taking back an elimination brings the
// candidate back, no longer struck.
TEST(LadderSession, back_undoes_a_placement_and_an_elimination) {
    Fixture f(kExpert);
    const Explanation expected = explain(grid_of(kExpert));
    int placement = 0, elimination = 0;
    for (std::size_t k = 0; k < expected.steps.size(); ++k) {
        if (!placement && !expected.steps[k].placements.empty()) placement = static_cast<int>(k + 1);
        if (!elimination && expected.steps[k].placements.empty()) elimination = static_cast<int>(k + 1);
    }
    ASSERT_GT(placement, 0);
    ASSERT_GT(elimination, 0) << "the puzzle needs an elimination step";

    f.session.start(LadderSession::Mode::Step);
    while (f.session.position() < placement) f.session.next();
    const Candidate placed = expected.steps[static_cast<std::size_t>(placement - 1)].placements[0];
    const int r = row_of(placed.cell) + 1, c = col_of(placed.cell) + 1;
    EXPECT_EQ(f.area.grid[r][c], placed.digit);
    const std::size_t lines = f.board.log_size();
    f.session.back();
    EXPECT_EQ(f.area.grid[r][c], 0);
    EXPECT_EQ(f.board.cell(r, c).text, "");
    EXPECT_EQ(f.board.cell(r, c).colour, kWhite);
    EXPECT_LT(f.board.log_size(), lines);
    EXPECT_TRUE(f.view.picture()->cells[placed.cell].candidates >> placed.digit & 1);

    while (f.session.position() < elimination) f.session.next();
    const Candidate removed = expected.steps[static_cast<std::size_t>(elimination - 1)].eliminations[0];
    EXPECT_TRUE(f.view.picture()->cells[removed.cell].removed >> removed.digit & 1);
    f.session.next();
    EXPECT_FALSE(f.view.picture()->cells[removed.cell].candidates >> removed.digit & 1);
    f.session.back();
    EXPECT_TRUE(f.view.picture()->cells[removed.cell].candidates >> removed.digit & 1);
    EXPECT_TRUE(f.view.picture()->cells[removed.cell].removed >> removed.digit & 1);
    f.session.back();
    EXPECT_TRUE(f.view.picture()->cells[removed.cell].candidates >> removed.digit & 1);
    EXPECT_FALSE(f.view.picture()->cells[removed.cell].removed >> removed.digit & 1);
}

TEST(LadderSession, invalid_givens_are_listed_and_the_board_stays_editable) {
    Fixture f(kInvalid);
    f.session.start(LadderSession::Mode::Step);
    const Explanation expected = explain(grid_of(kInvalid));
    ASSERT_EQ(expected.verdict, Verdict::Invalid);
    EXPECT_FALSE(f.session.active());
    EXPECT_EQ(f.board.log(), narrate_verdict(expected));
    EXPECT_TRUE(f.all(false, kWhite));
    EXPECT_FALSE(f.view.picture());
    EXPECT_FALSE(f.any_button());
    // "Modifier la grille" then keeps what the user typed since.
    f.board.set_cell_text(1, 2, "");
    f.session.edit();
    EXPECT_EQ(f.area.grid[1][2], 0);
}

// "Modifier la grille" after each kind of solve puts back the grid as the solve found it.
TEST(LadderSession, edit_puts_back_the_grid_of_the_last_solve_after_each_kind_of_solve) {
    struct Case {
        const char* name;
        std::function<void(Fixture&)> solve;
    };
    const std::vector<Case> cases = {
        {"classic step",
         [](Fixture& f) {
             f.session.solve_command_started();
             f.engine.m_stepClick();
             for (int i = 0; i < 5; ++i) f.engine.Button5Click();
         }},
        {"classic digit",
         [](Fixture& f) {
             f.session.solve_command_started();
             f.engine.m_numberClick();
             f.engine.Button6Click();
         }},
        {"classic once",
         [](Fixture& f) {
             f.session.solve_command_started();
             f.engine.m_onceClick();
         }},
        {"ladder step",
         [](Fixture& f) {
             f.session.start(LadderSession::Mode::Step);
             for (int i = 0; i < 5; ++i) f.session.next();
         }},
        {"ladder once", [](Fixture& f) { f.session.start(LadderSession::Mode::Once); }},
        {"classic once, then the ladder from there",
         [](Fixture& f) {
             f.session.solve_command_started();
             f.engine.m_onceClick();
             f.session.start(LadderSession::Mode::Once);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(kExpert);
        const std::string before = f.grid();
        c.solve(f);
        EXPECT_NE(f.grid(), before);
        f.session.edit();
        const bool from_classic = std::string(c.name) == "classic once, then the ladder from there";
        if (!from_classic) { EXPECT_EQ(f.grid(), before); }
        EXPECT_TRUE(f.all(false, kWhite));
        EXPECT_TRUE(f.board.log().empty());
        EXPECT_FALSE(f.any_button());
        EXPECT_FALSE(f.view.picture());
        EXPECT_FALSE(f.view.technique());
        EXPECT_FALSE(f.session.active());
        EXPECT_TRUE(f.failures.empty());
    }
}

// The ladder starts from the board as it stands: what a classic solve placed counts as given.
TEST(LadderSession, ladder_starts_from_what_a_classic_solve_placed) {
    Fixture f(kExpert);
    f.session.solve_command_started();
    f.engine.m_onceClick(); // places some digits, then gets stuck
    const std::string after_classic = f.grid();
    f.session.start(LadderSession::Mode::Step);
    EXPECT_EQ(f.session.explanation().puzzle, grid_of(after_classic));
    // And "Modifier la grille" goes back to the board the ladder started from.
    f.session.edit();
    EXPECT_EQ(f.grid(), after_classic);
}

TEST(LadderSession, another_command_taking_the_board_ends_the_display) {
    Fixture f(kEasy);
    f.session.start(LadderSession::Mode::Step);
    f.session.taken_over();
    EXPECT_FALSE(f.session.active());
    EXPECT_FALSE(f.view.picture());
    EXPECT_FALSE(f.view.button_visible(LadderButton::Button7));
    EXPECT_FALSE(f.view.button_visible(LadderButton::Button8));
    EXPECT_FALSE(f.view.technique());
    // next and back do nothing once the display has ended.
    const auto log = f.board.log();
    f.session.next();
    f.session.back();
    EXPECT_EQ(f.board.log(), log);
}

TEST(LadderPicture, a_step_is_drawn_over_the_candidates_it_starts_from) {
    Candidates before(grid_of(kEasy));
    Step step;
    step.technique = Technique::Pointing;
    step.cells = {0, 1};
    step.units = {18};
    step.digits = 1u << 2;
    // Pretend eliminations of live candidates.
    int elim_cell = -1;
    for (int cell = 0; cell < 81 && elim_cell < 0; ++cell)
        if (before.value(cell) == 0 && before.has(cell, 2) && row_of(cell) != 0) elim_cell = cell;
    ASSERT_GE(elim_cell, 0);
    step.eliminations = {{static_cast<std::uint8_t>(elim_cell), 2}};
    const BoardPicture picture = picture_of(before, step, 7);
    EXPECT_EQ(picture.step_number, 7);
    EXPECT_EQ(picture.technique, Technique::Pointing);
    EXPECT_TRUE(picture.cells[static_cast<std::size_t>(elim_cell)].removed & (1u << 2));
    EXPECT_TRUE(picture.cells[static_cast<std::size_t>(elim_cell)].candidates & (1u << 2));
    EXPECT_TRUE(picture.cells[0].pattern);
    for (const std::uint8_t cell : geometry().unit_cells[18]) EXPECT_TRUE(picture.cells[cell].in_unit);
    EXPECT_FALSE(picture.cells[80].in_unit);
}

TEST(LadderPicture, a_placement_is_written_and_clears_its_digit_from_the_peers) {
    const Candidates before(grid_of(kEasy));
    const Explanation explanation = explain(grid_of(kEasy));
    const Step& first = explanation.steps.front();
    ASSERT_FALSE(first.placements.empty());
    const Candidate p = first.placements[0];
    const BoardPicture picture = picture_of(before, first, 1);
    EXPECT_EQ(picture.cells[p.cell].value, p.digit);
    EXPECT_TRUE(picture.cells[p.cell].placed);
    EXPECT_EQ(picture.cells[p.cell].candidates, 0);
    for (const std::uint8_t peer : geometry().peers[p.cell])
        EXPECT_FALSE(picture.cells[peer].candidates >> p.digit & 1);
}

TEST(LadderPicture, cells_are_described_in_words) {
    struct Row {
        CellMarks marks;
        std::string text;
    };
    CellMarks given;
    given.value = 4;
    CellMarks placed;
    placed.value = 7;
    placed.placed = true;
    CellMarks pencil;
    pencil.candidates = (1u << 2) | (1u << 5) | (1u << 8);
    pencil.removed = 1u << 5;
    pencil.pattern = true;
    CellMarks one;
    one.candidates = 1u << 3;
    one.highlighted = 1u << 3;
    one.in_unit = true;
    CellMarks chain;
    chain.candidates = (1u << 1) | (1u << 9);
    chain.colour_a = 1u << 1;
    chain.colour_b = 1u << 9;
    chain.fins = (1u << 1) | (1u << 9);
    const std::vector<Row> rows = {
        {given, "chiffre 4"},
        {placed, "chiffre placé : 7"},
        {pencil, "candidats 2, 5 et 8 ; candidat retiré : 5 ; case du motif"},
        {one, "candidat 3 ; candidat du motif : 3 ; dans la zone de l'étape"},
        {chain, "candidats 1 et 9 ; ailerons : 1 et 9 ; première couleur : 1 ; seconde couleur : 9"},
        {CellMarks{}, "aucun candidat"},
    };
    for (const Row& row : rows) EXPECT_EQ(describe_cell(row.marks), row.text);
}

// In English the session logs the same steps in English words, once through and step by step.
TEST(LadderSession, speaks_the_language_it_is_given) {
    for (const LadderSession::Mode mode : {LadderSession::Mode::Once, LadderSession::Mode::Step}) {
        Fixture f(kExpert);
        f.session.set_language(Language::English);
        const Explanation expected = explain(grid_of(kExpert));
        f.session.start(mode);
        while (mode == LadderSession::Mode::Step && f.view.button_visible(LadderButton::Button7)) f.session.next();
        EXPECT_EQ(f.board.log(), explanation_log_lines(expected, Language::English));
        EXPECT_NE(f.board.log(), explanation_log_lines(expected));
        EXPECT_EQ(f.board.log().back().rfind("Difficulty: ", 0), 0U);
    }
}

TEST(LadderSession, step_lines_number_the_first_sentence) {
    const Explanation explanation = explain(grid_of(kExpert));
    for (std::size_t k = 0; k < explanation.steps.size(); ++k) {
        // Wrapped to 80 columns with the number, as vornel-explain's plain text.
        const std::string number = std::to_string(k + 1) + ". ";
        const std::vector<std::string> sentences = wrap_sentences(narrate(explanation.steps[k]), 80 - number.size());
        const std::vector<std::string> lines = step_log_lines(static_cast<int>(k + 1), explanation.steps[k]);
        ASSERT_EQ(lines.size(), sentences.size());
        EXPECT_EQ(lines[0], std::to_string(k + 1) + ". " + sentences[0]);
        for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i], sentences[i]);
    }
}

} // namespace
} // namespace vornel::ladder

namespace vornel::ladder {
namespace {

// A position part-way through the expert puzzle, with its candidates: the board holds its placed
// digits only, as a paste leaves it.
struct PositionFixture {
    Candidates state{grid_of(kExpert)};
    Marks marks{};
    std::string placed;

    PositionFixture() {
        const Explanation whole = explain(grid_of(kExpert));
        for (std::size_t k = 0; k < whole.steps.size() && state.empty_cells() > 40; ++k) state.apply(whole.steps[k]);
        for (int cell = 0; cell < 81; ++cell) {
            marks[static_cast<std::size_t>(cell)] =
                state.value(cell) != 0 ? static_cast<std::uint16_t>(1u << state.value(cell)) : state.mask(cell);
            placed += state.value(cell) != 0 ? static_cast<char>('0' + state.value(cell)) : '.';
        }
    }
};

TEST(LadderSession, a_pasted_position_shows_its_candidates_and_the_ladder_starts_from_them) {
    const PositionFixture p;
    Fixture f(p.placed);
    const Position position = Position::from_marks(p.marks);
    f.session.show_position(p.marks);
    ASSERT_TRUE(f.view.picture());
    EXPECT_EQ(*f.view.picture(), picture_of(position.candidates()));
    EXPECT_NE(*f.view.picture(), picture_of(Candidates(grid_of(p.placed))))
        << "the candidates are the position's, not those the digits alone leave";

    f.session.start(LadderSession::Mode::Step);
    ASSERT_TRUE(f.session.active());
    EXPECT_EQ(f.session.explanation().start_marks, position.marks());
    ASSERT_GE(f.session.step_count(), 1);
    const std::optional<Step> next = next_step(position);
    ASSERT_TRUE(next);
    EXPECT_EQ(f.session.explanation().steps.front().placements, next->placements);
    EXPECT_EQ(f.session.explanation().steps.front().eliminations, next->eliminations);
    EXPECT_EQ(f.session.explanation().final_grid, explain(grid_of(kExpert)).final_grid);
    f.session.back();
    EXPECT_EQ(*f.view.picture(), picture_of(position.candidates())) << "step 0 is the pasted position";

    // Back to editing, the board holds the pasted digits again: the candidates still count.
    f.session.edit();
    EXPECT_TRUE(f.session.has_position());
    f.session.start(LadderSession::Mode::Once);
    EXPECT_EQ(f.session.explanation().start_marks, position.marks());
    f.session.edit();

    // A digit typed changes the grid: the position is forgotten and the ladder starts from digits.
    int empty = 0;
    while (p.placed[static_cast<std::size_t>(empty)] != '.') ++empty;
    f.board.set_cell_text(empty / 9 + 1, empty % 9 + 1,
                          std::to_string(explain(grid_of(kExpert)).final_grid[static_cast<std::size_t>(empty)]));
    f.session.board_edited();
    EXPECT_FALSE(f.session.has_position());
    EXPECT_FALSE(f.view.picture());
    f.session.start(LadderSession::Mode::Step);
    EXPECT_FALSE(f.session.explanation().start_marks);
}

} // namespace
} // namespace vornel::ladder
