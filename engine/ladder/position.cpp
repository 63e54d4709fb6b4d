#include "position.h"

#include <bit>
#include <utility>

namespace vornel::ladder {

namespace {

// Counts completions of candidate masks (a placed digit is a one-digit mask) by depth-first
// search: naked singles propagate on assignment, hidden singles and units missing a digit are
// checked before each branch, and the cell with the fewest candidates is tried first.
class MaskCounter {
public:
    using Masks = std::array<std::uint16_t, 81>;

    explicit MaskCounter(int limit) : limit_(limit) {}

    int count(Masks m) {
        found_ = 0;
        bool ok = true;
        for (int cell = 0; cell < 81 && ok; ++cell)
            if (std::has_single_bit(m[static_cast<std::size_t>(cell)]))
                ok = assign(m, cell, std::countr_zero(m[static_cast<std::size_t>(cell)]));
        if (ok) search(m);
        return found_;
    }

private:
    // Fixes `digit` in `cell` and removes it from the peers, following naked singles; false on a
    // cell left without candidates or on a peer already fixed to the same digit.
    static bool assign(Masks& m, int cell, int digit) {
        const auto bit = static_cast<std::uint16_t>(1u << digit);
        m[static_cast<std::size_t>(cell)] = bit;
        for (const std::uint8_t peer : geometry().peers[cell]) {
            std::uint16_t& pm = m[peer];
            if ((pm & bit) == 0) continue;
            if (pm == bit) return false;
            pm = static_cast<std::uint16_t>(pm & ~bit);
            if (std::has_single_bit(pm) && !assign(m, peer, std::countr_zero(pm))) return false;
        }
        return true;
    }

    // Hidden singles; false on a unit missing a digit or holding one digit in two fixed cells.
    static bool settle(Masks& m, bool& changed) {
        for (const auto& unit : geometry().unit_cells) {
            unsigned once = 0, twice = 0;
            for (const std::uint8_t cell : unit) {
                twice |= once & m[cell];
                once |= m[cell];
            }
            if (once != 0x3FE) return false;
            const unsigned solo = once & ~twice;
            for (const std::uint8_t cell : unit) {
                const unsigned here = m[cell] & solo;
                if (here == 0 || std::has_single_bit(m[cell])) continue;
                if (!std::has_single_bit(here)) return false;
                if (!assign(m, cell, std::countr_zero(here))) return false;
                changed = true;
            }
        }
        return true;
    }

    void search(Masks& m) {
        for (bool changed = true; changed;) {
            changed = false;
            if (!settle(m, changed)) return;
        }
        int best = -1, best_count = 10;
        for (int cell = 0; cell < 81; ++cell) {
            const int n = std::popcount(m[static_cast<std::size_t>(cell)]);
            if (n > 1 && n < best_count) {
                best = cell;
                best_count = n;
            }
        }
        if (best < 0) {
            ++found_;
            return;
        }
        for (unsigned rest = m[static_cast<std::size_t>(best)]; rest != 0 && found_ < limit_; rest &= rest - 1) {
            Masks copy = m;
            if (assign(copy, best, std::countr_zero(rest))) search(copy);
        }
    }

    int limit_;
    int found_ = 0;
};

int count_marks(const Candidates& c, int limit) {
    Marks m{};
    for (int cell = 0; cell < 81; ++cell)
        m[static_cast<std::size_t>(cell)] =
            c.value(cell) != 0 ? static_cast<std::uint16_t>(1u << c.value(cell)) : c.mask(cell);
    return MaskCounter(limit < 1 ? 1 : limit).count(m);
}

} // namespace

Position Position::from_givens(const Grid& givens) {
    Position position(givens);
    position.givens_ = givens;
    Values values{};
    for (int cell = 0; cell < 81; ++cell)
        values[static_cast<std::size_t>(cell)] = givens[static_cast<std::size_t>(cell)];
    position.problems_ = duplicate_problems(values);
    return position;
}

Position Position::from_marks(const Marks& marks) {
    Grid placed{};
    Values values{};
    for (int cell = 0; cell < 81; ++cell) {
        const unsigned m = marks[static_cast<std::size_t>(cell)] & 0x3FEu;
        if (std::has_single_bit(m)) {
            placed[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(std::countr_zero(m));
            values[static_cast<std::size_t>(cell)] = placed[static_cast<std::size_t>(cell)];
        }
    }
    Position position(placed);
    position.problems_ = duplicate_problems(values);
    Candidates& c = position.candidates_;
    for (int cell = 0; cell < 81; ++cell) {
        if (c.value(cell) != 0) continue;
        const unsigned gone = c.mask(cell) & ~static_cast<unsigned>(marks[static_cast<std::size_t>(cell)]);
        for (unsigned rest = gone; rest != 0; rest &= rest - 1) c.eliminate(cell, std::countr_zero(rest));
        if (c.mask(cell) == 0)
            position.problems_.push_back("La case ligne " + std::to_string(row_of(cell) + 1) + ", colonne " +
                                         std::to_string(col_of(cell) + 1) + " n'a plus aucun candidat.");
    }
    return position;
}

Marks Position::marks() const {
    Marks m{};
    for (int cell = 0; cell < 81; ++cell)
        m[static_cast<std::size_t>(cell)] = candidates_.value(cell) != 0
                                                ? static_cast<std::uint16_t>(1u << candidates_.value(cell))
                                                : candidates_.mask(cell);
    return m;
}

std::string marks_line(const Marks& marks, char absent) {
    std::string line(729, absent);
    for (std::size_t cell = 0; cell < 81; ++cell)
        for (int d = 1; d <= 9; ++d)
            if ((marks[cell] >> d) & 1) line[9 * cell + static_cast<std::size_t>(d - 1)] = static_cast<char>('0' + d);
    return line;
}

int count_solutions(const Position& position, int limit) {
    if (!position.valid()) return 0;
    return count_marks(position.candidates(), limit);
}

Explanation explain(const Position& position) {
    if (position.knows_givens()) return explain(*position.givens());
    Explanation result;
    result.puzzle = position.values();
    result.start_marks = position.marks();
    result.final_grid = result.puzzle;
    if (!position.valid()) {
        result.problems = position.problems();
        result.verdict = Verdict::Invalid;
        result.rating = rate(result.steps);
        return result;
    }
    explain_from(position.candidates(), result, count_marks);
    return result;
}

std::optional<Step> next_step(const Position& position) {
    if (!position.valid() || position.candidates().empty_cells() == 0) return std::nullopt;
    // Counted first, as explain() does before it keeps a step: a position without solution has no
    // next step, and uniqueness techniques need exactly one solution.
    const int solutions = count_solutions(position, 2);
    if (solutions == 0) return std::nullopt;
    return Ladder(position.candidates(), solutions == 1).next_step();
}

std::vector<Step> find_instances(const Position& position, Technique technique) {
    std::vector<Step> instances;
    if (!position.valid() || position.candidates().empty_cells() == 0) return instances;
    if (needs_unique_solution(technique) && count_solutions(position, 2) != 1) return instances;
    if (auto step = find_first(position.candidates(), technique)) instances.push_back(std::move(*step));
    return instances;
}

} // namespace vornel::ladder
