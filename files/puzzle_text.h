#pragma once

#include <string>
#include <string_view>

#include "sud_file.h"

namespace vornel {

// Puzzles as they travel in text (forum posts, web pages, other programs), read and written
// without a window. A text holds a puzzle when its cells, read line by line, form one of:
//  - one line of 81 cells: "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
//  - 9 lines of 9 cells;
//  - either of those drawn as a grid: blanks, tabs and the characters | + between cells, and
//    lines made only of - = + * | and blanks (the rules between boxes) are skipped.
// A cell is a digit: 1 to 9 a given, 0 an empty cell; or "." for an empty cell. Empty lines are
// skipped, and a line may end in CR LF, LF or CR. Any other character is no puzzle.
struct PuzzleText {
    bool ok = false;
    PuzzleValues values{}; // file order, 0 for an empty cell; all 0 unless ok
    std::string problem;   // when !ok: where the text went wrong, one French sentence
};

// `text` is UTF-8; positions in `problem` count characters, lines and characters from 1.
PuzzleText read_puzzle_text(std::string_view text);

// What a puzzle text must look like, one French sentence, for messages that refuse a text.
std::string_view puzzle_text_expected();

// The puzzle as one 81-character line in file order: "1"-"9" for a digit, "." for an empty
// cell (and for any value outside 1-9, which no line can hold).
std::string puzzle_line(const PuzzleValues& values);

} // namespace vornel
