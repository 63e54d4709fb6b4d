// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "language.h"
#include "units.h"

namespace vornel {

// One reason a grid is not a valid Sudoku, as data: the classic check, the ladder and pasted
// positions report the same problems, and each language words them (problem_text).
struct GridProblem {
    enum class Kind : std::uint8_t {
        NotADigit,   // the cell (row, col) holds `value`, outside 0..9
        Duplicate,   // `count` copies of the digit `value` in the unit (unit, unit_number)
        NoCandidate, // the empty cell (row, col) has no candidate left
    };
    Kind kind = Kind::Duplicate;
    int row = 0; // 1-9
    int col = 0; // 1-9
    int value = 0;
    UnitKind unit = UnitKind::Region;
    int unit_number = 0; // 1-9
    int count = 0;
    friend bool operator==(const GridProblem&, const GridProblem&) = default;
};

// French: "La case ligne 1, colonne 2 contient 12, qui n'est pas un chiffre.", "Il y a 2 chiffres 5
// dans la région 4."; English: "The cell at row 1, column 2 holds 12, which is not a digit.", "There
// are 2 copies of the digit 5 in box 4.".
std::string problem_text(const GridProblem& problem, Language language);
std::vector<std::string> problem_lines(const std::vector<GridProblem>& problems, Language language);

} // namespace vornel
