// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "board_fixture.h"
#include "corpus.h"
#include "solution_count.h"

using namespace vornel;
using vornel::test::Board;
using vornel::test::kEasy;
using vornel::test::kEasySolution;
using vornel::test::kHard;

namespace {

using Lines = std::vector<std::string>;

std::string without(std::string_view puzzle, std::initializer_list<int> codes) {
    std::string s(puzzle);
    for (const int code : codes) s[(code / 10 - 1) * 9 + code % 10 - 1] = '.';
    return s;
}

// Runs a tempo's command, then its step button while it shows; collects every log line appended.
struct Recorder final : LogListener {
    Lines appended;
    void log_cleared() override {}
    void log_appended(std::string_view line) override { appended.emplace_back(line); }
};

Lines run_tempo(Board& b, Tempo tempo, int* requests = nullptr) {
    Recorder rec;
    b.view.set_log_listener(&rec);
    int count = 1;
    if (tempo == Tempo::Step)
        b.engine.m_stepClick();
    else if (tempo == Tempo::Digit)
        b.engine.m_numberClick();
    else
        b.engine.m_onceClick();
    for (; b.b5() && count < 100000; ++count) b.engine.Button5Click();
    for (; b.b6() && count < 100000; ++count) b.engine.Button6Click();
    b.view.set_log_listener(nullptr);
    if (requests) *requests = count;
    return rec.appended;
}

// The placements narrated in a run, as (reason without the unit's column capital, digit written).
Lines placements(const Lines& lines) {
    Lines out;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i + 1].rfind("Nous écrivons un ", 0) != 0) continue;
        std::string reason = lines[i];
        if (reason.rfind("La Colonne ", 0) == 0) reason.replace(0, 11, "La colonne ");
        out.push_back(reason + " " + lines[i + 1]);
    }
    return out;
}

bool valid_grid(const WorkArea& a) {
    WorkArea copy = a;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (copy.grid[r][c] < 0 || copy.grid[r][c] > 9) return false;
    return count_solutions(copy, 1) == 1;
}

constexpr Tempo kTempos[] = {Tempo::Step, Tempo::Digit, Tempo::Once};
const char* name(Tempo tempo) { return tempo == Tempo::Step ? "step" : tempo == Tempo::Digit ? "digit" : "once"; }

const std::string kStuckUnique = "Le sudoku a une solution unique, mais notre méthode ne permet pas de la trouver.";
const std::string kStuckNotUnique = "Le sudoku n'a pas de solution unique.";
std::string stuck_line(int solutions) { return solutions == 1 ? kStuckUnique : kStuckNotUnique; }

bool full(const Board& b) { return b.grid().find('.') == std::string::npos; }

// Puzzles from the seeded corpus: some solve by singles, some get stuck, some have several solutions.
std::vector<std::string> corpus(int count) { return vornel::test::relabelled_corpus(20261207, count, 35, 64); }

} // namespace

TEST(StepSolver, the_command_validates_locks_shows_next_step_and_waits) {
    Board b(kEasy);
    b.engine.m_stepClick();
    EXPECT_EQ(b.log(), (Lines{"Nouveau cycle.", "Nous traitons le chiffre 6."}));
    EXPECT_TRUE(b.b5());
    EXPECT_FALSE(b.b6());
    EXPECT_TRUE(b.view.label1_visible());
    EXPECT_TRUE(b.view.gr1_visible());
    EXPECT_EQ(b.grid(), std::string(kEasy).replace(0, 81, std::string(kEasy)));
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) EXPECT_TRUE(b.view.cell(r, c).read_only);
}

TEST(StepSolver, an_invalid_grid_stops_after_the_validation_lines_and_stays_editable) {
    Board b(std::string("55") + std::string(79, '.'));
    b.engine.m_stepClick();
    EXPECT_EQ(b.log(), (Lines{"Il y a 2 chiffres 5 dans la région 1.", "Il y a 2 chiffres 5 dans la ligne 1.",
                              "Le sudoku n'est pas valide."}));
    EXPECT_FALSE(b.b5());
    EXPECT_FALSE(b.view.label1_visible());
    EXPECT_FALSE(b.view.cell(1, 1).read_only);
}

TEST(StepSolver, the_click_filling_the_81st_cell_finishes_and_hides_the_buttons) {
    Board b(without(kEasySolution, {55}));
    b.engine.m_stepClick();
    EXPECT_EQ(b.log(), (Lines{"Nouveau cycle.", "Nous traitons le chiffre 5."}));
    b.engine.Button5Click();
    EXPECT_EQ(b.log(),
              (Lines{"Nouveau cycle.", "Nous traitons le chiffre 5.", "Il y a une seule case vide dans la région 5,",
                     "Nous écrivons un 5.", "Le sudoku est terminé."}));
    EXPECT_FALSE(b.b5());
    EXPECT_FALSE(b.b6());
    EXPECT_EQ(b.grid(), kEasySolution);
    EXPECT_EQ(b.view.cell_colour(5, 5), kGreen);
}

TEST(StepSolver, a_region_is_reported_before_a_row_and_the_row_waits_for_the_next_click) {
    // With the 5s of r1c1 and r5c5 emptied, region 1, row 1 and column 1 have one free cell for 5,
    // and so do region 5, row 5 and column 5.
    Board b(without(kEasySolution, {11, 55}));
    b.engine.m_stepClick();
    EXPECT_EQ(b.log().back(), "Nous traitons le chiffre 5.");
    b.engine.Button5Click();
    EXPECT_EQ(b.log(), (Lines{"Nouveau cycle.", "Nous traitons le chiffre 5.",
                              "Il y a une seule case vide dans la région 1,", "Nous écrivons un 5."}));
    EXPECT_EQ(b.area.grid[5][5], 0);
    b.engine.Button5Click();
    EXPECT_EQ(b.log().at(4), "Il y a une seule case vide dans la région 5,");
    EXPECT_EQ(b.log().back(), "Le sudoku est terminé.");
}

TEST(StepSolver, nothing_to_do_then_the_next_click_takes_up_the_next_digit) {
    // Only 3 stands on the board; digit 3 comes first and can place nothing.
    Board b("3" + std::string(80, '.'));
    b.engine.m_stepClick();
    EXPECT_EQ(b.log(), (Lines{"Nouveau cycle.", "Nous traitons le chiffre 3."}));
    b.engine.Button5Click();
    EXPECT_EQ(b.log(), (Lines{"Nouveau cycle.", "Nous traitons le chiffre 3.", "Rien à faire avec ce chiffre."}));
    EXPECT_EQ(b.area.digit_placed, -1);
    b.engine.Button5Click();
    EXPECT_EQ(b.log(), (Lines{"Nous traitons le chiffre 1."}));
    EXPECT_EQ(b.area.digit_placed, 0);
    EXPECT_EQ(b.area.cur_digit, 1);
}

TEST(StepSolver, a_cycle_without_placement_ends_stuck_alone_in_the_log_with_a_white_board) {
    Board b("3" + std::string(80, '.'));
    int requests = 0;
    run_tempo(b, Tempo::Step, &requests);
    EXPECT_EQ(b.log(), (Lines{"Le sudoku n'a pas de solution unique."}));
    EXPECT_EQ(b.colours(), std::string(81, 'W'));
    EXPECT_FALSE(b.b5());
    EXPECT_EQ(requests, 1 + 9 * 2) << "each digit: one click says nothing, the next moves on";
}

TEST(StepSolver, last_cell_placements_of_other_digits_count_for_the_digit_in_hand) {
    // Column 3 holds 1-8 in rows 1-8: no lone free cell for 1, but the column's last cell takes 9.
    std::string p(81, '.');
    for (int r = 1; r <= 8; ++r) p[(r - 1) * 9 + 2] = static_cast<char>('0' + r);
    Board b(p);
    b.engine.m_stepClick();
    b.engine.Button5Click();
    EXPECT_EQ(b.log(), (Lines{"Nouveau cycle.", "Nous traitons le chiffre 1.",
                              "La colonne 3 a seulement une case sans chiffre,", "Nous écrivons un 9."}));
    EXPECT_EQ(b.area.grid[9][3], 9);
    EXPECT_EQ(b.area.digit_placed, 1);
    b.engine.Button5Click();
    EXPECT_EQ(b.log().back(), "Plus rien à faire avec ce chiffre.");
}

TEST(DigitRunSolver, writes_La_Colonne_with_a_capital_and_runs_the_digit_to_its_end) {
    std::string p(81, '.');
    for (int r = 1; r <= 8; ++r) p[(r - 1) * 9 + 2] = static_cast<char>('0' + r);
    Board b(p);
    b.engine.m_numberClick();
    EXPECT_EQ(b.log(),
              (Lines{"Nouveau cycle.", "Nous traitons le chiffre 1.", "La Colonne 3 a seulement une case sans chiffre,",
                     "Nous écrivons un 9.", "Plus rien à faire avec ce chiffre."}));
    EXPECT_FALSE(b.b5());
    EXPECT_TRUE(b.b6());
    b.engine.Button6Click();
    EXPECT_EQ(b.log().front(), "Nous traitons le chiffre 2.");
}

TEST(DigitRunSolver, a_full_board_says_finished_twice_and_paints_every_cell_orange) {
    Board b(kEasySolution);
    b.engine.m_numberClick();
    EXPECT_EQ(b.log(), (Lines{"Nouveau cycle.", "Le sudoku est terminé.", "Le sudoku est terminé."}));
    EXPECT_EQ(b.colours(), std::string(81, 'O'));
    EXPECT_FALSE(b.b5());
    EXPECT_FALSE(b.b6());
}

TEST(OnePassSolver, a_full_board_says_finished_twice) {
    Board b(kEasySolution);
    b.engine.m_onceClick();
    EXPECT_EQ(b.log(), (Lines{"Nouveau cycle.", "Le sudoku est terminé.", "Le sudoku est terminé."}));
}

TEST(OnePassSolver, a_stuck_puzzle_ends_with_nothing_to_do_the_separator_and_stuck) {
    Board b(kHard);
    b.engine.m_onceClick();
    const Lines& log = b.log();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 3], "Rien à faire avec ce chiffre.");
    EXPECT_EQ(log[log.size() - 2], std::string(43, '-'));
    EXPECT_EQ(log[log.size() - 1], kStuckUnique);
    EXPECT_EQ(b.colours(), std::string(81, 'W'));
    EXPECT_FALSE(b.b5());
    EXPECT_FALSE(b.b6());
}

TEST(OnePassSolver, keeps_the_whole_narrative_with_separators_and_new_cycles) {
    Board b(kEasy);
    b.engine.m_onceClick();
    const Lines& log = b.log();
    EXPECT_EQ(log.front(), "Nouveau cycle.");
    EXPECT_EQ(log.back(), "Le sudoku est terminé.");
    EXPECT_EQ(b.grid(), kEasySolution);
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i] == std::string(43, '-')) {
            ASSERT_GT(i, 0u);
            EXPECT_TRUE(log[i - 1] == "Rien à faire avec ce chiffre." ||
                        log[i - 1] == "Plus rien à faire avec ce chiffre.");
            ASSERT_LT(i + 1, log.size());
            EXPECT_TRUE(log[i + 1] == "Nouveau cycle." || log[i + 1].rfind("Nous traitons le chiffre ", 0) == 0);
        }
        if (log[i] == "Nouveau cycle." && i > 0) { EXPECT_EQ(log[i - 1], std::string(43, '-')); }
    }
}

TEST(OnePassSolver, closing_lines_depend_only_on_this_run_after_a_step_run) {
    Board b("3" + std::string(80, '.'));
    b.engine.m_stepClick();
    b.engine.Button5Click();
    ASSERT_EQ(b.area.digit_placed, -1);
    b.engine.m_onceClick();
    EXPECT_EQ(b.log().at(2), "Rien à faire avec ce chiffre.");
}

TEST(LastCellSearch, a_unit_whose_census_names_no_missing_digit_is_no_hit) {
    // Row 1 has one empty cell but a duplicate 8, so two digits are absent: no placement there.
    // Row 2 has one empty cell and eight different digits: it is the hit.
    Board b;
    const char* row1 = "1234567.8";
    const char* row2 = "98765432.";
    for (int c = 1; c <= 9; ++c) {
        b.poke(1, c, row1[c - 1] == '.' ? 0 : row1[c - 1] - '0');
        b.poke(2, c, row2[c - 1] == '.' ? 0 : row2[c - 1] - '0');
    }
    b.poke(1, 8, 8);
    b.poke(1, 8, 0);
    b.poke(1, 9, 8);
    b.poke(1, 7, 8); // row 1: 1 2 3 4 5 6 8 . 8
    b.area.cur_digit = 0;
    b.view.clear_log();
    b.engine.solve_step();
    EXPECT_EQ(b.log().at(0), "La ligne 2 a seulement une case sans chiffre,");
    EXPECT_EQ(b.area.grid[2][9], 1);
    EXPECT_EQ(b.area.grid[1][8], 0);
}

TEST(LastCellSearch, never_writes_a_digit_that_the_cells_column_already_holds) {
    // Row 1 lacks only 9, but column 9 holds a 9: the puzzle has no solution, and no 9 may go at r1c9.
    std::string p(81, '.');
    p.replace(0, 8, "12345678");
    p[4 * 9 + 8] = '9';
    for (const Tempo tempo : kTempos) {
        Board b(p);
        const Lines lines = run_tempo(b, tempo);
        EXPECT_EQ(b.area.grid[1][9], 0) << name(tempo);
        EXPECT_EQ(b.log().back(), "Le sudoku n'a pas de solution unique.") << name(tempo);
        EXPECT_TRUE(placements(lines).empty()) << name(tempo);
    }
}

TEST(Solvers, every_tempo_ends_and_makes_the_same_placements_on_a_corpus) {
    int finished_count = 0;
    for (const std::string& puzzle : corpus(60)) {
        Board step(puzzle), digit(puzzle), once(puzzle);
        int step_requests = 0;
        const Lines step_lines = run_tempo(step, Tempo::Step, &step_requests);
        const Lines digit_lines = run_tempo(digit, Tempo::Digit);
        const Lines once_lines = run_tempo(once, Tempo::Once);
        EXPECT_LT(step_requests, 100000) << puzzle;
        EXPECT_EQ(placements(step_lines), placements(once_lines)) << puzzle;
        EXPECT_EQ(placements(digit_lines), placements(once_lines)) << puzzle;
        EXPECT_EQ(step.grid(), once.grid()) << puzzle;
        EXPECT_EQ(digit.grid(), once.grid()) << puzzle;
        const bool finished = once.engine.state() == SolverState::Finished;
        EXPECT_EQ(finished, full(once)) << puzzle;
        EXPECT_EQ(once.log().back(), finished ? "Le sudoku est terminé." : stuck_line(count_solutions(once.area)))
            << puzzle;
        EXPECT_EQ(step.engine.state(), once.engine.state()) << puzzle;
        EXPECT_EQ(digit.engine.state(), once.engine.state()) << puzzle;
        if (finished) {
            ++finished_count;
            EXPECT_TRUE(valid_grid(once.area)) << puzzle;
        }
        EXPECT_EQ(static_cast<long>(placements(once_lines).size()), once.engine.placements());
    }
    EXPECT_GT(finished_count, 5);
    EXPECT_LT(finished_count, 55) << "the corpus should also hold puzzles the searches cannot finish";
}

TEST(Solvers, puzzles_without_a_solution_never_gain_a_duplicate) {
    // Relabel a solution, empty cells, then plant a wrong given that keeps the grid valid.
    std::mt19937 random(7);
    int tried = 0;
    for (const std::string& base : corpus(60)) {
        std::string p = base;
        const int i = static_cast<int>(random() % 81);
        if (p[i] != '.') continue;
        for (char d = '1'; d <= '9'; ++d) {
            p[i] = d;
            Board check(p);
            if (check.engine.verif_sudoku() && count_solutions(check.area) == 0) break;
            p[i] = '.';
        }
        if (p[i] == '.') continue;
        ++tried;
        Board b(p);
        run_tempo(b, Tempo::Once);
        EXPECT_EQ(b.log().back(), "Le sudoku n'a pas de solution unique.") << p;
        Board after(b.grid());
        EXPECT_TRUE(after.engine.verif_sudoku()) << p;
    }
    EXPECT_GE(tried, 10) << "the corpus should plant enough wrong givens";
}

TEST(Solvers, a_stuck_solve_says_whether_the_grid_has_one_solution_in_every_tempo) {
    std::string none(81, '.'); // row 1 lacks only 9, which column 9 already holds
    none.replace(0, 8, "12345678");
    none[4 * 9 + 8] = '9';
    const struct {
        const char* what;
        std::string puzzle;
        StuckKind kind;
        const std::string& line;
    } cases[] = {
        {"one solution the searches cannot reach", std::string(kHard), StuckKind::OneSolution, kStuckUnique},
        {"several solutions", "3" + std::string(80, '.'), StuckKind::SeveralSolutions, kStuckNotUnique},
        {"no solution though no unit holds a digit twice", none, StuckKind::NoSolution, kStuckNotUnique},
    };
    for (const auto& c : cases) {
        for (const Tempo tempo : kTempos) {
            Board b(c.puzzle);
            run_tempo(b, tempo);
            EXPECT_EQ(b.engine.state(), SolverState::Stuck) << c.what << ", " << name(tempo);
            EXPECT_EQ(b.engine.stuck_kind(), c.kind) << c.what << ", " << name(tempo);
            EXPECT_EQ(b.log().back(), c.line) << c.what << ", " << name(tempo);
            // Same place as ever: after the separator in one pass, alone in a fresh log otherwise.
            if (tempo == Tempo::Once)
                EXPECT_EQ(b.log().at(b.log().size() - 2), std::string(43, '-')) << c.what;
            else
                EXPECT_EQ(b.log().size(), 1u) << c.what << ", " << name(tempo);
            EXPECT_FALSE(b.b5());
            EXPECT_FALSE(b.b6());
            EXPECT_EQ(b.colours(), std::string(81, 'W')) << c.what << ", " << name(tempo);
        }
    }
}

TEST(Solvers, the_state_follows_each_request_of_the_step_tempo) {
    Board b("3" + std::string(80, '.'));
    EXPECT_EQ(b.engine.state(), SolverState::Idle);
    b.engine.m_stepClick();
    EXPECT_EQ(b.engine.state(), SolverState::Working);
    EXPECT_EQ(b.engine.tempo(), Tempo::Step);
    b.engine.Button5Click();
    EXPECT_EQ(b.engine.state(), SolverState::Exhausted);
    b.engine.Button5Click();
    EXPECT_EQ(b.engine.state(), SolverState::Working);
    while (b.b5()) b.engine.Button5Click();
    EXPECT_EQ(b.engine.state(), SolverState::Stuck);
    b.engine.new_puzzle();
    EXPECT_EQ(b.engine.state(), SolverState::Idle);

    Board full(kEasySolution);
    full.engine.m_numberClick();
    EXPECT_EQ(full.engine.state(), SolverState::Finished);
    EXPECT_EQ(full.engine.tempo(), Tempo::Digit);
    full.engine.show_grid();
    EXPECT_EQ(full.engine.state(), SolverState::Idle);

    Board invalid(std::string("55") + std::string(79, '.'));
    invalid.engine.m_onceClick();
    EXPECT_EQ(invalid.engine.state(), SolverState::Idle);
}

TEST(Solvers, a_request_ends_with_the_colours_of_the_last_pass_marks_and_its_placements_green) {
    // Each request of the digit tempo, and the one request of the one-pass tempo on a puzzle that
    // finishes: every cell shows its mark's colour, or green where this digit's turn placed.
    for (const Tempo tempo : {Tempo::Digit, Tempo::Once}) {
        Board b(kEasy);
        std::string before = b.grid();
        tempo == Tempo::Digit ? b.engine.m_numberClick() : b.engine.m_onceClick();
        for (int request = 0; request < 200; ++request) {
            const std::string after = b.grid();
            std::string expected;
            for (int r = 1; r <= 9; ++r)
                for (int c = 1; c <= 9; ++c) {
                    const int i = (r - 1) * 9 + c - 1;
                    const int mark = b.area.pres[r][c];
                    const bool placed = before[i] == '.' && after[i] != '.';
                    expected += placed && b.view.cell_colour(r, c) == kGreen ? 'G'
                                : mark == 1                                  ? 'R'
                                : mark == 2                                  ? 'O'
                                                                             : 'W';
                }
            EXPECT_EQ(b.colours(), expected) << name(tempo) << ", request " << request;
            if (!b.b6()) break;
            before = after;
            b.engine.Button6Click();
        }
        EXPECT_EQ(b.engine.state(), SolverState::Finished) << name(tempo);
    }
}
