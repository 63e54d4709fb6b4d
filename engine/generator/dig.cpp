// SPDX-License-Identifier: GPL-3.0-or-later
#include "dig.h"

#include "bit_ops.h"
#include <bit>

namespace vornel::generator {

namespace {

// True when the puzzle has a solution whose digit in `cell` is not `digit`.
bool has_other_solution(const Grid& puzzle, int cell, int digit) {
    return find_solutions_without(puzzle, cell, digit, 1).count > 0;
}

// The cells removed together: a cell, and its turned twin when symmetric (81 when none).
struct Group {
    std::uint8_t cell;
    std::uint8_t twin;
};

int groups_of(bool symmetric, Group* groups) {
    int n = 0;
    if (!symmetric) {
        for (int c = 0; c < 81; ++c) groups[n++] = {static_cast<std::uint8_t>(c), 81};
        return n;
    }
    for (int c = 0; c < 40; ++c) groups[n++] = {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(80 - c)};
    groups[n++] = {40, 81};
    return n;
}

// `puzzle` has one solution, `solution`; true when it still has one without the group's givens
// (which the caller has already emptied).
bool still_unique(const Grid& puzzle, const Grid& solution, Group group) {
    if (forced_by_peers(puzzle, group.cell) && (group.twin == 81 || forced_by_peers(puzzle, group.twin))) return true;
    if (has_other_solution(puzzle, group.cell, solution[group.cell])) return false;
    return group.twin == 81 || !has_other_solution(puzzle, group.twin, solution[group.twin]);
}

void set(Grid& puzzle, Group group, const Grid& from) {
    puzzle[group.cell] = from[group.cell];
    if (group.twin != 81) puzzle[group.twin] = from[group.twin];
}

} // namespace

Grid random_solution(Random& random) {
    return random_full_grid([&random](std::uint32_t bound) { return random.below(bound); });
}

bool forced_by_peers(const Grid& puzzle, int cell) {
    std::uint16_t seen = 0;
    const int row = cell / 9, column = cell % 9, box_row = row / 3 * 3, box_column = column / 3 * 3;
    for (int c = 0; c < 81; ++c) {
        const int r = c / 9, k = c % 9;
        const bool peer = c != cell && (r == row || k == column || (r / 3 * 3 == box_row && k / 3 * 3 == box_column));
        if (peer && puzzle[c] != 0) seen |= static_cast<std::uint16_t>(1u << (puzzle[c] - 1));
    }
    return bit_count(seen) == 8;
}

Grid dig(const Grid& solution, Random& random, bool symmetric, const Preference& prefer) {
    return dig_from(solution, solution, random, symmetric, prefer);
}

Grid dig_from(const Grid& solution, const Grid& start, Random& random, bool symmetric, const Preference& prefer) {
    Group groups[81];
    int count = groups_of(symmetric, groups);
    // Only the start's givens can go.
    int given = 0;
    for (int i = 0; i < count; ++i)
        if (start[groups[i].cell] != 0) groups[given++] = groups[i];
    count = given;
    random.shuffle(groups, count);
    const Grid empty{};
    Grid puzzle = start;
    bool kept[81] = {};
    for (int pass = prefer ? 0 : 1; pass < 2; ++pass) {
        for (int i = 0; i < count; ++i) {
            if (pass == 1 && !kept[i] && prefer) continue; // already removed
            set(puzzle, groups[i], empty);
            const bool go = pass == 0 ? prefer(puzzle) : still_unique(puzzle, solution, groups[i]);
            if (!go) set(puzzle, groups[i], solution);
            kept[i] = !go;
        }
    }
    return puzzle;
}

Grid vary(const Grid& solution, const Grid& puzzle, Random& random, bool symmetric, int added) {
    Group groups[81];
    int count = groups_of(symmetric, groups);
    int empty = 0;
    for (int i = 0; i < count; ++i)
        if (puzzle[groups[i].cell] == 0) groups[empty++] = groups[i];
    random.shuffle(groups, empty);
    Grid start = puzzle;
    for (int i = 0; i < added && i < empty; ++i) set(start, groups[i], solution);
    return dig_from(solution, start, random, symmetric);
}

bool is_minimal(const Grid& puzzle, bool symmetric) {
    if (find_solutions(puzzle, 2).count != 1) return false;
    Group groups[81];
    const int count = groups_of(symmetric, groups);
    for (int i = 0; i < count; ++i) {
        Grid smaller = puzzle;
        const Group g = groups[i];
        if (puzzle[g.cell] == 0 && (g.twin == 81 || puzzle[g.twin] == 0)) continue;
        smaller[g.cell] = 0;
        if (g.twin != 81) smaller[g.twin] = 0;
        if (find_solutions(smaller, 2).count == 1) return false;
    }
    return true;
}

} // namespace vornel::generator
