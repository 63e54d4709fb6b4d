// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour_letters.h"

namespace vornel::test {

char colour_letter(std::optional<Colour> colour) {
    if (!colour) return '-';
    switch (*colour) {
        case kWhite: return 'W';
        case kRed: return 'R';
        case kOrange: return 'O';
        case kGreen: return 'G';
        default: return '?';
    }
}

std::string colour_letters(const HeadlessBoard& board) {
    std::string letters;
    letters.reserve(81);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) letters += colour_letter(board.cell(r, c).colour);
    return letters;
}

} // namespace vornel::test
