// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornel {

namespace ladder {
enum class Level : std::uint8_t;
}

// What vornel-explain promises the scripts that read its --summary rows and JSON lines
// (docs/data-contract.md): ids in lower-case ASCII, the same in every language and for both
// engines, and fields that never move. Words only ever appear in sentences and in "level_text".

// The version of the JSON objects' shape, their first key ("version"). Raised when a key is removed,
// renamed or changes meaning; a key added keeps it.
inline constexpr int kJsonVersion = 1;

// The columns of a --summary row, in order.
inline constexpr const char* kSummaryColumns[] = {"source", "line",  "status",  "grid",      "steps",    "solutions",
                                                  "score",  "level", "hardest", "solution1", "solution2"};
inline constexpr int kSummaryFieldCount = static_cast<int>(std::size(kSummaryColumns));

// Where a puzzle comes from: its input ("-" for standard input) and, for an input of one puzzle per
// line, its line number counted from 1 (0 when the whole input is the puzzle).
struct PuzzleOrigin {
    std::string source;
    std::uint64_t line = 0;
    // False for a puzzle the library is handed without a source: "source" is then null in the
    // JSON and "-" (no value) in a --summary row.
    bool named = true;

    // "source", or "source:line": how messages and traces name the puzzle.
    std::string name() const { return line == 0 ? source : source + ':' + std::to_string(line); }
};

// The status of an input that could not be read as a puzzle (its reason goes to standard error).
inline constexpr std::string_view kBadInput = "bad-input";

// "very-easy", "easy", "medium", "hard", "very-hard", "diabolical".
std::string_view level_id(ladder::Level level);

// One --summary row. A field without a value is "-", except `line`, which is empty for an input
// that is one puzzle (a ".sud" file, a pencil-mark grid).
struct SummaryRow {
    PuzzleOrigin origin;
    std::string_view status = kBadInput;
    std::string grid = "-";      // the final grid, 81 characters, '.' for an empty cell
    std::string steps = "-";     // the ladder's steps, or the classic engine's placements
    std::string solutions = "-"; // solutions of the givens: 0, 1 or 2+
    std::string score = "-";
    std::string level = "-"; // a level id
    std::string hardest = "-";
    std::string solution1 = "-"; // with several solutions, two of them (81 digits each)
    std::string solution2 = "-";
};

// The row's fields separated by tabs, then a line end. A tab, a line end or a backslash in the
// source's name is written \t, \n or \\, so that a row is always one line of 11 fields.
std::string summary_line(const SummaryRow& row);

// The first keys of every JSON object: "version", "source" (null for a puzzle without one), "line"
// (null for an input that is one puzzle), without braces.
std::string json_head(const PuzzleOrigin& origin);

// The JSON line of an input that could not be read as a puzzle: its head, "verdict":"bad-input",
// and the reason in "problems".
std::string bad_input_json(const PuzzleOrigin& origin, const std::string& reason);

// `text` as a JSON string, quotes included: quote, backslash and control characters escaped, UTF-8
// passed through as it stands.
std::string json_string(const std::string& text);

} // namespace vornel
