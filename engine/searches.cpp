// Digit exclusion map and the lone free cell searches.
#include "engine.h"
#include "units.h"

namespace vornel {

namespace {

// unit 1-9; returns the code of its only cell with pres 0, or 0 when it has none or several
std::int16_t lone_free_cell(const WorkArea& a, UnitKind kind, int n)
{
    if (n < 1 || n > 9)
        return 0;
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
void Engine::in_many(std::uint16_t digit)
{
    const std::int16_t* grid = &a_.grid[0][0];
    std::int16_t* pres = &a_.pres[0][0];
    bool row_has[10] = {}, col_has[10] = {}, region_has[10] = {};
    for (int i = 0; i < 81; ++i) {
        if (grid[kBoard.code[i]] == digit) {
            row_has[kBoard.row[i]] = true;
            col_has[kBoard.col[i]] = true;
            region_has[kBoard.region[i]] = true;
        }
    }
    for (int i = 0; i < 81; ++i) {
        const int code = kBoard.code[i];
        if (row_has[kBoard.row[i]] || col_has[kBoard.col[i]] || region_has[kBoard.region[i]])
            pres[code] = 1;
        else if (grid[code] != 0 && pres[code] == 0)
            pres[code] = 2;
    }
}

std::int16_t Engine::verif_box_c(std::int16_t region) const { return lone_free_cell(a_, UnitKind::Region, region); }
std::int16_t Engine::verif_line_c(std::int16_t row) const { return lone_free_cell(a_, UnitKind::Row, row); }
std::int16_t Engine::verif_col_c(std::int16_t col) const { return lone_free_cell(a_, UnitKind::Column, col); }

} // namespace vornel
