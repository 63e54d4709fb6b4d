// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "data_contract.h"
#include "ladder.h"
#include "position.h"
#include "position_text.h"
#include "sud_file.h"

namespace vornel {

// How vornel-explain reports the technique ladder (--techniques all).
enum class LadderReport {
    Narrative, // numbered steps' sentences, then verdict, rating and final grid
    Summary,   // one row of the columns kSummaryColumns (data_contract.h)
    Json,      // one JSON object per line, starting with json_head()
    Rating,    // the library's rate(): one JSON object per line, the rating without the steps
};

struct LadderOptions {
    bool enabled = false; // --techniques all
    LadderReport report = LadderReport::Narrative;
    // --find ID: every instance of that technique instead of the explanation.
    std::optional<ladder::Technique> find;
    // --next: only the ladder's next step.
    bool next = false;
    // The language of sentences, verdicts and JSON "text"; keys, ids and --summary never change.
    Language language = Language::French;
};

// Explains one puzzle with the ladder, from the values as they stand once loaded on a board (as Open
// puts them), and writes the chosen report to `out`; `first` tells whether it is the first puzzle
// of the output (the narrative separates puzzles by a blank line). Failures of the loading go to
// `err` as "<origin's name>: <message>" lines. Holds no state: puzzles may be explained on several
// threads.
void ladder_explain_puzzle(const LadderOptions& options, const PuzzleOrigin& origin, const Values& values, bool first,
                           std::ostream& out, std::ostream& err);

// The same for a position with its candidates (a 729-character line, a pencil-mark grid).
void ladder_explain_position(const LadderOptions& options, const PuzzleOrigin& origin, const Marks& marks, bool first,
                             std::ostream& out);

// The reports of an explanation, each ending with a line end. A summary row and a JSON object start
// with where the puzzle comes from (data_contract.h).
std::string ladder_narrative(const ladder::Explanation& explanation, Language language = Language::French);
std::string ladder_summary(const ladder::Explanation& explanation, const PuzzleOrigin& origin);
std::string ladder_json(const ladder::Explanation& explanation, const PuzzleOrigin& origin,
                        Language language = Language::French);
// The rating alone, without the steps (the library's rate()): {"version", "source", "line",
// "puzzle", "verdict", "solutions", "step_count", "grid", "rating", "hardest"}, keys and values as
// in ladder_json.
std::string rating_json(const ladder::Explanation& explanation, const PuzzleOrigin& origin,
                        Language language = Language::French);
// The same with the conclusion given (--next keeps the whole solve's).
std::string ladder_json(const ladder::Explanation& explanation, const PuzzleOrigin& origin,
                        const std::vector<std::string>& conclusion, Language language = Language::French);

// --find: the instances of one technique in a position, as sentences (each instance numbered) or
// as one JSON object {"version", "source", "line", "puzzle", "technique", "instances"}, each instance shaped
// as a step of ladder_json. `puzzle` is the position as given (81 or 729 characters).
std::string find_narrative(const ladder::Position& position, ladder::Technique technique,
                           const std::vector<ladder::Step>& instances, Language language = Language::French);
std::string find_json(const PuzzleOrigin& origin, const std::string& puzzle, ladder::Technique technique,
                      const std::vector<ladder::Step>& instances, Language language = Language::French);

// --next: the explanation cut after its first step, the grid as that step leaves it; verdict,
// solutions, rating and hardest technique stay those of the whole solve.
ladder::Explanation next_only(ladder::Explanation explanation);
// Its text: the sentences of the next step, or the verdict when there is none.
std::string next_narrative(const ladder::Explanation& explanation, Language language = Language::French);

} // namespace vornel
