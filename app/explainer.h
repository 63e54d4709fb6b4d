// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "data_contract.h"
#include "headless_board.h"
#include "language.h"
#include "sud_file.h"
#include "tempo.h"

namespace vornel {

enum class Report { Narrative, Trace, Summary };

struct ExplainOptions {
    Tempo tempo = Tempo::Once;
    Report report = Report::Narrative;
    long max_requests = 100000;           // per puzzle
    Language language = Language::French; // of the log; the summary's ids are the same in every language
};

// Runs one puzzle through the engine on a headless board, exactly as the window would: puts the
// values on a fresh board as Open does, then runs the tempo's command and the step button while it
// is shown. Writes what happened to `out` in the chosen report (the summary as a row of
// data_contract.h: status solved, stuck or invalid, the placements as its steps); `first` tells
// whether it is the first puzzle of the output (the narrative separates puzzles by a blank line).
// Failures raised by a cell's change handling go to `err` as "<origin's name>: <message>" lines.
// Holds no state of its own, so puzzles may be explained on several threads at once.
void explain_puzzle(const ExplainOptions& options, const PuzzleOrigin& origin, const Values& values, bool first,
                    std::ostream& out, std::ostream& err);

// Puts the values on a fresh board exactly as Open puts a read grid there (every cell white, its
// text the value through the change handling, editable; log cleared; step buttons hidden) and
// returns the work area as it then stands. Failures of the change handling go to `reporter`.
WorkArea loaded_grid(const Values& values, const FailureReporter& reporter, Language language = Language::French);

} // namespace vornel
