// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace vornel {

// Everything the engine knows about the open puzzle. Arrays are 1-based: index 0 is never used,
// so grid[r][c] is row r, column c with r and c in 1..9, and freq[d] is digit d in 1..9.
// A fresh WorkArea has every field at 0.
struct WorkArea {
    std::int16_t grid[10][10]{};     // cell values: 0 empty, 1..9 a digit (a file may bring others)
    std::int16_t pres[10][10]{};     // marks for cur_digit: 0 free, 1 excluded, 2 occupied
    std::int16_t freq[10]{};         // occurrences of each digit at the last count
    std::int16_t treated[10]{};      // 0 not yet this cycle, 1 taken up this cycle, 9 complete
    std::int16_t total_filled = 0;   // filled cells at the last count
    std::int16_t tour_placed = 0;    // placements in the current cycle
    std::int16_t digit_placed = 0;   // placements since cur_digit was taken up; -1 once exhausted
    std::uint16_t cur_digit = 0;     // digit in hand, 0 before the first choice
    std::int16_t found_count = 0;    // last census: cells equal to the sought value
    std::uint16_t missing_digit = 0; // last census: the one absent digit, else 0
};

} // namespace vornel
