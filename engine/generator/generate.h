// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dig.h"
#include "ladder.h"
#include "language.h"
#include "random.h"

namespace vornel::generator {

// The ladder's levels, easiest first, as its rating words them.
inline constexpr std::array<std::string_view, 6> kLevels = {"très facile", "facile",         "moyen",
                                                            "difficile",   "très difficile", "diabolique"};

// The same levels in English.
inline constexpr std::array<std::string_view, 6> kLevelsEnglish = {"very easy", "easy",      "medium",
                                                                   "hard",      "very hard", "diabolical"};
// The level words of a language.
inline const std::array<std::string_view, 6>& level_words(Language language) {
    return language == Language::English ? kLevelsEnglish : kLevels;
}

// The level (index into kLevels) a user names, in French or in ASCII spelling, or in English, with
// spaces or hyphens: "très facile", "tres-facile", "Très-Difficile", "very-hard"...; -1 when none
// matches.
int level_from_name(std::string_view name);

// The message for a level that level_from_name() does not know, listing the levels.
std::string unknown_level(std::string_view name, Language language = Language::French);

// What a puzzle must be. Every puzzle has exactly one solution and is minimal (among symmetric
// removals when `symmetric`).
struct Request {
    int level = -1;                         // index into kLevels; -1 for any
    std::optional<ladder::Technique> needs; // the explanation uses it at least once, nothing harder
    bool symmetric = false;
};

// Why no puzzle can meet the request, in the language; empty when it can be tried.
std::string impossible(const Request& request, Language language = Language::French);

// Why no search can target the technique with --needs, completing "car ..." ("because ..."); empty
// when it can be targeted. These are the techniques that a minimal puzzle with one solution never
// needs as its hardest step, because a lighter technique of the ladder always comes first.
std::string_view untargetable(ladder::Technique technique, Language language = Language::French);

// Makes puzzles that meet a request, one attempt at a time: a random full grid, dug down to a
// minimal puzzle, then rated by the ladder, which gives up at the first step harder than the
// request allows. The same request and seed give the same puzzles in the same order.
class Generator {
public:
    Generator(const Request& request, std::uint64_t seed);

    // One attempt: the puzzle when it meets the request.
    std::optional<Grid> attempt();

    // Attempts until a puzzle meets the request, or `stop` becomes true (checked between attempts).
    std::optional<Grid> next(const std::atomic<bool>& stop);

    long attempts() const { return attempts_; }

private:
    enum class Fit { Yes, Near, No };
    // Yes when the puzzle meets the request; Near when it fails but its explanation used the
    // technique (or a technique of the level) asked for.
    Fit fits(const Grid& puzzle) const;

    Request request_;
    Random random_;
    long attempts_ = 0;
    long found_ = 0;
    // A near miss that the next attempts vary (see attempt()), with its solution.
    std::optional<Grid> near_;
    Grid near_solution_{};
    int near_tries_ = 0;
    // The techniques a step may use: at the first other one, the rating gives up.
    std::array<bool, ladder::kTechniqueCount> allowed_{};
    // The last allowed technique: the ladder tries none after it.
    ladder::Technique hardest_ = ladder::Technique::FullHouse;
    // Dig leaning towards puzzles that singles finish: 0 no, 1 hidden singles, 2 hidden and naked.
    int prefer_singles_ = 0;
};

// A seed for a run without one: differs from run to run.
std::uint64_t fresh_seed();

// The seed of the puzzle at `index` (from 0) of a run seeded with `seed`: the run's own seed for the
// first, then seeds mixed from it, so that each puzzle depends only on the seed and its place, not
// on which worker found it or when.
std::uint64_t puzzle_seed(std::uint64_t seed, long index);

} // namespace vornel::generator
