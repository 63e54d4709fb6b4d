// SPDX-License-Identifier: GPL-3.0-or-later
// Digit exclusion map and the lone free cell search.
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine.h"
#include "units.h"

namespace vornel {

// A unit holding the digit has all its marks set to 1, whatever they were; then every filled cell
// still at 0 becomes 2. Marks are only ever set, so the result is the same as marking regions,
// then rows, then columns, then occupied cells one pass after the other.
void Engine::in_many(std::uint16_t digit) {
    const CodeSet holding = cells_equal(a_.grid, digit);
    CodeSet excluded;
    for (int k = 0; k < 3; ++k) {
        for (int n = 1; n <= 9; ++n) {
            const CodeSet unit = kUnitSets.set[k][n];
            if ((holding & unit).empty()) continue;
            excluded.lo |= unit.lo;
            excluded.hi |= unit.hi;
        }
    }
    const CodeSet board = board_cells_set();
    const CodeSet empty = cells_equal(a_.grid, 0);
    const CodeSet filled{board.lo & ~empty.lo, board.hi & ~empty.hi};
    // Seen flat, pres holds cell (r, c) at its code r * 10 + c, the bit of the cell in the sets.
    std::int16_t* pres = &a_.pres[0][0];
    const auto bits = [](const CodeSet& set, int code) { return code < 64 ? set.lo >> code : set.hi >> (code - 64); };
    int code = 0;
#if defined(__SSE2__)
    // Eight marks at a time: each lane picks its bit of the two sets.
    const __m128i lane_bit = _mm_setr_epi16(1, 2, 4, 8, 16, 32, 64, 128);
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi16(1), two = _mm_set1_epi16(2);
    for (; code + 8 <= 100; code += 8) {
        const auto spread = [&](const CodeSet& set) {
            const __m128i b = _mm_set1_epi16(static_cast<std::int16_t>(bits(set, code) & 0xFF));
            return _mm_cmpeq_epi16(_mm_and_si128(b, lane_bit), lane_bit);
        };
        const __m128i is_excluded = spread(excluded);
        const __m128i marks = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pres + code));
        const __m128i becomes_occupied = _mm_and_si128(spread(filled), _mm_cmpeq_epi16(marks, zero));
        __m128i result = _mm_or_si128(_mm_and_si128(becomes_occupied, two), _mm_andnot_si128(becomes_occupied, marks));
        result = _mm_or_si128(_mm_and_si128(is_excluded, one), _mm_andnot_si128(is_excluded, result));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pres + code), result);
    }
#endif
    for (; code < 100; ++code) {
        const std::int16_t m = pres[code];
        pres[code] = bits(excluded, code) & 1 ? 1 : (bits(filled, code) & 1) && m == 0 ? 2 : m;
    }
}

std::int16_t Engine::verif_box_c(std::int16_t region) const {
    return static_cast<std::int16_t>(only_cell_in(cells_equal(a_.pres, 0), UnitKind::Region, region));
}
std::int16_t Engine::verif_line_c(std::int16_t row) const {
    return static_cast<std::int16_t>(only_cell_in(cells_equal(a_.pres, 0), UnitKind::Row, row));
}
std::int16_t Engine::verif_col_c(std::int16_t col) const {
    return static_cast<std::int16_t>(only_cell_in(cells_equal(a_.pres, 0), UnitKind::Column, col));
}

std::optional<FoundStep> Engine::find_lone_free_cell() const {
    const CodeSet free_set = cells_equal(a_.pres, 0);
    for (const UnitKind kind : {UnitKind::Region, UnitKind::Row, UnitKind::Column}) {
        for (int n = 1; n <= 9; ++n) {
            const int only = only_cell_in(free_set, kind, n);
            if (only == 0) continue;
            return FoundStep{FoundStep::Kind::LoneFreeCell, kind, n, code_row(only), code_col(only),
                             static_cast<int>(a_.cur_digit)};
        }
    }
    return std::nullopt;
}

} // namespace vornel
