// The two board refreshes and the locking of the board: pure logic over the board view.
#include <cstdint>
#include <cstring>
#include <string>

#include "engine.h"
#include "units.h"

namespace vornel {

// Red over every cell marked 1, then orange over every cell marked 2, rows 1-9 and columns 1-9;
// a green cell is never repainted and cells marked 0 keep their colour.
//
// Cell colours change only through the engine. Between two calls for the same digit a cell's
// colour changes only through this refresh or a placement (which paints green, and green stays),
// so a cell whose mark is the one it was painted from last time already shows the right colour
// and is not looked at again; taking up a digit and showing a new board forget what was painted.
// Whether a cell is green is read from the view until the engine has whitened every cell itself.
void Engine::affiche_pres() {
    // Seen flat, [10][10] arrays hold cell (r, c) at r * 10 + c; the other entries of pres are
    // never marked, so the scan can run over all of them in board order.
    constexpr int kCells = sizeof a_.pres / sizeof a_.pres[0][0];
    const std::int16_t* pres = &a_.pres[0][0];
    const std::int16_t* painted = &painted_marks_[0][0];
    std::uint8_t changed[2][81];
    int count[2] = {0, 0};
    // Four marks at a time: a block that equals what was painted from is skipped whole.
    static_assert(kCells % 4 == 0);
    for (int block = 0; block < kCells; block += 4) {
        std::uint64_t now = 0, before = 0;
        std::memcpy(&now, pres + block, sizeof now);
        std::memcpy(&before, painted + block, sizeof before);
        if (now == 0 || (painted_valid_ && now == before)) continue;
        for (int code = block; code < block + 4; ++code) {
            const int mark = pres[code];
            if ((mark == 1 || mark == 2) && (!painted_valid_ || painted[code] != mark))
                changed[mark - 1][count[mark - 1]++] = static_cast<std::uint8_t>(code);
        }
    }
    std::memcpy(painted_marks_, a_.pres, sizeof painted_marks_);
    painted_valid_ = true;
    for (int m = 0; m < 2; ++m) {
        const Colour colour = m == 0 ? kRed : kOrange;
        for (int j = 0; j < count[m]; ++j) {
            const int row = code_row(changed[m][j]);
            const int col = code_col(changed[m][j]);
            if (!is_green(row, col)) view_.set_cell_colour(row, col, colour);
        }
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
