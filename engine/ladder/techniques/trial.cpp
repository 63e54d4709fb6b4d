// SPDX-License-Identifier: GPL-3.0-or-later
// Trial, the last resort: when no technique of the ladder applies, each candidate of one cell is
// tried by an exhaustive search of the completions of the grid. A candidate with no completion is
// false. The cell tried is the first with the fewest candidates.
//
// Variant 1: the candidates of that cell with no completion are removed (others remain).
// Variant 2: exactly one candidate of that cell has a completion: it is placed, and the refuted
// candidates are listed in `highlighted`.
// The narrator tells it as what it is: an exhaustive search, not a deduction a player would make.

#include <array>
#include <cstdint>
#include <vector>

#include "common.h"
#include "solution_count.h"
#include "techniques.h"

namespace vornel::ladder {

namespace {

using detail::candidate;
using detail::for_each_bit;
using vornel::find_solutions_within;
using vornel::Grid;
using vornel::Marks;

// Answers, for one position, whether a candidate has a completion: the engine's exact search over
// the position's values and live candidates, with that candidate alone in its cell.
class Search {
public:
    explicit Search(const Candidates& c) : values_(c.values()) {
        for (int i = 0; i < 81; ++i) masks_[static_cast<std::size_t>(i)] = c.mask(i);
    }

    // True when the grid with `digit` in `cell` has a completion.
    bool completes_with(int cell, int digit) const {
        Marks allowed = masks_;
        allowed[static_cast<std::size_t>(cell)] = static_cast<std::uint16_t>(1u << digit);
        return find_solutions_within(values_, allowed, 1).count > 0;
    }

private:
    Grid values_{};
    Marks masks_{};
};

} // namespace

std::optional<Step> find_trial(const Candidates& c) {
    const Search search(c);
    for (int size = 2; size <= 9; ++size) {
        for (int cell = 0; cell < 81; ++cell) {
            if (c.value(cell) != 0 || bit_count(static_cast<unsigned>(c.mask(cell))) != size) continue;
            std::vector<Candidate> refuted, survivors;
            for_each_bit(c.mask(cell), [&](int d) {
                (search.completes_with(cell, d) ? survivors : refuted).push_back(candidate(cell, d));
            });
            if (refuted.empty()) continue;              // several completions: nothing to learn here
            if (survivors.empty()) return std::nullopt; // no completion at all: not for this technique
            Step step;
            step.technique = Technique::Trial;
            step.cells = {static_cast<std::uint8_t>(cell)};
            step.highlighted = refuted;
            for (const Candidate& r : refuted) step.digits = static_cast<std::uint16_t>(step.digits | 1u << r.digit);
            if (survivors.size() == 1) {
                step.variant = 2;
                step.placements = survivors;
            } else {
                step.variant = 1;
                step.eliminations = refuted;
            }
            return step;
        }
    }
    return std::nullopt;
}

} // namespace vornel::ladder
