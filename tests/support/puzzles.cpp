// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzles.h"

namespace vornel::test {

namespace {

std::int16_t value_of(char ch) { return static_cast<std::int16_t>(ch >= '1' && ch <= '9' ? ch - '0' : 0); }

char char_of(std::int16_t value, char empty) {
    if (value == 0) return empty;
    return value >= 1 && value <= 9 ? static_cast<char>('0' + value) : '?';
}

} // namespace

Values puzzle_values(std::string_view puzzle) {
    Values values{};
    for (std::size_t i = 0; i < values.size() && i < puzzle.size(); ++i) values[i] = value_of(puzzle[i]);
    return values;
}

void load_grid(WorkArea& area, std::string_view puzzle) {
    const Values values = puzzle_values(puzzle);
    for (int i = 0; i < 81; ++i) area.grid[i / 9 + 1][i % 9 + 1] = values[static_cast<std::size_t>(i)];
}

void type_givens(BoardView& view, std::string_view puzzle) {
    const Values values = puzzle_values(puzzle);
    for (int i = 0; i < 81; ++i) {
        const std::int16_t v = values[static_cast<std::size_t>(i)];
        view.set_cell_text(i / 9 + 1, i % 9 + 1, v == 0 ? std::string() : std::string(1, char_of(v, '.')));
    }
}

std::string grid_text(const WorkArea& area, char empty) {
    std::string text;
    text.reserve(81);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) text += char_of(area.grid[r][c], empty);
    return text;
}

} // namespace vornel::test
