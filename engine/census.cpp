// Unit census and grid validation.
#include <string>

#include "engine.h"
#include "units.h"

namespace vornel {

namespace {

// Counts the unit's cells equal to `value`, tallies its digits 1-9 (other values are ignored), and
// stores found_count and missing_digit. Returns the one matching cell's code, else 0.
std::int16_t census(WorkArea& a, UnitKind kind, int n, int value)
{
    if (n < 1 || n > 9) {
        a.found_count = 0;
        a.missing_digit = 0;
        return 0;
    }
    int tally[10] = {};
    int count = 0;
    CellPos last{0, 0};
    for (const CellPos p : unit_cells(kind, n)) {
        const int v = a.grid[p.row][p.col];
        if (v == value) {
            ++count;
            last = p;
        }
        if (v >= 1 && v <= 9)
            ++tally[v];
    }
    a.found_count = static_cast<std::int16_t>(count);
    int absent = 0;
    int missing = 0;
    for (int d = 1; d <= 9; ++d) {
        if (tally[d] == 0) {
            ++absent;
            missing = d;
        }
    }
    a.missing_digit = static_cast<std::uint16_t>(absent == 1 ? missing : 0);
    return count == 1 ? static_cast<std::int16_t>(cell_code(last.row, last.col)) : 0;
}

} // namespace

std::int16_t Engine::verif_box_n(std::int16_t region, std::int16_t value) { return census(a_, UnitKind::Region, region, value); }
std::int16_t Engine::verif_line_n(std::int16_t row, std::int16_t value) { return census(a_, UnitKind::Row, row, value); }
std::int16_t Engine::verif_col_n(std::int16_t col, std::int16_t value) { return census(a_, UnitKind::Column, col, value); }

bool Engine::verif_sudoku()
{
    bool valid = true;
    view_.clear_log();

    // A value no cell can hold (a file can bring one) is reported first, cell by cell.
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            const int v = a_.grid[r][c];
            if (v < 0 || v > 9) {
                valid = false;
                view_.append_log("La case ligne " + std::to_string(r) + ", colonne " + std::to_string(c) +
                                 " contient " + std::to_string(v) + ", qui n'est pas un chiffre.");
            }
        }
    }

    struct Pass {
        UnitKind kind;
        const char* where;
    };
    for (const Pass pass : {Pass{UnitKind::Region, " dans la région "}, Pass{UnitKind::Row, " dans la ligne "},
                            Pass{UnitKind::Column, " dans la colonne "}}) {
        for (int n = 1; n <= 9; ++n) {
            for (int d = 1; d <= 9; ++d) {
                census(a_, pass.kind, n, d);
                if (a_.found_count > 1) {
                    valid = false;
                    view_.append_log("Il y a " + std::to_string(a_.found_count) + " chiffres " + std::to_string(d) +
                                     pass.where + std::to_string(n) + ".");
                }
            }
        }
    }

    view_.append_log(valid ? "Le sudoku est valide." : "Le sudoku n'est pas valide.");
    return valid;
}

} // namespace vornel
