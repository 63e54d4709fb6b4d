// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include <QString>

class QMimeData;

namespace vornel {

// What a drag or the clipboard carries that the window takes as a puzzle.
struct PuzzleOffer {
    enum class Kind { none, file, text };
    Kind kind = Kind::none;
    std::string path; // file: a local ".sud" file (the first one when several are dragged)
    QString text;     // text: a text that holds a puzzle (read_puzzle_text accepts it)
};

// A local file whose name ends in ".sud" (in any case) comes first; otherwise the data's plain
// text when it holds a puzzle; otherwise none, and the drag keeps its usual meaning (a text
// dropped on a cell goes into the cell).
PuzzleOffer puzzle_offer(const QMimeData* data);

// The failure message for a text that holds no puzzle, on three lines: that the clipboard (or
// the text) holds none, where the text went wrong (`problem`, from read_puzzle_text), and what a
// puzzle text looks like.
enum class TextSource { clipboard, drop };
std::string refusal_message(TextSource source, const std::string& problem);

} // namespace vornel
