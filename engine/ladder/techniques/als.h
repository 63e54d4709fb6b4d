// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Almost locked sets, shared by the finders that build on them; not part of the ladder's interface.
//
// An almost locked set (ALS) is N empty cells of one unit holding N + 1 digits between them. Take
// one digit away and the other N fill the N cells: each is then placed in the set. A single cell
// with two candidates is the smallest. Two sets are linked by a restricted common digit when both
// hold it and every cell of one that holds it sees every cell of the other that holds it: the
// digit is then in one set at most, so at least one of them is locked without it.

#include <array>
#include <cstdint>
#include <vector>

#include "common.h"

namespace vornel::ladder::detail {

struct Als {
    CellSet cells;
    std::uint16_t digits = 0; // bit d for digit d
    std::uint8_t unit = 0;    // a unit holding every cell, the first in the scan order
    std::uint8_t size = 0;    // number of cells
    // For each digit: the cells of the set that hold it, and the cells outside the set that see
    // every one of them (where the digit goes once the set is locked with it).
    std::array<CellSet, 10> holders{};
    std::array<CellSet, 10> seen{};
};

// Every ALS of 1 to `max_size` cells, each cell set once (a set inside a row and a region is
// listed with its region), smallest first, then in the unit scan order.
std::vector<Als> almost_locked_sets(const Candidates& c, int max_size);

// The sets of one to five cells of the position, as almost_locked_sets() lists them: those of up
// to N cells come first. The techniques that read them follow one another on a position, so the
// list of the last position asked is kept, one per thread, until another is asked.
const std::vector<Als>& position_sets(const Candidates& c);

// True when `digit` is a restricted common digit of two sets without a common cell.
inline bool restricted_common(const Als& a, const Als& b, int digit) {
    return ((a.digits & b.digits) >> digit & 1) != 0 && (b.holders[digit] - a.seen[digit]).empty();
}

// The restricted common digits of two sets without a common cell, bit d for digit d; 0 when they
// share a cell.
inline unsigned restricted_commons(const Als& a, const Als& b) {
    unsigned common = a.digits & b.digits;
    if (common == 0 || !(a.cells & b.cells).empty()) return 0;
    unsigned result = 0;
    for (; common != 0; common &= common - 1) {
        const int d = std::countr_zero(common);
        if ((b.holders[static_cast<std::size_t>(d)] - a.seen[static_cast<std::size_t>(d)]).empty()) result |= 1u << d;
    }
    return result;
}

} // namespace vornel::ladder::detail
