#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "ladder.h"
#include "sud_file.h"

namespace vornel {

// How vornel-explain reports the technique ladder (--techniques all).
enum class LadderReport {
    Narrative, // numbered steps' sentences, then verdict, rating and final grid
    Summary,   // one line, fields separated by tabs: grid verdict steps solutions score level hardest
    Json,      // one JSON object per line, starting with its source (and line)
};

struct LadderOptions {
    bool enabled = false; // --techniques all
    LadderReport report = LadderReport::Narrative;
};

// Where a puzzle comes from: its input ("-" for standard input) and, for an input of one puzzle per
// line, its line number counted from 1 (0 when the whole input is the puzzle).
struct PuzzleOrigin {
    std::string source;
    std::uint64_t line = 0;

    // "source", or "source:line": how messages and traces name the puzzle.
    std::string name() const { return line == 0 ? source : source + ':' + std::to_string(line); }
};

// Explains one puzzle with the ladder, from the values as they stand once loaded on a board (as Open
// puts them), and writes the chosen report to `out`; `first` tells whether it is the first puzzle
// of the output (the narrative separates puzzles by a blank line). Failures of the loading go to
// `err` as "<origin's name>: <message>" lines. Holds no state: puzzles may be explained on several threads.
void ladder_explain_puzzle(const LadderOptions& options, const PuzzleOrigin& origin, const PuzzleValues& values,
                           bool first, std::ostream& out, std::ostream& err);

// The reports of an explanation, each ending with a line end.
std::string ladder_narrative(const ladder::Explanation& explanation);
std::string ladder_summary(const ladder::Explanation& explanation);
std::string ladder_json(const ladder::Explanation& explanation, const PuzzleOrigin& origin);

// `text` as a JSON string, quotes included: quote, backslash and control characters escaped, UTF-8
// passed through as it stands.
std::string json_string(const std::string& text);

} // namespace vornel
