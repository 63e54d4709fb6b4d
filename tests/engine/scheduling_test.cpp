// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "board_fixture.h"

using namespace vornel;
using vornel::test::Board;

namespace {

void set_freq(Board& b, std::initializer_list<int> counts) {
    int d = 1;
    for (const int count : counts) b.area.freq[d++] = static_cast<std::int16_t>(count);
}

} // namespace

TEST(Scheduling, the_most_frequent_untreated_digit_comes_first_lowest_on_ties) {
    Board b;
    b.view.clear_log();
    set_freq(b, {1, 2, 7, 0, 3, 4, 5, 7, 6});
    EXPECT_EQ(b.engine.choix_numero(), 3);
    EXPECT_EQ(b.engine.choix_numero(), 8);
    EXPECT_EQ(b.engine.choix_numero(), 9);
    EXPECT_EQ(b.log(), (std::vector<std::string>{"Nous traitons le chiffre 3.", "Nous traitons le chiffre 8.",
                                                 "Nous traitons le chiffre 9."}));
    EXPECT_EQ(b.area.treated[3], 1);
    EXPECT_EQ(b.area.treated[8], 1);
}

TEST(Scheduling, a_digit_with_no_occurrence_comes_after_all_counted_ones_and_before_higher_zeros) {
    Board b;
    set_freq(b, {0, 1, 0, 2, 0, 0, 0, 0, 0});
    std::vector<int> order;
    while (const std::uint16_t d = b.engine.choix_numero()) order.push_back(d);
    EXPECT_EQ(order, (std::vector<int>{4, 2, 1, 3, 5, 6, 7, 8, 9}));
}

TEST(Scheduling, no_digit_left_returns_0_writes_nothing_and_changes_nothing) {
    Board b;
    b.view.clear_log();
    set_freq(b, {9, 3, 9, 3, 9, 3, 9, 3, 9});
    for (int d = 1; d <= 9; ++d) b.area.treated[d] = static_cast<std::int16_t>(d % 2 ? 9 : 1);
    EXPECT_EQ(b.engine.choix_numero(), 0);
    EXPECT_TRUE(b.log().empty());
    for (int d = 1; d <= 9; ++d) EXPECT_EQ(b.area.treated[d], d % 2 ? 9 : 1);
}

TEST(Scheduling, counting_marks_complete_digits_and_a_new_cycle_clears_them) {
    Board b("123456789........................................................................");
    Board full(vornel::test::kEasySolution);
    full.area.treated[2] = 1;
    full.engine.calcul_freq();
    EXPECT_EQ(full.area.total_filled, 81);
    for (int d = 1; d <= 9; ++d) {
        EXPECT_EQ(full.area.freq[d], 9);
        EXPECT_EQ(full.area.treated[d], 9);
    }
    full.engine.init_tour(false);
    for (int d = 1; d <= 9; ++d) EXPECT_EQ(full.area.treated[d], 0);

    b.area.treated[4] = 1;
    b.engine.calcul_freq();
    EXPECT_EQ(b.area.total_filled, 9);
    EXPECT_EQ(b.area.treated[4], 1) << "counting leaves incomplete digits as they are";
}

TEST(Scheduling, a_new_cycle_without_clearing_keeps_earlier_lines) {
    Board b;
    b.view.clear_log();
    b.view.append_log("avant");
    b.engine.init_tour(false);
    EXPECT_EQ(b.log(), (std::vector<std::string>{"avant", "Nouveau cycle."}));
    b.engine.init_tour(true);
    EXPECT_EQ(b.log(), std::vector<std::string>{"Nouveau cycle."});
}

TEST(Scheduling, init_jeu_on_a_full_grid_finishes_without_touching_marks_or_colours) {
    Board b(vornel::test::kEasySolution);
    b.view.set_cell_colour(5, 5, kRed);
    b.view.set_button_visible(StepButton::Button5, true);
    b.area.pres[2][2] = 2;
    b.engine.init_jeu(Tempo::Step);
    EXPECT_EQ(b.log(), (std::vector<std::string>{"Nouveau cycle.", "Le sudoku est terminé."}));
    EXPECT_FALSE(b.b5());
    EXPECT_FALSE(b.b6());
    EXPECT_EQ(b.area.cur_digit, 0);
    EXPECT_EQ(b.area.pres[2][2], 2);
    EXPECT_EQ(b.view.cell_colour(5, 5), kRed);
    EXPECT_EQ(b.view.occurrence_cell(4, 1), "9");
}

TEST(Scheduling, init_jeu_picks_the_first_digit_and_only_the_step_tempo_builds_marks) {
    for (const Tempo tempo : {Tempo::Step, Tempo::Digit, Tempo::Once}) {
        Board b(vornel::test::kEasy);
        b.area.digit_placed = -1;
        b.area.tour_placed = 4;
        b.engine.init_jeu(tempo);
        EXPECT_EQ(b.log(), (std::vector<std::string>{"Nouveau cycle.", "Nous traitons le chiffre 6."}))
            << static_cast<int>(tempo);
        EXPECT_EQ(b.area.cur_digit, 6);
        EXPECT_EQ(b.area.digit_placed, 0);
        EXPECT_EQ(b.area.tour_placed, 0);
        EXPECT_EQ(b.area.total_filled, 30);
        const bool marked = b.pres() != std::string(81, '0');
        EXPECT_EQ(marked, tempo == Tempo::Step) << static_cast<int>(tempo);
        EXPECT_EQ(b.colours().find('R') != std::string::npos, tempo == Tempo::Step) << static_cast<int>(tempo);
        for (int i = 1; i <= 9; ++i) EXPECT_EQ(b.view.occurrence_cell(i, 0), std::to_string(i));
        EXPECT_EQ(b.view.occurrence_cell(6, 1), "5");
        EXPECT_EQ(b.view.occurrence_cell(2, 1), "2");
    }
}

TEST(Colouring, green_cells_stay_green_and_free_cells_keep_their_colour) {
    Board b;
    b.view.set_cell_colour(1, 1, kGreen);
    b.view.set_cell_colour(1, 2, kWhite);
    b.view.set_cell_colour(1, 3, kOrange);
    b.view.set_cell_colour(1, 4, kGreen);
    b.view.set_cell_colour(1, 5, kWhite);
    b.view.set_cell_colour(1, 6, kRed);
    const std::int16_t marks[] = {0, 1, 1, 1, 2, 2, 0};
    for (int c = 1; c <= 6; ++c) b.area.pres[1][c] = marks[c];
    b.engine.affiche_pres();
    EXPECT_EQ(b.colours().substr(0, 7), "GRRGOR-");
}
