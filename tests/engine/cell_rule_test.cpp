// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "board_fixture.h"
#include "cell_rule.h"
#include "coords.h"
#include "failures.h"

using namespace vornel;

TEST(CellRule, texts_starting_with_a_digit_give_that_digit) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"", 0}, {"7", 7}, {"0", 0}, {"5.", 5}, {"12", 1}, {"9x", 9}, {"3 ", 3}};
    for (const auto& c : cases) EXPECT_EQ(cell_value_of_text(c.text), c.value) << '"' << c.text << '"';
}

TEST(CellRule, any_other_first_character_fails_naming_that_character) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {".", "'.' n'est pas une valeur entière correcte"},  {".3", "'.' n'est pas une valeur entière correcte"},
        {"x", "'x' n'est pas une valeur entière correcte"},  {"-5", "'-' n'est pas une valeur entière correcte"},
        {"+", "'+' n'est pas une valeur entière correcte"},  {" 4", "' ' n'est pas une valeur entière correcte"},
        {"é1", "'é' n'est pas une valeur entière correcte"},
    };
    for (const auto& c : cases) {
        try {
            cell_value_of_text(c.text);
            ADD_FAILURE() << "no failure for \"" << c.text << '"';
        } catch (const ConvertError& e) { EXPECT_EQ(e.message(), c.message); }
    }
}

TEST(CellRule, a_failed_conversion_keeps_the_grid_value) {
    WorkArea area;
    area.grid[4][7] = 3;
    EXPECT_THROW(store_cell_text(area, 47, ".3"), ConvertError);
    EXPECT_EQ(area.grid[4][7], 3);
    store_cell_text(area, 47, "3.");
    EXPECT_EQ(area.grid[4][7], 3);
    store_cell_text(area, 47, "");
    EXPECT_EQ(area.grid[4][7], 0);
}

TEST(Failures, the_box_text_gains_a_full_stop_only_after_characters_sorting_after_it) {
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        {"Saisie numérique incorrecte", "Saisie numérique incorrecte."},
        {"Accès au fichier refusé", "Accès au fichier refusé."},
        {"Erreur E/S 7", "Erreur E/S 7."},
        {"Fin.", "Fin."},
        {"Quoi !", "Quoi !"},
        {"(x)", "(x)"},
        {"mot ", "mot "},
        {"a-", "a-"},
        {"a/", "a/."},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(failure_text(c.message), c.shown) << c.message;
}

TEST(Failures, in_out_codes_have_their_messages) {
    const struct {
        int code;
        const char* message;
    } cases[] = {
        {2, "Fichier introuvable"},
        {3, "Nom de fichier incorrect"},
        {4, "Trop de fichiers ouverts"},
        {5, "Accès au fichier refusé"},
        {100, "Lecture au-delà de la fin de fichier"},
        {101, "Disque plein"},
        {106, "Saisie numérique incorrecte"},
        {32, "Erreur E/S 32"},
        {112, "Erreur E/S 112"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(in_out_message(c.code), c.message);
        EXPECT_EQ(InOutError(c.code).code(), c.code);
        EXPECT_EQ(InOutError(c.code).message(), c.message);
    }
}

TEST(Failures, the_title_comes_from_the_program_file_name) {
    EXPECT_EQ(app_title("/usr/bin/vornel"), "vornel") << "the first character keeps its case";
    EXPECT_EQ(app_title("C:\\Jeux\\VORNEL.EXE"), "Vornel");
    EXPECT_EQ(app_title("./Vornel.tar.gz"), "Vornel");
    EXPECT_EQ(app_title("MonSudoku"), "Monsudoku");
}

TEST(HeadlessBoard, a_text_write_updates_the_grid_before_it_returns) {
    test::Board b;
    b.view.set_cell_text(5, 9, "7");
    EXPECT_EQ(b.area.grid[5][9], 7);
    b.view.set_cell_text(5, 9, "");
    EXPECT_EQ(b.area.grid[5][9], 0);
}

TEST(HeadlessBoard, writing_the_same_text_runs_no_change_handling) {
    test::Board b;
    b.view.set_cell_text(2, 2, "4");
    b.poke(2, 2, 8);
    b.view.set_cell_text(2, 2, "4");
    EXPECT_EQ(b.area.grid[2][2], 8) << "the same text is no change";
    b.view.set_cell_text(3, 3, "");
    EXPECT_TRUE(b.failures.empty());
}

TEST(HeadlessBoard, a_failure_in_the_change_handling_is_reported_and_the_write_completes) {
    test::Board b;
    b.poke(1, 1, 6);
    b.view.set_cell_text(1, 1, "-3");
    ASSERT_EQ(b.failures.size(), 1u);
    EXPECT_EQ(b.failures[0], "'-' n'est pas une valeur entière correcte");
    EXPECT_EQ(b.view.cell(1, 1).text, "-3");
    EXPECT_EQ(b.area.grid[1][1], 6);
}

TEST(HeadlessBoard, starts_with_one_empty_log_line_hidden_controls_and_named_tagged_cells) {
    test::Board b;
    EXPECT_EQ(b.view.log(), std::vector<std::string>{""});
    EXPECT_FALSE(b.view.label1_visible());
    EXPECT_FALSE(b.view.gr1_visible());
    EXPECT_FALSE(b.b5());
    EXPECT_FALSE(b.b6());
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const auto* cell = b.view.find_cell(cell_name(r, c));
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->tag, r * 10 + c);
            EXPECT_FALSE(cell->colour.has_value());
        }
    EXPECT_EQ(b.view.find_cell("Edit10"), nullptr);
    EXPECT_EQ(b.view.find_cell("Edit1"), nullptr);
}
