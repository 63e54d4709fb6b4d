// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>

#include "board_fixture.h"

using namespace vornel;
using vornel::test::Board;

namespace {

std::string fill(char mark) { return std::string(81, mark); }

// Sets the marks from an 81-character string of '0', '1', '2'.
void set_pres(Board& b, std::string_view marks) {
    for (int i = 0; i < 81; ++i) b.area.pres[i / 9 + 1][i % 9 + 1] = static_cast<std::int16_t>(marks[i] - '0');
}

std::string with(std::string s, std::initializer_list<std::pair<int, char>> cells) {
    for (const auto& [code, mark] : cells) s[(code / 10 - 1) * 9 + code % 10 - 1] = mark;
    return s;
}

} // namespace

TEST(InMany, marks_units_holding_the_digit_then_other_filled_cells) {
    // 5 at r1c1, 3 at r5c5, 7 at r9c9: for digit 5, region 1, row 1 and column 1 are excluded.
    Board b;
    b.poke(1, 1, 5);
    b.poke(5, 5, 3);
    b.poke(9, 9, 7);
    b.engine.in_many(5);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const int expected = (r == 1 || c == 1 || (r <= 3 && c <= 3)) ? 1 : (b.area.grid[r][c] != 0 ? 2 : 0);
            EXPECT_EQ(b.area.pres[r][c], expected) << "r" << r << "c" << c;
        }
}

TEST(InMany, a_digit_absent_from_the_board_marks_only_filled_cells) {
    Board d;
    d.poke(4, 4, 1);
    d.poke(6, 8, 2);
    d.engine.in_many(9);
    EXPECT_EQ(d.pres(), with(fill('0'), {{44, '2'}, {68, '2'}}));
}

TEST(InMany, a_cell_holding_the_digit_is_excluded_and_calling_twice_changes_nothing) {
    Board b(vornel::test::kEasy);
    b.engine.in_many(8);
    const std::string once = b.pres();
    b.engine.in_many(8);
    EXPECT_EQ(b.pres(), once);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (b.area.grid[r][c] == 8) { EXPECT_EQ(b.area.pres[r][c], 1); }
}

TEST(InMany, a_new_placement_turns_its_units_to_1_and_leaves_the_rest) {
    Board b;
    b.poke(1, 1, 4);
    b.poke(8, 5, 6);
    b.engine.in_many(4);
    EXPECT_EQ(b.area.pres[8][5], 2);
    const std::string before = b.pres();
    b.poke(7, 6, 4); // region 8, row 7, column 6
    b.engine.in_many(4);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const bool unit = r == 7 || c == 6 || region_of(r, c) == 8;
            const int expected = unit ? 1 : before[(r - 1) * 9 + c - 1] - '0';
            EXPECT_EQ(b.area.pres[r][c], expected) << "r" << r << "c" << c;
        }
}

TEST(InMany, a_full_valid_board_is_all_excluded_and_digit_0_makes_it_all_occupied) {
    Board b(vornel::test::kEasySolution);
    for (int d = 1; d <= 9; ++d) {
        b.engine.init_digit();
        b.engine.in_many(static_cast<std::uint16_t>(d));
        EXPECT_EQ(b.pres(), fill('1')) << "digit " << d;
    }
    b.engine.init_digit();
    b.engine.in_many(0);
    EXPECT_EQ(b.pres(), fill('2'));
}

TEST(LoneFreeCell, finds_the_only_free_cell_of_a_unit_and_nothing_else) {
    const struct {
        const char* what;
        std::string marks;
        std::int16_t box[10], line[10], col[10];
    } cases[] = {
        {"a map of zeros has nine free cells everywhere", fill('0'), {}, {}, {}},
        {"a map of ones has none", fill('1'), {}, {}, {}},
        {"region 8 with only r8c5 free",
         with(fill('1'), {{85, '0'}}),
         {0, 0, 0, 0, 0, 0, 0, 0, 85, 0},
         {0, 0, 0, 0, 0, 0, 0, 0, 85, 0},
         {0, 0, 0, 0, 0, 85, 0, 0, 0, 0}},
        {"row 4 with only column 9 free, and column 2 with only row 7 free",
         with(fill('2'), {{49, '0'}, {72, '0'}}),
         {0, 0, 0, 0, 0, 0, 49, 72, 0, 0},
         {0, 0, 0, 0, 49, 0, 0, 72, 0, 0},
         {0, 0, 72, 0, 0, 0, 0, 0, 0, 49}},
        {"two free cells in a unit yield 0 for it",
         with(fill('1'), {{11, '0'}, {33, '0'}}),
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         {0, 11, 0, 33, 0, 0, 0, 0, 0, 0},
         {0, 11, 0, 33, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Board b;
        set_pres(b, c.marks);
        for (std::int16_t n = 1; n <= 9; ++n) {
            EXPECT_EQ(b.engine.verif_box_c(n), c.box[n]) << c.what << ", region " << n;
            EXPECT_EQ(b.engine.verif_line_c(n), c.line[n]) << c.what << ", row " << n;
            EXPECT_EQ(b.engine.verif_col_c(n), c.col[n]) << c.what << ", column " << n;
        }
    }
}

TEST(LoneFreeCell, out_of_range_units_find_nothing) {
    Board b;
    set_pres(b, with(fill('1'), {{11, '0'}}));
    for (const std::int16_t n : {0, 10, -1}) {
        EXPECT_EQ(b.engine.verif_box_c(n), 0);
        EXPECT_EQ(b.engine.verif_line_c(n), 0);
        EXPECT_EQ(b.engine.verif_col_c(n), 0);
    }
}

TEST(LoneFreeCell, the_search_returns_the_first_unit_regions_then_rows_then_columns) {
    using Kind = FoundStep::Kind;
    const struct {
        const char* what;
        std::string marks;
        std::optional<FoundStep> found;
    } cases[] = {
        {"nine free cells everywhere", fill('0'), std::nullopt},
        {"no free cell at all", fill('1'), std::nullopt},
        {"region 8 before row 8 and column 5", with(fill('1'), {{85, '0'}}),
         FoundStep{Kind::LoneFreeCell, UnitKind::Region, 8, 8, 5, 7}},
        {"row 5 when no region has one", with(fill('2'), {{47, '0'}, {49, '0'}, {58, '0'}, {67, '0'}}),
         FoundStep{Kind::LoneFreeCell, UnitKind::Row, 5, 5, 8, 7}},
        {"column 2 with only row 7 free, every row and region with two",
         with(fill('1'), {{72, '0'}, {73, '0'}, {11, '0'}, {13, '0'}, {41, '0'}, {43, '0'}}),
         FoundStep{Kind::LoneFreeCell, UnitKind::Column, 2, 7, 2, 7}},
    };
    for (const auto& c : cases) {
        Board b;
        b.area.cur_digit = 7;
        set_pres(b, c.marks);
        EXPECT_EQ(b.engine.find_lone_free_cell(), c.found) << c.what;
    }
}
