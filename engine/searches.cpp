// Digit exclusion map and the lone free cell search.
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
    std::int16_t* pres = &a_.pres[0][0];
    const auto mark = [pres](int code, std::uint64_t excluded_bit, std::uint64_t filled_bit) {
        const std::int16_t m = pres[code];
        pres[code] = excluded_bit ? 1 : filled_bit && m == 0 ? 2 : m;
    };
    for (int code = 0; code < 64; ++code) mark(code, (excluded.lo >> code) & 1, (filled.lo >> code) & 1);
    for (int code = 64; code < 100; ++code) mark(code, (excluded.hi >> (code - 64)) & 1, (filled.hi >> (code - 64)) & 1);
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
