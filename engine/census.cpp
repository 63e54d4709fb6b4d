// Unit census and grid validation.
#include <bit>
#include <string>

#include "engine.h"
#include "units.h"

namespace vornel {

namespace {

// The one digit 1-9 whose bit is missing from `present` (bits 1-9), or 0 when none or several are.
int single_missing(unsigned present) {
    const unsigned missing = ~present & 0x3FEu;
    return missing != 0 && (missing & (missing - 1)) == 0 ? std::countr_zero(missing) : 0;
}

// Counts the unit's cells equal to `value`, tallies its digits 1-9 (other values are ignored), and
// stores found_count and missing_digit. Returns the one matching cell's code, else 0.
std::int16_t census(WorkArea& a, UnitKind kind, int n, int value) {
    if (n < 1 || n > 9) {
        a.found_count = 0;
        a.missing_digit = 0;
        return 0;
    }
    const std::int16_t* grid = &a.grid[0][0];
    unsigned present = 0;
    int count = 0;
    int last = 0;
    for (const std::uint8_t code : kUnitCodes.code[static_cast<int>(kind)][n]) {
        const int v = grid[code];
        if (v == value) {
            ++count;
            last = code;
        }
        if (v >= 1 && v <= 9) present |= 1u << v;
    }
    a.found_count = static_cast<std::int16_t>(count);
    a.missing_digit = static_cast<std::uint16_t>(single_missing(present));
    return count == 1 ? static_cast<std::int16_t>(last) : 0;
}

} // namespace

void recount_empty_cells(const WorkArea& a, UnitCensus& census, int kind, int n) {
    const std::int16_t* grid = &a.grid[0][0];
    unsigned present = 0;
    int empty = 0;
    int last = 0;
    for (const std::uint8_t code : kUnitCodes.code[kind][n]) {
        const int v = grid[code];
        if (v == 0) {
            ++empty;
            last = code;
        } else if (v >= 1 && v <= 9) {
            present |= 1u << v;
        }
    }
    census.empty[kind][n] = static_cast<std::uint8_t>(empty);
    census.last_empty[kind][n] = static_cast<std::uint8_t>(last);
    census.missing[kind][n] = static_cast<std::uint8_t>(single_missing(present));
}

UnitCensus census_of_empty_cells(const WorkArea& a) {
    UnitCensus result;
    for (int k = 0; k < 3; ++k)
        for (int n = 1; n <= 9; ++n) recount_empty_cells(a, result, k, n);
    return result;
}

std::int16_t Engine::verif_box_n(std::int16_t region, std::int16_t value) {
    return census(a_, UnitKind::Region, region, value);
}
std::int16_t Engine::verif_line_n(std::int16_t row, std::int16_t value) {
    return census(a_, UnitKind::Row, row, value);
}
std::int16_t Engine::verif_col_n(std::int16_t col, std::int16_t value) {
    return census(a_, UnitKind::Column, col, value);
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
                view_.append_log("La case ligne " + std::to_string(r) + ", colonne " + std::to_string(c) +
                                 " contient " + std::to_string(v) + ", qui n'est pas un chiffre.");
            }
        }
    }

    // Every unit is examined for every digit, regions then rows then columns, each by unit number
    // and within a unit by digit; a digit standing more than once is a duplicate.
    static const char* const kWhere[] = {" dans la région ", " dans la ligne ", " dans la colonne "};
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
                    view_.append_log("Il y a " + std::to_string(count[d]) + " chiffres " + std::to_string(d) +
                                     kWhere[k] + std::to_string(n) + ".");
                }
            }
        }
    }
    // The census results are left as the last unit checked, column 9 for digit 9, leaves them.
    census(a_, UnitKind::Column, 9, 9);

    view_.append_log(valid ? "Le sudoku est valide." : "Le sudoku n'est pas valide.");
    return valid;
}

} // namespace vornel
