#include "solution_count.h"

#include <cstdint>
#include <utility>

namespace vornel {

namespace {

// Number of set bits of each 10-bit candidate mask.
struct BitCounts {
    std::uint8_t of[1024]{};
    constexpr BitCounts() {
        for (int m = 1; m < 1024; ++m) of[m] = static_cast<std::uint8_t>(of[m >> 1] + (m & 1));
    }
};
constexpr BitCounts kBits;

struct Search {
    std::uint16_t rows[9]{};
    std::uint16_t cols[9]{};
    std::uint16_t boxes[9]{};
    int empties[81]{};
    int empty_count = 0;
    int found = 0;
    int limit = 2;

    static int box(int i) { return (i / 27) * 3 + (i % 9) / 3; }

    // Fills the empty cell with the fewest candidates first; returns when `limit` is reached.
    void run(int depth) {
        if (found >= limit) return;
        if (depth == empty_count) {
            ++found;
            return;
        }
        int best = depth;
        int best_count = 10;
        std::uint16_t best_mask = 0;
        for (int k = depth; k < empty_count; ++k) {
            const int i = empties[k];
            const std::uint16_t mask = static_cast<std::uint16_t>(~(rows[i / 9] | cols[i % 9] | boxes[box(i)]) & 0x3FE);
            const int count = kBits.of[mask];
            if (count < best_count) {
                best = k;
                best_count = count;
                best_mask = mask;
                if (count <= 1) break;
            }
        }
        if (best_count == 0) return;
        std::swap(empties[depth], empties[best]);
        const int i = empties[depth];
        for (std::uint16_t mask = best_mask; mask != 0 && found < limit; mask &= mask - 1) {
            const std::uint16_t bit = mask & -mask;
            rows[i / 9] |= bit;
            cols[i % 9] |= bit;
            boxes[box(i)] |= bit;
            run(depth + 1);
            rows[i / 9] &= ~bit;
            cols[i % 9] &= ~bit;
            boxes[box(i)] &= ~bit;
        }
        std::swap(empties[depth], empties[best]);
    }
};

} // namespace

int count_solutions(const WorkArea& area, int limit) {
    Search s;
    s.limit = limit;
    for (int i = 0; i < 81; ++i) {
        const int v = area.grid[i / 9 + 1][i % 9 + 1];
        if (v < 0 || v > 9) return 0;
        if (v == 0) {
            s.empties[s.empty_count++] = i;
            continue;
        }
        const std::uint16_t bit = static_cast<std::uint16_t>(1u << v);
        if ((s.rows[i / 9] | s.cols[i % 9] | s.boxes[Search::box(i)]) & bit) return 0;
        s.rows[i / 9] |= bit;
        s.cols[i % 9] |= bit;
        s.boxes[Search::box(i)] |= bit;
    }
    s.run(0);
    return s.found;
}

} // namespace vornel
