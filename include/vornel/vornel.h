// SPDX-License-Identifier: GPL-3.0-or-later
// Vornel as a library: reads a puzzle, explains it step by step with the technique ladder, rates
// it, gives the next step or every instance of a technique, counts solutions and generates puzzles.
// The same engine and the same words as vornel-explain and vornel-generate: the JSON texts below
// are the lines `vornel-explain --techniques all --json` writes, byte for byte (without the line
// end), and every error carries the message the tools print.
//
// C++17 or later. Link with -lvornel (pkg-config vornel, or CMake's find_package(Vornel) and Vornel::vornel).
// Every function may be called from several threads at once: nothing is shared between calls.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#define VORNEL_VERSION_MAJOR 1
#define VORNEL_VERSION_MINOR 0

namespace vornel::api {

// The library's version, "1.0".
std::string version();

// The language of sentences ("text", "conclusion", "problems") and of error messages. Keys, ids,
// verdicts and levels are the same in every language.
enum class Language { French, English };

// A puzzle or a technique that cannot be read, or a request that cannot be met; what() is the
// message the tools print for it.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A puzzle, or a position part-way through a solve with its candidates, as read.
class Puzzle {
public:
    // Reads one of: an 81-character line (1-9 for the givens, 0 or . for empty cells); a
    // 729-character line of candidates (nine characters per cell, the k-th the digit k while it is a
    // candidate, 0 or . otherwise); a pencil-mark grid (nine lines of nine cells, each its
    // candidates or its digit). Blanks around a line are ignored. Throws Error otherwise.
    static Puzzle parse(std::string_view text, Language language = Language::French);

    // The puzzle as the JSON's "puzzle" gives it: 81 characters (0 for an empty cell), or 729 for
    // a position with candidates (0 for a candidate that is not there).
    const std::string& text() const { return text_; }
    bool has_candidates() const { return text_.size() != 81; }

private:
    explicit Puzzle(std::string text) : text_(std::move(text)) {}
    std::string text_;
};

// A cell's digit: row and column 1-9, digit 1-9.
struct Candidate {
    int row = 0;
    int column = 0;
    int digit = 0;
};
inline bool operator==(const Candidate& a, const Candidate& b) {
    return a.row == b.row && a.column == b.column && a.digit == b.digit;
}

// One step of the ladder. The JSON gives its whole reasoning (links, chains, petals, branches).
struct Step {
    std::string technique; // its id, "naked-single", "x-wing"...
    std::vector<Candidate> place;
    std::vector<Candidate> eliminate;
    std::vector<std::string> text; // its sentences
};

struct Rating {
    int score = 0;
    std::string level;      // its id: "very-easy", "easy", "medium", "hard", "very-hard", "diabolical"
    std::string level_text; // its name in the language asked for
};

// What the ladder made of a puzzle, as the JSON's keys name it.
struct Explanation {
    std::string puzzle;
    std::string verdict; // "solved", "stuck", "invalid", "no-solution", "several-solutions"
    int solutions = 0;   // 0, 1, or 2 for two or more
    std::vector<Step> steps;
    std::string grid; // the grid the steps leave, 81 characters
    std::optional<Rating> rating;
    std::optional<std::string> hardest;
    std::vector<std::string> two_solutions; // two of them when there are several, else empty
    std::vector<std::string> problems;      // why the puzzle is invalid
    std::vector<std::string> conclusion;    // the verdict's sentences
};

// The rating alone: the ladder solves the puzzle but words nothing.
struct Summary {
    std::string puzzle;
    std::string verdict;
    int solutions = 0;
    int step_count = 0;
    std::string grid;
    std::optional<Rating> rating;
    std::optional<std::string> hardest;
};

// Where a puzzle comes from, written at the head of a JSON object as vornel-explain writes it
// ("version", "source", "line") and first in a summary row: "source" is null (in a row "-") when
// not named, "line" null (in a row empty) when 0.
struct Origin {
    std::optional<std::string> source;
    std::uint64_t line = 0;
};

// The whole explanation.
Explanation explain(const Puzzle& puzzle, Language language = Language::French);
std::string explain_json(const Puzzle& puzzle, Language language = Language::French, const Origin& origin = {});

// The rating; its JSON has the head's keys, then those of Summary.
Summary rate(const Puzzle& puzzle, Language language = Language::French);
std::string rate_json(const Puzzle& puzzle, Language language = Language::French, const Origin& origin = {});
// The row of `vornel-explain --summary`, its 11 tab-separated fields, without the line end.
std::string summary_row(const Puzzle& puzzle, const Origin& origin = {});

// The ladder's next step (a hint); nothing when the grid is full, invalid or no technique applies.
std::optional<Step> next_step(const Puzzle& puzzle, Language language = Language::French);
// The JSON of `--next --json`: the explanation cut after its first step.
std::string next_json(const Puzzle& puzzle, Language language = Language::French, const Origin& origin = {});

// Every instance of the technique `id` in the position, whatever step the ladder would take first.
// Throws Error for an unknown id (its message lists the ids).
std::vector<Step> find(const Puzzle& puzzle, std::string_view technique, Language language = Language::French);
std::string find_json(const Puzzle& puzzle, std::string_view technique, Language language = Language::French,
                      const Origin& origin = {});

// The solutions, counted up to `limit` (at least 1): 0, 1... or `limit`. Invalid givens have none.
int count_solutions(const Puzzle& puzzle, int limit = 2);

// The technique ids in the ladder's order, lightest first, and the level ids, easiest first.
std::vector<std::string> technique_ids();
std::vector<std::string> levels();

// What to generate: every puzzle has one solution and is minimal (among symmetric removals when
// `symmetric`). `level` is one of levels() (or any name vornel-generate --level reads), empty
// for any; `needs` a technique id the explanation must use, nothing harder.
struct GenerateRequest {
    std::string level;
    std::string needs;
    bool symmetric = false;
    std::uint64_t seed = 0;
    int count = 1;
};
// The puzzles, as 81-character lines: the same as `vornel-generate --seed S --count N` with the
// same request. Throws Error for a request that cannot be met, with the tool's message.
std::vector<std::string> generate(const GenerateRequest& request, Language language = Language::French);

// Many puzzles at once, on `jobs` threads (0: one per processor), in input order. Each entry is
// one input text; its result is its JSON (or summary row), without the line end. A text that
// cannot be read gives the tool's "bad-input" object or row, and its message in `error`.
enum class BatchReport { Explain, Rate, Summary };
struct BatchResult {
    std::string text;
    std::string error; // empty when the text was read
};
// The "bad-input" object (or row) of a text that cannot be read, with its reason.
std::string bad_input(BatchReport report, const Origin& origin, const std::string& reason);
std::vector<BatchResult> run_batch(const std::vector<std::string>& texts, BatchReport report, unsigned jobs = 0,
                                   Language language = Language::French, const std::vector<Origin>& origins = {});

} // namespace vornel::api
