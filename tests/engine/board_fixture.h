#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "coords.h"
#include "engine.h"
#include "headless_board.h"

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
        for (int i = 0; i < 81; ++i) {
            const char ch = i < static_cast<int>(puzzle.size()) ? puzzle[i] : '.';
            area.grid[i / 9 + 1][i % 9 + 1] = static_cast<std::int16_t>(ch >= '1' && ch <= '9' ? ch - '0' : 0);
        }
        engine.show_grid();
    }

    // Writes the value straight into the grid, as a file reader may, without touching the board.
    void poke(int row, int col, int value) { area.grid[row][col] = static_cast<std::int16_t>(value); }

    std::string grid() const {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s += area.grid[r][c] == 0 ? '.' : static_cast<char>('0' + area.grid[r][c]);
        return s;
    }

    std::string pres() const {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + area.pres[r][c]);
        return s;
    }

    std::string colours() const {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) {
                const auto& colour = view.cell(r, c).colour;
                s += !colour              ? '-'
                     : *colour == kWhite  ? 'W'
                     : *colour == kRed    ? 'R'
                     : *colour == kOrange ? 'O'
                     : *colour == kGreen  ? 'G'
                                          : '?';
            }
        return s;
    }

    std::vector<std::string> log() const { return view.log(); }
    bool b5() const { return view.button_visible(StepButton::Button5); }
    bool b6() const { return view.button_visible(StepButton::Button6); }
};

// Puzzles shared by the engine tests.
inline constexpr std::string_view kEasy =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
inline constexpr std::string_view kEasySolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
// Needs more than singles: the two searches get stuck on it.
inline constexpr std::string_view kHard =
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..";

} // namespace vornel::test
