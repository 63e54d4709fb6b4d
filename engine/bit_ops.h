// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Counting the set bits of cell sets and digit masks. std::popcount becomes a library call when the
// build does not assume the processor's own instruction (the distribution's baseline does not), so
// the board code counts with these instead.
namespace vornel {

// The number of set bits of any 64-bit word, in a few arithmetic instructions.
constexpr int bit_count(std::uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555u);
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((x * 0x0101010101010101u) >> 56);
}

// The number of set bits of a mask below 1024 (digit masks with bits 1-9, places 0-8 in a unit), by
// table: one load.
struct SmallBitCounts {
    std::uint8_t of[1024]{};
    constexpr SmallBitCounts() {
        for (int m = 1; m < 1024; ++m) of[m] = static_cast<std::uint8_t>(of[m >> 1] + (m & 1));
    }
};
inline constexpr SmallBitCounts kSmallBitCounts{};
// mask 0-1023
constexpr int bits(unsigned mask) { return kSmallBitCounts.of[mask]; }

} // namespace vornel
