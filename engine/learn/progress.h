// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ladder/technique.h"
#include "language.h"

namespace vornel::learn {

// What the player has done with one technique.
struct TechniqueProgress {
    int tried = 0;                // exercises answered
    int solved = 0;               // exercises answered right
    int solved_without_hints = 0; // of those, without asking to see the step first
    std::array<int, 3> hints{};   // hints asked for in games, at levels 1, 2 and 3
    int recognised = 0;           // moves of the player's own that the technique justified, in games
    friend bool operator==(const TechniqueProgress&, const TechniqueProgress&) = default;
};

// The record of progress, kept in the user's data folder (see progress_text for its format).
struct Progress {
    std::array<TechniqueProgress, ladder::kTechniqueCount> techniques{};
    // The levels (0 very easy to 5 diabolical) of the last finished games, oldest first, at most
    // kLastGames of them.
    std::vector<int> finished_levels;
    static constexpr std::size_t kLastGames = 10;
    TechniqueProgress& of(ladder::Technique t) { return techniques[static_cast<std::size_t>(t)]; }
    const TechniqueProgress& of(ladder::Technique t) const { return techniques[static_cast<std::size_t>(t)]; }
    void finished_game(int level);
    friend bool operator==(const Progress&, const Progress&) = default;
};

// Mastered: three exercises solved without hints, and one use in a game (a move of the player's
// own that the technique justified).
bool mastered(const TechniqueProgress& progress);

// The lightest technique that can be practised and is not mastered yet; nothing when all are.
std::optional<ladder::Technique> next_to_master(const Progress& progress);

// The level for an adapted new game: the level of the lightest technique not mastered, but at
// least the level after the highest of the last three finished games (0 with none).
int adapted_level(const Progress& progress);

// The file, plain text, one record per line, in this order:
//   vornel-progres 1
//   technique ID TRIED SOLVED SOLVED_WITHOUT_HINTS HINTS1 HINTS2 HINTS3 RECOGNISED
//   niveaux L1 L2 ...
// IDs are the ladder's technique ids; a technique not listed has done nothing yet; numbers are
// whole numbers from 0 to 1,000,000,000. Unknown technique ids (a later version's) are skipped.
// The reader is bounded: at most kProgressByteLimit bytes, lines of at most 200 characters.
inline constexpr std::size_t kProgressByteLimit = 64 * 1024;
std::string progress_text(const Progress& progress);
// The record a text holds; nothing with `error` (a sentence in `language`) when it is none.
std::optional<Progress> read_progress(const std::string& text, std::string& error,
                                      Language language = Language::French);

// Loads the record at `path`: a missing file is a fresh record. A file that cannot be read as a
// record is kept aside under a new name beside it ("progres.txt.abime-20261208-094512"), never
// lost nor overwritten, and `warning` says so; the record then starts afresh.
Progress load_progress(const std::string& path, std::string& warning, Language language = Language::French);
// Writes the record atomically (the old file or the new, never part of one). false with `error`.
bool save_progress(const std::string& path, const Progress& progress, std::string& error,
                   Language language = Language::French);

} // namespace vornel::learn
