// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bit>
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

// A set of cells by cell code: bit `code` (11-99) of 128 bits held as two words. Codes are also the
// offsets into a 1-based [10][10] array seen flat, so one scan of such an array gives a set.
struct CodeSet {
    std::uint64_t lo = 0; // codes 0-63
    std::uint64_t hi = 0; // codes 64-99
    friend constexpr CodeSet operator&(CodeSet a, CodeSet b) { return {a.lo & b.lo, a.hi & b.hi}; }
    constexpr bool empty() const { return (lo | hi) == 0; }
};

// The cells of each unit as code sets. Index: kind 0-2, unit 1-9 (0 unused).
struct UnitSetTable {
    CodeSet set[3][10]{};
};

constexpr UnitSetTable make_unit_sets() {
    UnitSetTable t{};
    for (int k = 0; k < 3; ++k)
        for (int n = 1; n <= 9; ++n)
            for (const std::uint8_t code : kUnitCodes.code[k][n]) {
                if (code < 64)
                    t.set[k][n].lo |= std::uint64_t{1} << code;
                else
                    t.set[k][n].hi |= std::uint64_t{1} << (code - 64);
            }
    return t;
}

inline constexpr UnitSetTable kUnitSets = make_unit_sets();

// The code of the unit's one cell in `set` (kind, unit 1-9), else 0: none, several, or a unit
// number outside 1..9.
constexpr int only_cell_in(const CodeSet& set, UnitKind kind, int n) {
    if (n < 1 || n > 9) return 0;
    const CodeSet in_unit = set & kUnitSets.set[static_cast<int>(kind)][n];
    if (in_unit.hi == 0)
        return in_unit.lo != 0 && (in_unit.lo & (in_unit.lo - 1)) == 0 ? std::countr_zero(in_unit.lo) : 0;
    return in_unit.lo == 0 && (in_unit.hi & (in_unit.hi - 1)) == 0 ? 64 + std::countr_zero(in_unit.hi) : 0;
}

} // namespace vornel
