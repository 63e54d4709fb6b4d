// Digit exclusion map and the lone free cell searches.
#include "engine.h"
#include "units.h"

namespace vornel {

namespace {

bool unit_holds(const WorkArea& a, UnitKind kind, int n, int digit)
{
    for (const CellPos p : unit_cells(kind, n))
        if (a.grid[p.row][p.col] == digit)
            return true;
    return false;
}

// unit 1-9; returns the code of its only cell with pres 0, or 0 when it has none or several
std::int16_t lone_free_cell(const WorkArea& a, UnitKind kind, int n)
{
    if (n < 1 || n > 9)
        return 0;
    int count = 0;
    CellPos last{0, 0};
    for (const CellPos p : unit_cells(kind, n)) {
        if (a.pres[p.row][p.col] == 0) {
            ++count;
            last = p;
        }
    }
    return count == 1 ? static_cast<std::int16_t>(cell_code(last.row, last.col)) : 0;
}

} // namespace

void Engine::in_many(std::uint16_t digit)
{
    for (const UnitKind kind : {UnitKind::Region, UnitKind::Row, UnitKind::Column}) {
        for (int n = 1; n <= 9; ++n) {
            if (!unit_holds(a_, kind, n, digit))
                continue;
            for (const CellPos p : unit_cells(kind, n))
                a_.pres[p.row][p.col] = 1;
        }
    }
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (a_.grid[r][c] != 0 && a_.pres[r][c] == 0)
                a_.pres[r][c] = 2;
}

std::int16_t Engine::verif_box_c(std::int16_t region) const { return lone_free_cell(a_, UnitKind::Region, region); }
std::int16_t Engine::verif_line_c(std::int16_t row) const { return lone_free_cell(a_, UnitKind::Row, row); }
std::int16_t Engine::verif_col_c(std::int16_t col) const { return lone_free_cell(a_, UnitKind::Column, col); }

} // namespace vornel
