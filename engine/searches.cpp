// Digit exclusion map and the lone free cell search.
#include "engine.h"
#include "units.h"

namespace vornel {

UnitCount free_cells(const WorkArea& a, UnitKind kind, int n) { return count_in(cells_equal(a.pres, 0), kind, n); }

// A unit holding the digit has all its marks set to 1, whatever they were; then every filled cell
// still at 0 becomes 2. Marks are only ever set, so the result is the same as marking regions,
// then rows, then columns, then occupied cells one pass after the other.
void Engine::in_many(std::uint16_t digit) {
    // region_of(r, c) is band[r] + stack[c].
    static constexpr int kBand[10] = {0, 1, 1, 1, 4, 4, 4, 7, 7, 7};
    static constexpr int kStack[10] = {0, 0, 0, 0, 1, 1, 1, 2, 2, 2};
    unsigned row_has = 0, col_has = 0, region_has = 0;
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            if (a_.grid[r][c] == digit) {
                row_has |= 1u << r;
                col_has |= 1u << c;
                region_has |= 1u << (kBand[r] + kStack[c]);
            }
        }
    }
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            std::int16_t& mark = a_.pres[r][c];
            if (((row_has >> r) | (col_has >> c) | (region_has >> (kBand[r] + kStack[c]))) & 1u)
                mark = 1;
            else if (a_.grid[r][c] != 0 && mark == 0)
                mark = 2;
        }
    }
}

std::int16_t Engine::verif_box_c(std::int16_t region) const {
    const UnitCount free = free_cells(a_, UnitKind::Region, region);
    return static_cast<std::int16_t>(free.count == 1 ? free.last : 0);
}
std::int16_t Engine::verif_line_c(std::int16_t row) const {
    const UnitCount free = free_cells(a_, UnitKind::Row, row);
    return static_cast<std::int16_t>(free.count == 1 ? free.last : 0);
}
std::int16_t Engine::verif_col_c(std::int16_t col) const {
    const UnitCount free = free_cells(a_, UnitKind::Column, col);
    return static_cast<std::int16_t>(free.count == 1 ? free.last : 0);
}

std::optional<FoundStep> Engine::find_lone_free_cell() const {
    const CodeSet free_set = cells_equal(a_.pres, 0);
    for (const UnitKind kind : {UnitKind::Region, UnitKind::Row, UnitKind::Column}) {
        for (int n = 1; n <= 9; ++n) {
            const UnitCount free = count_in(free_set, kind, n);
            if (free.count != 1) continue;
            return FoundStep{FoundStep::Kind::LoneFreeCell, kind, n, code_row(free.last), code_col(free.last),
                             static_cast<int>(a_.cur_digit)};
        }
    }
    return std::nullopt;
}

} // namespace vornel
