// SPDX-License-Identifier: GPL-3.0-or-later
#include "candidates.h"

namespace vornel::ladder {

namespace {

// The position 0-8 of a cell within each of its three units: row, column, region.
constexpr int position_in(int cell, int kind) {
    switch (kind) {
        case 0: return col_of(cell);
        case 1: return row_of(cell);
        default: return 3 * (row_of(cell) % 3) + col_of(cell) % 3;
    }
}

} // namespace

Candidates::Candidates(const Grid& grid) {
    const Geometry& g = geometry();
    values_ = grid;
    // The digits each unit already holds.
    std::array<unsigned, 27> held{};
    for (int cell = 0; cell < 81; ++cell) {
        const unsigned v = values_[cell];
        if (v >= 1 && v <= 9)
            for (const std::uint8_t unit : g.cell_units[cell]) held[unit] |= 1u << v;
    }
    for (int cell = 0; cell < 81; ++cell) {
        if (values_[cell] != 0) continue;
        ++empty_;
        for (const std::uint8_t unit : g.cell_units[cell]) ++unit_empty_[unit];
        const auto& units = g.cell_units[cell];
        const auto mask = static_cast<std::uint16_t>(0x3FEu & ~(held[units[0]] | held[units[1]] | held[units[2]]));
        masks_[cell] = mask;
        for (int d = 1; d <= 9; ++d) {
            if (!((mask >> d) & 1)) continue;
            digit_cells_[d].add(cell);
            for (int k = 0; k < 3; ++k)
                places_[g.cell_units[cell][k]][d] |= static_cast<std::uint16_t>(1u << position_in(cell, k));
        }
    }
}

bool Candidates::eliminate(int cell, int digit) {
    if (!has(cell, digit)) return false;
    const Geometry& g = geometry();
    masks_[cell] &= static_cast<std::uint16_t>(~(1u << digit));
    digit_cells_[digit].remove(cell);
    for (int k = 0; k < 3; ++k)
        places_[g.cell_units[cell][k]][digit] &= static_cast<std::uint16_t>(~(1u << position_in(cell, k)));
    return true;
}

void Candidates::place(int cell, int digit) {
    if (values_[cell] != 0) return;
    for (std::uint16_t m = masks_[cell]; m != 0; m &= static_cast<std::uint16_t>(m - 1))
        eliminate(cell, std::countr_zero(m));
    values_[cell] = static_cast<std::uint8_t>(digit);
    found_.add(cell);
    --empty_;
    for (const std::uint8_t unit : geometry().cell_units[cell]) --unit_empty_[unit];
    for (const std::uint8_t peer : geometry().peers[cell]) eliminate(peer, digit);
}

void Candidates::apply(const Step& step) {
    for (const Candidate& c : step.placements) place(c.cell, c.digit);
    for (const Candidate& c : step.eliminations) eliminate(c.cell, c.digit);
}

} // namespace vornel::ladder
