// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "colour_letters.h"
#include "coords.h"
#include "engine.h"
#include "headless_board.h"
#include "puzzles.h"

namespace vornel::test {

// A fresh work area, headless board and engine, with failures of the change handling recorded.
struct Board {
    WorkArea area;
    std::vector<std::string> failures;
    HeadlessBoard view{area, [this](const std::string& m) { failures.push_back(m); }};
    Engine engine{area, view};

    Board() = default;
    // puzzle: 81 characters row by row, '.' or '0' for empty cells; loaded as Open loads a file.
    explicit Board(std::string_view puzzle) { load(puzzle); }

    void load(std::string_view puzzle) {
        load_grid(area, puzzle);
        engine.show_grid();
    }

    // Writes the value straight into the grid, as a file reader may, without touching the board.
    void poke(int row, int col, int value) { area.grid[row][col] = static_cast<std::int16_t>(value); }

    std::string grid() const { return grid_text(area); }

    std::string pres() const {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + area.pres[r][c]);
        return s;
    }

    std::string colours() const { return colour_letters(view); }

    std::vector<std::string> log() const { return view.log(); }
    bool b5() const { return view.button_visible(StepButton::Button5); }
    bool b6() const { return view.button_visible(StepButton::Button6); }
};

} // namespace vornel::test
