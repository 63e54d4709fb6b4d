// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "candidates.h"
#include "ladder_support.h"

namespace vornel::ladder {
namespace {

using testing::grid_of;
using testing::rc;

constexpr const char* kPuzzle = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

// Every view the model keeps agrees with the masks, recomputed from scratch.
void expect_views_agree(const Candidates& c) {
    const Geometry& g = geometry();
    for (int d = 1; d <= 9; ++d) {
        CellSet cells;
        for (int cell = 0; cell < 81; ++cell)
            if (c.has(cell, d)) cells.add(cell);
        EXPECT_EQ(c.cells_of(d), cells) << "digit " << d;
        for (int u = 0; u < 27; ++u) {
            std::uint16_t places = 0;
            for (int p = 0; p < 9; ++p)
                if (c.has(g.unit_cells[u][p], d)) places |= static_cast<std::uint16_t>(1u << p);
            EXPECT_EQ(c.places(u, d), places) << "unit " << u << " digit " << d;
        }
    }
}

TEST(Geometry, units_peers_and_coordinates_agree) {
    const Geometry& g = geometry();
    for (int cell = 0; cell < 81; ++cell) {
        EXPECT_EQ(cell_at(row_of(cell), col_of(cell)), cell);
        EXPECT_EQ(g.cell_units[cell][0], row_of(cell));
        EXPECT_EQ(g.cell_units[cell][1], 9 + col_of(cell));
        EXPECT_EQ(g.cell_units[cell][2], 18 + box_of(cell));
        EXPECT_EQ(g.peer_set[cell].count(), 20);
        EXPECT_FALSE(g.peer_set[cell].has(cell));
        for (const std::uint8_t peer : g.peers[cell]) {
            EXPECT_TRUE(row_of(peer) == row_of(cell) || col_of(peer) == col_of(cell) || box_of(peer) == box_of(cell));
            EXPECT_TRUE(g.peer_set[cell].has(peer));
        }
        for (const std::uint8_t unit : g.cell_units[cell]) EXPECT_TRUE(g.unit_set[unit].has(cell));
    }
    for (int u = 0; u < 27; ++u) EXPECT_EQ(g.unit_set[u].count(), 9);
    // Region 5 (number 4 from 0) starts at row 4, column 4 and is read row by row.
    EXPECT_EQ(g.unit_cells[22][0], rc(4, 4));
    EXPECT_EQ(g.unit_cells[22][5], rc(5, 6));
    EXPECT_EQ(g.unit_cells[22][8], rc(6, 6));
    EXPECT_EQ(unit_kind(22), UnitKind::Region);
    EXPECT_EQ(unit_number(22), 4);
}

TEST(Candidates, start_from_what_each_cells_units_lack) {
    const Candidates c(grid_of(kPuzzle));
    EXPECT_EQ(c.empty_cells(), 51);
    EXPECT_EQ(c.value(rc(1, 1)), 5);
    EXPECT_EQ(c.mask(rc(1, 1)), 0);
    // Row 1 holds 5 3 7, column 3 holds 8, region 1 holds 5 3 6 9 8: r1c3 may hold 1, 2, 4.
    EXPECT_EQ(c.mask(rc(1, 3)), (1u << 1) | (1u << 2) | (1u << 4));
    // r5c5 sees 4 8 3 1 (row), 7 9 6 2 1 8 (column), 8 6 3 2 (region): only 5.
    EXPECT_EQ(c.mask(rc(5, 5)), 1u << 5);
    expect_views_agree(c);
}

TEST(Candidates, place_removes_the_digit_from_the_cell_and_its_peers) {
    Candidates c(grid_of(kPuzzle));
    c.place(rc(1, 3), 4);
    EXPECT_EQ(c.value(rc(1, 3)), 4);
    EXPECT_EQ(c.mask(rc(1, 3)), 0);
    EXPECT_EQ(c.empty_cells(), 50);
    for (const std::uint8_t peer : geometry().peers[rc(1, 3)]) EXPECT_FALSE(c.has(peer, 4)) << int(peer);
    EXPECT_EQ(c.places(0, 4), 0); // row 1 has its 4
    expect_views_agree(c);
}

TEST(Candidates, eliminate_reports_whether_the_candidate_was_live) {
    Candidates c(grid_of(kPuzzle));
    EXPECT_TRUE(c.eliminate(rc(1, 3), 2));
    EXPECT_FALSE(c.eliminate(rc(1, 3), 2));
    EXPECT_FALSE(c.eliminate(rc(1, 1), 5)); // a given holds no candidate
    EXPECT_EQ(c.mask(rc(1, 3)), (1u << 1) | (1u << 4));
    expect_views_agree(c);
}

TEST(Candidates, apply_does_a_steps_placements_and_eliminations) {
    Candidates c(grid_of(kPuzzle));
    Step step;
    step.placements = {{static_cast<std::uint8_t>(rc(5, 5)), 5}};
    step.eliminations = {{static_cast<std::uint8_t>(rc(1, 3)), 1}, {static_cast<std::uint8_t>(rc(1, 4)), 2}};
    c.apply(step);
    EXPECT_EQ(c.value(rc(5, 5)), 5);
    EXPECT_FALSE(c.has(rc(1, 3), 1));
    EXPECT_FALSE(c.has(rc(1, 4), 2));
    expect_views_agree(c);
}

} // namespace
} // namespace vornel::ladder
