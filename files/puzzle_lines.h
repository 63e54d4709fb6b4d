// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "sud_file.h"

namespace vornel {

// The one-line puzzle form: a text file of one puzzle per line, 81 characters each, 1-9 for
// givens, 0 or . for empty cells, surrounding blanks ignored; blank lines and lines starting with
// '#' are skipped, and a '#' after a puzzle starts a comment that runs to the end of the line.
// Lines end with LF (a CR before it is a blank). A UTF-8 byte-order mark at the very start of the
// input is skipped.

// No puzzle line is anywhere near this long; a longer line is reported and skipped without being
// kept, so that reading needs the same memory whatever the input.
inline constexpr std::size_t kMaxPuzzleLineBytes = 4096;

// One line met by the splitter. `number` counts physical lines from 1. `too_long` marks a line
// that passed the limit: `text` is then empty, and the line is reported once, as soon as the
// limit is passed, not when (or whether) it ends.
struct PuzzleLine {
    std::uint64_t number = 0;
    std::string_view text;
    bool too_long = false;
};

// Cuts bytes into lines, in pieces of any size, keeping at most the limit in memory. Lines are
// handed to `on_line` in order; a view is valid only during the call.
class PuzzleLineSplitter {
public:
    using Handler = std::function<void(const PuzzleLine&)>;

    explicit PuzzleLineSplitter(std::size_t max_bytes = kMaxPuzzleLineBytes) : max_bytes_(max_bytes) {}

    // The next bytes of the input; hands out every line they complete.
    void feed(std::string_view bytes, const Handler& on_line);
    // The input has ended: hands out the last line if it had no line feed.
    void finish(const Handler& on_line);

private:
    void emit(std::string_view text, const Handler& on_line);

    std::size_t max_bytes_;
    std::string pending_; // the start of the current line, never above max_bytes_
    std::uint64_t number_ = 1;
    bool skipping_ = false; // the current line passed the limit and was reported
};

// True for a line the form skips: blank, or starting with '#' after leading blanks.
bool skipped_puzzle_line(std::string_view line);

// The puzzle a line holds, without the blanks around it and without its trailing "# comment".
std::string_view puzzle_line_text(std::string_view line);

// True when the line, once its comment is cut, is a puzzle of 81 characters or a position of 729,
// all digits 0-9 and dots: what tells a file of puzzle lines from a ".sud" file (one value a line)
// or a pencil-mark grid (cells separated by blanks).
bool looks_like_puzzle_line(std::string_view line);

// Reads one line of the form into `values`. Returns an empty string on success, else what is
// wrong, in French, for the error message ("81 cases attendues (ou 729 caractères avec les candidats), 80 caractères
// trouvés"). Characters are counted as UTF-8 characters, not bytes.
std::string parse_puzzle_line(std::string_view line, Values& values, Language language = Language::French);

// The length in bytes of the UTF-8 character that starts `text`, which is not empty. A byte that
// does not start a well-formed sequence is one character of its own.
std::size_t utf8_character_length(std::string_view text);

// `line` without the blanks around it.
std::string_view trim_blanks(std::string_view line);

} // namespace vornel
