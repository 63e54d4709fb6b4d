// SPDX-License-Identifier: GPL-3.0-or-later
// The two board refreshes and the locking of the board: pure logic over the board view.
#include <cstdint>
#include <string>

#include "engine.h"

namespace vornel {

// Red over every cell marked 1, then orange over every cell marked 2, rows 1-9 and columns 1-9;
// a green cell is never repainted and cells marked 0 keep their colour. Whether a cell is green is
// read back from the view.
void Engine::affiche_pres() {
    marks_unpainted_ = false;
    for (const std::int16_t mark : {1, 2}) {
        const Colour colour = mark == 1 ? kRed : kOrange;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                if (a_.pres[r][c] == mark && view_.cell_colour(r, c) != kGreen) view_.set_cell_colour(r, c, colour);
    }
}

void Engine::affiche_freq() {
    static const char* const kDigitTexts[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int i = 1; i <= 9; ++i) view_.set_occurrence_cell(i, 0, kDigitTexts[i]);
    for (int i = 1; i <= 9; ++i) view_.set_occurrence_cell(i, 1, std::to_string(a_.freq[i]));
}

void Engine::disable_all() {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) view_.set_cell_read_only(r, c, true);
}

} // namespace vornel
