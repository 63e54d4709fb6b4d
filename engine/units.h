#pragma once

#include <array>
#include <cstdint>

#include "coords.h"

namespace vornel {

// The nine cells of each unit, in the order every scan visits them: a region row by row and left
// to right, a row left to right, a column top to bottom.
struct CellPos {
    int row;
    int col;
};
enum class UnitKind { Region = 0, Row = 1, Column = 2 };
using UnitCells = std::array<CellPos, 9>;

// kind, unit 1-9; returns its nine cells in scan order
constexpr UnitCells unit_cells(UnitKind kind, int n) {
    UnitCells cells{};
    for (int i = 0; i < 9; ++i) {
        switch (kind) {
            case UnitKind::Region: cells[i] = {region_first_row(n) + i / 3, region_first_col(n) + i % 3}; break;
            case UnitKind::Row: cells[i] = {n, i + 1}; break;
            case UnitKind::Column: cells[i] = {i + 1, n}; break;
        }
    }
    return cells;
}

// The same cells as cell codes, which are also offsets into a 1-based [10][10] array seen flat
// (grid[r][c] is (&grid[0][0])[r * 10 + c]). Index: kind 0-2, unit 1-9 (0 unused), position 0-8.
struct UnitCodeTable {
    std::uint8_t code[3][10][9]{};
};

constexpr UnitCodeTable make_unit_codes() {
    UnitCodeTable t{};
    for (int k = 0; k < 3; ++k)
        for (int n = 1; n <= 9; ++n) {
            const UnitCells cells = unit_cells(static_cast<UnitKind>(k), n);
            for (int i = 0; i < 9; ++i)
                t.code[k][n][i] = static_cast<std::uint8_t>(cell_code(cells[i].row, cells[i].col));
        }
    return t;
}

inline constexpr UnitCodeTable kUnitCodes = make_unit_codes();

// The 81 cell codes in board order: rows 1-9, within a row columns 1-9.
struct BoardCodeTable {
    std::uint8_t code[81]{};
    std::uint8_t row[81]{};
    std::uint8_t col[81]{};
    std::uint8_t region[81]{};
};

constexpr BoardCodeTable make_board_codes() {
    BoardCodeTable t{};
    for (int i = 0; i < 81; ++i) {
        t.row[i] = static_cast<std::uint8_t>(i / 9 + 1);
        t.col[i] = static_cast<std::uint8_t>(i % 9 + 1);
        t.region[i] = static_cast<std::uint8_t>(region_of(i / 9 + 1, i % 9 + 1));
        t.code[i] = static_cast<std::uint8_t>(cell_code(t.row[i], t.col[i]));
    }
    return t;
}

inline constexpr BoardCodeTable kBoard = make_board_codes();

} // namespace vornel
