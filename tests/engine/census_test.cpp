// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>

#include "board_fixture.h"

using namespace vornel;
using vornel::test::Board;

namespace {

// Puts nine values, given as a 9-character string ('.' empty), into row 6.
void set_row6(Board& b, std::string_view values) {
    for (int c = 1; c <= 9; ++c) b.poke(6, c, values[c - 1] == '.' ? 0 : values[c - 1] - '0');
}

} // namespace

TEST(Census, counts_the_sought_value_and_names_the_missing_digit) {
    const struct {
        const char* what;
        const char* row;
        int value;
        int result, found, missing;
    } cases[] = {
        {"one empty cell, eight different digits", "1234.6789", 0, 65, 1, 5},
        {"one empty cell and a duplicate", "1234.6788", 0, 65, 1, 0},
        {"a complete unit asked for 0", "123456789", 0, 0, 0, 0},
        {"an empty unit asked for 0", ".........", 0, 0, 9, 0},
        {"4 twice asked for 4", "4.......4", 4, 0, 2, 0},
        {"4 once in column 2 asked for 4", ".4.......", 4, 62, 1, 0},
        {"the sought value does not change missing_digit", "1234.6789", 5, 0, 0, 5},
        {"asked for a digit with a missing one", "1234.6789", 9, 69, 1, 5},
    };
    for (const auto& c : cases) {
        Board b;
        set_row6(b, c.row);
        EXPECT_EQ(b.engine.verif_line_n(6, static_cast<std::int16_t>(c.value)), c.result) << c.what;
        EXPECT_EQ(b.area.found_count, c.found) << c.what;
        EXPECT_EQ(b.area.missing_digit, c.missing) << c.what;
    }
}

TEST(Census, regions_and_columns_count_exactly_their_own_cells) {
    Board b;
    // Region 8 is rows 7-9, columns 4-6: fill it but for r9c6, and put distractors around it.
    const int digits[] = {1, 2, 3, 4, 5, 6, 7, 8};
    int i = 0;
    for (int r = 7; r <= 9; ++r)
        for (int c = 4; c <= 6; ++c)
            if (!(r == 9 && c == 6)) b.poke(r, c, digits[i++]);
    b.poke(6, 5, 9);
    b.poke(7, 3, 9);
    b.poke(9, 7, 9);
    EXPECT_EQ(b.engine.verif_box_n(8, 0), 96);
    EXPECT_EQ(b.area.found_count, 1);
    EXPECT_EQ(b.area.missing_digit, 9);
    EXPECT_EQ(b.engine.verif_box_n(8, 9), 0);
    EXPECT_EQ(b.area.found_count, 0);
    // Column 5 holds 9 at r6c5 and region 8's 2, 5, 8.
    EXPECT_EQ(b.engine.verif_col_n(5, 9), 65);
    EXPECT_EQ(b.area.found_count, 1);
    EXPECT_EQ(b.engine.verif_col_n(5, 0), 0);
    EXPECT_EQ(b.area.found_count, 5);
}

TEST(Census, values_that_are_no_digit_are_not_tallied) {
    Board b;
    set_row6(b, "12345678.");
    b.poke(6, 9, 12);
    EXPECT_EQ(b.engine.verif_line_n(6, 0), 0);
    EXPECT_EQ(b.area.found_count, 0);
    EXPECT_EQ(b.area.missing_digit, 9);
    b.poke(6, 9, -25536);
    EXPECT_EQ(b.engine.verif_line_n(6, 9), 0);
    EXPECT_EQ(b.area.missing_digit, 9);
}

TEST(Validation, an_empty_grid_is_valid_and_the_log_holds_only_the_verdict) {
    Board b;
    b.view.append_log("old line");
    EXPECT_TRUE(b.engine.verif_sudoku());
    EXPECT_EQ(b.log(), std::vector<std::string>{"Le sudoku est valide."});
}

TEST(Validation, lists_every_duplicate_regions_then_rows_then_columns) {
    const struct {
        const char* what;
        std::vector<std::tuple<int, int, int>> cells; // row, column, digit
        std::vector<std::string> log;
    } cases[] = {
        {"5 twice in row 2 within region 1",
         {{2, 1, 5}, {2, 3, 5}},
         {"Il y a 2 chiffres 5 dans la région 1.", "Il y a 2 chiffres 5 dans la ligne 2.",
          "Le sudoku n'est pas valide."}},
        {"3 three times in column 4, two of them in region 5",
         {{1, 4, 3}, {4, 4, 3}, {6, 4, 3}},
         {"Il y a 2 chiffres 3 dans la région 5.", "Il y a 3 chiffres 3 dans la colonne 4.",
          "Le sudoku n'est pas valide."}},
        {"two digits duplicated in row 9, the smaller first",
         {{9, 1, 8}, {9, 5, 8}, {9, 8, 2}, {9, 9, 2}},
         {"Il y a 2 chiffres 2 dans la région 9.", "Il y a 2 chiffres 2 dans la ligne 9.",
          "Il y a 2 chiffres 8 dans la ligne 9.", "Le sudoku n'est pas valide."}},
        {"region 8 is rows 7-9, columns 4-6",
         {{7, 4, 1}, {9, 6, 1}},
         {"Il y a 2 chiffres 1 dans la région 8.", "Le sudoku n'est pas valide."}},
    };
    for (const auto& c : cases) {
        Board b;
        for (const auto& [r, col, d] : c.cells) b.poke(r, col, d);
        EXPECT_FALSE(b.engine.verif_sudoku()) << c.what;
        EXPECT_EQ(b.log(), c.log) << c.what;
    }
}

TEST(Validation, values_that_are_no_digit_are_named_first_and_make_the_grid_invalid) {
    Board b;
    b.poke(9, 9, -5);
    b.poke(3, 4, 12);
    b.poke(1, 1, 1);
    b.poke(2, 2, 1);
    EXPECT_FALSE(b.engine.verif_sudoku());
    EXPECT_EQ(b.log(), (std::vector<std::string>{
                           "La case ligne 3, colonne 4 contient 12, qui n'est pas un chiffre.",
                           "La case ligne 9, colonne 9 contient -5, qui n'est pas un chiffre.",
                           "Il y a 2 chiffres 1 dans la région 1.",
                           "Le sudoku n'est pas valide.",
                       }));
}

TEST(Validation, the_solved_easy_puzzle_is_valid) {
    Board b(vornel::test::kEasySolution);
    EXPECT_TRUE(b.engine.verif_sudoku());
    EXPECT_EQ(b.log(), std::vector<std::string>{"Le sudoku est valide."});
}

TEST(LastEmptyCell, returns_the_first_unit_with_one_empty_cell_and_the_digit_it_lacks) {
    using Kind = FoundStep::Kind;
    const struct {
        const char* what;
        std::vector<std::pair<int, std::string>> rows; // row number, nine values ('.' empty)
        std::optional<FoundStep> found;
        int found_count, missing; // the census fields as the last unit examined leaves them
    } cases[] = {
        {"an empty board has none; column 9 is the last unit asked", {}, std::nullopt, 9, 0},
        {"a row with one empty cell",
         {{4, "123.56789"}},
         FoundStep{Kind::LastEmptyCell, UnitKind::Row, 4, 4, 4, 4},
         1,
         4},
        {"region 5 comes before row 5",
         {{4, "...123..."}, {5, "...4.6..."}, {6, "...789..."}, {9, "12346789."}},
         FoundStep{Kind::LastEmptyCell, UnitKind::Region, 5, 5, 5, 5},
         1,
         5},
        {"a row before a column",
         {{1, "1234567.."}, {9, "........9"}, {3, "2345678.1"}},
         FoundStep{Kind::LastEmptyCell, UnitKind::Row, 3, 3, 8, 9},
         1,
         9},
        {"a unit lacking two digits is no hit", {{7, "1234567.1"}}, std::nullopt, 8, 0},
        {"a digit its column already holds is no hit", {{1, "12345678."}, {5, "........9"}}, std::nullopt, 8, 0},
    };
    for (const auto& c : cases) {
        Board b;
        for (const auto& [row, values] : c.rows)
            for (int col = 1; col <= 9; ++col) b.poke(row, col, values[col - 1] == '.' ? 0 : values[col - 1] - '0');
        EXPECT_EQ(b.engine.find_last_empty_cell(), c.found) << c.what;
        EXPECT_EQ(b.area.found_count, c.found_count) << c.what;
        EXPECT_EQ(b.area.missing_digit, c.missing) << c.what;
    }
}
