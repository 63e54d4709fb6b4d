// Digit exclusion map and the lone free cell searches.
#include "engine.h"
#include "units.h"

namespace vornel {

namespace {

// unit 1-9; returns the code of its only cell with pres 0, or 0 when it has none or several
std::int16_t lone_free_cell(const WorkArea& a, UnitKind kind, int n) {
    if (n < 1 || n > 9) return 0;
    const std::int16_t* pres = &a.pres[0][0];
    int count = 0;
    int last = 0;
    for (const std::uint8_t code : kUnitCodes.code[static_cast<int>(kind)][n]) {
        if (pres[code] == 0) {
            ++count;
            last = code;
        }
    }
    return count == 1 ? static_cast<std::int16_t>(last) : 0;
}

} // namespace

// A unit holding the digit has all its marks set to 1, whatever they were; then every filled cell
// still at 0 becomes 2. Marks are only ever set, so the result is the same as marking regions,
// then rows, then columns, then occupied cells one pass after the other.
void Engine::in_many(std::uint16_t digit) {
    // region_of(r, c) is band[r] + stack[c].
    static constexpr int kBand[10] = {0, 1, 1, 1, 4, 4, 4, 7, 7, 7};
    static constexpr int kStack[10] = {0, 0, 0, 0, 1, 1, 1, 2, 2, 2};
    bool row_has[10] = {}, col_has[10] = {}, region_has[10] = {};
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            if (a_.grid[r][c] == digit) {
                row_has[r] = true;
                col_has[c] = true;
                region_has[kBand[r] + kStack[c]] = true;
            }
        }
    }
    // The cells left free are counted per unit on the way, for the lone free cell search.
    free_cells_ = FreeCells{};
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            std::int16_t& mark = a_.pres[r][c];
            if (row_has[r] || col_has[c] || region_has[kBand[r] + kStack[c]])
                mark = 1;
            else if (a_.grid[r][c] != 0 && mark == 0)
                mark = 2;
            if (mark == 0) {
                const int units[3] = {kBand[r] + kStack[c], r, c};
                for (int k = 0; k < 3; ++k) {
                    ++free_cells_.count[k][units[k]];
                    free_cells_.code[k][units[k]] = static_cast<std::uint8_t>(cell_code(r, c));
                }
            }
        }
    }
    free_cells_.valid = true;
}

std::int16_t Engine::verif_box_c(std::int16_t region) const { return lone_free_cell(a_, UnitKind::Region, region); }
std::int16_t Engine::verif_line_c(std::int16_t row) const { return lone_free_cell(a_, UnitKind::Row, row); }
std::int16_t Engine::verif_col_c(std::int16_t col) const { return lone_free_cell(a_, UnitKind::Column, col); }

} // namespace vornel
