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

} // namespace

UnitCount census(const WorkArea& a, UnitKind kind, int n, int value) {
    UnitCount result;
    if (n < 1 || n > 9) return result;
    const std::int16_t* grid = &a.grid[0][0];
    unsigned present = 0;
    for (const std::uint8_t code : kUnitCodes.code[static_cast<int>(kind)][n]) {
        const int v = grid[code];
        if (v == value) {
            ++result.count;
            result.last = code;
        }
        if (v >= 1 && v <= 9) present |= 1u << v;
    }
    result.missing = single_missing(present);
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
    for (const UnitKind kind : {UnitKind::Region, UnitKind::Row, UnitKind::Column}) {
        for (int n = 1; n <= 9; ++n) {
            const UnitCount empty = census(a_, kind, n, 0);
            a_.found_count = static_cast<std::int16_t>(empty.count);
            a_.missing_digit = static_cast<std::uint16_t>(empty.missing);
            if (empty.count != 1 || empty.missing == 0) continue;
            const int row = code_row(empty.last), col = code_col(empty.last);
            bool fits = true;
            for (const UnitKind peer : {UnitKind::Region, UnitKind::Row, UnitKind::Column}) {
                const int unit = peer == UnitKind::Region ? region_of(row, col) : peer == UnitKind::Row ? row : col;
                for (const std::uint8_t code : kUnitCodes.code[static_cast<int>(peer)][unit])
                    fits = fits && grid[code] != empty.missing;
            }
            if (!fits) continue;
            return FoundStep{FoundStep::Kind::LastEmptyCell, kind, n, row, col, empty.missing};
        }
    }
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
    census_into(a_, UnitKind::Column, 9, 9);

    view_.append_log(valid ? "Le sudoku est valide." : "Le sudoku n'est pas valide.");
    return valid;
}

} // namespace vornel
