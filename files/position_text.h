// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "board.h"
#include "language.h"

namespace vornel {

// The 729-character line: nine characters per cell, cells row by row; the k-th character of a
// cell is the digit k while it is a candidate there, '.' or '0' when it is not. Surrounding blanks
// are ignored. Returns an empty string on success, else what is wrong, in the language, for the
// error message ("caractère inattendu en position 12 ...", "unexpected character at position 12 ...").
inline constexpr std::size_t kMarksLineLength = 729;
std::string parse_marks_line(std::string_view line, Marks& marks, Language language = Language::French);

// The pencil-mark grid: nine lines of nine cells separated by blanks, each cell its candidates
// ("37", "1259") or its digit. The characters | - + * . are decoration: lines made only of them
// and blanks are rules between boxes and are skipped, like empty lines; inside a line of cells
// they separate cells as blanks do. Lines end in LF, CR LF or CR; a UTF-8 byte-order mark at the
// start is skipped.
struct PencilMarks {
    bool ok = false;
    Marks marks{};       // all 0 unless ok
    std::string problem; // when !ok: what is wrong and where, one phrase in the language asked for
};
PencilMarks read_pencil_marks(std::string_view text, Language language = Language::French);

// True when `text` starts like a pencil-mark grid rather than a ".sud" file (one value per line):
// its first line that is not blank is a rule made of decoration, or holds two cells or more and
// nothing but digits 1-9, blanks and decoration.
bool looks_like_pencil_marks(std::string_view text);

// A text holding one position with its candidates, as pasted or dropped: one 729-character line
// (blanks around it allowed), or a pencil-mark grid.
struct PositionText {
    bool ok = false;
    Marks marks{};       // all 0 unless ok
    std::string problem; // when !ok: what is wrong; empty when the text looks like neither form
};
PositionText read_position_text(std::string_view text, Language language = Language::French);

// No pencil-mark grid needs more; a longer text is refused without being read further.
inline constexpr std::size_t kMaxPencilMarksBytes = 64 * 1024;

} // namespace vornel
