#pragma once

#include <iosfwd>
#include <string>

#include "ladder.h"
#include "sud_file.h"

namespace vornel {

// How vornel-explain reports the technique ladder (--techniques all).
enum class LadderReport {
    Narrative, // numbered steps' sentences, then verdict, rating and final grid
    Summary,   // one line: grid verdict steps solutions score level hardest, then two solutions
               // when there are several ("- -" for score and level when there is no rating)
    Json,      // one JSON object per line
};

struct LadderOptions {
    bool enabled = false; // --techniques all
    LadderReport report = LadderReport::Narrative;
};

// Explains one puzzle with the ladder, from the values as they stand once loaded on a board (as Open
// puts them), and writes the chosen report to `out`; `first` tells whether it is the first puzzle
// of the output (the narrative separates puzzles by a blank line). Failures of the loading go to
// `err` as "<name>: <message>" lines. Holds no state: puzzles may be explained on several threads.
void ladder_explain_puzzle(const LadderOptions& options, const std::string& name, const PuzzleValues& values,
                           bool first, std::ostream& out, std::ostream& err);

// The reports of an explanation, each ending with a line end.
std::string ladder_narrative(const ladder::Explanation& explanation);
std::string ladder_summary(const ladder::Explanation& explanation);
std::string ladder_json(const ladder::Explanation& explanation);

// `text` as a JSON string, quotes included: quote, backslash and control characters escaped, UTF-8
// passed through as it stands.
std::string json_string(const std::string& text);

} // namespace vornel
