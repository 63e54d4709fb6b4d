// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace vornel {

// The one geometry of the 9x9 board, worked out at compile time. Cells are 0-80 row by row
// (cell = 9 * row + column, both 0-8); units are 0-26: rows 0-8, columns 9-17, regions 18-26
// (region 0 top left, row by row).
struct CellGeometry {
    std::array<std::array<std::uint8_t, 9>, 27> unit_cells{}; // a unit's cells, in cell order
    std::array<std::array<std::uint8_t, 3>, 81> cell_units{}; // row, column, region
    std::array<std::array<std::uint8_t, 20>, 81> peers{};     // the 20 other cells of its units, in cell order

    constexpr CellGeometry() {
        for (int i = 0; i < 81; ++i) {
            const int r = i / 9, c = i % 9, b = 3 * (r / 3) + c / 3;
            cell_units[i] = {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(9 + c),
                             static_cast<std::uint8_t>(18 + b)};
        }
        std::array<int, 27> filled{};
        for (int i = 0; i < 81; ++i)
            for (const std::uint8_t u : cell_units[i]) unit_cells[u][filled[u]++] = static_cast<std::uint8_t>(i);
        for (int i = 0; i < 81; ++i) {
            int n = 0;
            for (int j = 0; j < 81; ++j) {
                if (j == i) continue;
                bool shares = false;
                for (int k = 0; k < 3; ++k) shares = shares || cell_units[i][k] == cell_units[j][k];
                if (shares) peers[i][n++] = static_cast<std::uint8_t>(j);
            }
        }
    }
};

inline constexpr CellGeometry kCellGeometry;

} // namespace vornel
