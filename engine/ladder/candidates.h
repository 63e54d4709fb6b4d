// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "bit_ops.h"
#include "board.h"
#include "cell_geometry.h"
#include "step.h"

namespace vornel::ladder {

// The board's arrays, named in the ladder as everywhere else.
using vornel::Grid;
using vornel::Marks;
using vornel::Values;

// A set of cells 0..80 as two 64-bit words.
struct CellSet {
    std::uint64_t lo = 0; // cells 0-63
    std::uint64_t hi = 0; // cells 64-80
    constexpr bool has(int cell) const { return cell < 64 ? (lo >> cell) & 1 : (hi >> (cell - 64)) & 1; }
    constexpr void add(int cell) { (cell < 64 ? lo : hi) |= std::uint64_t{1} << (cell < 64 ? cell : cell - 64); }
    constexpr void remove(int cell) { (cell < 64 ? lo : hi) &= ~(std::uint64_t{1} << (cell < 64 ? cell : cell - 64)); }
    constexpr int count() const { return bit_count(lo) + bit_count(hi); }
    constexpr bool empty() const { return (lo | hi) == 0; }
    // The lowest cell of a set that is not empty.
    constexpr int first() const { return lo != 0 ? std::countr_zero(lo) : 64 + std::countr_zero(hi); }
    friend constexpr CellSet operator&(CellSet a, CellSet b) { return {a.lo & b.lo, a.hi & b.hi}; }
    friend constexpr CellSet operator|(CellSet a, CellSet b) { return {a.lo | b.lo, a.hi | b.hi}; }
    friend constexpr CellSet operator-(CellSet a, CellSet b) { return {a.lo & ~b.lo, a.hi & ~b.hi}; }
    friend constexpr bool operator==(const CellSet&, const CellSet&) = default;
};

// The candidate model: which digits each empty cell may still hold, kept in step with the per
// unit and per digit views. place() and eliminate() are the only writers. A placement removes its
// digit from the cell's peers at once: that is part of the placement, not a step of its own.
// Masks use bit d for digit d (bits 1-9).
class Candidates {
public:
    // Every empty cell gets the digits its row, column and region lack. A grid with a duplicate
    // gives a model nobody should solve: check validity first.
    explicit Candidates(const Grid& grid);

    std::uint8_t value(int cell) const { return values_[cell]; }
    std::uint16_t mask(int cell) const { return masks_[cell]; }
    bool has(int cell, int digit) const { return (masks_[cell] >> digit) & 1; }
    // The cells where `digit` is still a candidate.
    const CellSet& cells_of(int digit) const { return digit_cells_[digit]; }
    // Positions 0-8 within `unit` where `digit` is still a candidate, bit p for position p.
    std::uint16_t places(int unit, int digit) const { return places_[unit][digit]; }
    const Grid& values() const { return values_; }
    // True when the cell's digit was written by place() (a deduction), not given to the
    // constructor: such a cell is known not to be a given of the puzzle. A cell filled from the
    // constructor's grid may be a given or not; it never counts as found.
    bool found(int cell) const { return found_.has(cell); }
    int empty_cells() const { return empty_; }
    // The empty cells of `unit`.
    int empty_in(int unit) const { return unit_empty_[unit]; }

    // Writes `digit` in the empty cell and removes it from the cell's peers.
    void place(int cell, int digit);
    // Removes a candidate; false when it was not there.
    bool eliminate(int cell, int digit);
    // Applies a step's placements and eliminations.
    void apply(const Step& step);

private:
    Grid values_{};
    CellSet found_;
    std::array<std::uint16_t, 81> masks_{};
    std::array<CellSet, 10> digit_cells_{};
    std::array<std::array<std::uint16_t, 10>, 27> places_{};
    std::array<std::uint8_t, 27> unit_empty_{};
    int empty_ = 0;
};

// The three units of a cell and the 20 peers of a cell, and the cells of a unit in order: the
// engine's geometry, with the sets of cells that the finders test against, made at compile time.
struct Geometry {
    std::array<std::array<std::uint8_t, 9>, 27> unit_cells = kCellGeometry.unit_cells;
    std::array<std::array<std::uint8_t, 3>, 81> cell_units = kCellGeometry.cell_units; // row, column, region
    std::array<std::array<std::uint8_t, 20>, 81> peers = kCellGeometry.peers;
    std::array<CellSet, 27> unit_set{};
    std::array<CellSet, 81> peer_set{};

    constexpr Geometry() {
        for (int u = 0; u < 27; ++u)
            for (const std::uint8_t cell : unit_cells[u]) unit_set[u].add(cell);
        for (int cell = 0; cell < 81; ++cell)
            for (const std::uint8_t peer : peers[cell]) peer_set[cell].add(peer);
    }
};
inline constexpr Geometry kGeometry;
inline const Geometry& geometry() { return kGeometry; }

} // namespace vornel::ladder
