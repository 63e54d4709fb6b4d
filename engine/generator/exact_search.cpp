#include "exact_search.h"

#include <bit>

namespace vornel::generator {

namespace {

constexpr std::uint16_t kAll = 0x1FF; // bit d-1 for digit d

struct Tables {
    std::uint8_t units[27][9]{};
    std::uint8_t peers[81][20]{};
    std::uint8_t bits[512]{}; // number of candidates of each mask
    constexpr Tables() {
        for (int m = 1; m < 512; ++m) bits[m] = static_cast<std::uint8_t>(bits[m >> 1] + (m & 1));
        for (int i = 0; i < 9; ++i) {
            for (int j = 0; j < 9; ++j) {
                units[i][j] = static_cast<std::uint8_t>(9 * i + j);
                units[9 + i][j] = static_cast<std::uint8_t>(9 * j + i);
                units[18 + i][j] = static_cast<std::uint8_t>(27 * (i / 3) + 3 * (i % 3) + 9 * (j / 3) + j % 3);
            }
        }
        for (int c = 0; c < 81; ++c) {
            int n = 0;
            for (int p = 0; p < 81; ++p) {
                const bool same_box = (p / 27 == c / 27) && ((p % 9) / 3 == (c % 9) / 3);
                if (p != c && (p / 9 == c / 9 || p % 9 == c % 9 || same_box))
                    peers[c][n++] = static_cast<std::uint8_t>(p);
            }
        }
    }
};
constexpr Tables kTables;

// One position of the search. A solved cell has value 1-9 and no candidates; an open cell has
// value 0 and at least one candidate (a cell left with none ends the position as a dead end).
struct Position {
    std::array<std::uint16_t, 81> cand;
    Grid value{};
    int open = 81;
    // False: a cell left with one candidate waits for a hidden single to fill it.
    bool naked_singles = true;

    Position() { cand.fill(kAll); }

    // Writes the digit of `bit` (a candidate of the open cell) and removes it from the peers,
    // following every naked single it makes. False on a contradiction.
    bool assign(int cell, std::uint16_t bit) {
        std::uint8_t queue[81];
        int head = 0, tail = 0;
        if (!write(cell, bit, queue, tail)) return false;
        while (head < tail) {
            const int next = queue[head++];
            if (value[next] != 0) continue;
            if (!write(next, cand[next], queue, tail)) return false;
        }
        return true;
    }

    bool write(int cell, std::uint16_t bit, std::uint8_t* queue, int& tail) {
        if (!(cand[cell] & bit)) return false;
        value[cell] = static_cast<std::uint8_t>(std::countr_zero(bit) + 1);
        cand[cell] = 0;
        --open;
        for (const std::uint8_t peer : kTables.peers[cell]) {
            if (!(cand[peer] & bit)) continue;
            const std::uint16_t left = cand[peer] &= static_cast<std::uint16_t>(~bit);
            if (left == 0) return false;
            if (naked_singles && (left & (left - 1)) == 0) queue[tail++] = peer;
        }
        return true;
    }

    // Places every hidden single until none is left. False on a contradiction (a digit with no
    // place in a unit).
    bool hidden_singles() {
        bool changed = true;
        while (changed && open > 0) {
            changed = false;
            for (const auto& unit : kTables.units) {
                std::uint16_t once = 0, twice = 0, placed = 0;
                for (const std::uint8_t c : unit) {
                    twice |= once & cand[c];
                    once |= cand[c];
                    if (value[c] != 0) placed |= static_cast<std::uint16_t>(1u << (value[c] - 1));
                }
                if ((once | placed) != kAll) return false;
                std::uint16_t lone = once & static_cast<std::uint16_t>(~twice);
                while (lone != 0) {
                    const std::uint16_t bit = lone & static_cast<std::uint16_t>(-lone);
                    lone &= static_cast<std::uint16_t>(lone - 1);
                    for (const std::uint8_t c : unit) {
                        if (cand[c] & bit) {
                            if (!assign(c, bit)) return false;
                            changed = true;
                            break;
                        }
                    }
                }
            }
        }
        return true;
    }

    // The open cell with the fewest candidates; -1 when none is open.
    int best_cell() const {
        int best = -1, best_count = 10;
        for (int c = 0; c < 81; ++c) {
            if (value[c] != 0) continue;
            const int count = kTables.bits[cand[c]];
            if (count < best_count) {
                best = c;
                best_count = count;
                if (count == 2) break;
            }
        }
        return best;
    }
};

// Counts the solutions below `position`, stopping at `limit`; when `solution` is given, the first
// solution found is written there. With `random`, the digits of a guess are tried in random order.
int search(Position position, int limit, Grid* solution, Random* random) {
    if (!position.hidden_singles()) return 0;
    const int cell = position.best_cell();
    if (cell < 0) {
        if (solution) *solution = position.value;
        return 1;
    }
    std::uint16_t bits[9];
    int n = 0;
    for (std::uint16_t mask = position.cand[cell]; mask != 0; mask &= static_cast<std::uint16_t>(mask - 1))
        bits[n++] = mask & static_cast<std::uint16_t>(-mask);
    if (random) random->shuffle(bits, n);
    int found = 0;
    for (int i = 0; i < n && found < limit; ++i) {
        Position next = position;
        if (!next.assign(cell, bits[i])) continue;
        found += search(next, limit - found, found == 0 ? solution : nullptr, random);
    }
    return found;
}

// The position of the puzzle's givens; false when a value is out of range or two givens clash.
bool start(const Grid& puzzle, Position& position) {
    for (int c = 0; c < 81; ++c) {
        const int v = puzzle[c];
        if (v == 0) continue;
        if (v > 9) return false;
        if (position.value[c] != 0) {
            // Already written by propagation: a given must agree.
            if (position.value[c] != v) return false;
            continue;
        }
        if (!position.assign(c, static_cast<std::uint16_t>(1u << (v - 1)))) return false;
    }
    return true;
}

} // namespace

int count_solutions(const Grid& puzzle, int limit) {
    Position position;
    if (limit <= 0 || !start(puzzle, position)) return 0;
    return search(position, limit, nullptr, nullptr);
}

bool has_other_solution(const Grid& puzzle, int cell, int digit) {
    Position position;
    if (!start(puzzle, position)) return false;
    const auto bit = static_cast<std::uint16_t>(1u << (digit - 1));
    if (position.value[cell] != 0) return position.value[cell] != digit;
    const std::uint16_t left = position.cand[cell] &= static_cast<std::uint16_t>(~bit);
    if (left == 0) return false;
    if ((left & (left - 1)) == 0 && !position.assign(cell, left)) return false;
    return search(position, 1, nullptr, nullptr) > 0;
}

bool forced_by_peers(const Grid& puzzle, int cell) {
    std::uint16_t seen = 0;
    for (const std::uint8_t peer : kTables.peers[cell])
        if (puzzle[peer] != 0) seen |= static_cast<std::uint16_t>(1u << (puzzle[peer] - 1));
    return kTables.bits[seen] == 8;
}

bool solved_by_singles(const Grid& puzzle, bool naked) {
    Position position;
    position.naked_singles = naked;
    return start(puzzle, position) && position.hidden_singles() && position.open == 0;
}

Grid random_solution(Random& random) {
    Grid solution{};
    search(Position{}, 1, &solution, &random);
    return solution;
}

} // namespace vornel::generator
