// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace vornel {

// Cell codes are row * 10 + column, 11..99; 0 stands for no cell.

// row 1-9, column 1-9; returns 11-99
constexpr int cell_code(int row, int col) { return row * 10 + col; }
// code 11-99; returns 1-9
constexpr int code_row(int code) { return code / 10; }
// code 11-99; returns 1-9
constexpr int code_col(int code) { return code % 10; }
// region 1-9; returns its top row 1, 4 or 7
constexpr int region_first_row(int region) { return 3 * ((region - 1) / 3) + 1; }
// region 1-9; returns its left column 1, 4 or 7
constexpr int region_first_col(int region) { return 3 * ((region - 1) % 3) + 1; }
// row 1-9, column 1-9; returns the region 1-9 that holds the cell
constexpr int region_of(int row, int col) { return 3 * ((row - 1) / 3) + (col - 1) / 3 + 1; }

// row 1-9, column 1-9; returns the cell's control name "Edit11".."Edit99"
inline std::string cell_name(int row, int col) { return "Edit" + std::to_string(row) + std::to_string(col); }

} // namespace vornel
