// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "coords.h"
#include "units.h"

using namespace vornel;

TEST(Coords, every_cell_code_round_trips_to_its_row_and_column) {
    std::set<int> codes;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const int code = cell_code(r, c);
            EXPECT_EQ(code_row(code), r);
            EXPECT_EQ(code_col(code), c);
            EXPECT_NE(code % 10, 0) << "a valid code never has a 0 digit";
            codes.insert(code);
        }
    EXPECT_EQ(codes.size(), 81u);
    EXPECT_EQ(*codes.begin(), 11);
    EXPECT_EQ(*codes.rbegin(), 99);
    EXPECT_EQ(code_row(59), 5);
    EXPECT_EQ(code_col(59), 9);
}

TEST(Coords, regions_cover_their_boxes_in_reading_order) {
    const int first_rows[] = {0, 1, 1, 1, 4, 4, 4, 7, 7, 7};
    const int first_cols[] = {0, 1, 4, 7, 1, 4, 7, 1, 4, 7};
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(region_first_row(n), first_rows[n]) << "region " << n;
        EXPECT_EQ(region_first_col(n), first_cols[n]) << "region " << n;
        for (int dr = 0; dr < 3; ++dr)
            for (int dc = 0; dc < 3; ++dc) EXPECT_EQ(region_of(first_rows[n] + dr, first_cols[n] + dc), n);
    }
}

TEST(Coords, cell_names_are_Edit_then_row_then_column) {
    EXPECT_EQ(cell_name(1, 1), "Edit11");
    EXPECT_EQ(cell_name(4, 7), "Edit47");
    EXPECT_EQ(cell_name(9, 9), "Edit99");
}

TEST(Coords, each_unit_lists_nine_distinct_cells_in_scan_order) {
    for (const UnitKind kind : {UnitKind::Region, UnitKind::Row, UnitKind::Column}) {
        for (int n = 1; n <= 9; ++n) {
            const UnitCells cells = unit_cells(kind, n);
            std::set<int> seen;
            for (int i = 0; i < 9; ++i) {
                seen.insert(cell_code(cells[i].row, cells[i].col));
                if (i > 0) { // scans go row by row, then left to right
                    EXPECT_LT(cell_code(cells[i - 1].row, cells[i - 1].col), cell_code(cells[i].row, cells[i].col));
                }
                switch (kind) {
                    case UnitKind::Region: EXPECT_EQ(region_of(cells[i].row, cells[i].col), n); break;
                    case UnitKind::Row: EXPECT_EQ(cells[i].row, n); break;
                    case UnitKind::Column: EXPECT_EQ(cells[i].col, n); break;
                }
            }
            EXPECT_EQ(seen.size(), 9u);
        }
    }
    const UnitCells region8 = unit_cells(UnitKind::Region, 8);
    EXPECT_EQ(cell_code(region8.front().row, region8.front().col), 74);
    EXPECT_EQ(cell_code(region8.back().row, region8.back().col), 96);
}
