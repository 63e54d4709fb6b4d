// SPDX-License-Identifier: GPL-3.0-or-later
// Unit census and grid validation.
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <string>

#include "bit_ops.h"
#include "engine.h"
#include "units.h"

namespace vornel {

namespace {

// The one digit 1-9 whose bit is missing from `present` (bits 1-9), or 0 when none or several are.
int single_missing(unsigned present) {
    const unsigned missing = ~present & 0x3FEu;
    return missing != 0 && (missing & (missing - 1)) == 0 ? std::countr_zero(missing) : 0;
}

} // namespace

namespace {

constexpr CodeSet board_cells() {
    CodeSet all;
    for (int row = 1; row <= 9; ++row) {
        all.lo |= kUnitSets.set[static_cast<int>(UnitKind::Row)][row].lo;
        all.hi |= kUnitSets.set[static_cast<int>(UnitKind::Row)][row].hi;
    }
    return all;
}
constexpr CodeSet kBoardCells = board_cells();

} // namespace

CodeSet board_cells_set() { return kBoardCells; }

CodeSet cells_equal(const std::int16_t (&cells)[10][10], int value) {
    const std::int16_t* flat = &cells[0][0];
    std::uint64_t lo = 0, hi = 0;
#if defined(__SSE2__)
    // Sixteen entries at a time: compare, pack to bytes, one bit per entry.
    const __m128i wanted = _mm_set1_epi16(static_cast<std::int16_t>(value));
    std::uint64_t bits[2] = {0, 0};
    for (int i = 0; i < 96; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(flat + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(flat + i + 8));
        const auto mask = static_cast<std::uint64_t>(
            _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(a, wanted), _mm_cmpeq_epi16(b, wanted))));
        bits[i / 64] |= mask << (i % 64);
    }
    lo = bits[0];
    hi = bits[1];
    for (int i = 96; i < 100; ++i) hi |= std::uint64_t{flat[i] == value} << (i - 64);
#else
    for (int i = 0; i < 64; ++i) lo |= std::uint64_t{flat[i] == value} << i;
    for (int i = 64; i < 100; ++i) hi |= std::uint64_t{flat[i] == value} << (i - 64);
#endif
    return CodeSet{lo, hi} & kBoardCells;
}

UnitCount count_in(const CodeSet& set, UnitKind kind, int n) {
    UnitCount result;
    if (n < 1 || n > 9) return result;
    const CodeSet in_unit = set & kUnitSets.set[static_cast<int>(kind)][n];
    result.count = bit_count(in_unit.lo) + bit_count(in_unit.hi);
    // Every scan order runs through a unit's codes in increasing order: the last is the highest.
    if (in_unit.hi != 0)
        result.last = 127 - std::countl_zero(in_unit.hi);
    else if (in_unit.lo != 0)
        result.last = 63 - std::countl_zero(in_unit.lo);
    return result;
}

int missing_digit(const WorkArea& a, UnitKind kind, int n) {
    if (n < 1 || n > 9) return 0;
    const std::int16_t* grid = &a.grid[0][0];
    unsigned present = 0;
    for (const std::uint8_t code : kUnitCodes.code[static_cast<int>(kind)][n]) {
        const int v = grid[code];
        if (v >= 1 && v <= 9) present |= 1u << v;
    }
    return single_missing(present);
}

UnitCount census(const WorkArea& a, UnitKind kind, int n, int value) {
    UnitCount result = count_in(cells_equal(a.grid, value), kind, n);
    result.missing = missing_digit(a, kind, n);
    return result;
}

namespace {

// The census as the verif_*_n operations give it: found_count and missing_digit stored, the cell
// returned when it is the only match.
std::int16_t census_into(WorkArea& a, UnitKind kind, int n, int value) {
    const UnitCount result = census(a, kind, n, value);
    a.found_count = static_cast<std::int16_t>(result.count);
    a.missing_digit = static_cast<std::uint16_t>(result.missing);
    return static_cast<std::int16_t>(result.count == 1 ? result.last : 0);
}

} // namespace

std::int16_t Engine::verif_box_n(std::int16_t region, std::int16_t value) {
    return census_into(a_, UnitKind::Region, region, value);
}
std::int16_t Engine::verif_line_n(std::int16_t row, std::int16_t value) {
    return census_into(a_, UnitKind::Row, row, value);
}
std::int16_t Engine::verif_col_n(std::int16_t col, std::int16_t value) {
    return census_into(a_, UnitKind::Column, col, value);
}

std::optional<FoundStep> Engine::find_last_empty_cell() {
    const std::int16_t* grid = &a_.grid[0][0];
    const CodeSet empty = cells_equal(a_.grid, 0);
    for (const UnitKind kind : {UnitKind::Region, UnitKind::Row, UnitKind::Column}) {
        for (int n = 1; n <= 9; ++n) {
            const int only = only_cell_in(empty, kind, n);
            if (only == 0) continue;
            const int digit = missing_digit(a_, kind, n);
            a_.found_count = 1;
            a_.missing_digit = static_cast<std::uint16_t>(digit);
            if (digit == 0) continue;
            const int row = code_row(only), col = code_col(only);
            bool fits = true;
            for (const UnitKind peer : {UnitKind::Region, UnitKind::Row, UnitKind::Column}) {
                const int unit = peer == UnitKind::Region ? region_of(row, col) : peer == UnitKind::Row ? row : col;
                for (const std::uint8_t code : kUnitCodes.code[static_cast<int>(peer)][unit])
                    fits = fits && grid[code] != digit;
            }
            if (fits) return FoundStep{FoundStep::Kind::LastEmptyCell, kind, n, row, col, digit};
        }
    }
    // No hit: the census fields are those of the last unit asked, column 9.
    a_.found_count = static_cast<std::int16_t>(count_in(empty, UnitKind::Column, 9).count);
    a_.missing_digit = static_cast<std::uint16_t>(missing_digit(a_, UnitKind::Column, 9));
    return std::nullopt;
}

bool Engine::verif_sudoku() {
    bool valid = true;
    view_.clear_log();

    // A value no cell can hold (a file can bring one) is reported first, cell by cell.
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            const int v = a_.grid[r][c];
            if (v < 0 || v > 9) {
                valid = false;
                GridProblem problem{GridProblem::Kind::NotADigit};
                problem.row = r;
                problem.col = c;
                problem.value = v;
                view_.append_log(narrator_.problem(problem));
            }
        }
    }

    // Every unit is examined for every digit, regions then rows then columns, each by unit number
    // and within a unit by digit; a digit standing more than once is a duplicate.
    const std::int16_t* grid = &a_.grid[0][0];
    for (int k = 0; k < 3; ++k) {
        for (int n = 1; n <= 9; ++n) {
            int count[10] = {};
            for (const std::uint8_t code : kUnitCodes.code[k][n]) {
                const int v = grid[code];
                if (v >= 1 && v <= 9) ++count[v];
            }
            for (int d = 1; d <= 9; ++d) {
                if (count[d] > 1) {
                    valid = false;
                    GridProblem problem{GridProblem::Kind::Duplicate};
                    problem.value = d;
                    problem.unit = static_cast<UnitKind>(k);
                    problem.unit_number = n;
                    problem.count = count[d];
                    view_.append_log(narrator_.problem(problem));
                }
            }
        }
    }
    // The census results are left as the last unit checked, column 9 for digit 9, leaves them.
    census_into(a_, UnitKind::Column, 9, 9);

    view_.append_log(narrator_.line(valid ? LogLine::Valid : LogLine::Invalid));
    return valid;
}

} // namespace vornel
