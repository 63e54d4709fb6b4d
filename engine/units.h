#pragma once

#include <array>

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
constexpr UnitCells unit_cells(UnitKind kind, int n)
{
    UnitCells cells{};
    for (int i = 0; i < 9; ++i) {
        switch (kind) {
        case UnitKind::Region:
            cells[i] = {region_first_row(n) + i / 3, region_first_col(n) + i % 3};
            break;
        case UnitKind::Row:
            cells[i] = {n, i + 1};
            break;
        case UnitKind::Column:
            cells[i] = {i + 1, n};
            break;
        }
    }
    return cells;
}

} // namespace vornel
