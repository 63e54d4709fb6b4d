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
#include "techniques.h"

namespace vornel::ladder {

namespace {

using detail::candidate;
using detail::for_each_bit;

// Depth-first search over candidate masks, with naked singles; true when a completion exists.
class Search {
public:
    explicit Search(const Candidates& c) {
        for (int i = 0; i < 81; ++i) {
            mask_[static_cast<std::size_t>(i)] =
                c.value(i) != 0 ? static_cast<std::uint16_t>(1u << c.value(i)) : c.mask(i);
        }
    }

    // True when the grid with `digit` in `cell` has a completion.
    bool completes_with(int cell, int digit) const {
        Masks m = mask_;
        return assign(m, cell, digit) && solve(m);
    }

private:
    using Masks = std::array<std::uint16_t, 81>;

    // Fixes `digit` in `cell` and removes it from the peers, following naked singles; false on a
    // cell left without candidates.
    static bool assign(Masks& m, int cell, int digit) {
        const auto bit = static_cast<std::uint16_t>(1u << digit);
        m[static_cast<std::size_t>(cell)] = bit;
        for (const std::uint8_t peer : geometry().peers[cell]) {
            std::uint16_t& pm = m[peer];
            if ((pm & bit) == 0) continue;
            pm = static_cast<std::uint16_t>(pm & ~bit);
            if (pm == 0) return false;
            if ((pm & (pm - 1)) == 0 && !assign(m, peer, std::countr_zero(static_cast<unsigned>(pm)))) return false;
        }
        return true;
    }

    // Hidden singles and empty units; false on a digit with no place left in a unit.
    static bool settle(Masks& m, bool& changed) {
        const Geometry& g = geometry();
        for (int unit = 0; unit < 27; ++unit) {
            unsigned once = 0, twice = 0;
            for (const std::uint8_t cell : g.unit_cells[unit]) {
                twice |= once & m[cell];
                once |= m[cell];
            }
            if (once != 0x3FE) return false;
            unsigned solo = once & ~twice;
            for (const std::uint8_t cell : g.unit_cells[unit]) {
                const unsigned here = m[cell] & solo;
                if (here == 0 || (m[cell] & (m[cell] - 1)) == 0) continue;
                if ((here & (here - 1)) != 0) return false;
                if (!assign(m, cell, std::countr_zero(here))) return false;
                changed = true;
            }
        }
        return true;
    }

    static bool solve(Masks& m) {
        bool changed = true;
        while (changed) {
            changed = false;
            if (!settle(m, changed)) return false;
        }
        int best = -1, best_count = 10;
        for (int i = 0; i < 81; ++i) {
            const int n = std::popcount(static_cast<unsigned>(m[static_cast<std::size_t>(i)]));
            if (n > 1 && n < best_count) {
                best = i;
                best_count = n;
            }
        }
        if (best < 0) return true;
        bool found = false;
        for_each_bit(m[static_cast<std::size_t>(best)], [&](int d) {
            if (found) return;
            Masks copy = m;
            if (assign(copy, best, d) && solve(copy)) found = true;
        });
        return found;
    }

    Masks mask_{};
};

} // namespace

std::optional<Step> find_trial(const Candidates& c) {
    const Search search(c);
    for (int size = 2; size <= 9; ++size) {
        for (int cell = 0; cell < 81; ++cell) {
            if (c.value(cell) != 0 || std::popcount(static_cast<unsigned>(c.mask(cell))) != size) continue;
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
