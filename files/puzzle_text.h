// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
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
// Where a text went wrong, as data; text_problem_words() words it in a language.
struct TextProblem {
    enum class Kind : std::uint8_t {
        None,
        BadCharacter,   // line, column: `character` is neither a digit nor a dot
        Empty,          // nothing but blanks
        OnlyRules,      // no cell, only rules
        WrongCellCount, // line: `count` cells instead of `expected` (81 on one line, 9 on nine)
        WrongLineCount, // `count` lines of cells, neither 1 nor 9
    };
    Kind kind = Kind::None;
    int line = 0;   // from 1
    int column = 0; // characters from 1
    char32_t character = 0;
    std::size_t count = 0;
    std::size_t expected = 0;
    friend bool operator==(const TextProblem&, const TextProblem&) = default;
};

struct PuzzleText {
    bool ok = false;
    Values values{};     // file order, 0 for an empty cell; all 0 unless ok
    std::string problem; // when !ok: where the text went wrong, one French sentence
    TextProblem reason;  // the same as data
};

// `text` is UTF-8; positions in `problem` count characters, lines and characters from 1.
PuzzleText read_puzzle_text(std::string_view text);

// The sentence of a problem: in French as `problem` holds it ("Ligne 2, caractère 5 : « x » n'est
// ni un chiffre ni un point."), in English ("Line 2, character 5: 'x' is neither a digit nor a
// dot.").
std::string text_problem_words(const TextProblem& problem, Language language);

// What a puzzle text must look like, one sentence, for messages that refuse a text.
std::string_view puzzle_text_expected(Language language = Language::French);

// The puzzle as one 81-character line in file order: "1"-"9" for a digit, "." for an empty
// cell (and for any value outside 1-9, which no line can hold).
std::string puzzle_line(const Values& values);

} // namespace vornel
